#include "ExamFixtures.h"

#include <gtest/gtest.h>

TEST(Scoring, NormalizeAnswer)
{
    struct Case { const char *format, *value, *expected; };
    const Case cases[] = {
        {"#", "c", "C"},
        {"#", "#", "#"},
        {"[#####][#####][#####]", "[B#A##][#####][##E#D]", "[AB###][#####][###DE]"},
        {"[#####][#####][#####]", "[eeeee][x####][#####]", "[####E][#####][#####]"},
        {"[#####][#####][#####]", "[C", "[##C##][#####][#####]"},
        {"(######)", "(#1#2.#)", "(12.###)"},
        {"(######)", "(######)", "(######)"},
        {"(######)", "(-12345)", "(-12345)"},
        {"(######)", "", "########)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(NormalizeAnswer(c.format, c.value), c.expected);
    }
}

namespace {

// One subject holding one part with the given counts of right, wrong and blank answers.
TTotalResult ScoreOf(qint32 quotient, qint32 denominator, bool lead, qint32 coef, int right, int wrong, int blank)
{
    TExamModel model("", 0, 0);
    TPredmetPart &part = AddPart(AddPredmet(model, "P"), "#", QString(right + wrong + blank, 'A'), quotient,
                                 denominator, lead, coef);
    part.UserAnswer = QString(right, 'a') + QString(wrong, 'B') + QString(blank, '#');
    return model.TotalResult();
}

} // namespace

TEST(Scoring, WorkedExamples)
{
    struct Case { qint32 q, d; bool lead; qint32 coef; int right, wrong, blank; double score; };
    const Case cases[] = {
        {1, 1, true, 4, 10, 8, 2, 8.0},
        {3, 2, true, 3, 5, 4, 1, 5.5},
        {1, 1, false, 4, 10, 8, 2, 10.0},
        {1, 1, true, 4, 0, 2, 0, 0.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.score);
        const TTotalResult r = ScoreOf(c.q, c.d, c.lead, c.coef, c.right, c.wrong, c.blank);
        EXPECT_DOUBLE_EQ(r.Score, c.score);
        EXPECT_EQ(r.Correct, c.right);
        EXPECT_EQ(r.InCorrect, c.wrong);
        EXPECT_EQ(r.Unanswered, c.blank);
    }
}

TEST(Scoring, CanonicalFormsMatch)
{
    TExamModel model("", 0, 0);
    TExamPredmet &predmet = AddPredmet(model, "P");
    TPredmetPart &digits = AddPart(predmet, "(######)", "(##1.5#)(######)(-2####)");
    digits.UserAnswer = "(1.5###)(3#####)(######)";
    TPredmetPart &match = AddPart(predmet, "[#####][#####][#####]", "[AB###][##C##][####E][AB###][##C##][####E]");
    match.UserAnswer = "[BA###][C####][E####][AB###][##C##][###DE]";
    TPredmetPart &classic = AddPart(predmet, "#", "cd");
    classic.UserAnswer = "C#";

    EXPECT_EQ(digits.TotalResult().Correct, 1);
    EXPECT_EQ(digits.TotalResult().InCorrect, 1) << "a blank correct answer can never be right";
    EXPECT_EQ(digits.TotalResult().Unanswered, 1);
    EXPECT_EQ(match.TotalResult().Correct, 1);
    EXPECT_EQ(match.TotalResult().InCorrect, 1) << "one extra letter makes the question wrong";
    EXPECT_EQ(classic.TotalResult().Correct, 1);
}

TEST(Scoring, SubjectFloorAndExamTotal)
{
    TExamModel model("", 0, 0);
    TExamPredmet &first = AddPredmet(model, "First");
    AddPart(first, "#", "AA", 1, 1, true, 1).UserAnswer = "BB"; // -2.0
    AddPart(first, "#", "A").UserAnswer = "A";                 // +1.0
    TExamPredmet &second = AddPredmet(model, "Second");
    AddPart(second, "#", "AAAAA").UserAnswer = "AAAAA";
    AddPart(second, "#", "").UserAnswer = "";

    EXPECT_DOUBLE_EQ(first.TotalResult().Score, 0.0);
    EXPECT_EQ(first.TotalResult().InCorrect, 2);
    EXPECT_DOUBLE_EQ(model.TotalResult().Score, 5.0);
    EXPECT_EQ(model.TotalResult().Correct, 6);
    const TTotalResult empty = second.Parts[1]->TotalResult();
    EXPECT_EQ(empty.Score, 0);
    EXPECT_EQ(empty.Correct + empty.InCorrect + empty.Unanswered, 0);
}

TEST(Scoring, WrappedDivisorStaysDefined)
{
    // 65536 x 65536 wraps to 0 in 32 bits.
    EXPECT_DOUBLE_EQ(ScoreOf(1, 65536, false, 65536, 1, 1, 0).Score, 1.0 / 65536);
    EXPECT_DOUBLE_EQ(ScoreOf(1, 65536, true, 65536, 1, 1, 0).Score, 0.0); // -inf, floored
}
