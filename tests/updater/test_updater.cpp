// The updater end to end, against the real local servers, in a temporary installation folder
// with a stand-in client.

#include "ServerEnv.h"
#include "UnitFileVersion.h"
#include "UnitInstance.h"
#include "UnitMessageBox.h"
#include "UnitSqlConnection.h"
#include "UnitTranslate.h"
#include "UnitUpdateRegistry.h"
#include "UnitUpdaterMain.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <zlib.h>

namespace {

QByteArray Compress(const QByteArray &data)
{
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(data.constData()),
              uLong(data.size()), 9);
    out.truncate(qsizetype(size));
    return out;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void Sql(const QString &statement)
{
    TSqlConnection connection(TServerConfig::Load());
    connection.Open();
    TSqlStatement(connection, statement).Execute();
}

} // namespace

class TestUpdater : public QObject
{
    Q_OBJECT

    QTemporaryDir fSettings;
    std::unique_ptr<QTemporaryDir> fInstall;
    QString fLog;
    QByteArray fClient10; // the stand-in stamped 1.0
    QByteArray fClient11; // the same stamped 1.1
    bool fTerminated = false;

    QString Folder() const { return fInstall->path() + QDir::separator(); }
    QString ClientPath() const { return QDir(fInstall->path()).filePath("Tavelko"); }
    QString AsidePath() const { return QDir(fInstall->path()).filePath("Tavelko.temp"); }

    std::unique_ptr<Updater::TFormMain> NewUpdater()
    {
        auto window = std::make_unique<Updater::TFormMain>();
        window->OnTerminate = [this] { fTerminated = true; };
        window->show();
        return window;
    }

    void Publish(const QString &versions) { Sql("DELETE FROM e_versions"), Sql("INSERT INTO e_versions (version) VALUES " + versions); }

    QStringList Starts() const
    {
        const QString text = QString::fromUtf8(ReadAll(fLog)).trimmed();
        return text.isEmpty() ? QStringList() : text.split(u'\n');
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(LoadServerEnvironment(), "the servers fixture must run first");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, fSettings.path());
        qputenv("TAVELKO_INSTANCE_CHANNEL", QByteArray("tavelko-updater-test-") + QByteArray::number(QCoreApplication::applicationPid()));
        fClient10 = ReadAll(QStringLiteral(STANDIN_CLIENT));
        QVERIFY(fClient10.contains("TAVELKO_FILE_VERSION=1.0;"));
        fClient11 = fClient10;
        fClient11.replace("TAVELKO_FILE_VERSION=1.0;", "TAVELKO_FILE_VERSION=1.1;");
        WriteAll(FtpRoot() + "/E_Versions/Tavelko_65537", Compress(fClient11));
        QByteArray truncated = Compress(fClient11);
        truncated.chop(truncated.size() / 3);
        WriteAll(FtpRoot() + "/E_Versions/Tavelko_65538", truncated);
        // A large download, to abort in the middle.
        QByteArray big(24 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator(3).fillRange(reinterpret_cast<quint32 *>(big.data()), big.size() / 4);
        WriteAll(FtpRoot() + "/E_Versions/Tavelko_65539", big);
    }

    void init()
    {
        TMessageBox::SetTestMode(true);
        fTerminated = false;
        fInstall = std::make_unique<QTemporaryDir>();
        WriteAll(ClientPath(), fClient10);
        QFile::setPermissions(ClientPath(), QFile::permissions(ClientPath()) | QFileDevice::ExeOwner);
        fLog = QDir(fInstall->path()).filePath("starts.log");
        qputenv("TAVELKO_STANDIN_LOG", fLog.toLocal8Bit());
        TPrelvinUpdateRegistry registry;
        registry.SetInstallPath(Folder());
        registry.SetExecuteParam("/home/learner/my exam.qmvx");
    }

    void replacesAnOlderClientAndStartsIt()
    {
        QCOMPARE(Updater::TFormMain::GetVersion(Folder()), 65536u);
        Publish("(65536), (65537)");
        auto updater = NewUpdater();
        QTRY_VERIFY_WITH_TIMEOUT(fTerminated, 15000);
        QCOMPARE(ReadAll(ClientPath()), fClient11);
        QCOMPARE(Updater::TFormMain::GetVersion(Folder()), 65537u);
        QVERIFY(!QFileInfo::exists(AsidePath()));
        QVERIFY(QFileInfo(ClientPath()).isExecutable());
        QTRY_COMPARE_WITH_TIMEOUT(Starts(), QStringList({"started|/home/learner/my exam.qmvx"}), 10000);
        QVERIFY(TMessageBox::History().isEmpty());
    }

    void equalVersionsStartTheOldClientAndTouchNothing()
    {
        Publish("(65536)");
        const QDateTime modified = QFileInfo(ClientPath()).lastModified();
        auto updater = NewUpdater();
        QTRY_VERIFY_WITH_TIMEOUT(fTerminated, 15000);
        QCOMPARE(TMessageBox::History(), QStringList({UpdaterTr(3, langEnglish)}));
        QCOMPARE(QFileInfo(ClientPath()).lastModified(), modified);
        QVERIFY(!QFileInfo::exists(AsidePath()));
        QTRY_COMPARE_WITH_TIMEOUT(Starts().size(), 1, 10000);
    }

    void aRunningClientIsAskedToClose()
    {
        Publish("(65536), (65537)");
        bool asked = false;
        Platform::TCloseRequestListener client([&] { asked = true; });
        QVERIFY(client.Listening());
        TPrelvinUpdateRegistry().DeleteKey("Interface");
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Morvadi", "Tavelko").setValue("Interface/LanguageIndex", 2);
        auto updater = NewUpdater();
        QCOMPARE(updater->windowTitle(), QString::fromUtf8("Обновление {Tavelko}"));
        QTRY_VERIFY_WITH_TIMEOUT(fTerminated, 15000);
        QCOMPARE(TMessageBox::History(), QStringList({UpdaterTr(4, langRussian)}));
        QTRY_VERIFY_WITH_TIMEOUT(asked, 5000);
        QCOMPARE(ReadAll(ClientPath()), fClient10);
        QVERIFY(!QFileInfo::exists(AsidePath()));
        QVERIFY(Starts().isEmpty());
        TPrelvinUpdateRegistry().DeleteKey("Interface");
    }

    void abortBringsTheOldClientBack()
    {
        Publish("(65539)");
        auto updater = NewUpdater();
        connect(updater->cxProgressBar, &QProgressBar::valueChanged, updater.get(), [&](int value) {
            if (value > 0 && updater->ButtonAbort->isVisible())
                updater->ButtonAbort->click();
        });
        QTRY_VERIFY_WITH_TIMEOUT(fTerminated, 15000);
        QCOMPARE(ReadAll(ClientPath()), fClient10);
        QVERIFY(!QFileInfo::exists(AsidePath()));
        QVERIFY(!QFileInfo::exists(QDir(fInstall->path()).filePath("Tavelko.download")));
        QVERIFY(updater->fAbort);
        QTest::qWait(200);
        QVERIFY(Starts().isEmpty());
    }

    void aBrokenDownloadNeverBecomesTheClient_data()
    {
        QTest::addColumn<QString>("versions");
        QTest::newRow("truncated zlib stream") << QString("(65538)");
        QTest::newRow("not a zlib stream at all") << QString("(65539)");
        QTest::newRow("missing on the file cloud") << QString("(65540)");
    }

    void aBrokenDownloadNeverBecomesTheClient()
    {
        QFETCH(QString, versions);
        Publish(versions);
        auto updater = NewUpdater();
        QTRY_COMPARE_WITH_TIMEOUT(TMessageBox::History().size(), 1, 15000);
        QCOMPARE(ReadAll(ClientPath()), fClient10);
        QVERIFY(!QFileInfo::exists(AsidePath()));
        QVERIFY(!QFileInfo::exists(QDir(fInstall->path()).filePath("Tavelko.download")));
        QVERIFY(!fTerminated); // the window stays with its report
        QVERIFY(Starts().isEmpty());
        QCOMPARE(QDir(fInstall->path()).entryList(QDir::Files), QStringList({"Tavelko"}));
    }

    void noPublishedVersionEndsSilently()
    {
        Sql("DELETE FROM e_versions");
        auto updater = NewUpdater();
        QTRY_VERIFY_WITH_TIMEOUT(fTerminated, 15000);
        QVERIFY(TMessageBox::History().isEmpty());
        QVERIFY(Starts().isEmpty());
    }

    void fileVersions()
    {
        QCOMPARE(Updater::TFormMain::GetVersion(QDir::tempPath() + "/no-such-folder/"), Platform::NoVersion);
        const QString path = QDir(fInstall->path()).filePath("stamps");
        const struct { const char *bytes; quint32 version; } cases[] = {
            {"xx TAVELKO_FILE_VERSION=2.7; yy", 2 * 65536 + 7},
            {"TAVELKO_FILE_VERSION= TAVELKO_FILE_VERSION=1.2;", 65538},
            {"TAVELKO_FILE_VERSION=1.2", Platform::NoVersion},
            {"TAVELKO_FILE_VERSION=70000.1;", Platform::NoVersion},
            {"no stamp at all", Platform::NoVersion},
        };
        for (const auto &c : cases) {
            WriteAll(path, c.bytes);
            QCOMPARE(Platform::FileVersion(path), c.version);
        }
        QCOMPARE(Updater::TFormMain::MakeDZStream(Compress("hello")), QByteArray("hello"));
        QVERIFY_THROWS_EXCEPTION(std::exception, Updater::TFormMain::MakeDZStream(QByteArray()));
    }
};

QTEST_MAIN(TestUpdater)
#include "test_updater.moc"
