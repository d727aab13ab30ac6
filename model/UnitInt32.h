#pragma once

#include <QtGlobal>

// 32-bit arithmetic that wraps as two's complement instead of overflowing.
inline qint32 WrapAdd(qint32 a, qint32 b)
{
    return static_cast<qint32>(static_cast<quint32>(a) + static_cast<quint32>(b));
}

inline qint32 WrapMul(qint32 a, qint32 b)
{
    return static_cast<qint32>(static_cast<quint32>(a) * static_cast<quint32>(b));
}
