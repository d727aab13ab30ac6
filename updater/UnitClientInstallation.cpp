#include "UnitClientInstallation.h"

#include "TavelkoError.h"
#include "UnitAtomicSave.h"
#include "UnitFileVersion.h"
#include "UnitPlatform.h"
#include "UnitZlib.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace {

// rename(2) replaces an existing target in one step; QFile::rename refuses to.
bool Rename(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

[[noreturn]] void RenameFailed(const QString &from, const QString &to)
{
    const int errorNumber = errno;
    throw TTavelkoError(QStringLiteral("Could not rename \"%1\" to \"%2\": %3.")
                            .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to),
                                 DescribeWriteFailure(errorNumber, QFileInfo(to).absolutePath(), QString())));
}

} // namespace

TClientInstallation::TClientInstallation(const QString &folder) : fFolder(folder) {}

QString TClientInstallation::ClientPath() const
{
    return Platform::ProgramPath(fFolder, QStringLiteral("Tavelko"));
}

QString TClientInstallation::AsidePath() const
{
    return QDir(fFolder).filePath(QStringLiteral("Tavelko.temp"));
}

QString TClientInstallation::DownloadPath() const
{
    return QDir(fFolder).filePath(QStringLiteral("Tavelko.download"));
}

void TClientInstallation::Repair() const
{
    if (!QFileInfo::exists(ClientPath()) && QFileInfo::exists(AsidePath()))
        Rename(AsidePath(), ClientPath());
    Discard();
}

void TClientInstallation::Discard() const
{
    // The download file, and the temporary file an interrupted save of it left beside it.
    const QDir folder(fFolder);
    const QString name = QFileInfo(DownloadPath()).fileName();
    for (const QString &leftover : folder.entryList({name, name + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
        QFile::remove(folder.filePath(leftover));
}

bool TClientInstallation::Prepare(QByteArrayView compressed, quint32 expectedVersion) const
{
    Discard();
    {
        TAtomicFile file(DownloadPath());
        TZlibInflater inflater(compressed, MaxClientBytes);
        QByteArray chunk(1 << 20, Qt::Uninitialized);
        for (;;) {
            qint64 produced = 0;
            const TZlibInflater::TStatus status = inflater.Inflate(chunk.data(), chunk.size(), produced);
            if (status == TZlibInflater::End)
                break;
            if (status != TZlibInflater::Ok)
                return false; // the unfinished file goes with the TAtomicFile
            file.Write(QByteArrayView(chunk.constData(), produced));
        }
        file.Commit();
    }
    QFile::setPermissions(DownloadPath(), QFile::permissions(DownloadPath()) | QFileDevice::ExeOwner
                                              | QFileDevice::ExeGroup | QFileDevice::ExeOther | QFileDevice::ReadOwner
                                              | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // The same reader that tells the installed version: what is installed must read as published.
    if (Platform::FileVersion(DownloadPath()) != expectedVersion) {
        Discard();
        return false;
    }
    return true;
}

void TClientInstallation::Install() const
{
    const bool hadClient = QFileInfo::exists(ClientPath());
    if (hadClient && !Rename(ClientPath(), AsidePath()))
        RenameFailed(ClientPath(), AsidePath());
    if (!Rename(DownloadPath(), ClientPath())) {
        const int errorNumber = errno;
        if (hadClient)
            Rename(AsidePath(), ClientPath());
        errno = errorNumber;
        RenameFailed(DownloadPath(), ClientPath());
    }
    QFile::remove(AsidePath());
}
