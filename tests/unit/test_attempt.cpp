// A finished exam as an attempt: outcomes, readable answers, topics, the exam's key, and CSV.

#include "ExamFixtures.h"
#include "UnitAttempt.h"

#include <gtest/gtest.h>

TEST(Attempt, OutcomesAndReadableAnswers)
{
    struct TCase
    {
        QString format, correct, given;
        TAnswerOutcome outcome;
        QString readable; // of the given answer
    };
    const TCase cases[] = {
        {"#", "B", "B", TAnswerOutcome::Right, "B"},
        {"#", "B", "b", TAnswerOutcome::Right, "B"},
        {"#", "B", "C", TAnswerOutcome::Wrong, "C"},
        {"#", "B", "#", TAnswerOutcome::Blank, ""},
        {"(######)", "(4.2###)", "(4.2###)", TAnswerOutcome::Right, "4.2"},
        {"(######)", "(4.2###)", "(##4.2#)", TAnswerOutcome::Right, "4.2"}, // the same number, written further right
        {"(######)", "(-12###)", "(12####)", TAnswerOutcome::Wrong, "12"},
        {"(######)", "(1#####)", "(######)", TAnswerOutcome::Blank, ""},
        {"[#####][#####][#####]", "[A####][##C##][#B###]", "[A####][##C##][#B###]", TAnswerOutcome::Right, "A-C-B"},
        {"[#####][#####][#####]", "[A####][##C##][#B###]", "[A#C##][#####][#B###]", TAnswerOutcome::Wrong, "AC-_-B"},
        {"[#####][#####][#####]", "[A####][##C##][#B###]", "[#####][#####][#####]", TAnswerOutcome::Blank, ""},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.given.toStdString());
        EXPECT_EQ(JudgeAnswer(c.format, c.correct, c.given), c.outcome);
        EXPECT_EQ(ReadableAnswer(c.format, c.given), c.readable);
        EXPECT_EQ(ReadableAnswer(c.format, c.given).isEmpty(), IsBlankAnswer(c.format, c.given)); // one blank rule
    }
}

TEST(Attempt, PlacesOfPathsAsTheDrawReadsThem)
{
    struct TCase
    {
        QString path;
        bool subExists;
        int sub, topic;
    };
    const TCase cases[] = {
        {"DataBase/3/7/1234", false, 0, 7},
        {"DataBase/3/2/7/1234", true, 2, 7},
        {"DataBase/3/x/1234", false, 0, -1},
        {"DataBase/3", false, 0, -1},
        {"", true, -1, -1},
    };
    for (const TCase &c : cases) {
        const TPathPlace place = PlaceOfPath(c.path, c.subExists);
        EXPECT_EQ(place.sub, c.sub) << c.path.toStdString();
        EXPECT_EQ(place.topic, c.topic) << c.path.toStdString();
    }
}

TEST(Attempt, TwoExamsOfOneModelHaveTheirOwnKey)
{
    const auto exam = MakeFullExam();
    const auto same = exam->Clone();
    auto other = exam->Clone();
    other->IDS.remove(7);
    other->IDS.insert(8, 0); // another question drawn first
    EXPECT_EQ(exam->GUIDStr, other->GUIDStr);
    EXPECT_EQ(ExamKey(*exam), ExamKey(*same));
    EXPECT_NE(ExamKey(*exam), ExamKey(*other));
    EXPECT_TRUE(ExamKey(*exam).startsWith(exam->GUIDStr + "/"));
}

TEST(Attempt, MadeFromTheExamWithItsTopicsFlagsAndScores)
{
    const auto exam = MakeFullExam();
    const QHash<qint64, QString> paths{{7, "DataBase/1/1/4/q7"}, {5000000000LL, "DataBase/1/1/5/q"}};
    const TAttempt attempt = MakeAttempt(*exam, paths, {1, 9}, QDateTime::fromSecsSinceEpoch(1800000000, Qt::UTC));
    ASSERT_EQ(int(attempt.questions.size()), exam->QuestionsCount());
    EXPECT_EQ(attempt.durationSeconds, 10800 - 4321);
    EXPECT_EQ(attempt.Total().Correct, exam->TotalResult().Correct);
    EXPECT_EQ(attempt.scores.size(), size_t(1 + 2 + 3)); // the exam, two subjects, three parts
    const TAttemptQuestion &first = attempt.questions[0];
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.questionId, 7);
    EXPECT_EQ(first.sub, 1);
    EXPECT_EQ(first.topic, 4);
    EXPECT_EQ(first.outcome, TAnswerOutcome::Right); // "A" for "A"
    EXPECT_TRUE(attempt.questions[1].flagged);
    EXPECT_EQ(attempt.questions[2].outcome, TAnswerOutcome::Blank);
    EXPECT_EQ(attempt.questions[3].topic, -1); // its path is not known here
    EXPECT_EQ(attempt.questions.back().subject, "Русский язык");
}

TEST(Attempt, CsvIsUtf8WithAHeaderAndQuotedFields)
{
    auto exam = MakeFullExam();
    exam->Predmets[0]->Name = "Math, \"advanced\"";
    const TAttempt attempt = MakeAttempt(*exam, {}, {0}, QDateTime::currentDateTimeUtc());
    const QByteArray csv = AttemptCsv(attempt, {"No", "Subject", "Topic", "Correct", "Given", "Result", "Flagged"},
                                      {"right", "wrong", "no answer"}, {"Fractions"});
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + exam->QuestionsCount());
    EXPECT_EQ(lines[0], "No,Subject,Topic,Correct,Given,Result,Flagged");
    EXPECT_EQ(lines[1], "1,\"Math, \"\"advanced\"\"\",Fractions,A,A,right,1");
    EXPECT_EQ(lines[3], "3,\"Math, \"\"advanced\"\"\",,C,,no answer,0");
    EXPECT_EQ(lines.last(), "8,Русский язык,,A-B-C,,no answer,0");
}
