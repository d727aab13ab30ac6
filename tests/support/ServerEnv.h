#pragma once

#include <QDir>
#include <QFile>
#include <QString>

// Tests and benchmarks run against the servers that scripts/servers started; their addresses come from the
// servers.env file in the folder named by TAVELKO_TEST_STATE and go into this process's
// environment, where the programs' configuration reads them.
inline bool LoadServerEnvironment()
{
    const QString state = qEnvironmentVariable("TAVELKO_TEST_STATE");
    QFile file(QDir(state).filePath(QStringLiteral("servers.env")));
    if (state.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            qputenv(line.left(equals).constData(), line.mid(equals + 1));
    }
    return true;
}

inline QString FtpRoot()
{
    return qEnvironmentVariable("TAVELKO_FTP_ROOT");
}
