#pragma once

#include <QByteArrayView>
#include <QString>

// The client's files in its installation folder, and the steps that replace the client so that a
// working client carries its name at every moment but the two renames of Install:
//   "Tavelko"           the client
//   "Tavelko.download"  the new client while it is written and checked
//   "Tavelko.temp"      the old client between the two renames
class TClientInstallation
{
public:
    // A client larger than this is not one of ours; the bound keeps a hostile download from
    // filling the disk.
    static constexpr qint64 MaxClientBytes = qint64(1) << 30;

    explicit TClientInstallation(const QString &folder);

    QString ClientPath() const;
    QString AsidePath() const;
    QString DownloadPath() const;

    // Puts right what an interrupted run left: the old client back under its name when the client
    // is missing, no leftover download.
    void Repair() const;

    // Inflates the compressed client into the download file, makes it executable and checks that
    // it carries the version stamp expectedVersion. False (and nothing left behind) when the
    // download is not a complete zlib stream or not that version; raises TTavelkoError when the
    // file cannot be written.
    bool Prepare(QByteArrayView compressed, quint32 expectedVersion) const;

    // Puts the prepared client in place of the old one and removes the old one. Raises
    // TTavelkoError, with the old client in place, when a rename fails.
    void Install() const;

    // Forgets a prepared client.
    void Discard() const;

private:
    QString fFolder;
};
