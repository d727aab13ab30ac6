#include "ExamFixtures.h"
#include "TavelkoError.h"

#include <gtest/gtest.h>

TEST(ExamModel, CreateSetsTheFreshState)
{
    TExamModel model("Name", 3600, 600);
    EXPECT_EQ(model.Time, 3600);
    EXPECT_EQ(model.RestTime, 3600);
    EXPECT_EQ(model.WarningTime, 600);
    EXPECT_EQ(model.Price, 0);
    EXPECT_FALSE(model.Finished);
    EXPECT_EQ(model.LastFocusedIndex, -1);
    EXPECT_EQ(model.QuestionsCount(), 0);
    EXPECT_FALSE(model.Saveable());
}

TEST(ExamModel, PartsCountWholeQuestionsOnly)
{
    TExamModel model("", 0, 0);
    TExamPredmet &predmet = AddPredmet(model, "P");
    AddPart(predmet, "(######)", "(123456)(654321)12345");
    EXPECT_EQ(model.QuestionsCount(), 2);
    EXPECT_FALSE(model.GetQuestion(2).Exists());

    TExamModel shortParts("", 0, 0);
    AddPart(AddPredmet(shortParts, "P"), "(######)", "(1234");
    EXPECT_EQ(shortParts.QuestionsCount(), 0);
    EXPECT_FALSE(shortParts.Saveable());
}

TEST(ExamModel, AbsoluteIndexRunsOverSubjectsAndParts)
{
    TExamModel model("", 0, 0);
    TExamPredmet &first = AddPredmet(model, "First");
    AddPart(first, "#", QString(25, 'A'));
    AddPart(first, "(######)", "(1#####)(2#####)");
    TExamPredmet &second = AddPredmet(model, "Second");
    AddPart(second, "#", "BC");

    const TSimpleQuestion q25 = model.GetQuestion(25);
    EXPECT_EQ(q25.Format, "(######)");
    EXPECT_EQ(q25.Answer, "(1#####)");
    EXPECT_EQ(q25.UserAnswer, "(######)");
    EXPECT_EQ(model.GetQuestion(28).Answer, "C");
    EXPECT_EQ(model.GetQuestion(29).Format, QString(QChar(0)));
    EXPECT_EQ(model.GetQuestion(-1).Format, QString(QChar(0)));

    EXPECT_EQ(model.GetAbsoluteIndex(0, 3), 3);
    EXPECT_EQ(model.GetAbsoluteIndex(1, 1), 28);
    EXPECT_EQ(model.GetAbsoluteIndex(2, 0), 29);
    EXPECT_THROW(model.GetAbsoluteIndex(3, 0), TTavelkoError);

    EXPECT_EQ(model.GetPredmetNameForQuestionIndex(26), "First");
    EXPECT_EQ(model.GetPredmetNameForQuestionIndex(27), "Second");
    EXPECT_EQ(model.GetPredmetNameForQuestionIndex(29), "");
}

TEST(ExamModel, SetQuestionTouchesOnlyItsQuestion)
{
    TExamModel model("", 0, 0);
    TPredmetPart &part = AddPart(AddPredmet(model, "P"), "(######)", "(1#####)(2#####)(3#####)");
    part.UserAnswer = "(9#####)(8#####)(7#####)";

    TSimpleQuestion q = model.GetQuestion(1);
    model.SetQuestion(1, q);
    EXPECT_EQ(part.UserAnswer, "(9#####)(8#####)(7#####)");

    q.UserAnswer = "(-4.5##)";
    q.Quotient = 5;
    model.SetQuestion(1, q);
    EXPECT_EQ(part.UserAnswer, "(9#####)(-4.5##)(7#####)");
    EXPECT_EQ(part.Answer, "(1#####)(2#####)(3#####)");
    EXPECT_EQ(part.Quotient, 5);

    model.SetQuestion(3, q); // no such question
    EXPECT_EQ(part.UserAnswer, "(9#####)(-4.5##)(7#####)");

    q.UserAnswer = "(1"; // too short: only the characters it has
    model.SetQuestion(0, q);
    EXPECT_EQ(part.UserAnswer, "(1#####)(-4.5##)(7#####)");
}

TEST(ExamModel, ResetAndUnansweredCount)
{
    auto model = MakeFullExam();
    EXPECT_EQ(model->UnUnsweredCount(), model->QuestionsCount() - 4);
    model->ResetUserAnswers();
    EXPECT_EQ(model->UnUnsweredCount(), model->QuestionsCount());
    EXPECT_EQ(model->Predmets[0]->Parts[0]->UserAnswer, "#####");
}

TEST(ExamModel, SaveableNeedsOneIdAndPicturePerQuestion)
{
    auto model = MakeFullExam();
    EXPECT_TRUE(model->Saveable());
    model->images.removeLast();
    EXPECT_FALSE(model->Saveable());
}

TEST(ExamModel, GetBaseIndexFindsTheIdOfAnIndex)
{
    auto model = MakeFullExam();
    EXPECT_EQ(model->GetBaseIndex(0), 7);
    EXPECT_EQ(model->GetBaseIndex(1), 5000000000LL);
    EXPECT_EQ(model->GetBaseIndex(999), 0);
}

TEST(ExamModel, AdaptToModelList)
{
    const TModelList list = {{"Wrong", {"other", 1, 1, 1, 1}},
                             {"First", {"G", 2, 7200, 300, 15}},
                             {"Second", {"G", 3, 60, 6, 1}}};
    TExamModel model("old", 100, 10);
    model.GUIDStr = "G";
    model.RestTime = 50;
    model.Finished = true;

    ASSERT_TRUE(model.AdaptToModelList(list, false));
    EXPECT_EQ(model.Name, "First");
    EXPECT_EQ(model.Time, 7200);
    EXPECT_EQ(model.WarningTime, 300);
    EXPECT_EQ(model.Price, 15);
    EXPECT_EQ(model.RestTime, 50);
    EXPECT_TRUE(model.Finished);

    ASSERT_TRUE(model.AdaptToModelList(list, true));
    EXPECT_EQ(model.RestTime, 7200);
    EXPECT_FALSE(model.Finished);

    model.GUIDStr = "g"; // case-sensitive
    EXPECT_FALSE(model.AdaptToModelList(list, true));
    EXPECT_EQ(model.Name, "First");
}
