#include "UnitUpdaterMain.h"

#include "TavelkoError.h"
#include "UnitActivityIndicator.h"
#include "UnitDataModule.h"
#include "UnitFileVersion.h"
#include "UnitInstance.h"
#include "UnitMessageBox.h"
#include "UnitPlatform.h"
#include "UnitTranslate.h"
#include "UnitUpdateRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <zlib.h>

#include <filesystem>

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
    return Platform::ProgramPath(fFolder, QStringLiteral("Tavelko"));
}

QString TFormMain::AsidePath() const
{
    return QDir(fFolder).filePath(QStringLiteral("Tavelko.temp"));
}

QString TFormMain::DownloadPath() const
{
    return QDir(fFolder).filePath(QStringLiteral("Tavelko.download"));
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
    const quint32 installed = fFolder.isEmpty() ? Platform::NoVersion : GetVersion(fFolder);
    const quint32 newest = fDataModule->GetVersionFromBase();
    if (newest == 0) {
        Terminate();
        return;
    }
    if (newest > installed && !fFolder.isEmpty()) {
        // An old client left aside by an earlier run keeps its place; then this one stays put.
        fMovedAside = QFile::rename(ClientPath(), AsidePath());
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
    TCloudCallbacks callbacks;
    callbacks.OnWorkBegin = [this](TFtpSession &sender, TWorkMode mode, qint64 countMax) {
        fFtpObject = &sender;
        cxProgressBar->setMinimum(0);
        const qint64 maximum = mode == wmRead ? sender.Size(fAppName) : countMax;
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
        return; // the abort has put the old client back and ended the updater
    SetWait(false);
    try {
        InstallNewClient();
    } catch (const std::exception &error) {
        RestoreOldClient();
        const auto *tavelkoError = dynamic_cast<const TTavelkoError *>(&error);
        TMessageBox::ShowMessage(this, tavelkoError ? tavelkoError->Message() : QString::fromLocal8Bit(error.what()));
        return;
    }
    Terminate();
    StartClient();
}

void TFormMain::InstallNewClient()
{
    const QByteArray client = MakeDZStream(fExeStream);
    fExeStream.clear();

    // Written whole under another name, made executable, then renamed into place: no half-written
    // client ever carries the client's name.
    QFile file(DownloadPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(client) != client.size() || !file.flush())
        throw TTavelkoError(QStringLiteral("Could not write %1: %2").arg(file.fileName(), file.errorString()));
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther
                        | QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    std::error_code error;
    std::filesystem::rename(DownloadPath().toStdString(), ClientPath().toStdString(), error);
    if (error)
        throw TTavelkoError(QStringLiteral("Could not put the new client in place: %1").arg(QString::fromStdString(error.message())));
    QFile::remove(AsidePath());
    fMovedAside = false;
}

void TFormMain::RestoreOldClient()
{
    QFile::remove(DownloadPath());
    if (fMovedAside && !QFileInfo::exists(ClientPath()) && QFile::rename(AsidePath(), ClientPath()))
        fMovedAside = false;
}

QByteArray TFormMain::MakeDZStream(const QByteArray &stream)
{
    TWaitCursor wait;
    z_stream zlib{};
    if (inflateInit(&zlib) != Z_OK)
        throw TTavelkoError(QStringLiteral("Not enough memory to unpack the new client."));
    struct TEnd { z_stream *s; ~TEnd() { inflateEnd(s); } } end{&zlib};
    zlib.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stream.constData()));
    zlib.avail_in = uInt(stream.size());
    QByteArray result;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        const qsizetype done = result.size();
        result.resize(std::max<qsizetype>(done * 2, 1 << 20));
        zlib.next_out = reinterpret_cast<Bytef *>(result.data() + done);
        zlib.avail_out = uInt(result.size() - done);
        rc = inflate(&zlib, Z_NO_FLUSH);
        result.resize(result.size() - zlib.avail_out);
        if (rc == Z_BUF_ERROR || (rc == Z_OK && zlib.avail_in == 0 && zlib.avail_out != 0))
            throw TTavelkoError(QStringLiteral("The downloaded client is incomplete."));
        if (rc != Z_OK && rc != Z_STREAM_END)
            throw TTavelkoError(QStringLiteral("The downloaded client is damaged (%1).")
                                    .arg(QLatin1String(zlib.msg ? zlib.msg : "not a zlib stream")));
    }
    return result;
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
    if (!fFolder.isEmpty())
        RestoreOldClient();
    Terminate();
}

} // namespace Updater
