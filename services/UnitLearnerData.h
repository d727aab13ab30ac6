#pragma once

#include "UnitAttempt.h"
#include "UnitHistory.h"
#include "UnitLocalStore.h"

#include <QHash>
#include <QSet>
#include <QString>

class TDataModuleMain;
class TExamModel;

// The learner's own record as the window uses it, kept in the local store: the flags of an
// exam, the questions drawn here (for the draw's preference and for the topics of the history)
// and the finished attempts. Nothing here ever stops an exam: a store that cannot be used
// keeps nothing.
class TLearnerData
{
public:
    // storePath: empty for the learner's data folder.
    explicit TLearnerData(const QString &storePath = QString());

    TLocalStore &Store() { return fStore; }
    THistory &History() { return fHistory; }
    // What the learner should hear about the store at start; empty when all is well.
    QString StartMessage() const;

    QSet<int> Flags(const TExamModel &exam) const;
    void SetFlagged(const TExamModel &exam, int question, bool flagged);
    void ClearFlags(const TExamModel &exam);

    // Before the questions of a new exam are drawn: the bank prefers unseen ones, or not.
    void BeforeDraw(TDataModuleMain &bank, bool preferUnseen);
    // The questions drawn for it (id -> path).
    void Drawn(const QHash<qint64, QString> &paths);

    // The exam as an attempt, finished now, with its flags and the topics that are known here.
    TAttempt Attempt(const TExamModel &exam) const;
    // The same, kept in the history.
    TAttempt RecordAttempt(const TExamModel &exam);

private:
    TLocalStore fStore;
    THistory fHistory;
};
