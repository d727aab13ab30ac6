// The steps that replace the client, on their own: what an interrupted update leaves is put
// right, and nothing but a complete client of the published version takes the client's name.

#include "UnitClientInstallation.h"
#include "UnitFileVersion.h"
#include "UnitZlib.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class ClientInstallationTest : public ::testing::Test
{
protected:
    QTemporaryDir folder;
    TClientInstallation installation{folder.path()};
    const QByteArray oldClient = ReadAll(QStringLiteral(STANDIN_CLIENT));
    const QByteArray newClient = QByteArray(oldClient).replace("TAVELKO_FILE_VERSION=1.0;", "TAVELKO_FILE_VERSION=1.1;");

    QStringList Files() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(ClientInstallationTest, RepairPutsRightWhatAnInterruptedRunLeft)
{
    struct Case
    {
        const char *name;
        bool client, aside, download, saveTemp;
        QByteArray expected; // the client afterwards
    };
    const Case cases[] = {
        {"killed between the two renames", false, true, true, false, oldClient},
        {"killed after both renames", true, true, false, false, newClient},
        {"killed while writing the download", true, false, false, true, oldClient},
        {"killed after the download was written", true, false, true, false, oldClient},
        {"nothing to put right", true, false, false, false, oldClient},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString &file : Files())
            QFile::remove(QDir(folder.path()).filePath(file));
        if (c.client)
            WriteAll(installation.ClientPath(), c.expected);
        if (c.aside)
            WriteAll(installation.AsidePath(), oldClient);
        if (c.download)
            WriteAll(installation.DownloadPath(), newClient);
        if (c.saveTemp)
            WriteAll(installation.DownloadPath() + ".aBc123", newClient.left(100));
        installation.Repair();
        EXPECT_EQ(ReadAll(installation.ClientPath()), c.expected);
        EXPECT_FALSE(QFile::exists(installation.DownloadPath()));
        EXPECT_FALSE(QFile::exists(installation.DownloadPath() + ".aBc123"));
        // An aside copy beside a client stays until the next install replaces it.
        EXPECT_EQ(QFile::exists(installation.AsidePath()), c.aside && c.client);
    }
}

TEST_F(ClientInstallationTest, OnlyACompleteClientOfThePublishedVersionIsPrepared)
{
    WriteAll(installation.ClientPath(), oldClient);
    QByteArray truncated = ZlibCompress(newClient);
    truncated.chop(10);
    const struct { const char *name; QByteArray compressed; quint32 version; bool ready; } cases[] = {
        {"the published client", ZlibCompress(newClient), 65537, true},
        {"another version", ZlibCompress(newClient), 65538, false},
        {"empty stream", ZlibCompress(QByteArray()), 65537, false},
        {"junk that inflates", ZlibCompress("MZ junk"), 65537, false},
        {"truncated", truncated, 65537, false},
        {"not zlib", QByteArray("TAVELKO_FILE_VERSION=1.1;"), 65537, false},
        {"nothing", QByteArray(), 65537, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(installation.Prepare(c.compressed, c.version), c.ready);
        EXPECT_EQ(ReadAll(installation.ClientPath()), oldClient) << "the old client keeps its place";
        if (c.ready) {
            EXPECT_EQ(ReadAll(installation.DownloadPath()), newClient);
            EXPECT_TRUE(QFileInfo(installation.DownloadPath()).isExecutable());
            installation.Discard();
        }
        EXPECT_EQ(Files(), QStringList{"Tavelko"});
    }
}

TEST_F(ClientInstallationTest, InstallReplacesTheClientInTwoRenames)
{
    WriteAll(installation.ClientPath(), oldClient);
    WriteAll(installation.AsidePath(), "stale copy of an earlier run");
    ASSERT_TRUE(installation.Prepare(ZlibCompress(newClient), 65537));
    installation.Install();
    EXPECT_EQ(ReadAll(installation.ClientPath()), newClient);
    EXPECT_EQ(Platform::FileVersion(installation.ClientPath()), 65537u);
    EXPECT_EQ(Files(), QStringList{"Tavelko"});

    // Without a prepared client the old one stays.
    EXPECT_ANY_THROW(installation.Install());
    EXPECT_EQ(ReadAll(installation.ClientPath()), newClient);
    EXPECT_EQ(Files(), QStringList{"Tavelko"});
}

} // namespace
