#include "ServerEnvironment.h"
#include "SilentServer.h"
#include "UnitTavelkoCloud.h"
#include "UnitTranslate.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

struct TRecorder
{
    int begins = 0;
    int ends = 0;
    qint64 lastCount = 0;
    QStringList errors;
    std::function<void(TFtpSession &, qint64)> onWork;
    std::function<void(TFtpSession &)> onBegin;

    TCloudCallbacks Callbacks()
    {
        TCloudCallbacks callbacks;
        callbacks.OnWorkBegin = [this](TFtpSession &sender, TWorkMode, qint64 max) {
            EXPECT_EQ(max, 0);
            ++begins;
            if (onBegin)
                onBegin(sender);
        };
        callbacks.OnWork = [this](TFtpSession &sender, TWorkMode, qint64 count) {
            EXPECT_GE(count, lastCount);
            lastCount = count;
            if (onWork)
                onWork(sender, count);
        };
        callbacks.OnWorkEnd = [this](TFtpSession &, TWorkMode) { ++ends; };
        callbacks.ReportError = [this](const QString &message) { errors.append(message); };
        return callbacks;
    }
};

class CloudTest : public ::testing::Test
{
protected:
    static void Put(const QString &relative, const QByteArray &content)
    {
        const QString path = QDir(FtpRoot()).filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    static QByteArray Bytes(int size, char seed)
    {
        QByteArray bytes(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i)
            bytes[i] = char(seed + i * 7);
        return bytes;
    }
};

} // namespace

TEST_F(CloudTest, CatalogueFromTheAbsoluteFolder)
{
    Put("web/Tavelko/ModelList.txt", "1#G#Model#60#0#0#\r\n");
    Put("web/Tavelko/DB_Structure.dbstf", "DataBase#\r\n");
    TRecorder recorder;
    const TDownloadFiles files =
        TTavelkoCloud::DownLoadFiles("/web/Tavelko", {"ModelList.txt", "DB_Structure.dbstf"}, recorder.Callbacks());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].value_or("-"), "1#G#Model#60#0#0#\r\n");
    EXPECT_EQ(files[1].value_or("-"), "DataBase#\r\n");
    EXPECT_EQ(recorder.begins, 1);
    EXPECT_EQ(recorder.ends, 1);
    EXPECT_TRUE(recorder.errors.isEmpty());
}

TEST_F(CloudTest, ProgressCountsAcrossFilesAndSizesAreKnownBeforehand)
{
    Put("web/Tavelko/Models/1.ttprf", Bytes(1000, 'a'));
    Put("web/Tavelko/Models/2.ttprf", Bytes(500, 'b'));
    TRecorder recorder;
    qint64 sizes = 0;
    recorder.onBegin = [&](TFtpSession &sender) { sizes = sender.Size("1.ttprf") + sender.Size("2.ttprf"); };
    const TDownloadFiles files =
        TTavelkoCloud::DownLoadFiles("web/Tavelko/Models", {"1.ttprf", "2.ttprf"}, recorder.Callbacks());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].value_or(""), Bytes(1000, 'a'));
    EXPECT_EQ(files[1].value_or(""), Bytes(500, 'b'));
    EXPECT_EQ(sizes, 1500);
    EXPECT_EQ(recorder.lastCount, 1500);
}

TEST_F(CloudTest, PicturesInSubfoldersWithAnyName)
{
    const QString name = QString::fromUtf8("4/1/3/sual nömrə 1.png");
    Put("web/DataBase/" + name, "\x89PNG picture");
    TRecorder recorder;
    const TDownloadFiles files = TTavelkoCloud::DownLoadFiles("web/DataBase", {name}, recorder.Callbacks());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].value_or(""), "\x89PNG picture");
}

TEST_F(CloudTest, AMissingFileLeavesItsEntryEmpty)
{
    Put("web/DataBase/9/1/a.png", "first");
    Put("web/DataBase/9/1/c.png", "third");
    TRecorder recorder;
    const TDownloadFiles files =
        TTavelkoCloud::DownLoadFiles("web/DataBase", {"9/1/a.png", "9/1/b.png", "9/1/c.png"}, recorder.Callbacks());
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].value_or(""), "first");
    EXPECT_FALSE(files[1].has_value());
    EXPECT_EQ(files[2].value_or(""), "third");
    ASSERT_EQ(recorder.errors.size(), 1);
    EXPECT_TRUE(recorder.errors[0].startsWith(QString::fromUtf8("Ошибка: "))) << recorder.errors[0].toStdString();
    EXPECT_GT(recorder.errors[0].size(), 8);
    EXPECT_EQ(recorder.ends, 1);
}

TEST_F(CloudTest, EmptyListStillBeginsAndEnds)
{
    TRecorder recorder;
    EXPECT_TRUE(TTavelkoCloud::DownLoadFiles("/web/Tavelko", {}, recorder.Callbacks()).empty());
    EXPECT_EQ(recorder.begins, 1);
    EXPECT_EQ(recorder.ends, 1);
}

TEST_F(CloudTest, WrongFolderOrLoginGivesNothingAndNoCallback)
{
    Put("web/Tavelko/ModelList.txt", "x");
    TServerConfig badLogin = TServerConfig::Load();
    badLogin.FtpPassword = "wrong";
    TServerConfig noServer = TServerConfig::Load();
    noServer.FtpPort = 1;
    struct Case { const char *name; QString dir; TServerConfig config; };
    const Case cases[] = {{"wrong folder", "web/NoSuchFolder", TServerConfig::Load()},
                          {"login refused", "/web/Tavelko", badLogin},
                          {"no server", "/web/Tavelko", noServer}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TRecorder recorder;
        EXPECT_TRUE(TTavelkoCloud::DownLoadFiles(c.dir, {"ModelList.txt"}, recorder.Callbacks(), c.config).empty());
        EXPECT_TRUE(TTavelkoCloud::DownLoadFile(c.dir, "ModelList.txt", recorder.Callbacks(), c.config).isEmpty());
        EXPECT_EQ(recorder.begins + recorder.ends, 0);
        EXPECT_TRUE(recorder.errors.isEmpty());
    }
}

TEST_F(CloudTest, DownLoadFileFetchesOneFileAndSwallowsFailures)
{
    Put("E_Versions/Tavelko_65537", Bytes(70000, 'z'));
    TRecorder recorder;
    EXPECT_EQ(TTavelkoCloud::DownLoadFile("E_Versions", "Tavelko_65537", recorder.Callbacks()), Bytes(70000, 'z'));
    EXPECT_EQ(recorder.begins, 1);
    EXPECT_EQ(recorder.ends, 1);
    EXPECT_EQ(recorder.lastCount, 70000);
    TRecorder missing;
    EXPECT_TRUE(TTavelkoCloud::DownLoadFile("E_Versions", "Tavelko_1", missing.Callbacks()).isEmpty());
    EXPECT_EQ(missing.ends, 1) << "work ends also when the transfer failed";
    EXPECT_TRUE(missing.errors.isEmpty());
}

TEST_F(CloudTest, AbortDuringTheSecondTransferDiscardsEverything)
{
    const int size = 4 * 1024 * 1024;
    for (const char *name : {"1.png", "2.png", "3.png"})
        Put(QStringLiteral("web/DataBase/8/1/%1").arg(name), Bytes(size, name[0]));
    TRecorder recorder;
    int worksAfterAbort = 0;
    recorder.onWork = [&](TFtpSession &sender, qint64 count) {
        if (DownLoadAborted)
            ++worksAfterAbort;
        if (count > size + size / 4 && !DownLoadAborted) {
            DownLoadAborted = true;
            sender.Abort();
        }
    };
    const TDownloadFiles files =
        TTavelkoCloud::DownLoadFiles("web/DataBase", {"8/1/1.png", "8/1/2.png", "8/1/3.png"}, recorder.Callbacks());
    EXPECT_TRUE(files.empty());
    EXPECT_LT(recorder.lastCount, 2 * qint64(size)) << "the second transfer was cut short";
    EXPECT_TRUE(recorder.errors.isEmpty());
    EXPECT_EQ(recorder.ends, 1);

    // The flag alone, set during a transfer that then completes, discards the call as well.
    TRecorder flagOnly;
    flagOnly.onWork = [&](TFtpSession &, qint64 count) {
        if (count > size + size / 4)
            DownLoadAborted = true;
    };
    EXPECT_TRUE(TTavelkoCloud::DownLoadFiles("web/DataBase", {"8/1/1.png", "8/1/2.png", "8/1/3.png"},
                                             flagOnly.Callbacks()).empty());
    EXPECT_LE(flagOnly.lastCount, 2 * qint64(size));
}

TEST_F(CloudTest, ADownloadFromInsideACallbackIsRefused)
{
    Put("web/Tavelko/ModelList.txt", "outer");
    TRecorder recorder;
    bool innerEmpty = false;
    recorder.onBegin = [&](TFtpSession &) {
        TRecorder inner;
        innerEmpty = TTavelkoCloud::DownLoadFiles("/web/Tavelko", {"ModelList.txt"}, inner.Callbacks()).empty();
    };
    const TDownloadFiles files = TTavelkoCloud::DownLoadFiles("/web/Tavelko", {"ModelList.txt"}, recorder.Callbacks());
    EXPECT_TRUE(innerEmpty);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].value_or(""), "outer");
}

TEST_F(CloudTest, FreeStreamsEmptiesTheArray)
{
    TDownloadFiles files;
    files.emplace_back(QByteArray("a"));
    files.emplace_back(std::nullopt);
    TTavelkoCloud::FreeStreams(files);
    EXPECT_TRUE(files.empty());
}

namespace {

// A file cloud of the test's own, to be stopped in the middle of a call.
class TOwnFtpServer
{
public:
    explicit TOwnFtpServer(const QString &root)
    {
        fPortFile = QDir(root).filePath("port");
        fProcess.start("/usr/bin/python3", {QStringLiteral(TAVELKO_SOURCE_DIR "/scripts/ftp_server.py"), "--root", root, "--user", "u",
                                   "--password", "p", "--port-file", fPortFile});
        for (int i = 0; i < 100 && !QFileInfo(fPortFile).size(); ++i)
            QThread::msleep(50);
    }
    ~TOwnFtpServer() { Stop(); }
    TServerConfig Config() const
    {
        TServerConfig config = TServerConfig::Load();
        QFile file(fPortFile);
        file.open(QIODevice::ReadOnly);
        config.FtpHost = "127.0.0.1";
        config.FtpPort = file.readAll().trimmed().toInt();
        config.FtpUser = "u";
        config.FtpPassword = "p";
        return config;
    }
    void Stop()
    {
        fProcess.kill();
        fProcess.waitForFinished(5000);
    }

private:
    QProcess fProcess;
    QString fPortFile;
};

} // namespace

// The file cloud gone in the middle of a batch: one reconnection is tried, then every file left
// fails at once, and the learner hears of them in one message.
TEST_F(CloudTest, ACloudGoneMidBatchFailsTheRestAtOnceInOneMessage)
{
    SetCurrentLanguageIndex(langEnglish);
    QTemporaryDir root;
    QStringList names;
    for (int i = 0; i < 40; ++i) {
        names.append(QStringLiteral("pictures/%1.png").arg(i));
        const QString path = root.filePath(names.last());
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Bytes(20000, char(i)));
    }
    TOwnFtpServer server(root.path());
    const TServerConfig config = server.Config();
    ASSERT_GT(config.FtpPort, 0);
    TRecorder recorder;
    recorder.onWork = [&](TFtpSession &, qint64 count) {
        if (count > 20000)
            server.Stop(); // the first file is in, the second on its way: the cloud goes
    };
    QElapsedTimer clock;
    clock.start();
    const TDownloadFiles files = TTavelkoCloud::DownLoadFiles("", names, recorder.Callbacks(), config);
    EXPECT_LT(clock.elapsed(), 10000) << "each file waited on its own";
    ASSERT_EQ(files.size(), 40u);
    EXPECT_TRUE(files[0].has_value());
    int missing = 0;
    for (const auto &file : files)
        missing += file.has_value() ? 0 : 1;
    EXPECT_GE(missing, 38);
    ASSERT_EQ(recorder.errors.size(), 1);
    EXPECT_TRUE(recorder.errors[0].startsWith(QString::fromUtf8("Ошибка: ") + QString::number(missing) + " files"))
        << recorder.errors[0].toStdString();
    EXPECT_TRUE(recorder.errors[0].contains("pictures/"));
}

// A server that accepts and never answers: the caller is served all the while, and Abort ends
// the call at once.
TEST_F(CloudTest, ASilentServerNeverFreezesTheCallerAndAbortEndsIt)
{
    TRecorder recorder;
    const TSilentServerCall call = CallASilentServer(1000, recorder.Callbacks());
    ASSERT_TRUE(call.listening);
    std::printf("silent server: longest gap between served events %lld ms (goal 100 ms), Abort ended the call in %lld ms "
                "(goal 200 ms)\n", static_cast<long long>(call.longestGapMs), static_cast<long long>(call.abortToEndMs));
    EXPECT_TRUE(call.files.empty());
    EXPECT_GE(call.abortToEndMs, 0);
    EXPECT_LE(call.longestGapMs, 100);
    EXPECT_LE(call.abortToEndMs, 200);
    EXPECT_EQ(recorder.begins, 0);
}
