// Counting answered and flagged questions, and going round to the next one wanted.

#include "ExamFixtures.h"
#include "UnitExamProgress.h"

#include <gtest/gtest.h>

TEST(ExamProgress, CountsFollowTheOneBlankRule)
{
    const auto exam = MakeFullExam();
    const std::vector<bool> answered = AnsweredQuestions(*exam);
    ASSERT_EQ(int(answered.size()), exam->QuestionsCount());
    int blank = 0;
    for (int index = 0; index < exam->QuestionsCount(); ++index) {
        const TSimpleQuestion question = exam->GetQuestion(index);
        EXPECT_EQ(answered[size_t(index)], !IsBlankAnswer(question.Format, question.UserAnswer)) << index;
        blank += answered[size_t(index)] ? 0 : 1;
    }
    EXPECT_EQ(blank, exam->UnUnsweredCount());
    const TQuestionCounts all = CountQuestions(answered, {0, 1, 1000}, 0, int(answered.size()));
    EXPECT_EQ(all.Unanswered, blank);
    EXPECT_EQ(all.Answered + all.Unanswered, exam->QuestionsCount());
    EXPECT_EQ(all.Flagged, 2); // a flag beyond the exam counts for nothing
    EXPECT_EQ(CountQuestions(answered, {0}, 1, 3).Flagged, 0);
}

TEST(ExamProgress, NextGoesRoundAndComesBackLast)
{
    struct TCase
    {
        int count, from;
        std::vector<int> wanted;
        int next;
    };
    const TCase cases[] = {
        {10, 2, {5, 7}, 5},
        {10, 7, {5, 7}, 5}, // round past the end
        {10, 7, {7}, 7},    // only the current one: it stays
        {10, 3, {}, -1},
        {10, -1, {0}, 0},   // no current question: from the first
        {0, 0, {}, -1},
    };
    for (const TCase &c : cases) {
        const int next = NextQuestion(c.count, c.from, [&](int index) {
            return std::find(c.wanted.begin(), c.wanted.end(), index) != c.wanted.end();
        });
        EXPECT_EQ(next, c.next) << c.count << " from " << c.from;
    }
}
