#include "UnitScoring.h"

#include "UnitExamModel.h"
#include "UnitInt32.h"

TTotalResult &TTotalResult::operator+=(const TTotalResult &other)
{
    Score += other.Score;
    Correct = WrapAdd(Correct, other.Correct);
    InCorrect = WrapAdd(InCorrect, other.InCorrect);
    Unanswered = WrapAdd(Unanswered, other.Unanswered);
    return *this;
}

QString NormalizeAnswer(const QString &format, const QString &value)
{
    if (format == FormatClassic)
        return value.toUpper();

    if (format == FormatMatch) {
        const QString upper = value.toUpper();
        QString result = format;
        static const QString letters = QStringLiteral("ABCDE");
        for (int group = 0; group < 3; ++group) {
            const QString cells = upper.mid(7 * group + 1, 5);
            for (int j = 0; j < 5; ++j) {
                if (cells.contains(letters.at(j)))
                    result[7 * group + 1 + j] = letters.at(j);
            }
        }
        return result;
    }

    QString entered = value;
    entered.remove(u'#');
    const qsizetype k = entered.size();
    QString result = entered.left(k - 1);
    if (k < 8)
        result += QString(8 - k, u'#');
    return result + u')';
}

bool IsBlankAnswer(const QString &format, const QString &answer)
{
    return NormalizeAnswer(format, answer) == format;
}

TAnswerOutcome JudgeAnswer(const QString &format, const QString &correct, const QString &given)
{
    if (IsBlankAnswer(format, given))
        return TAnswerOutcome::Blank;
    return NormalizeAnswer(format, given) == NormalizeAnswer(format, correct) ? TAnswerOutcome::Right : TAnswerOutcome::Wrong;
}

QString ReadableAnswer(const QString &format, const QString &answer)
{
    if (IsBlankAnswer(format, answer))
        return QString();
    const QString normal = NormalizeAnswer(format, answer);
    if (format == FormatMatch) {
        QStringList groups;
        for (int group = 0; group < 3; ++group) {
            const QString letters = normal.mid(7 * group + 1, 5).remove(u'#');
            groups.append(letters.isEmpty() ? QStringLiteral("_") : letters);
        }
        return groups.join(u'-');
    }
    if (format == FormatClassic)
        return normal;
    return QString(normal).remove(u'(').remove(u')').remove(u'#');
}

TTotalResult TPredmetPart::TotalResult() const
{
    TTotalResult result;
    const qint32 n = QuestionsCount();
    const qsizetype length = Format.size();
    // Formed in 32 bits as the exam files and definitions expect; wraps rather than overflows.
    const qint32 wrongDivisor = WrapMul(WrongRightLeadCoef, Denominator);
    for (qint32 i = 0; i < n; ++i) {
        const TAnswerOutcome outcome = JudgeAnswer(Format, Answer.mid(i * length, length), UserAnswer.mid(i * length, length));
        if (outcome == TAnswerOutcome::Blank)
            continue;
        if (outcome == TAnswerOutcome::Right) {
            ++result.Correct;
            result.Score += double(Quotient) / double(Denominator);
        } else {
            ++result.InCorrect;
            // A wrong answer costs nothing without the lead rule; skip the division so that a
            // divisor that wrapped to 0 cannot turn the score into NaN.
            if (WrongRightLead)
                result.Score -= double(Quotient) / double(wrongDivisor);
        }
    }
    result.Unanswered = n - result.Correct - result.InCorrect;
    return result;
}

TTotalResult TExamPredmet::TotalResult() const
{
    TTotalResult result;
    for (const auto &part : Parts)
        result += part->TotalResult();
    if (!(result.Score >= 0))
        result.Score = 0;
    return result;
}

TTotalResult TExamModel::TotalResult() const
{
    TTotalResult result;
    for (const auto &predmet : Predmets)
        result += predmet->TotalResult();
    return result;
}
