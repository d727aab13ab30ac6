#include "UnitAttempt.h"

#include "UnitExamModel.h"

#include <QCryptographicHash>

#include <map>

QString ExamKey(const TExamModel &exam)
{
    std::map<qint32, qint64> byIndex; // the drawn questions in exam order
    for (auto it = exam.IDS.cbegin(); it != exam.IDS.cend(); ++it)
        byIndex.emplace(it.value(), it.key());
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const auto &[index, id] : byIndex) {
        hash.addData(QByteArray::number(index));
        hash.addData(":");
        hash.addData(QByteArray::number(id));
        hash.addData(";");
    }
    return exam.GUIDStr + u'/' + QString::fromLatin1(hash.result().toHex().left(16));
}

TPathPlace PlaceOfPath(const QString &path, bool subExists)
{
    const QStringList fields = path.split(u'/');
    auto number = [&](int field) {
        bool ok = false;
        const int value = field < fields.size() ? fields.at(field).toInt(&ok) : -1;
        return ok ? value : -1;
    };
    return {subExists ? number(2) : 0, number(subExists ? 3 : 2)};
}

TAttempt MakeAttempt(const TExamModel &exam, const QHash<qint64, QString> &paths, const QSet<int> &flags,
                     const QDateTime &finishedAt)
{
    TAttempt attempt;
    attempt.examGuid = exam.GUIDStr;
    attempt.examKey = ExamKey(exam);
    attempt.modelName = exam.Name;
    attempt.finishedAt = finishedAt.toUTC();
    attempt.durationSeconds = std::max(0, exam.Time - exam.RestTime);
    attempt.scores.push_back({-1, -1, exam.Name, exam.TotalResult()});

    QHash<qint32, qint64> idOf;
    for (auto it = exam.IDS.cbegin(); it != exam.IDS.cend(); ++it)
        idOf.insert(it.value(), it.key());

    int number = 0;
    for (int s = 0; s < int(exam.Predmets.size()); ++s) {
        const TExamPredmet &predmet = *exam.Predmets[size_t(s)];
        attempt.scores.push_back({s, -1, predmet.Name, predmet.TotalResult()});
        for (int p = 0; p < int(predmet.Parts.size()); ++p) {
            const TPredmetPart &part = *predmet.Parts[size_t(p)];
            attempt.scores.push_back({s, p, predmet.Name, part.TotalResult()});
            const qsizetype length = part.Format.size();
            for (qint32 i = 0; i < part.QuestionsCount(); ++i, ++number) {
                TAttemptQuestion question;
                question.number = number + 1;
                question.questionId = idOf.value(number, 0);
                question.subjectIndex = s;
                question.subject = predmet.Name;
                question.subjectBase = predmet.BaseIndex;
                if (const auto path = paths.constFind(question.questionId); path != paths.cend()) {
                    const TPathPlace place = PlaceOfPath(*path, predmet.SubExists);
                    question.sub = place.sub;
                    question.topic = place.topic;
                }
                question.format = part.Format;
                question.correct = part.Answer.mid(i * length, length);
                question.given = part.UserAnswer.mid(i * length, length);
                question.outcome = JudgeAnswer(part.Format, question.correct, question.given);
                question.flagged = flags.contains(number);
                attempt.questions.push_back(question);
            }
        }
    }
    return attempt;
}

namespace {

QString CsvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

QByteArray AttemptCsv(const TAttempt &attempt, const QStringList &header, const QStringList &outcomeWords,
                      const QStringList &topicNames)
{
    QStringList lines;
    QStringList fields;
    for (const QString &title : header)
        fields.append(CsvField(title));
    lines.append(fields.join(u','));
    for (size_t i = 0; i < attempt.questions.size(); ++i) {
        const TAttemptQuestion &question = attempt.questions[i];
        const QString topic = topicNames.value(qsizetype(i));
        lines.append(QStringList({QString::number(question.number), CsvField(question.subject),
                                  CsvField(!topic.isEmpty() ? topic : question.topic >= 0 ? QString::number(question.topic) : QString()),
                                  CsvField(ReadableAnswer(question.format, question.correct)),
                                  CsvField(ReadableAnswer(question.format, question.given)),
                                  CsvField(outcomeWords.value(int(question.outcome))), question.flagged ? QStringLiteral("1") : QStringLiteral("0")})
                         .join(u','));
    }
    return QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}
