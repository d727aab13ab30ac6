#include "UnitInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <memory>

namespace Platform {

namespace {
// One request per line: "close", or "open " and the path in base64 (a path may hold any
// character but NUL). An open request is answered "ok".
const QByteArray CloseRequest = "close\n";
const QByteArray OpenRequest = "open ";
const QByteArray Acknowledged = "ok\n";
constexpr int TimeoutMs = 2000;
constexpr qsizetype MaxRequestBytes = 64 * 1024;
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

bool RequestOpen(const QString &path, const QString &channel)
{
    QLocalSocket socket;
    socket.connectToServer(channel);
    if (!socket.waitForConnected(TimeoutMs))
        return false;
    socket.write(OpenRequest + path.toUtf8().toBase64() + '\n');
    if (!socket.waitForBytesWritten(TimeoutMs))
        return false;
    // The window may be busy with a dialog for a while; it answers once it has the path.
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(10 * TimeoutMs))
        answer += socket.readAll();
    return answer == Acknowledged;
}

TInstanceListener::TInstanceListener(std::function<void()> OnCloseRequest, std::function<void(const QString &path)> OnOpenRequest,
                                     const QString &channel, QObject *parent)
    : QObject(parent), fServer(new QLocalServer(this)), fOnCloseRequest(std::move(OnCloseRequest)),
      fOnOpenRequest(std::move(OnOpenRequest))
{
    // A channel left behind by a client that ended abruptly answers nobody; take it over.
    if (!MainWindowOpen(channel))
        QLocalServer::removeServer(channel);
    fServer->setSocketOptions(QLocalServer::UserAccessOption);
    fServer->listen(channel);
    connect(fServer, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = fServer->nextPendingConnection())
            Serve(socket);
    });
}

void TInstanceListener::Serve(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto pending = std::make_shared<QByteArray>();
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, pending] {
        *pending += socket->readAll();
        if (pending->size() > MaxRequestBytes) { // no request is that long
            socket->abort();
            return;
        }
        qsizetype end;
        while ((end = pending->indexOf('\n')) >= 0) {
            const QByteArray line = pending->left(end + 1);
            pending->remove(0, end + 1);
            if (line == CloseRequest) {
                if (fOnCloseRequest)
                    fOnCloseRequest();
            } else if (line.startsWith(OpenRequest)) {
                const QString path = QString::fromUtf8(QByteArray::fromBase64(line.mid(OpenRequest.size()).chopped(1)));
                socket->write(Acknowledged); // taken; the window opens it in its own time
                socket->flush();
                // Opened after this handler returns: opening may ask questions in dialogs of its own.
                QMetaObject::invokeMethod(this, [this, path] {
                    if (fOnOpenRequest)
                        fOnOpenRequest(path);
                }, Qt::QueuedConnection);
            }
        }
    });
}

bool TInstanceListener::Listening() const
{
    return fServer->isListening();
}

} // namespace Platform
