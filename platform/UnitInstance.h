#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;

// In place of finding a top-level window by its class name and posting it messages: the running
// client listens on a per-user local channel named after its main window. The updater asks it
// to close; a second start of the client hands it the exam file to open instead of running a
// second window.
namespace Platform {

// The channel of the client's main window for this user. TAVELKO_INSTANCE_CHANNEL overrides it
// (tests keep their windows apart with it).
QString MainWindowChannel();

// Whether a client window listens on the channel.
bool MainWindowOpen(const QString &channel = MainWindowChannel());

// Asks the client window on the channel to close; false when none listens.
bool RequestClose(const QString &channel = MainWindowChannel());

// Hands an exam path (empty: none, only come forward) to the client window on the channel;
// true once it has taken it, false when none listens.
bool RequestOpen(const QString &path, const QString &channel = MainWindowChannel());

// The client's side: listens while it lives and runs the handler of each request.
class TInstanceListener : public QObject
{
public:
    TInstanceListener(std::function<void()> OnCloseRequest, std::function<void(const QString &path)> OnOpenRequest,
                      const QString &channel = MainWindowChannel(), QObject *parent = nullptr);
    bool Listening() const;

private:
    void Serve(QLocalSocket *socket);

    QLocalServer *fServer;
    std::function<void()> fOnCloseRequest;
    std::function<void(const QString &path)> fOnOpenRequest;
};

} // namespace Platform
