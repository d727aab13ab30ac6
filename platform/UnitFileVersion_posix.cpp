// Elsewhere than Windows the build leaves a marker in the binary,
// "TAVELKO_FILE_VERSION=<major>.<minor>;", which this reads back from the file.

#include "UnitFileVersion.h"

#include <QCoreApplication>
#include <QFile>

namespace Platform {

namespace {

// The marker is put together at run time, so that this reader's own code never holds it whole.
QByteArray Marker()
{
    return QByteArray("TAVELKO_FILE_") + QByteArray("VERSION=");
}

// "<digits>.<digits>;" at the start of text, as a version; NoVersion when it is not there.
quint32 ParseStamp(QByteArrayView text)
{
    quint32 parts[2] = {0, 0};
    int part = 0;
    qsizetype i = 0;
    for (; part < 2; ++part) {
        const qsizetype start = i;
        while (i < text.size() && i - start < 5 && text[i] >= '0' && text[i] <= '9')
            parts[part] = parts[part] * 10 + quint32(text[i++] - '0');
        if (i == start || i >= text.size() || text[i] != (part == 0 ? '.' : ';'))
            return NoVersion;
        ++i;
    }
    if (parts[0] > 65535 || parts[1] > 65535)
        return NoVersion;
    return parts[0] * 65536u + parts[1];
}

} // namespace

quint32 FileVersion(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return NoVersion;
    const uchar *mapped = file.map(0, file.size());
    QByteArray copy;
    QByteArrayView bytes;
    if (mapped) {
        bytes = QByteArrayView(mapped, file.size());
    } else {
        copy = file.readAll();
        bytes = copy;
    }
    const QByteArray marker = Marker();
    for (qsizetype at = bytes.indexOf(marker); at >= 0; at = bytes.indexOf(marker, at + 1)) {
        const quint32 version = ParseStamp(bytes.sliced(at + marker.size()));
        if (version != NoVersion)
            return version;
    }
    return NoVersion;
}

quint32 OwnFileVersion()
{
    return FileVersion(QCoreApplication::applicationFilePath());
}

} // namespace Platform
