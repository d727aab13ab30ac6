#pragma once

#include <QSet>

#include <functional>
#include <vector>

class TExamModel;

// How many questions of a stretch of the exam are answered, unanswered and flagged for review.
struct TQuestionCounts
{
    qint32 Answered = 0;
    qint32 Unanswered = 0;
    qint32 Flagged = 0;
};

// Whether each question of the exam has an answer, by absolute index, in one pass.
std::vector<bool> AnsweredQuestions(const TExamModel &exam);

// The counts of questions first .. first + count - 1.
TQuestionCounts CountQuestions(const std::vector<bool> &answered, const QSet<int> &flags, int first, int count);

// The first question after from, going round past the last, that is wanted; from itself comes
// last. -1 when none is.
int NextQuestion(int count, int from, const std::function<bool(int index)> &wanted);
