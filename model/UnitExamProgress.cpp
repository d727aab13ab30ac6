#include "UnitExamProgress.h"

#include "UnitExamModel.h"

std::vector<bool> AnsweredQuestions(const TExamModel &exam)
{
    std::vector<bool> answered;
    answered.reserve(size_t(std::max(0, exam.QuestionsCount())));
    for (const auto &predmet : exam.Predmets)
        for (const auto &part : predmet->Parts) {
            const qsizetype length = part->Format.size();
            for (qint32 i = 0; i < part->QuestionsCount(); ++i)
                answered.push_back(!IsBlankAnswer(part->Format, part->UserAnswer.mid(i * length, length)));
        }
    return answered;
}

TQuestionCounts CountQuestions(const std::vector<bool> &answered, const QSet<int> &flags, int first, int count)
{
    TQuestionCounts counts;
    for (int index = std::max(0, first); index < first + count && index < int(answered.size()); ++index) {
        (answered[size_t(index)] ? counts.Answered : counts.Unanswered) += 1;
        if (flags.contains(index))
            ++counts.Flagged;
    }
    return counts;
}

int NextQuestion(int count, int from, const std::function<bool(int index)> &wanted)
{
    for (int step = 1; step <= count; ++step) {
        const int index = ((from + step) % count + count) % count;
        if (wanted(index))
            return index;
    }
    return -1;
}
