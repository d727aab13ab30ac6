#pragma once

#include "UnitScoring.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>

#include <vector>

class TExamModel;

// Which exam flags and attempts belong to. The exam's GUIDStr names its model, which every exam
// drawn from that model shares; the drawn questions tell two such exams apart.
QString ExamKey(const TExamModel &exam);

// Where a question's path puts it, read as the draw reads it: the sub-branch (0 for a subject
// without them) and the topic, the field after the subject or after the sub-branch; -1 for a
// field that holds no number.
struct TPathPlace
{
    int sub = 0;
    int topic = -1;
};
TPathPlace PlaceOfPath(const QString &path, bool subExists);

// One question of a finished exam, as the history, the review and the exports see it.
struct TAttemptQuestion
{
    int number = 0;        // from 1, as the tree and the result list number it
    qint64 questionId = 0; // in the question bank; 0 when the exam does not say
    int subjectIndex = 0;  // position of its subject in the exam
    QString subject;
    int subjectBase = 0; // the subject's place in the topic structure
    int sub = 0;         // its sub-branch, 0 without
    int topic = -1;      // -1: unknown (the question's path is not at hand)
    QString format;
    QString correct; // as stored
    QString given;
    TAnswerOutcome outcome = TAnswerOutcome::Blank;
    bool flagged = false;
};

// A score line: the exam (subject -1), a subject (part -1) or one part of one.
struct TAttemptScore
{
    int subjectIndex = -1;
    int part = -1;
    QString name;
    TTotalResult result;
};

// One finished exam: what was asked, what was answered, how it scored.
struct TAttempt
{
    QString examGuid;
    QString examKey;
    QString modelName;
    QDateTime finishedAt; // UTC
    qint32 durationSeconds = 0;
    std::vector<TAttemptScore> scores; // the exam first, then each subject followed by its parts
    std::vector<TAttemptQuestion> questions;

    const TTotalResult &Total() const { return scores.front().result; }
};

// paths: the questions' paths by question id, as far as they are known.
TAttempt MakeAttempt(const TExamModel &exam, const QHash<qint64, QString> &paths, const QSet<int> &flags,
                     const QDateTime &finishedAt);

// One row per question, with a header row; UTF-8 with a byte-order mark, so that spreadsheet
// programs read its letters right; fields quoted where they need it. outcomeWords: by
// TAnswerOutcome; topicNames: by question, where a name is known (else the topic's number).
QByteArray AttemptCsv(const TAttempt &attempt, const QStringList &header, const QStringList &outcomeWords,
                      const QStringList &topicNames = {});
