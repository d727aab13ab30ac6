#pragma once

#include <QList>
#include <QString>

// One server of a list: its host and port.
struct TEndpoint
{
    QString host;
    quint16 port = 0;
    bool operator==(const TEndpoint &) const = default;
};

// "host[:port],host[:port],...": each host with its own port or the default one; an IPv6
// address goes in brackets ("[::1]:3306"). Empty entries are skipped.
QList<TEndpoint> ParseEndpoints(const QString &hosts, quint16 defaultPort);

// Where the question bank and the file cloud are. Built-in defaults, then a file "tavelko.conf"
// beside the executable, then environment variables of the same names, each overriding the one
// before. Both programs read it here.
//
// tavelko.conf holds lines "NAME=value"; blank lines and lines starting with "#" are ignored.
// The names: TAVELKO_DB_HOST, TAVELKO_DB_PORT, TAVELKO_DB_NAME, TAVELKO_DB_USER,
// TAVELKO_DB_PASSWORD, TAVELKO_FTP_HOST, TAVELKO_FTP_PORT, TAVELKO_FTP_USER, TAVELKO_FTP_PASSWORD.
// A host may be a list ("db1:3306,db2:3306"): replicas or cluster nodes, tried in this order by
// each operation, the first that answers serving it.
struct TServerConfig
{
    QString DbHost = QStringLiteral("127.0.0.1");
    quint16 DbPort = 3306;
    QString DbName = QStringLiteral("tavelko");
    QString DbUser = QStringLiteral("tavelko");
    QString DbPassword = QStringLiteral("tavelko-local");
    QString FtpHost = QStringLiteral("127.0.0.1");
    quint16 FtpPort = 21;
    QString FtpUser = QStringLiteral("tavelko");
    QString FtpPassword = QStringLiteral("tavelko-local");

    QList<TEndpoint> DbEndpoints() const { return ParseEndpoints(DbHost, DbPort); }
    QList<TEndpoint> FtpEndpoints() const { return ParseEndpoints(FtpHost, FtpPort); }

    // Reads the configuration for the program in the given folder (where tavelko.conf may lie).
    static TServerConfig Load(const QString &programFolder);
    // The same for the running program's own folder.
    static TServerConfig Load();
};
