#include "UnitLearnerData.h"

#include "UnitDataModule.h"
#include "UnitExamModel.h"
#include "UnitTranslate.h"

TLearnerData::TLearnerData(const QString &storePath) : fStore(storePath), fHistory(fStore) {}

QString TLearnerData::StartMessage() const
{
    switch (fStore.Outcome()) {
    case TLocalStore::TOutcome::MovedAside:
        return TrFormat(104, {fStore.Path(), fStore.MovedTo()});
    case TLocalStore::TOutcome::RefusedNewer:
        return TrFormat(105, {fStore.Path()});
    default:
        return QString();
    }
}

QSet<int> TLearnerData::Flags(const TExamModel &exam) const
{
    return fStore.Flags(ExamKey(exam));
}

void TLearnerData::SetFlagged(const TExamModel &exam, int question, bool flagged)
{
    fStore.SetFlagged(ExamKey(exam), question, flagged);
}

void TLearnerData::ClearFlags(const TExamModel &exam)
{
    fStore.ClearFlags(ExamKey(exam));
}

void TLearnerData::BeforeDraw(TDataModuleMain &bank, bool preferUnseen)
{
    bank.PreferUnseen(preferUnseen ? fHistory.SeenQuestions() : QHash<qint64, qint64>());
}

void TLearnerData::Drawn(const QHash<qint64, QString> &paths)
{
    fHistory.RecordDrawn(paths, QDateTime::currentDateTimeUtc());
}

TAttempt TLearnerData::Attempt(const TExamModel &exam) const
{
    return MakeAttempt(exam, fHistory.Paths(exam.IDS.keys()), Flags(exam), QDateTime::currentDateTimeUtc());
}

TAttempt TLearnerData::RecordAttempt(const TExamModel &exam)
{
    TAttempt attempt = Attempt(exam);
    fHistory.RecordAttempt(attempt);
    return attempt;
}
