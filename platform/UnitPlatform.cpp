#include "UnitPlatform.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QProcess>

namespace Platform {

namespace {

bool IsLocalHost(const QString &host)
{
    if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace

bool NetworkConnected(const QStringList &serverHosts)
{
    if (!serverHosts.isEmpty() && std::all_of(serverHosts.begin(), serverHosts.end(), IsLocalHost))
        return true;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning)
            && !flags.testFlag(QNetworkInterface::IsLoopBack))
            return true;
    }
    return false;
}

bool ProgramFolderReplaceable(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable() && !QFileInfo::exists(QDir(folder).filePath(QString::fromLatin1(PackagedMarker)));
}

QString ProgramPath(const QString &folder, const QString &program)
{
#ifdef Q_OS_WIN
    return QDir(folder).filePath(program + QStringLiteral(".exe"));
#else
    return QDir(folder).filePath(program);
#endif
}

bool StartProgram(const QString &path, const QStringList &arguments)
{
    return QProcess::startDetached(path, arguments, QFileInfo(path).absolutePath());
}

} // namespace Platform
