#include "UnitInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace Platform {

namespace {
const QByteArray CloseRequest = "close\n";
constexpr int TimeoutMs = 2000;
}

QString MainWindowChannel()
{
    const QString overridden = qEnvironmentVariable("TAVELKO_INSTANCE_CHANNEL");
    if (!overridden.isEmpty())
        return overridden;
    // One channel per user account.
    const QByteArray user = QCryptographicHash::hash(QDir::homePath().toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("Tavelko-TFormMain-") + QString::fromLatin1(user);
}

bool MainWindowOpen(const QString &channel)
{
    QLocalSocket socket;
    socket.connectToServer(channel);
    return socket.waitForConnected(TimeoutMs);
}

bool RequestClose(const QString &channel)
{
    QLocalSocket socket;
    socket.connectToServer(channel);
    if (!socket.waitForConnected(TimeoutMs))
        return false;
    socket.write(CloseRequest);
    const bool written = socket.waitForBytesWritten(TimeoutMs);
    socket.disconnectFromServer();
    return written;
}

TCloseRequestListener::TCloseRequestListener(std::function<void()> OnCloseRequest, const QString &channel,
                                             QObject *parent)
    : QObject(parent), fServer(new QLocalServer(this)), fOnCloseRequest(std::move(OnCloseRequest))
{
    // A channel left behind by a client that ended abruptly answers nobody; take it over.
    if (!MainWindowOpen(channel))
        QLocalServer::removeServer(channel);
    fServer->setSocketOptions(QLocalServer::UserAccessOption);
    fServer->listen(channel);
    connect(fServer, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = fServer->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(CloseRequest) && fOnCloseRequest)
                    fOnCloseRequest();
            });
        }
    });
}

bool TCloseRequestListener::Listening() const
{
    return fServer->isListening();
}

} // namespace Platform
