// The client program as processes, against the real local servers: killed in the middle of an
// exam and started again, the exam is offered and goes on where it was, and the recent list
// survives the kill; started a second time with an exam file, it hands the file to the first.

#include "ClientFixture.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

class TestClientRecovery : public QObject
{
    Q_OBJECT

    QTemporaryDir fHome; // the child's data and config folders
    QTemporaryDir fFiles;

    QString DataFolder() const { return fHome.filePath("data/Tavelko"); }

    QProcessEnvironment Environment(const QString &recovery) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", fHome.filePath("data"));
        environment.insert("XDG_CONFIG_HOME", fHome.filePath("config"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("TAVELKO_TEST_RECOVERY", recovery);
        environment.insert("TAVELKO_INSTANCE_CHANNEL", "tavelko-recovery-test-" + QString::number(QCoreApplication::applicationPid()));
        return environment;
    }

    std::unique_ptr<QProcess> Start(const QString &recovery)
    {
        auto client = std::make_unique<QProcess>();
        client->setProcessEnvironment(Environment(recovery));
        client->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        client->start(QStringLiteral(CLIENT_UNDER_TEST), {});
        return client;
    }

    static QString Send(QProcess &client, const QString &command)
    {
        client.write((command + '\n').toUtf8());
        QElapsedTimer clock;
        clock.start();
        while (!client.canReadLine() && clock.elapsed() < 60000)
            client.waitForReadyRead(1000);
        return QString::fromUtf8(client.readLine()).trimmed();
    }

    static void Kill(QProcess &client)
    {
        client.kill(); // SIGKILL: nothing of the program's own runs
        client.waitForFinished(10000);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(LoadServerEnvironment(), "the servers fixture must run first");
        ClientFixture::Install();
    }

    // A second start with an exam file (as a path split at its blank, or as a file: URL) hands
    // it to the running client, which opens it; no second window runs.
    void aSecondStartHandsItsFileToTheRunningClient()
    {
        const QString saved = fFiles.filePath("My Exams/handed over.qmvx");
        QDir().mkpath(fFiles.filePath("My Exams"));
        auto first = Start("discard");
        QCOMPARE(Send(*first, "new"), QString("ok"));
        QCOMPARE(Send(*first, "saveas " + saved), QString("ok"));
        const QString copy = fFiles.filePath("My Exams/second one.qmvx");
        QVERIFY(QFile::copy(saved, copy));

        for (const QStringList &arguments : {saved.split(u' '), QStringList{QUrl::fromLocalFile(copy).toString()}}) {
            QProcess second;
            second.setProcessEnvironment(Environment("discard"));
            second.setProcessChannelMode(QProcess::ForwardedChannels);
            second.start(QStringLiteral(CLIENT_PROGRAM), arguments);
            QVERIFY(second.waitForFinished(20000));
            QCOMPARE(second.exitCode(), 0);
            const QString expected = arguments.size() > 1 ? saved : copy;
            QCOMPARE(Send(*first, "opened " + expected), QString("ok"));
        }
        first->closeWriteChannel();
        Kill(*first);
    }

    void aKilledClientOffersItsExamWithEverythingKept()
    {
        const QString saved = fFiles.filePath("first try.qmvx");
        QStringList before;
        {
            auto client = Start("discard");
            QCOMPARE(Send(*client, "new"), QString("ok"));
            QCOMPARE(Send(*client, "answer A"), QString("ok"));
            QCOMPARE(Send(*client, "next"), QString("ok"));
            QCOMPARE(Send(*client, "saveas " + saved), QString("ok"));
            QCOMPARE(Send(*client, "open " + saved), QString("ok"));
            QCOMPARE(Send(*client, "answer C"), QString("ok"));
            QCOMPARE(Send(*client, "next"), QString("ok"));
            QCOMPARE(Send(*client, "answer B"), QString("ok"));
            QCOMPARE(Send(*client, "next"), QString("ok"));
            before = Send(*client, "state").split(u'|');
            QCOMPARE(before.size(), 5);
            // The copy is written on a worker thread within milliseconds of a change; a kill in
            // those milliseconds would lose only that change. A learner's pause lets it land.
            QTest::qWait(300);
            Kill(*client);
        }
        QVERIFY(QFileInfo::exists(DataFolder() + "/recovery.qmvx"));
        // The recent list was written when it changed, not only when the window went.
        const QSettings settings(fHome.filePath("config/Morvadi/Tavelko.ini"), QSettings::IniFormat);
        QCOMPARE(settings.value("ReopenList/0").toString(), saved);

        auto client = Start("continue");
        const QStringList after = Send(*client, "state").split(u'|');
        QCOMPARE(after.size(), 5);
        QCOMPARE(after[0], before[0]);                  // the exam page
        QCOMPARE(after[1], before[1]);                  // the same question
        QCOMPARE(after[3], before[3]);                  // the same answers
        QCOMPARE(after[4], saved);                      // Save goes to the exam's own file
        const int lost = before[2].toInt() - after[2].toInt();
        QVERIFY2(lost >= -1 && lost <= 15, qPrintable(QString("%1 s of the clock lost").arg(lost)));
        QVERIFY(before[3].contains("A") && before[3].contains("B") && before[3].contains("C"));
        Kill(*client);

        // Discarded at the next start: the copy goes.
        client = Start("discard");
        QCOMPARE(Send(*client, "answer A"), QString("ok")); // any command: the start is over
        QTRY_VERIFY(!QFileInfo::exists(DataFolder() + "/recovery.qmvx"));
        Kill(*client);
    }
};

QTEST_MAIN(TestClientRecovery)
#include "test_client_recovery.moc"
