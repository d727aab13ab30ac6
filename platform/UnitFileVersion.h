#pragma once

#include <QString>

// The version that the build stamps into each of our executables: major * 65536 + minor.
namespace Platform {

constexpr quint32 NoVersion = 4294967295u;

// The stamped version of an executable file; NoVersion when the file is missing or carries none.
quint32 FileVersion(const QString &path);

// The same for the running executable.
quint32 OwnFileVersion();

} // namespace Platform
