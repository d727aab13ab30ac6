// On Windows the build gives each executable a version resource; this reads its file version.

#include "UnitFileVersion.h"

#include <QCoreApplication>

#include <windows.h>

#include <vector>

namespace Platform {

quint32 FileVersion(const QString &path)
{
    const std::wstring name = path.toStdWString();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(name.c_str(), &ignored);
    if (size == 0)
        return NoVersion;
    std::vector<char> data(size);
    if (!GetFileVersionInfoW(name.c_str(), 0, size, data.data()))
        return NoVersion;
    VS_FIXEDFILEINFO *info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&info), &length) || !info)
        return NoVersion;
    return quint32(info->dwFileVersionMS);
}

quint32 OwnFileVersion()
{
    return FileVersion(QCoreApplication::applicationFilePath());
}

} // namespace Platform
