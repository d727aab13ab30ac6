#include "UnitExamRecovery.h"

#include "UnitExamModel.h"
#include "UnitMessageBox.h"
#include "UnitRecoveryDialog.h"
#include "UnitTranslate.h"

#include <QDir>

TExamRecovery::TExamRecovery(TRecoveryStore store) : fSaver(std::move(store)) {}

void TExamRecovery::Changed(const TExamModel &exam, const QString &fileName, int page)
{
    fUnsaved = true;
    fTicks = 0;
    fSaver.Submit(exam.Clone(), {fileName, page, QDateTime::currentDateTimeUtc()});
}

void TExamRecovery::ClockTick(const TExamModel &exam, const QString &fileName, int page)
{
    if (++fTicks >= ClockInterval)
        Changed(exam, fileName, page);
}

void TExamRecovery::Forget()
{
    fUnsaved = false;
    fTicks = 0;
    fSaver.Discard();
}

void TExamRecovery::Closing(const TExamModel *exam, const QString &fileName, int page)
{
    if (exam && fUnsaved)
        Changed(*exam, fileName, page);
    fSaver.Flush();
}

std::optional<TExamRecovery::TResume> TExamRecovery::Offer(QWidget *parent)
{
    const TRecoveryStore &store = fSaver.Store();
    if (!store.Exists())
        return std::nullopt;
    std::unique_ptr<TExamModel> exam;
    try {
        exam = store.ReadExam();
    } catch (const std::exception &) {
        // Never in the way of a start: kept aside for a look, and said once.
        const QString aside = store.MoveAside();
        TMessageBox::ShowMessage(parent, TrFormat(88, {QDir::toNativeSeparators(aside)}));
        return std::nullopt;
    }
    const TRecoveryInfo info = store.ReadInfo(*exam);
    TFormRecovery dialog(parent);
    dialog.FillInfo(*exam, info.SavedAt);
    const int outcome = ShowOffer ? ShowOffer(dialog) : dialog.exec();
    if (outcome != TFormRecovery::roContinue) {
        Forget();
        return std::nullopt;
    }
    return TResume{store.ExamPath(), info};
}
