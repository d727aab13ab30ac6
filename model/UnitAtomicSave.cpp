#include "UnitAtomicSave.h"

#include "TavelkoError.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>

QString DescribeWriteFailure(int errorNumber, const QString &folder, const QString &fallback)
{
    switch (errorNumber) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("the disk is full");
    case EROFS:
        return QStringLiteral("the disk is read-only");
    case EACCES:
    case EPERM:
        return QStringLiteral("there is no permission to write in the folder");
    default:
        break;
    }
    // The error number may have been lost on the way; the disk itself still tells.
    if (!QFileInfo::exists(folder))
        return QStringLiteral("the folder does not exist");
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.isReady()) {
        if (storage.isReadOnly())
            return QStringLiteral("the disk is read-only");
        if (storage.bytesAvailable() == 0)
            return QStringLiteral("the disk is full");
    }
    const QString text = fallback.trimmed();
    return text.isEmpty() || text == QLatin1String("Unknown error") ? QStringLiteral("the file could not be written")
                                                                     : text;
}

TAtomicFile::TAtomicFile(const QString &fileName) : fFile(fileName)
{
    errno = 0;
    // Unbuffered: a full disk is met by the write that fills it, with its error number.
    if (!fFile.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        Fail();
}

void TAtomicFile::Write(QByteArrayView bytes)
{
    errno = 0;
    if (fFile.write(bytes.data(), bytes.size()) != bytes.size())
        Fail();
}

void TAtomicFile::Commit()
{
    errno = 0;
    if (!fFile.commit())
        Fail();
}

void TAtomicFile::Fail() const
{
    const int errorNumber = errno;
    const QString folder = QFileInfo(fFile.fileName()).absolutePath();
    throw TTavelkoError(QStringLiteral("Could not save \"%1\": %2.")
                            .arg(QDir::toNativeSeparators(fFile.fileName()),
                                 DescribeWriteFailure(errorNumber, folder, fFile.errorString())));
}

void SaveFileAtomically(const QString &fileName, QByteArrayView bytes)
{
    TAtomicFile file(fileName);
    file.Write(bytes);
    file.Commit();
}
