#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

// In place of finding a top-level window by its class name and posting it a close request: the
// running client listens on a per-user local channel named after its main window, and the
// updater asks over it.
namespace Platform {

// The channel of the client's main window for this user. TAVELKO_INSTANCE_CHANNEL overrides it
// (tests keep their windows apart with it).
QString MainWindowChannel();

// Whether a client window listens on the channel.
bool MainWindowOpen(const QString &channel = MainWindowChannel());

// Asks the client window on the channel to close; false when none listens.
bool RequestClose(const QString &channel = MainWindowChannel());

// The client's side: listens while it lives and runs OnCloseRequest for each request.
class TCloseRequestListener : public QObject
{
public:
    explicit TCloseRequestListener(std::function<void()> OnCloseRequest, const QString &channel = MainWindowChannel(),
                                   QObject *parent = nullptr);
    bool Listening() const;

private:
    QLocalServer *fServer;
    std::function<void()> fOnCloseRequest;
};

} // namespace Platform
