// Start-up, the commands of the File menu and the start page, the busy rule, CloseExam, the
// hand-over to the updater, and closing.

#include "UnitMain.h"

#include "UnitActivityIndicator.h"
#include "UnitAnswerControl.h"
#include "UnitArtwork.h"
#include "UnitDataModule.h"
#include "UnitExamModel.h"
#include "UnitMessageBox.h"
#include "UnitPaintBox.h"
#include "UnitFileVersion.h"
#include "UnitPlatform.h"
#include "UnitRegistry.h"
#include "UnitResultControl.h"
#include "UnitExamNavigator.h"
#include "UnitExamRecovery.h"
#include "UnitLearnerData.h"
#include "UnitQuestionPicture.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>

quint32 TFormMain::GetOwnVersion()
{
    return Platform::OwnFileVersion();
}

void TFormMain::ShowCard(TCard card)
{
    CardPanel->setCurrentIndex(card);
}

TFormMain::TCard TFormMain::CurrentCard() const
{
    return TCard(CardPanel->currentIndex());
}

void TFormMain::ComboBoxExLanguageSelect(int index)
{
    SetCurrentLanguageIndex(index);
    ::Translate(this);
    FormResize();
    // Stored at once, so that a crash does not lose it.
    if (TavelkoRegistry)
        ReportErrors(this, [&] { TavelkoRegistry->SetLanguageIndex(index); });
}

void TFormMain::ButtonIdentifierMaskClick()
{
    fIdentifierMasked = !fIdentifierMasked;
    const QString identifier = EditIdentifier->property("identifier").toString();
    EditIdentifier->setText(fIdentifierMasked ? QString(identifier.size(), u'*') : identifier);
    ButtonIdentifierMask->setIcon(Artwork::Icon(fIdentifierMasked ? Artwork::imgMasked : Artwork::imgUnmasked));
}

void TFormMain::FormShow()
{
    ShowCard(CardStart);
    if (const QString message = Learner->StartMessage(); !message.isEmpty())
        TMessageBox::ShowMessage(this, message);
    // An exam that was not saved when the program last closed comes first.
    std::optional<TExamRecovery::TResume> resume;
    ReportErrors(this, [&] { resume = Recovery->Offer(this); });
    if (resume)
        ResumeExam(resume->examPath, resume->info.FileName);
    const quint32 published = DataModule->GetVersionFromBase();
    if (published > GetOwnVersion() && !Platform::ProgramFolderReplaceable(QCoreApplication::applicationDirPath())) {
        // Installed by the system's packages: the update comes that way too.
        TMessageBox::ShowMessage(this, TrFormat(155, {QStringLiteral("%1.%2").arg(published >> 16).arg(published & 0xFFFF)}));
    } else if (published > GetOwnVersion() && TMessageBox::Confirm(this, Tr(83)) == TMessageBox::Yes) {
        StartUpdater();
        return;
    }
    if (!fExecuteParams.isEmpty() && !resume) {
        const QString text = fExecuteParams.join(u' ');
        TavelkoRegistry->SetExecuteParam(text);
        OpenExamFile(text);
    }
}

void TFormMain::StartUpdater()
{
    Platform::StartProgram(Platform::ProgramPath(QCoreApplication::applicationDirPath(), QStringLiteral("TavelkoUpdater")));
    fClosing = true;
    close();
}

bool TFormMain::BusyRefused()
{
    if (!Busy())
        return false;
    TMessageBox::ShowMessage(this, Tr(37));
    return true;
}

void TFormMain::ActionStartExecute()
{
    if (BusyRefused())
        return;
    if (fDownloadMode == dmFinish) {
        if (TMessageBox::Confirm(this, Tr(38)) == TMessageBox::Yes) {
            Recovery->Forget();
            CloseExam();
        }
        return;
    }
    StopExamClock();
    ShowCard(CardStart);
}

void TFormMain::ActionNewExecute()
{
    if (BusyRefused())
        return;
    if (fDownloadMode == dmFinish) {
        if (TMessageBox::Confirm(this, Tr(39)) != TMessageBox::Yes)
            return;
        Recovery->Forget();
        CloseExam();
    } else {
        StopExamClock();
    }
    // A new exam has no file yet: Save must ask for one rather than replace the last one saved.
    fSaveFileName.clear();
    ShowCard(CardNew);
    SetDownloadMode(dmStart);
    SetDownloadMode(dmModelList);
}

void TFormMain::ActionCloseExecute()
{
    if (BusyRefused())
        return;
    if (fDownloadMode == dmFinish) {
        if (TMessageBox::Confirm(this, Tr(40)) == TMessageBox::Yes) {
            Recovery->Forget();
            CloseExam();
        }
        return;
    }
    ShowCard(CardStart);
}

void TFormMain::ActionExitExecute()
{
    if (ExamModel && TMessageBox::Confirm(this, Tr(49)) != TMessageBox::Yes)
        return;
    AbortRunningTransfer();
    TerminateApplication();
}

void TFormMain::AbortRunningTransfer()
{
    if (!Busy())
        return;
    // Cut short rather than waited for; the aborted mode keeps the end of the transfer quiet.
    DownLoadAborted = true;
    if (fFtpObject)
        fFtpObject->Abort();
    fDownloadMode = dmAbort;
}

void TFormMain::TerminateApplication()
{
    if (OnTerminate)
        OnTerminate();
}

void TFormMain::closeEvent(QCloseEvent *event)
{
    if (!fClosing && ExamModel && fDownloadMode == dmFinish && TMessageBox::Confirm(this, Tr(49)) != TMessageBox::Yes) {
        event->ignore();
        return;
    }
    // Closing is never refused; a running transfer is cut short so that the client ends.
    AbortRunningTransfer();
    event->accept();
}

void TFormMain::CloseExam()
{
    StopExamClock();
    SetExamModel(nullptr);
    FreeDownloadedStreams();
    DB_Structure->clear();
    fDownloadMode = dmNone;
    fSaveFileName.clear();
    BufferStreams.clear();
    Files.clear();
    Models.clear();
    Structure.clear();
    LabelSelectExamModel->hide();
    RemoveModelButtons();
    BG_ExamModels->hide();
    PanelProgress->hide();
    PanelParams->hide();
    DB_Structure->hide();
    LabelCreateInfo->show();
    ButtonStart->hide();
    ShowCard(CardStart);
}

void TFormMain::SetExamModel(std::unique_ptr<TExamModel> model)
{
    // The result list borrows the exam, the answer tool and the picture cache show one of its
    // questions: none may outlive it.
    ResultControl.reset();
    if (AnswerTool)
        CreateAnswerControl();
    if (QuestionPicture)
        QuestionPicture->Show(QByteArray());
    if (Navigator)
        Navigator->Clear();
    ExamModel = std::move(model);
}

void TFormMain::ExamChanged()
{
    if (ExamModel)
        Recovery->Changed(*ExamModel, fSaveFileName, CurrentCard());
}
