// The recovery copy and the worker that writes it.

#include "ExamFixtures.h"
#include "TavelkoError.h"
#include "UnitAutosaver.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Recovery, TheCopyHoldsTheExamAndWhatItsFileCannot)
{
    QTemporaryDir dir;
    const TRecoveryStore store(dir.filePath("data"));
    EXPECT_FALSE(store.Exists());
    const auto exam = MakeFullExam();
    const QDateTime at = QDateTime::fromString("2026-12-11T08:00:00.250Z", Qt::ISODateWithMs);
    store.Write(*exam, {"/home/learner/exam.qmvx", 2, at});
    const auto copy = store.ReadExam();
    EXPECT_EQ(copy->GUIDStr, exam->GUIDStr);
    EXPECT_EQ(copy->GetQuestion(0).UserAnswer, exam->GetQuestion(0).UserAnswer);
    const TRecoveryInfo info = store.ReadInfo(*copy);
    EXPECT_EQ(info.FileName, "/home/learner/exam.qmvx");
    EXPECT_EQ(info.Page, 2);
    EXPECT_EQ(info.SavedAt, at);

    // Info of another exam (a kill between the two files) is not taken for this one's.
    TExamModel other("", 0, 0);
    other.GUIDStr = "{another}";
    EXPECT_TRUE(store.ReadInfo(other).FileName.isEmpty());

    QFile::resize(store.ExamPath(), 20);
    EXPECT_THROW(store.ReadExam(), TTavelkoError);
    const QString aside = store.MoveAside();
    EXPECT_TRUE(QFile::exists(aside));
    EXPECT_FALSE(store.Exists());
}

TEST(Recovery, TheWorkerKeepsOrderAndOnlyTheNewestWaitingCopy)
{
    QTemporaryDir dir;
    const TRecoveryStore store(dir.filePath("data"));
    const auto exam = MakeFullExam();
    auto answered = [&](const QString &answer) {
        auto copy = exam->Clone();
        TSimpleQuestion question = copy->GetQuestion(0);
        question.UserAnswer = answer;
        copy->SetQuestion(0, question);
        return copy;
    };
    {
        TAutosaver saver{store};
        for (const char *answer : {"A", "B", "C"})
            saver.Submit(answered(answer), {});
        saver.Flush();
        EXPECT_EQ(store.ReadExam()->GetQuestion(0).UserAnswer, "C");

        saver.Submit(answered("D"), {});
        saver.Discard();
        saver.Flush();
        EXPECT_FALSE(store.Exists()) << "a discard is never undone by a copy handed over before it";

        saver.Discard();
        saver.Submit(answered("E"), {});
    } // the destructor finishes what was handed over
    EXPECT_EQ(store.ReadExam()->GetQuestion(0).UserAnswer, "E");
    EXPECT_EQ(exam->GetQuestion(0).UserAnswer, "A") << "snapshots share nothing the window changes";
}
