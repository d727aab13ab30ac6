#pragma once

#include "UnitAttempt.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <vector>

class TLocalStore;

// How the learner did in one topic of one subject, over every attempt kept.
struct TTopicProgress
{
    QString subject;
    int subjectBase = 0; // where subject, sub-branch and topic sit in the topic structure
    int sub = 0;
    int topic = -1; // -1: questions whose topic is unknown
    int asked = 0;
    int answered = 0;
    int right = 0;
    std::vector<double> recent; // the share right in each of the last attempts that asked it, oldest first

    double ShareRight() const { return asked > 0 ? double(right) / asked : 0; }
};

struct TSubjectProgress
{
    QString subject;
    int asked = 0;
    int answered = 0;
    int right = 0;
    std::vector<TTopicProgress> topics; // by topic number

    double ShareRight() const { return asked > 0 ? double(right) / asked : 0; }
};

struct TAttemptPoint
{
    qint64 id = 0;
    QDateTime finishedAt;
    QString modelName;
    double score = 0;
};

struct TProgress
{
    std::vector<TSubjectProgress> subjects; // by name
    std::vector<TTopicProgress> weakest;     // every topic, the lowest share right first
    std::vector<TAttemptPoint> attempts;     // oldest first
};

// The learner's history in the local store: every finished attempt, and every question drawn
// for this installation (its path, and when it was last seen). Each write is one transaction.
class THistory
{
public:
    explicit THistory(TLocalStore &store) : fStore(store) {}

    // The questions of a newly drawn exam (id -> path), seen at the given moment.
    bool RecordDrawn(const QHash<qint64, QString> &paths, const QDateTime &at);
    // Paths of the questions with these ids, as far as they were drawn here.
    QHash<qint64, QString> Paths(const QList<qint64> &ids) const;
    // Every question seen here: id -> when it was last seen (ms since the epoch).
    QHash<qint64, qint64> SeenQuestions() const;

    bool RecordAttempt(const TAttempt &attempt);
    int AttemptCount() const;
    // recentAttempts: how many of each topic's last attempts make its trend.
    TProgress Progress(int recentAttempts = 5) const;

private:
    TLocalStore &fStore;
};
