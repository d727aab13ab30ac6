#include "UnitValueStream.h"

#include "TavelkoError.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

[[noreturn]] void Damaged(const QString &why)
{
    throw TTavelkoError(QStringLiteral("The exam file is damaged: %1.").arg(why));
}

QString TagError(quint8 tag, const char *expected)
{
    return QStringLiteral("found tag %1 where %2 was expected")
        .arg(tag, 2, 16, QLatin1Char('0'))
        .arg(QLatin1String(expected));
}

// No deflate stream inflates to more than 1032 times its size; allow for a match that zlib
// holds back between two calls.
constexpr qint64 DeflateMaxRatio = 1032;
constexpr qint64 InflateHeldBack = 1024;

} // namespace

// ---------------------------------------------------------------------------------------------
// Writer

void TValueWriter::WriteTag(TValueTag tag)
{
    fOut.append(char(tag));
}

template <typename T> void TValueWriter::WriteLittleEndian(T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    fOut.append(bytes, sizeof(T));
}

void TValueWriter::WriteInteger(qint32 value)
{
    if (value >= -128 && value <= 127) {
        WriteTag(vaInt8);
        WriteLittleEndian<qint8>(qint8(value));
    } else if (value >= -32768 && value <= 32767) {
        WriteTag(vaInt16);
        WriteLittleEndian<qint16>(qint16(value));
    } else {
        WriteTag(vaInt32);
        WriteLittleEndian<qint32>(value);
    }
}

void TValueWriter::WriteInt64(qint64 value)
{
    if (value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max()) {
        WriteInteger(qint32(value));
    } else {
        WriteTag(vaInt64);
        WriteLittleEndian<qint64>(value);
    }
}

void TValueWriter::WriteBoolean(bool value)
{
    WriteTag(value ? vaTrue : vaFalse);
}

void TValueWriter::WriteDouble(double value)
{
    WriteTag(vaDouble);
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    WriteLittleEndian<quint64>(bits);
}

void TValueWriter::WriteString(const QString &value)
{
    const qsizetype units = value.size();
    if (units == 0) {
        WriteTag(vaWString);
        WriteLittleEndian<qint32>(0);
        return;
    }
    const QByteArray utf8 = value.toUtf8();
    if (utf8.size() < 2 * units) {
        const bool ascii = std::all_of(utf8.cbegin(), utf8.cend(), [](char c) { return quint8(c) < 0x80; });
        if (ascii && utf8.size() <= 255) {
            WriteTag(vaString);
            fOut.append(char(utf8.size()));
        } else {
            WriteTag(ascii ? vaLString : vaUTF8String);
            WriteLittleEndian<qint32>(qint32(utf8.size()));
        }
        fOut.append(utf8);
        return;
    }
    WriteTag(vaWString);
    WriteLittleEndian<qint32>(qint32(units));
    for (QChar c : value)
        WriteLittleEndian<quint16>(c.unicode());
}

void TValueWriter::WriteRaw(QByteArrayView bytes)
{
    fOut.append(bytes.data(), bytes.size());
}

// ---------------------------------------------------------------------------------------------
// Sources

qint64 TMemorySource::ReadSome(char *dst, qint64 max)
{
    const qint64 count = std::min(max, MaxRemaining());
    std::memcpy(dst, fData.data() + fPos, size_t(count));
    fPos += count;
    return count;
}

TInflateSource::TInflateSource(QByteArrayView compressed, qint64 maxOutput) : fInflater(compressed, maxOutput) {}

qint64 TInflateSource::ReadSome(char *dst, qint64 max)
{
    qint64 produced = 0;
    switch (fInflater.Inflate(dst, max, produced)) {
    case TZlibInflater::Ok:
    case TZlibInflater::End:
        return produced;
    case TZlibInflater::Truncated:
        Damaged(QStringLiteral("the compressed data ends early"));
    case TZlibInflater::OverLimit:
        Damaged(QStringLiteral("it holds more data than any exam"));
    case TZlibInflater::Damaged:
        break;
    }
    Damaged(QStringLiteral("the compressed data is not valid (%1)").arg(fInflater.Detail()));
}

qint64 TInflateSource::MaxRemaining() const
{
    if (fInflater.Ended())
        return 0;
    return std::min(fInflater.InputLeft() * DeflateMaxRatio + InflateHeldBack, fInflater.MaxOutput() - fInflater.TotalOut());
}

void TInflateSource::Finish()
{
    QByteArray scratch(64 * 1024, Qt::Uninitialized);
    while (!fInflater.Ended())
        ReadSome(scratch.data(), scratch.size());
}

// ---------------------------------------------------------------------------------------------
// Reader

void TValueReader::CheckAvailable(qint64 count)
{
    if (count < 0 || count > MaxRemaining())
        Damaged(QStringLiteral("the data ends early"));
}

void TValueReader::ReadBytes(char *dst, qint64 count)
{
    const qint64 buffered = std::min(count, fEnd - fPos);
    std::memcpy(dst, fBuffer + fPos, size_t(buffered));
    fPos += buffered;
    dst += buffered;
    count -= buffered;
    if (count == 0)
        return;
    // Large reads go straight to their destination; small ones refill the buffer.
    if (count >= qint64(sizeof fBuffer)) {
        while (count > 0) {
            const qint64 got = fSource.ReadSome(dst, count);
            if (got == 0)
                Damaged(QStringLiteral("the data ends early"));
            dst += got;
            count -= got;
        }
        return;
    }
    while (count > 0) {
        fPos = 0;
        fEnd = fSource.ReadSome(fBuffer, sizeof fBuffer);
        if (fEnd == 0)
            Damaged(QStringLiteral("the data ends early"));
        const qint64 take = std::min(count, fEnd);
        std::memcpy(dst, fBuffer, size_t(take));
        fPos = take;
        dst += take;
        count -= take;
    }
}

template <typename T> T TValueReader::ReadLittleEndian()
{
    char bytes[sizeof(T)];
    ReadBytes(bytes, sizeof(T));
    return qFromLittleEndian<T>(bytes);
}

quint8 TValueReader::ReadTag()
{
    return ReadLittleEndian<quint8>();
}

qint64 TValueReader::ReadIntegerWithTag(quint8 tag, const char *expected)
{
    switch (tag) {
    case vaInt8:
        return ReadLittleEndian<qint8>();
    case vaInt16:
        return ReadLittleEndian<qint16>();
    case vaInt32:
        return ReadLittleEndian<qint32>();
    default:
        Damaged(TagError(tag, expected));
    }
}

qint32 TValueReader::ReadInteger()
{
    return qint32(ReadIntegerWithTag(ReadTag(), "an integer"));
}

qint64 TValueReader::ReadInt64()
{
    const quint8 tag = ReadTag();
    if (tag == vaInt64)
        return ReadLittleEndian<qint64>();
    return ReadIntegerWithTag(tag, "a 64-bit integer");
}

bool TValueReader::ReadBoolean()
{
    const quint8 tag = ReadTag();
    if (tag == vaFalse)
        return false;
    if (tag == vaTrue)
        return true;
    Damaged(TagError(tag, "a boolean"));
}

double TValueReader::ReadDouble()
{
    const quint8 tag = ReadTag();
    if (tag == vaDouble) {
        const quint64 bits = ReadLittleEndian<quint64>();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    if (tag == vaInt64)
        return double(ReadLittleEndian<qint64>());
    return double(ReadIntegerWithTag(tag, "a number"));
}

void TValueReader::SpendText(qint64 characters)
{
    if (characters > fTextLeft)
        Damaged(QStringLiteral("its texts are longer than any exam's"));
    fTextLeft -= characters;
}

qint32 TValueReader::ReadLength()
{
    const qint32 length = ReadLittleEndian<qint32>();
    CheckAvailable(length);
    SpendText(length);
    return length;
}

QString TValueReader::ReadString()
{
    const quint8 tag = ReadTag();
    switch (tag) {
    case vaString: {
        const quint8 length = ReadLittleEndian<quint8>();
        SpendText(length);
        return QString::fromLatin1(ReadRaw(length));
    }
    case vaLString:
        return QString::fromLatin1(ReadRaw(ReadLength()));
    case vaUTF8String:
        return QString::fromUtf8(ReadRaw(ReadLength()));
    case vaWString: {
        const qint32 units = ReadLittleEndian<qint32>();
        CheckAvailable(units < 0 ? -1 : 2 * qint64(units));
        SpendText(units);
        QString text(units, Qt::Uninitialized);
        for (qint32 i = 0; i < units; ++i)
            text[i] = QChar(ReadLittleEndian<quint16>());
        return text;
    }
    default:
        Damaged(TagError(tag, "a string"));
    }
}

QByteArray TValueReader::ReadRaw(qint64 count)
{
    CheckAvailable(count);
    if (count > std::numeric_limits<qsizetype>::max() / 2)
        Damaged(QStringLiteral("a block is too large"));
    QByteArray bytes(qsizetype(count), Qt::Uninitialized);
    ReadBytes(bytes.data(), count);
    return bytes;
}
