#pragma once

#include <QString>

// Where the question bank and the file cloud are. Built-in defaults, then a file "tavelko.conf"
// beside the executable, then environment variables of the same names, each overriding the one
// before. Both programs read it here.
//
// tavelko.conf holds lines "NAME=value"; blank lines and lines starting with "#" are ignored.
// The names: TAVELKO_DB_HOST, TAVELKO_DB_PORT, TAVELKO_DB_NAME, TAVELKO_DB_USER,
// TAVELKO_DB_PASSWORD, TAVELKO_FTP_HOST, TAVELKO_FTP_PORT, TAVELKO_FTP_USER, TAVELKO_FTP_PASSWORD.
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

    // Reads the configuration for the program in the given folder (where tavelko.conf may lie).
    static TServerConfig Load(const QString &programFolder);
    // The same for the running program's own folder.
    static TServerConfig Load();
};
