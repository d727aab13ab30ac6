#pragma once

#include <QString>

// Score and counts of a part, a subject or a whole exam.
struct TTotalResult
{
    double Score = 0;
    qint32 Correct = 0;
    qint32 InCorrect = 0;
    qint32 Unanswered = 0;

    TTotalResult &operator+=(const TTotalResult &other);
};

// The three answer formats; a format string is also the blank answer.
inline const QString FormatClassic = QStringLiteral("#");
inline const QString FormatDigits = QStringLiteral("(######)");
inline const QString FormatMatch = QStringLiteral("[#####][#####][#####]");

// The canonical form of one answer, so that the same choice entered in another letter case,
// order or column position compares equal: upper case for "#"; each chosen letter in its own
// column for the three groups; entered characters moved to the left for the digit columns.
QString NormalizeAnswer(const QString &format, const QString &value);

// Whether a learner's answer to a question of this format is left blank: the one rule that the
// scoring, the counts, the question tree and the result list share.
bool IsBlankAnswer(const QString &format, const QString &answer);

// How a learner's answer stands against the correct one: the one rule of the scoring and the result list.
enum class TAnswerOutcome : qint8 { Right, Wrong, Blank };
TAnswerOutcome JudgeAnswer(const QString &format, const QString &correct, const QString &given);

// An answer as a learner reads it: the letter ("B"), the number as written ("4.2"), the three
// groups ("A-C-B", "AC-_-B" with a group left empty); an empty text for a blank answer.
QString ReadableAnswer(const QString &format, const QString &answer);
