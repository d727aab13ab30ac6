// Many learners, more than one server: a list of question banks and of file clouds, the first of
// each stopped and started again. Each operation is served by the first that answers.

#include "ServerEnvironment.h"
#include "UnitDataModule.h"
#include "UnitSqlConnection.h"
#include "UnitTavelkoCloud.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// A second pair of servers of the test's own, started and stopped with the project's script.
class TSecondServers
{
public:
    explicit TSecondServers(const QString &state) : fState(state) {}
    bool Run(const QStringList &arguments) const
    {
        return QProcess::execute(QStringLiteral(TAVELKO_SOURCE_DIR "/scripts/servers"), arguments) == 0;
    }
    bool Start(bool reset) const { return Run(reset ? QStringList{"start", fState, "--reset"} : QStringList{"start", fState}); }
    bool Stop() const { return Run({"stop", fState}); }
    QString Value(const QString &name) const { return QSettings(fState + "/servers.env", QSettings::IniFormat).value(name).toString(); }
    QString FtpRoot() const { return fState + "/ftp"; }

private:
    QString fState;
};

void Put(const QString &root, const QByteArray &content)
{
    QDir().mkpath(root + "/failover");
    QFile file(root + "/failover/which.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void Account(const TServerConfig &config, qint64 id)
{
    TSqlConnection connection(config);
    connection.Open();
    TSqlStatement(connection, "DELETE FROM e_prelvinrs WHERE GUID = 'FAILOVER'").Execute();
    TSqlStatement insert(connection, "INSERT INTO e_prelvinrs (GUID, Prelvinr_id) VALUES ('FAILOVER', ?)");
    insert.Bind({id});
    insert.Execute();
}

} // namespace

TEST(Failover, EachOperationTakesTheFirstServerThatAnswers)
{
    QTemporaryDir dir;
    const TSecondServers first(dir.filePath("first"));
    ASSERT_TRUE(first.Start(true));
    const auto stop = qScopeGuard([&] { first.Stop(); });

    TServerConfig second = TServerConfig::Load();
    TServerConfig firstOnly = second;
    firstOnly.DbHost = "127.0.0.1";
    firstOnly.DbPort = quint16(first.Value("TAVELKO_DB_PORT").toUInt());
    Account(firstOnly, 1);
    Account(second, 2);
    Put(first.FtpRoot(), "first");
    Put(FtpRoot(), "second");

    TServerConfig both = second;
    both.DbHost = QStringLiteral("127.0.0.1:%1, 127.0.0.1:%2").arg(first.Value("TAVELKO_DB_PORT")).arg(second.DbPort);
    both.FtpHost = QStringLiteral("127.0.0.1:%1,127.0.0.1:%2").arg(first.Value("TAVELKO_FTP_PORT")).arg(second.FtpPort);
    auto served = [&](qint64 account, const QByteArray &file) {
        QElapsedTimer clock;
        clock.start();
        TDataModuleMain module(both);
        EXPECT_EQ(module.GetE_PrelvinrIdByUserGUID("FAILOVER"), account);
        EXPECT_EQ(TTavelkoCloud::DownLoadFile("failover", "which.txt", {}, both), file);
        EXPECT_LT(clock.elapsed(), 8000);
    };

    served(1, "first");
    ASSERT_TRUE(first.Stop());
    served(2, "second"); // the first is gone: the next in the list serves
    ASSERT_TRUE(first.Start(false));
    served(1, "first"); // a later operation tries the first again
}

TEST(Failover, HostListsAreRead)
{
    struct TCase
    {
        QString hosts;
        QList<TEndpoint> endpoints;
    };
    const TCase cases[] = {
        {"db.example", {{"db.example", 3306}}},
        {"db1:3307, db2 ,db3:1", {{"db1", 3307}, {"db2", 3306}, {"db3", 1}}},
        {"[::1]:3310,[fe80::1]", {{"::1", 3310}, {"fe80::1", 3306}}},
        {"::1", {{"::1", 3306}}},           // a bare IPv6 address keeps the default port
        {"db:notaport", {{"db:notaport", 3306}}},
        {",,", {}},
    };
    for (const TCase &c : cases)
        EXPECT_EQ(ParseEndpoints(c.hosts, 3306), c.endpoints) << c.hosts.toStdString();
}
