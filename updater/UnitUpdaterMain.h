#pragma once

#include "UnitTavelkoCloud.h"

#include <QByteArray>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class TActivityIndicator;
class TDataModuleMain;
class TPrelvinUpdateRegistry;

namespace Updater {

// The updater's window: it checks the installed client against the newest published version,
// downloads the new client, checks its signature (in a build with a publisher key), inflates and
// checks it, puts it in place and starts it again. The old client keeps its place until the new
// one is complete and checked; whatever fails, the learner is left with a working client.
class TFormMain : public QWidget
{
public:
    explicit TFormMain(QWidget *parent = nullptr);
    ~TFormMain() override;

    QLabel *PanelInfo = nullptr;
    QWidget *PanelBottom = nullptr;
    QProgressBar *cxProgressBar = nullptr;
    QPushButton *ButtonAbort = nullptr;
    QTimer TimerStart;
    QTimer Timer;

    TFtpSession *fFtpObject = nullptr;
    bool fWait = false;
    bool fAbort = false;
    QByteArray fExeStream;
    QString fAppName;

    void TimerStartTimer();
    void TimerTimer();
    void ButtonAbortClick();
    void SetWait(bool value);
    void SetAbort(bool value);

    // The stamped version of the client in a folder; 4294967295 without one.
    static quint32 GetVersion(const QString &folder);
    // Rows of the updater's table that tell why a download was refused.
    static constexpr qint32 UpdaterRowNotTheClient = 5;
    static constexpr qint32 UpdaterRowUnsigned = 6;

    // Ends the updater; tests replace it to watch for it.
    std::function<void()> OnTerminate;

private:
    QString ClientPath() const;
    // Checks and installs the downloaded client; the row that says why it was refused, or -1.
    qint32 InstallNewClient(const QByteArray &publisherKey, const QByteArray &signature);
    void StartClient();
    void Terminate();

    std::unique_ptr<TPrelvinUpdateRegistry> fRegistry;
    std::unique_ptr<TDataModuleMain> fDataModule;
    QPointer<TActivityIndicator> ActivityIndicator;
    qint32 fLanguage = 0;
    QString fFolder;
    quint32 fNewest = 0;
};

} // namespace Updater
