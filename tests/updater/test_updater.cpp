// The updater end to end, against the real local servers, in a temporary installation folder
// with a stand-in client. Built twice: without a publisher key and with the tests' key.

#include "ServerEnv.h"
#include "UnitFileVersion.h"
#include "UnitInstance.h"
#include "UnitPlatform.h"
#include "UnitMessageBox.h"
#include "UnitSqlConnection.h"
#include "UnitTranslate.h"
#include "UnitUpdateRegistry.h"
#include "UnitUpdaterMain.h"
#include "UnitUpdateSignature.h"
#include "UnitZlib.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QElapsedTimer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Compress(const QByteArray &data)
{
    return ZlibCompress(data, 1);
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

QByteArray Stamped(QByteArray client, const char *version)
{
    client.replace("TAVELKO_FILE_VERSION=1.0;", QByteArray("TAVELKO_FILE_VERSION=") + version + ';');
    return client;
}

QString EVersions(const QString &name)
{
    return FtpRoot() + "/E_Versions/" + name;
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
    QByteArray fClientBig; // stamped 2.0 and padded to 24 MB
    QByteArray fSecretKey; // the tests' publisher
    bool fSigned = false;  // this build has the tests' publisher key
    bool fTerminated = false;

    QString Folder() const { return fInstall->path() + QDir::separator(); }
    QString InstallFile(const QString &name) const { return QDir(fInstall->path()).filePath(name); }
    QString ClientPath() const { return InstallFile("Tavelko"); }
    QString AsidePath() const { return InstallFile("Tavelko.temp"); }

    std::unique_ptr<Updater::TFormMain> NewUpdater()
    {
        auto window = std::make_unique<Updater::TFormMain>();
        window->OnTerminate = [this] { fTerminated = true; };
        window->show();
        return window;
    }

    void Publish(const QString &versions) { Sql("DELETE FROM e_versions"), Sql("INSERT INTO e_versions (version) VALUES " + versions); }

    // A client on the file cloud, signed by the tests' publisher.
    void Upload(quint32 version, const QByteArray &compressed)
    {
        const QString name = EVersions(QStringLiteral("Tavelko_%1").arg(version));
        WriteAll(name, compressed);
        WriteAll(name + ".sig", UpdateSignature::Sign(compressed, fSecretKey));
    }

    QStringList Starts() const
    {
        const QString text = QString::fromUtf8(ReadAll(fLog)).trimmed();
        return text.isEmpty() ? QStringList() : text.split(u'\n');
    }

    // Nothing but the client (and the stand-in's log) in the folder.
    void ExpectNoLeftovers() const
    {
        const QStringList files = QDir(fInstall->path()).entryList(QDir::Files | QDir::Hidden);
        for (const QString &file : files)
            QVERIFY2(file == "Tavelko" || file == "starts.log", qPrintable(file));
    }

    // An update that was refused: the message, the old client untouched and started.
    void ExpectRefused(qint32 row)
    {
        QTRY_VERIFY_WITH_TIMEOUT(fTerminated, 15000);
        QCOMPARE(TMessageBox::History(), QStringList({UpdaterTr(row, langEnglish)}));
        QCOMPARE(ReadAll(ClientPath()), fClient10);
        ExpectNoLeftovers();
        QTRY_COMPARE_WITH_TIMEOUT(Starts(), QStringList({"started|/home/learner/my exam.qmvx"}), 10000);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(LoadServerEnvironment(), "the servers fixture must run first");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, fSettings.path());
        qputenv("XDG_CONFIG_HOME", fSettings.path().toLocal8Bit()); // the same store for the updater program
        qputenv("TAVELKO_INSTANCE_CHANNEL", QByteArray("tavelko-updater-test-") + QByteArray::number(QCoreApplication::applicationPid()));
        fSigned = !UpdateSignature::BuiltInPublicKey().isEmpty();
        fSecretKey = QByteArray::fromHex(ReadAll(QStringLiteral(TEST_PUBLISHER_KEY)).trimmed());
        QCOMPARE(fSecretKey.size(), UpdateSignature::SecretKeyBytes);
        fClient10 = ReadAll(QStringLiteral(STANDIN_CLIENT));
        QVERIFY(fClient10.contains("TAVELKO_FILE_VERSION=1.0;"));
        fClient11 = Stamped(fClient10, "1.1");

        // Signed by the publisher's tool, as a publisher would.
        QProcess publish;
        QDir().mkpath(EVersions(QString()));
        const QString client11 = QDir(fSettings.path()).filePath("Tavelko");
        WriteAll(client11, fClient11);
        publish.start(QStringLiteral(PUBLISH_TOOL), {"pack", client11, FtpRoot() + "/E_Versions", QStringLiteral(TEST_PUBLISHER_KEY)});
        QVERIFY(publish.waitForFinished(30000));
        QVERIFY2(publish.exitCode() == 0, publish.readAllStandardError().constData());
        QCOMPARE(publish.readAllStandardOutput().trimmed(), QByteArray("65537"));
        QVERIFY(UpdateSignature::Verify(ReadAll(EVersions("Tavelko_65537")), ReadAll(EVersions("Tavelko_65537.sig")),
                                        QByteArray::fromHex(ReadAll(QStringLiteral(TEST_PUBLISHER_KEY)).trimmed().right(64))));

        // Downloads that are no client of the published version, each signed by the publisher.
        QByteArray truncated = Compress(fClient11);
        truncated.chop(truncated.size() / 3);
        Upload(65538, truncated);
        QByteArray random(24 * 1024 * 1024, Qt::Uninitialized); // also large enough to abort in the middle
        QRandomGenerator(3).fillRange(reinterpret_cast<quint32 *>(random.data()), random.size() / 4);
        Upload(65539, random);
        Upload(65541, Compress(QByteArray()));
        Upload(65542, Compress("#!/bin/sh\necho junk\n"));
        Upload(65543, Compress(fClient10)); // a real client, but not the version published

        fClientBig = Stamped(fClient10, "2.0") + random;
        Upload(131072, Compress(fClientBig));
    }

    void init()
    {
        TMessageBox::SetTestMode(true);
        fTerminated = false;
        fInstall = std::make_unique<QTemporaryDir>();
        WriteAll(ClientPath(), fClient10);
        QFile::setPermissions(ClientPath(), QFile::permissions(ClientPath()) | QFileDevice::ExeOwner);
        fLog = InstallFile("starts.log");
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
        ExpectNoLeftovers();
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

    // A client kept by the system's packages (or in a folder the learner cannot write) is never
    // replaced: the updater says where its update comes from and starts it as it is.
    void aClientThePackagesKeepIsLeftToThem()
    {
        Publish("(65536), (65537)");
        QVERIFY(Platform::ProgramFolderReplaceable(Folder()));
        QFile marker(InstallFile(Platform::PackagedMarker));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        QVERIFY(!Platform::ProgramFolderReplaceable(Folder()));
        auto updater = NewUpdater();
        QTRY_VERIFY_WITH_TIMEOUT(fTerminated, 15000);
        QFile::remove(marker.fileName());
        ExpectRefused(7);
    }

    void aRunningClientIsAskedToClose()
    {
        Publish("(65536), (65537)");
        bool asked = false;
        Platform::TInstanceListener client([&] { asked = true; }, {});
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

    void abortKeepsTheOldClient()
    {
        Publish("(65539)");
        auto updater = NewUpdater();
        bool clientInPlace = true;
        connect(updater->cxProgressBar, &QProgressBar::valueChanged, updater.get(), [&](int value) {
            clientInPlace = clientInPlace && ReadAll(ClientPath()) == fClient10;
            if (value > 0 && updater->ButtonAbort->isVisible())
                updater->ButtonAbort->click();
        });
        QTRY_VERIFY_WITH_TIMEOUT(fTerminated, 15000);
        QVERIFY2(clientInPlace, "the old client keeps its name during the download");
        QCOMPARE(ReadAll(ClientPath()), fClient10);
        ExpectNoLeftovers();
        QVERIFY(updater->fAbort);
        QTest::qWait(200);
        QVERIFY(Starts().isEmpty());
    }

    // Nothing but a complete client of the published version is installed; the learner is told in
    // the interface language and goes on with the old client.
    void aDownloadThatIsNoClientOfThePublishedVersionIsRefused_data()
    {
        QTest::addColumn<QString>("versions");
        QTest::newRow("truncated zlib stream") << QString("(65538)");
        QTest::newRow("not a zlib stream at all") << QString("(65539)");
        QTest::newRow("missing on the file cloud") << QString("(65540)");
        QTest::newRow("an empty stream") << QString("(65541)");
        QTest::newRow("junk that inflates") << QString("(65542)");
        QTest::newRow("a client of another version") << QString("(65543)");
    }

    void aDownloadThatIsNoClientOfThePublishedVersionIsRefused()
    {
        QFETCH(QString, versions);
        Publish(versions);
        auto updater = NewUpdater();
        // The missing file has no signature either; a signed build stops there.
        ExpectRefused(fSigned && versions == "(65540)" ? Updater::TFormMain::UpdaterRowUnsigned
                                                       : Updater::TFormMain::UpdaterRowNotTheClient);
    }

    void aBuildWithAPublisherKeyRefusesWhatTheKeyDidNotSign_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("no signature") << QString("missing");
        QTest::newRow("signed with another key") << QString("other key");
        QTest::newRow("one byte of the client flipped") << QString("client byte");
        QTest::newRow("one byte of the signature flipped") << QString("signature byte");
        QTest::newRow("good signature") << QString();
    }

    void aBuildWithAPublisherKeyRefusesWhatTheKeyDidNotSign()
    {
        QFETCH(QString, damage);
        // A complete client stamped as published, so that only the signature can stop it.
        const QByteArray stamped = Stamped(fClient10, "1.8");
        QByteArray client = Compress(stamped);
        QByteArray signature = UpdateSignature::Sign(client, fSecretKey);
        if (damage == "other key") {
            QByteArray publicKey, secretKey;
            UpdateSignature::MakeKeyPair(publicKey, secretKey);
            signature = UpdateSignature::Sign(client, secretKey);
        } else if (damage == "client byte") {
            client[client.size() / 2] = char(client[client.size() / 2] ^ 0x01);
        } else if (damage == "signature byte") {
            signature[10] = char(signature[10] ^ 0x80);
        }
        WriteAll(EVersions("Tavelko_65544"), client);
        QFile::remove(EVersions("Tavelko_65544.sig"));
        if (damage != "missing")
            WriteAll(EVersions("Tavelko_65544.sig"), signature);
        Publish("(65544)");
        auto updater = NewUpdater();
        if (fSigned && !damage.isEmpty())
            return ExpectRefused(Updater::TFormMain::UpdaterRowUnsigned);
        // Without a key no signature is looked at; zlib's checksum still catches the flipped byte.
        if (damage == "client byte")
            return ExpectRefused(Updater::TFormMain::UpdaterRowNotTheClient);
        QTRY_VERIFY_WITH_TIMEOUT(fTerminated, 15000);
        QCOMPARE(ReadAll(ClientPath()), stamped);
        QVERIFY(TMessageBox::History().isEmpty());
        ExpectNoLeftovers();
    }

    // The updater program killed at many moments of a large update; after each kill, and after the
    // next normal start, a working client is there.
    void aKilledUpdaterAlwaysLeavesAClient()
    {
        if (fSigned)
            QSKIP("run once, by the build without a key");
        Publish("(131072)");
        const auto runUpdater = [](qint64 killAfter) {
            QProcess updater;
            updater.start(QStringLiteral(UPDATER_PROGRAM), {});
            if (!updater.waitForStarted(10000))
                return qint64(-1);
            QElapsedTimer clock;
            clock.start();
            if (killAfter < 0) {
                updater.waitForFinished(60000);
            } else if (!updater.waitForFinished(int(killAfter))) {
                updater.kill(); // SIGKILL
                updater.waitForFinished(10000);
            }
            return clock.elapsed();
        };
        const auto reset = [this] {
            for (const QString &file : QDir(fInstall->path()).entryList(QDir::Files | QDir::Hidden))
                QFile::remove(InstallFile(file));
            WriteAll(ClientPath(), fClient10);
            QFile::setPermissions(ClientPath(), QFile::permissions(ClientPath()) | QFileDevice::ExeOwner);
        };

        const qint64 whole = runUpdater(-1);
        QCOMPARE(ReadAll(ClientPath()), fClientBig);
        QTRY_COMPARE_WITH_TIMEOUT(Starts().size(), 1, 10000);

        const int runs = 30;
        int workingAtOnce = 0, workingAfterStart = 0, alreadyNew = 0;
        for (int run = 0; run < runs; ++run) {
            reset();
            const qint64 killAfter = whole * run / (runs - 1);
            runUpdater(killAfter);
            // At once: the client, old or new and whole, or between the two renames the old one aside.
            const QByteArray client = ReadAll(ClientPath());
            const bool whole = client == fClient10 || client == fClientBig;
            const bool between = !QFileInfo::exists(ClientPath()) && ReadAll(AsidePath()) == fClient10;
            QVERIFY2(whole || between, qPrintable(QStringLiteral("killed after %1 ms").arg(killAfter)));
            workingAtOnce += whole ? 1 : 0;
            alreadyNew += client == fClientBig ? 1 : 0;

            // The next normal start repairs what the kill left and completes the update.
            QFile::remove(fLog);
            TMessageBox::SetTestMode(true);
            fTerminated = false;
            auto updater = NewUpdater();
            QTRY_VERIFY_WITH_TIMEOUT(fTerminated, 30000);
            if (ReadAll(ClientPath()) == fClientBig && Starts().size() <= 1 && !QFileInfo::exists(AsidePath())) {
                QTRY_COMPARE_WITH_TIMEOUT(Starts().size(), 1, 10000);
                ++workingAfterStart;
            }
            ExpectNoLeftovers();
        }
        qInfo("killed at %d moments over %lld ms: %d of %d runs left a whole client under its name at once "
              "(%d of them the new one), %d of %d had it updated and started at the next start",
              runs, whole, workingAtOnce, runs, alreadyNew, workingAfterStart, runs);
        QCOMPARE(workingAfterStart, runs);
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
        const QString path = InstallFile("stamps");
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
    }
};

QTEST_MAIN(TestUpdater)
#include "test_updater.moc"
