#include "UnitUpdaterMain.h"

#include "TavelkoError.h"
#include "UnitActivityIndicator.h"
#include "UnitClientInstallation.h"
#include "UnitDataModule.h"
#include "UnitFileVersion.h"
#include "UnitInstance.h"
#include "UnitMessageBox.h"
#include "UnitPlatform.h"
#include "UnitTranslate.h"
#include "UnitUpdateRegistry.h"
#include "UnitUpdateSignature.h"
#include "UnitZlib.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>


namespace Updater {

namespace {

class TWaitCursor
{
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { Restore(); }
    void Restore()
    {
        if (fActive)
            QGuiApplication::restoreOverrideCursor();
        fActive = false;
    }

private:
    bool fActive = true;
};

} // namespace

TFormMain::TFormMain(QWidget *parent) : QWidget(parent)
{
    // FormCreate
    fRegistry = std::make_unique<TPrelvinUpdateRegistry>();
    ReportErrors(this, [this] { fLanguage = fRegistry->GetLanguageIndex(); });
    if (fLanguage < 0 || fLanguage >= LanguageCount)
        fLanguage = langEnglish;
    fDataModule = std::make_unique<TDataModuleMain>();

    setFixedSize(801, 157);
    QFont font = this->font();
    font.setWeight(QFont::DemiBold);
    setFont(font);
    setWindowTitle(UpdaterTr(0, fLanguage));

    PanelInfo = new QLabel(UpdaterTr(1, fLanguage), this);
    PanelInfo->setFixedHeight(38);
    PanelInfo->setFrameShape(QFrame::StyledPanel);
    PanelInfo->setAlignment(Qt::AlignCenter);
    PanelInfo->hide();
    PanelBottom = new QWidget(this);
    PanelBottom->setFixedHeight(26);
    auto *bottom = new QHBoxLayout(PanelBottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    cxProgressBar = new QProgressBar(PanelBottom);
    cxProgressBar->setTextVisible(false);
    ButtonAbort = new QPushButton(UpdaterTr(2, fLanguage), PanelBottom);
    ButtonAbort->setFixedWidth(120);
    connect(ButtonAbort, &QPushButton::clicked, this, [this] { ReportErrors(this, [this] { ButtonAbortClick(); }); });
    bottom->addWidget(cxProgressBar, 1);
    bottom->addWidget(ButtonAbort);
    PanelBottom->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PanelInfo);
    layout->addStretch(1);
    layout->addWidget(PanelBottom);

    ActivityIndicator = new TActivityIndicator;
    OnTerminate = [this] {
        close();
        QCoreApplication::exit(0);
    };

    TimerStart.setSingleShot(true);
    TimerStart.setInterval(100);
    connect(&TimerStart, &QTimer::timeout, this, [this] { ReportErrors(this, [this] { TimerStartTimer(); }); });
    Timer.setSingleShot(true);
    Timer.setInterval(100);
    connect(&Timer, &QTimer::timeout, this, [this] { ReportErrors(this, [this] { TimerTimer(); }); });
    TimerStart.start();
}

TFormMain::~TFormMain()
{
    delete ActivityIndicator;
}

QString TFormMain::ClientPath() const
{
    return TClientInstallation(fFolder).ClientPath();
}

quint32 TFormMain::GetVersion(const QString &folder)
{
    return Platform::FileVersion(Platform::ProgramPath(folder, QStringLiteral("Tavelko")));
}

void TFormMain::Terminate()
{
    if (OnTerminate)
        OnTerminate();
}

void TFormMain::StartClient()
{
    const QString arguments = fRegistry->GetExecuteParam();
    // The arguments travel as the one text the client recorded; the client joins them again.
    Platform::StartProgram(ClientPath(), arguments.isEmpty() ? QStringList() : QStringList{arguments});
}

void TFormMain::TimerStartTimer()
{
    TimerStart.stop();
    TWaitCursor wait;
    if (Platform::MainWindowOpen()) {
        TMessageBox::ShowMessage(this, UpdaterTr(4, fLanguage));
        Terminate();
        Platform::RequestClose();
        return;
    }
    fFolder = fRegistry->GetInstallPath();
    // A client the learner may not replace (a system package's) is updated by the system.
    if (!fFolder.isEmpty() && !Platform::ProgramFolderReplaceable(fFolder)) {
        TMessageBox::ShowMessage(this, UpdaterTr(7, fLanguage));
        Terminate();
        StartClient();
        return;
    }
    if (!fFolder.isEmpty())
        TClientInstallation(fFolder).Repair();
    const quint32 installed = fFolder.isEmpty() ? Platform::NoVersion : GetVersion(fFolder);
    const quint32 newest = fDataModule->GetVersionFromBase();
    if (newest == 0) {
        Terminate();
        return;
    }
    if (newest > installed && !fFolder.isEmpty()) {
        // The old client keeps its name until the new one is complete and checked.
        fNewest = newest;
        fAppName = QStringLiteral("Tavelko_%1").arg(newest);
        wait.Restore();
        SetWait(true);
        Timer.start();
        return;
    }
    TMessageBox::ShowMessage(this, UpdaterTr(3, fLanguage));
    Terminate();
    StartClient();
}

void TFormMain::TimerTimer()
{
    Timer.stop();
    QString downloading = fAppName;
    TCloudCallbacks callbacks;
    callbacks.OnWorkBegin = [this, &downloading](TFtpSession &sender, TWorkMode mode, qint64 countMax) {
        fFtpObject = &sender;
        cxProgressBar->setMinimum(0);
        const qint64 maximum = mode == wmRead ? sender.Size(downloading) : countMax;
        cxProgressBar->setMaximum(int(std::clamp<qint64>(maximum, 1, INT_MAX)));
        cxProgressBar->setValue(0);
        PanelBottom->show();
        PanelInfo->show();
        QCoreApplication::processEvents();
    };
    callbacks.OnWork = [this](TFtpSession &, TWorkMode, qint64 count) {
        cxProgressBar->setValue(int(std::min<qint64>(count, cxProgressBar->maximum())));
        QCoreApplication::processEvents();
    };
    callbacks.OnWorkEnd = [this](TFtpSession &, TWorkMode) {
        fFtpObject = nullptr;
        PanelBottom->hide();
        PanelInfo->hide();
        QCoreApplication::processEvents();
    };
    fExeStream = TTavelkoCloud::DownLoadFile(QStringLiteral("E_Versions"), fAppName, callbacks);
    if (fAbort)
        return; // the abort has ended the updater; the old client never left its place
    const QByteArray publisherKey = UpdateSignature::BuiltInPublicKey();
    QByteArray signature;
    if (!publisherKey.isEmpty()) {
        downloading = fAppName + QStringLiteral(".sig");
        signature = TTavelkoCloud::DownLoadFile(QStringLiteral("E_Versions"), downloading, callbacks);
    }
    if (fAbort)
        return;
    SetWait(false);
    qint32 refusal = -1;
    try {
        refusal = InstallNewClient(publisherKey, signature);
    } catch (const std::exception &error) {
        const auto *tavelkoError = dynamic_cast<const TTavelkoError *>(&error);
        TMessageBox::ShowMessage(this, tavelkoError ? tavelkoError->Message() : QString::fromLocal8Bit(error.what()));
    }
    if (refusal >= 0)
        TMessageBox::ShowMessage(this, UpdaterTr(refusal, fLanguage));
    // Updated or not, the learner goes on with a working client.
    Terminate();
    StartClient();
}

qint32 TFormMain::InstallNewClient(const QByteArray &publisherKey, const QByteArray &signature)
{
    TWaitCursor wait;
    const QByteArray compressed = std::exchange(fExeStream, QByteArray());
    if (!publisherKey.isEmpty() && !UpdateSignature::Verify(compressed, signature, publisherKey))
        return UpdaterRowUnsigned;
    const TClientInstallation installation(fFolder);
    if (!installation.Prepare(compressed, fNewest))
        return UpdaterRowNotTheClient;
    installation.Install();
    return -1;
}

void TFormMain::ButtonAbortClick()
{
    SetAbort(true);
}

void TFormMain::SetWait(bool value)
{
    fWait = value;
    if (!ActivityIndicator)
        return;
    if (value) {
        ActivityIndicator->ShowOn(this, QPoint((width() - ActivityIndicator->width()) / 2,
                                               (height() + PanelInfo->height() - ActivityIndicator->height() - PanelBottom->height()) / 2));
    } else {
        ActivityIndicator->Dismiss();
    }
}

void TFormMain::SetAbort(bool value)
{
    fAbort = value;
    if (!value || !fFtpObject)
        return;
    fFtpObject->Abort();
    Terminate();
}

} // namespace Updater
