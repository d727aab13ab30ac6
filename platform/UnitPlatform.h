#pragma once

#include <QString>
#include <QStringList>

// Our small layer in place of the operating-system services the programs use.
namespace Platform {

// Whether any network connection exists: an interface that is up, running and not loopback.
// Loopback counts too when both servers the programs talk to are on this machine, so that the
// local demo works offline.
bool NetworkConnected(const QStringList &serverHosts);

// The executable file name of a program of ours in a folder ("Tavelko", "TavelkoUpdater"),
// with the platform's suffix.
QString ProgramPath(const QString &folder, const QString &program);

// Whether the programs in folder may be replaced by the updater: the folder can be written, and
// no package manager keeps them (a package leaves the marker file PackagedMarker beside them).
bool ProgramFolderReplaceable(const QString &folder);
inline constexpr const char *PackagedMarker = "installed-by-package";

// Starts a program detached, as the shell's "open" does; false when it could not be started.
bool StartProgram(const QString &path, const QStringList &arguments = {});

} // namespace Platform
