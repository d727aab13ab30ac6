#pragma once

#include <QString>

// Small operating-system services, as class-level operations.
class TPrelvinOS
{
public:
    TPrelvinOS() = delete;

    // A new installation identifier: 32 upper-case hexadecimal digits, never "0".
    static QString Get_New_32_GUID();
};
