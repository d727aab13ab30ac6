// Exam files: open, save, save as, the recent list, a dropped file and the command line.

#include "UnitMain.h"


#include "UnitLearnerData.h"

#include "TavelkoError.h"
#include "UnitExamModel.h"
#include "UnitMessageBox.h"
#include "UnitOpenExamOption.h"
#include "UnitRegistry.h"
#include "UnitReopenManager.h"
#include "UnitResultControl.h"
#include "UnitExamRecovery.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>

namespace {

bool HasExamExtension(const QString &path)
{
    // Compared exactly, as the shell hands the name over.
    return path.endsWith(QStringLiteral(".qmvx")) || path.endsWith(QStringLiteral(".QMVX"));
}

} // namespace

bool TFormMain::AskSaveCurrentExam()
{
    if (fDownloadMode != dmFinish || !ExamModel)
        return true;
    switch (TMessageBox::Confirm(this, Tr(46), TMessageBox::YesNoCancel)) {
    case TMessageBox::Yes:
        ActionSaveExecute();
        // A save that did not happen (its dialog cancelled) keeps the exam and stops the command.
        return !ExamModel;
    case TMessageBox::No:
        Recovery->Forget();
        CloseExam();
        return true;
    default:
        return false;
    }
}

void TFormMain::ActionOpenExecute()
{
    if (BusyRefused() || !AskSaveCurrentExam())
        return;
    const QString path = TFileDialog::GetOpenFileName(this);
    if (!path.isEmpty())
        OpenExamFile(path);
}

void TFormMain::ReopenExecute(QAction *sender)
{
    if (BusyRefused() || !AskSaveCurrentExam())
        return;
    const QString path = ReopenManager->GetItem(sender->data().toInt());
    if (QFileInfo::exists(path))
        OpenExamFile(path);
    else
        TMessageBox::ShowMessage(this, Tr(48));
}

void TFormMain::ReopenClearExecute(QAction *)
{
    if (TMessageBox::Confirm(this, Tr(47)) == TMessageBox::Yes)
        ReopenManager->Clear();
}

void TFormMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        paths.append(url.toLocalFile());
    event->acceptProposedAction();
    ReportErrors(this, [&] { FormDropFiles(paths); });
}

void TFormMain::FormDropFiles(const QStringList &paths)
{
    if (paths.size() != 1 || paths.first().isEmpty())
        return;
    const QString path = paths.first().left(254);
    if (!HasExamExtension(path))
        return;
    if (BusyRefused() || !AskSaveCurrentExam())
        return;
    OpenExamFile(path);
}

void TFormMain::ResumeExam(const QString &copyPath, const QString &fileName)
{
    OpenExamFile(fileName);
    fOpenFrom = copyPath;
}

void TFormMain::OpenExamFile(const QString &fileName)
{
    fOpenFrom.clear();
    fSaveFileName = fileName;
    StopExamClock();
    ShowCard(CardNew);
    SetDownloadMode(dmStart);
    SetDownloadMode(dmModelListOffline);
}

void TFormMain::CloseExamOnLoadFailure(int row)
{
    CloseExam();
    TMessageBox::ShowMessage(this, Tr(row));
}

void TFormMain::LoadOpenedExam()
{
    // A recovery copy is read in place of the exam's own file, which keeps its name.
    const QString source = std::exchange(fOpenFrom, QString());
    const bool resuming = !source.isEmpty();
    // A path that is gone by now is reported as such and never enters the recent list.
    if (!QFileInfo::exists(resuming ? source : fSaveFileName)) {
        CloseExamOnLoadFailure(48);
        return;
    }
    SetExamModel(std::make_unique<TExamModel>(QString(), 0, 0));
    try {
        ExamModel->LoadFromStream(resuming ? source : fSaveFileName);
    } catch (const std::exception &) {
        // Damaged: the exam is dropped and the window stays usable.
        CloseExamOnLoadFailure(65);
        return;
    }
    if (ExamModel->QuestionsCount() == 0) {
        CloseExamOnLoadFailure(65); // nothing to take or show
        return;
    }
    try {
        ExamModel->AdaptToModelList(Models, false);
        if (!fSaveFileName.isEmpty())
            ReopenManager->AddNewItem(fSaveFileName);
        SetDownloadMode(dmNone);
        ShowStartExamButton();
        ShowCard(CardBuildExam);
        if (ExamModel->Finished) {
            StopExamClock();
            ShowResult();
            return;
        }
        if (resuming) {
            // The learner chose to go on: at the remaining time and question of the copy.
            ButtonStartClick();
            return;
        }
        TFormOpenExamOption dialog(this);
        dialog.FillExamInfo(*ExamModel);
        const int outcome = ShowOpenExamOption ? ShowOpenExamOption(dialog) : dialog.exec();
        if (outcome == TFormOpenExamOption::ooRetake) {
            ExamModel->RestTime = ExamModel->Time;
            ExamModel->Finished = false;
            ExamModel->ResetUserAnswers();
            Learner->ClearFlags(*ExamModel);
        } else if (outcome != TFormOpenExamOption::ooContinue) {
            CloseExam();
            SetDownloadMode(dmNone);
        }
    } catch (const std::exception &) {
        throw TTavelkoError(Tr(65));
    }
}

void TFormMain::ActionSaveExecute()
{
    if (Busy())
        return;
    if (!ExamModel) {
        TMessageBox::ShowMessage(this, Tr(41));
        return;
    }
    StopExamClock();
    if (fSaveFileName.isEmpty()) {
        ActionSaveAsExecute();
        return;
    }
    if (!ExamModel->Saveable()) {
        TMessageBox::ShowMessage(this, Tr(41));
        return;
    }
    const QString path = fSaveFileName;
    try {
        ExamModel->CreatedDeviceGUID = TavelkoRegistry->GetGUID();
        ExamModel->SaveToFile(path);
    } catch (const std::exception &) {
        throw TTavelkoError(Tr(64));
    }
    Recovery->Forget(); // the file holds it all now
    setWindowTitle(QStringLiteral("Tavelko %1.%2 { %3 }").arg(TAVELKO_VERSION_MAJOR).arg(TAVELKO_VERSION_MINOR).arg(path));
    CloseExam();
}

void TFormMain::ActionSaveAsExecute()
{
    if (Busy())
        return;
    if (!ExamModel || !ExamModel->Saveable()) {
        TMessageBox::ShowMessage(this, Tr(41));
        return;
    }
    const QString chosen = TFileDialog::GetSaveFileName(this);
    if (chosen.isEmpty())
        return;
    const QString path = chosen.endsWith(QStringLiteral(".qmvx")) ? chosen : chosen + QStringLiteral(".qmvx");
    fSaveFileName = path;
    ActionSaveExecute(); // saves and closes the exam, or raises row 64
    fSaveFileName = path;
    ReopenManager->AddNewItem(path);
    setWindowTitle(QStringLiteral("Tavelko %1.%2 { %3 }").arg(TAVELKO_VERSION_MAJOR).arg(TAVELKO_VERSION_MINOR).arg(path));
}
