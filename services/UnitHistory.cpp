#include "UnitHistory.h"

#include "UnitLocalStore.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

namespace {

// Runs a statement once per row of values, prepared once.
bool ExecuteBatch(QSqlQuery &query, const QString &statement, const std::vector<QVariantList> &rows)
{
    if (!query.prepare(statement))
        return false;
    for (const QVariantList &row : rows) {
        for (int i = 0; i < row.size(); ++i)
            query.bindValue(i, row.at(i));
        if (!query.exec())
            return false;
    }
    return true;
}

} // namespace

bool THistory::RecordDrawn(const QHash<qint64, QString> &paths, const QDateTime &at)
{
    std::vector<QVariantList> rows;
    rows.reserve(size_t(paths.size()));
    for (auto it = paths.cbegin(); it != paths.cend(); ++it)
        rows.push_back({it.key(), it.value(), at.toMSecsSinceEpoch()});
    return fStore.InTransaction([&](QSqlDatabase &db) {
        QSqlQuery query(db);
        return ExecuteBatch(query,
                            QStringLiteral("INSERT INTO questions_seen (question_id, path, last_seen) VALUES (?, ?, ?)"
                                           " ON CONFLICT (question_id) DO UPDATE SET path = excluded.path, last_seen = excluded.last_seen"),
                            rows);
    });
}

QHash<qint64, QString> THistory::Paths(const QList<qint64> &ids) const
{
    QHash<qint64, QString> paths;
    QSqlDatabase db = fStore.Database();
    if (!db.isValid())
        return paths;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT path FROM questions_seen WHERE question_id = ?"));
    for (qint64 id : ids) {
        query.bindValue(0, id);
        if (query.exec() && query.next())
            paths.insert(id, query.value(0).toString());
    }
    return paths;
}

QHash<qint64, qint64> THistory::SeenQuestions() const
{
    QHash<qint64, qint64> seen;
    QSqlDatabase db = fStore.Database();
    if (!db.isValid())
        return seen;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT question_id, last_seen FROM questions_seen")))
        while (query.next())
            seen.insert(query.value(0).toLongLong(), query.value(1).toLongLong());
    return seen;
}

bool THistory::RecordAttempt(const TAttempt &attempt)
{
    if (attempt.scores.empty())
        return false;
    return fStore.InTransaction([&](QSqlDatabase &db) {
        QSqlQuery query(db);
        const TTotalResult &total = attempt.Total();
        query.prepare(QStringLiteral("INSERT INTO attempts (exam_guid, exam_key, model_name, finished_at, duration, score,"
                                     " correct, wrong, blank) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const QVariant &value : QVariantList{attempt.examGuid, attempt.examKey, attempt.modelName,
                                                  attempt.finishedAt.toMSecsSinceEpoch(), attempt.durationSeconds, total.Score,
                                                  total.Correct, total.InCorrect, total.Unanswered})
            query.addBindValue(value);
        if (!query.exec())
            return false;
        const qint64 id = query.lastInsertId().toLongLong();

        std::vector<QVariantList> scores;
        for (const TAttemptScore &score : attempt.scores)
            if (score.subjectIndex >= 0)
                scores.push_back({id, score.subjectIndex, score.part, score.name, score.result.Score, score.result.Correct,
                                  score.result.InCorrect, score.result.Unanswered});
        std::vector<QVariantList> questions;
        questions.reserve(attempt.questions.size());
        // subject, base, sub, topic -> asked, answered, right
        std::map<std::tuple<QString, int, int, int>, std::array<int, 3>> topics;
        for (const TAttemptQuestion &q : attempt.questions) {
            questions.push_back({id, q.number, q.questionId, q.subjectIndex, q.subject, q.subjectBase, q.sub, q.topic,
                                 q.format, q.correct, q.given, int(q.outcome), q.flagged ? 1 : 0});
            std::array<int, 3> &sums = topics[{q.subject, q.subjectBase, q.sub, q.topic}];
            sums[0] += 1;
            sums[1] += q.outcome != TAnswerOutcome::Blank;
            sums[2] += q.outcome == TAnswerOutcome::Right;
        }
        std::vector<QVariantList> results, totals;
        for (const auto &[key, sums] : topics) {
            const auto &[subject, base, sub, topic] = key;
            results.push_back({subject, base, sub, topic, id, sums[0], sums[1], sums[2]});
            totals.push_back({subject, base, sub, topic, sums[0], sums[1], sums[2]});
        }
        return ExecuteBatch(query,
                            QStringLiteral("INSERT INTO attempt_scores (attempt_id, subject_index, part, name, score, correct,"
                                           " wrong, blank) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                            scores)
               && ExecuteBatch(query,
                               QStringLiteral("INSERT INTO attempt_questions (attempt_id, number, question_id, subject_index,"
                                              " subject, subject_base, sub, topic, format, correct, given, outcome, flagged)"
                                              " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                               questions)
               && ExecuteBatch(query,
                               QStringLiteral("INSERT INTO topic_results (subject, subject_base, sub, topic, attempt_id, asked,"
                                              " answered, right_) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                               results)
               && ExecuteBatch(query,
                               QStringLiteral("INSERT INTO topic_totals (subject, subject_base, sub, topic, asked, answered,"
                                              " right_) VALUES (?, ?, ?, ?, ?, ?, ?) ON CONFLICT DO UPDATE SET"
                                              " asked = asked + excluded.asked, answered = answered + excluded.answered,"
                                              " right_ = right_ + excluded.right_"),
                               totals);
    });
}

int THistory::AttemptCount() const
{
    QSqlQuery query(fStore.Database());
    return fStore.Database().isValid() && query.exec(QStringLiteral("SELECT count(*) FROM attempts")) && query.next()
               ? query.value(0).toInt()
               : 0;
}

TProgress THistory::Progress(int recentAttempts) const
{
    TProgress progress;
    QSqlDatabase db = fStore.Database();
    if (!db.isValid())
        return progress;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT id, finished_at, model_name, score FROM attempts ORDER BY finished_at, id")))
        while (query.next())
            progress.attempts.push_back({query.value(0).toLongLong(),
                                         QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong(), Qt::UTC),
                                         query.value(2).toString(), query.value(3).toDouble()});

    // The sums kept per topic, then each topic's last attempts: a few rows per topic, however
    // long the history.
    std::map<QString, TSubjectProgress> subjects;
    if (query.exec(QStringLiteral("SELECT subject, subject_base, sub, topic, asked, answered, right_ FROM topic_totals"))) {
        while (query.next()) {
            TSubjectProgress &entry = subjects[query.value(0).toString()];
            entry.subject = query.value(0).toString();
            entry.topics.push_back({entry.subject, query.value(1).toInt(), query.value(2).toInt(), query.value(3).toInt(),
                                    query.value(4).toInt(), query.value(5).toInt(), query.value(6).toInt(), {}});
        }
    }
    QSqlQuery recent(db);
    recent.prepare(QStringLiteral("SELECT asked, right_ FROM topic_results WHERE subject = ? AND subject_base = ? AND sub = ?"
                                  " AND topic = ? ORDER BY attempt_id DESC LIMIT ?"));
    for (auto &[name, subject] : subjects) {
        for (TTopicProgress &topic : subject.topics) {
            for (const QVariant &value : QVariantList{topic.subject, topic.subjectBase, topic.sub, topic.topic, recentAttempts})
                recent.addBindValue(value);
            if (recent.exec())
                while (recent.next()) {
                    const int asked = recent.value(0).toInt();
                    topic.recent.insert(topic.recent.begin(), asked > 0 ? recent.value(1).toDouble() / asked : 0);
                }
        }
    }
    for (auto &[name, subject] : subjects) {
        for (const TTopicProgress &topic : subject.topics) {
            subject.asked += topic.asked;
            subject.answered += topic.answered;
            subject.right += topic.right;
            progress.weakest.push_back(topic);
        }
        progress.subjects.push_back(std::move(subject));
    }
    std::stable_sort(progress.weakest.begin(), progress.weakest.end(), [](const TTopicProgress &a, const TTopicProgress &b) {
        return a.ShareRight() != b.ShareRight() ? a.ShareRight() < b.ShareRight() : a.asked > b.asked;
    });
    return progress;
}
