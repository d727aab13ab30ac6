#include "UnitConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void Apply(TServerConfig &config, const QString &name, const QString &value)
{
    auto port = [&](quint16 &target) {
        bool ok = false;
        const uint number = value.toUInt(&ok);
        if (ok && number > 0 && number <= 65535)
            target = quint16(number);
    };
    if (name == u"TAVELKO_DB_HOST")
        config.DbHost = value;
    else if (name == u"TAVELKO_DB_PORT")
        port(config.DbPort);
    else if (name == u"TAVELKO_DB_NAME")
        config.DbName = value;
    else if (name == u"TAVELKO_DB_USER")
        config.DbUser = value;
    else if (name == u"TAVELKO_DB_PASSWORD")
        config.DbPassword = value;
    else if (name == u"TAVELKO_FTP_HOST")
        config.FtpHost = value;
    else if (name == u"TAVELKO_FTP_PORT")
        port(config.FtpPort);
    else if (name == u"TAVELKO_FTP_USER")
        config.FtpUser = value;
    else if (name == u"TAVELKO_FTP_PASSWORD")
        config.FtpPassword = value;
}

const char *const Names[] = {"TAVELKO_DB_HOST",  "TAVELKO_DB_PORT",  "TAVELKO_DB_NAME",
                             "TAVELKO_DB_USER",  "TAVELKO_DB_PASSWORD", "TAVELKO_FTP_HOST",
                             "TAVELKO_FTP_PORT", "TAVELKO_FTP_USER", "TAVELKO_FTP_PASSWORD"};

QString OwnFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

} // namespace

QList<TEndpoint> ParseEndpoints(const QString &hosts, quint16 defaultPort)
{
    QList<TEndpoint> endpoints;
    for (QString entry : hosts.split(u',', Qt::SkipEmptyParts)) {
        entry = entry.trimmed();
        if (entry.isEmpty())
            continue;
        TEndpoint endpoint{entry, defaultPort};
        const qsizetype colon = entry.lastIndexOf(u':');
        const bool bracketed = entry.startsWith(u'[');
        const qsizetype close = entry.indexOf(u']');
        // A colon names a port after a bracketed address or a host that has no other colon.
        if (colon > 0 && ((bracketed && colon == close + 1) || (!bracketed && entry.indexOf(u':') == colon))) {
            bool ok = false;
            const uint port = entry.mid(colon + 1).toUInt(&ok);
            if (ok && port > 0 && port <= 65535) {
                endpoint.port = quint16(port);
                endpoint.host = entry.left(colon);
            }
        }
        if (endpoint.host.startsWith(u'[') && endpoint.host.endsWith(u']'))
            endpoint.host = endpoint.host.mid(1, endpoint.host.size() - 2);
        endpoints.append(endpoint);
    }
    return endpoints;
}

TServerConfig TServerConfig::Load(const QString &programFolder)
{
    TServerConfig config;
    QFile file(QDir(programFolder).filePath(QStringLiteral("tavelko.conf")));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            const qsizetype equals = line.indexOf(u'=');
            if (line.isEmpty() || line.startsWith(u'#') || equals < 0)
                continue;
            Apply(config, line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
        }
    }
    for (const char *name : Names) {
        if (qEnvironmentVariableIsSet(name))
            Apply(config, QString::fromLatin1(name), qEnvironmentVariable(name));
    }
    return config;
}

TServerConfig TServerConfig::Load()
{
    return Load(OwnFolder());
}
