#include "UnitAttemptReport.h"

#include "UnitCatalogue.h"
#include "UnitTranslate.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <map>
#include <tuple>

namespace {

QString Escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString Cell(const QString &text, bool header = false)
{
    const QString tag = header ? QStringLiteral("th") : QStringLiteral("td");
    return QStringLiteral("<%1>%2</%1>").arg(tag, Escaped(text));
}

QString Row(const QStringList &cells, bool header = false)
{
    QString row = QStringLiteral("<tr>");
    for (const QString &text : cells)
        row += Cell(text, header);
    return row + QStringLiteral("</tr>");
}

QString Score(double score)
{
    return QString::number(score, 'f', 2);
}

QString TopicText(const TAttemptQuestion &question, const TTopicNamer &topicName)
{
    const QString name = topicName ? topicName(question) : QString();
    return TopicWords(question.topic, name);
}

} // namespace

QString OutcomeWord(TAnswerOutcome outcome)
{
    return Tr(outcome == TAnswerOutcome::Right ? 111 : outcome == TAnswerOutcome::Wrong ? 112 : 113);
}

QString AnswerWords(const QString &format, const QString &answer)
{
    const QString text = ReadableAnswer(format, answer);
    return text.isEmpty() ? Tr(113) : text;
}

QString TopicWords(int topic, const QString &name)
{
    return !name.isEmpty() ? name : topic < 0 ? Tr(134) : TrFormat(133, {topic});
}

QByteArray AttemptPdf(const TAttempt &attempt, const TTopicNamer &topicName)
{
    const TTotalResult &total = attempt.Total();
    QString html = QStringLiteral("<html><head><style>"
                                  "body { font-family: 'DejaVu Sans'; font-size: 10pt; }"
                                  "h1 { font-size: 16pt; } h2 { font-size: 12pt; margin-top: 14px; }"
                                  "table { border-collapse: collapse; } th, td { border: 1px solid #889; padding: 3px 6px; }"
                                  "th { background: #E8EEF6; }"
                                  ".right { color: #0000FF; } .wrong { color: #FF0000; }"
                                  "</style></head><body>");
    html += QStringLiteral("<h1>%1</h1>").arg(Escaped(TrFormat(137, {attempt.modelName})));
    html += QStringLiteral("<p>%1</p>").arg(Escaped(TrFormat(
        138, {attempt.finishedAt.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")), FormatSeconds(attempt.durationSeconds)})));
    html += QStringLiteral("<p><b>%1</b></p>").arg(Escaped(TrFormat(26, {total.Score, total.Correct, total.InCorrect, total.Unanswered})));

    // The subjects, each followed by its parts.
    html += QStringLiteral("<h2>%1</h2><table>").arg(Escaped(Tr(139)));
    html += Row({Tr(139), Tr(140), Tr(141), Tr(142), Tr(143)}, true);
    for (const TAttemptScore &score : attempt.scores) {
        if (score.subjectIndex < 0)
            continue;
        const QString name = score.part < 0 ? score.name : QStringLiteral("    %1 %2").arg(score.name).arg(score.part + 1);
        html += Row({name, Score(score.result.Score), QString::number(score.result.Correct), QString::number(score.result.InCorrect),
                     QString::number(score.result.Unanswered)});
    }
    html += Row({Tr(147), Score(total.Score), QString::number(total.Correct), QString::number(total.InCorrect),
                 QString::number(total.Unanswered)});
    html += QStringLiteral("</table>");

    // The topics, in the order of the exam.
    struct TTopicCount
    {
        QString name;
        int asked = 0, right = 0, wrong = 0;
    };
    std::map<std::tuple<int, int, int>, TTopicCount> topics;
    for (const TAttemptQuestion &question : attempt.questions) {
        TTopicCount &count = topics[{question.subjectIndex, question.sub, question.topic}];
        count.name = question.subject + QStringLiteral(" · ") + TopicText(question, topicName);
        ++count.asked;
        count.right += question.outcome == TAnswerOutcome::Right;
        count.wrong += question.outcome == TAnswerOutcome::Wrong;
    }
    html += QStringLiteral("<h2>%1</h2><table>").arg(Escaped(Tr(144)));
    html += Row({Tr(144), Tr(145), Tr(141), Tr(142), Tr(129)}, true);
    for (const auto &[key, count] : topics)
        html += Row({count.name, QString::number(count.asked), QString::number(count.right), QString::number(count.wrong),
                     QStringLiteral("%1 %").arg(qRound(100.0 * count.right / std::max(1, count.asked)))});
    html += QStringLiteral("</table>");

    // Every question.
    html += QStringLiteral("<h2>%1</h2><table>").arg(Escaped(Tr(145)));
    const QStringList header = Tr(136).split(u';');
    html += Row(header.mid(0, 6), true);
    for (const TAttemptQuestion &question : attempt.questions) {
        const QString style = question.outcome == TAnswerOutcome::Right   ? QStringLiteral(" class=\"right\"")
                              : question.outcome == TAnswerOutcome::Wrong ? QStringLiteral(" class=\"wrong\"")
                                                                          : QString();
        html += QStringLiteral("<tr%1>").arg(style);
        for (const QString &text : {QString::number(question.number) + (question.flagged ? QStringLiteral(" ⚑") : QString()),
                                    question.subject, TopicText(question, topicName), AnswerWords(question.format, question.correct),
                                    AnswerWords(question.format, question.given), OutcomeWord(question.outcome)})
            html += Cell(text);
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table></body></html>");

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(TrFormat(137, {attempt.modelName}));
        writer.setCreator(QStringLiteral("Tavelko"));
        QTextDocument document;
        document.setHtml(html);
        document.print(&writer);
    }
    return bytes;
}

QByteArray AttemptCsvReport(const TAttempt &attempt, const TTopicNamer &topicName)
{
    QStringList topics;
    for (const TAttemptQuestion &question : attempt.questions)
        topics.append(topicName ? topicName(question) : QString());
    return AttemptCsv(attempt, Tr(136).split(u';'),
                      {OutcomeWord(TAnswerOutcome::Right), OutcomeWord(TAnswerOutcome::Wrong), OutcomeWord(TAnswerOutcome::Blank)}, topics);
}
