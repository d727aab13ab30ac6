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
// downloads and inflates the new client, puts it in place and starts it again. When anything
// fails after the old client was moved aside, the old client is put back.
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
    // Inflates a zlib stream; raises TTavelkoError unless it is one, complete.
    static QByteArray MakeDZStream(const QByteArray &stream);

    // Ends the updater; tests replace it to watch for it.
    std::function<void()> OnTerminate;

private:
    QString ClientPath() const;
    QString AsidePath() const;
    QString DownloadPath() const;
    void InstallNewClient();
    void RestoreOldClient();
    void StartClient();
    void Terminate();

    std::unique_ptr<TPrelvinUpdateRegistry> fRegistry;
    std::unique_ptr<TDataModuleMain> fDataModule;
    QPointer<TActivityIndicator> ActivityIndicator;
    qint32 fLanguage = 0;
    QString fFolder;
    bool fMovedAside = false; // the old client carries the name "Tavelko.temp" now
};

} // namespace Updater
