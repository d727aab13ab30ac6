// The learner's local store, used on the window's thread.
// Writes while the exam clock runs: one flag set or taken away, in a store that already keeps
// 10,000 flags of 100 exams; one finished attempt of 100 questions. Goal: at most 2 ms each.
// The progress page opening on a history of 1000 attempts of 100 questions: at most 100 ms.

#include "UnitHistory.h"
#include "UnitLocalStore.h"
#include "UnitProgressPage.h"

#include <QApplication>
#include <QTemporaryDir>

#include "BenchReport.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr double GoalMilliseconds = 2.0;
constexpr double ProgressGoalMilliseconds = 100.0;

// An attempt of 100 questions over 4 subjects of 10 topics each, some right, some wrong.
TAttempt SyntheticAttempt(int number)
{
    TAttempt attempt;
    attempt.examGuid = QStringLiteral("{bench}");
    attempt.examKey = QStringLiteral("{bench}/%1").arg(number);
    attempt.modelName = QStringLiteral("Full mock exam");
    attempt.finishedAt = QDateTime::fromSecsSinceEpoch(1700000000 + qint64(number) * 3600, Qt::UTC);
    attempt.durationSeconds = 5400;
    attempt.scores.push_back({-1, -1, attempt.modelName, {42.5, 60, 30, 10}});
    for (int q = 0; q < 100; ++q) {
        TAttemptQuestion question;
        question.number = q + 1;
        question.questionId = qint64(number) * 100 + q;
        question.subjectIndex = q / 25;
        question.subject = QStringLiteral("Subject %1").arg(q / 25);
        question.subjectBase = q / 25 + 1;
        question.topic = 1 + (q + number) % 10;
        question.format = QStringLiteral("#");
        question.correct = QStringLiteral("A");
        question.given = (q * 7 + number) % 3 == 0 ? QStringLiteral("B") : (q + number) % 5 == 0 ? QStringLiteral("#") : QStringLiteral("A");
        question.outcome = JudgeAnswer(question.format, question.correct, question.given);
        attempt.questions.push_back(question);
    }
    return attempt;
}

struct THistoryFixture
{
    QTemporaryDir dir;
    TLocalStore store{dir.filePath(QStringLiteral("learner.sqlite"))};
    THistory history{store};
    THistoryFixture()
    {
        for (int number = 0; number < 1000; ++number)
            history.RecordAttempt(SyntheticAttempt(number));
    }
};

THistoryFixture &History()
{
    static THistoryFixture fixture;
    return fixture;
}

void BM_AttemptWrite(benchmark::State &state)
{
    QTemporaryDir dir;
    TLocalStore store(dir.filePath(QStringLiteral("learner.sqlite")));
    THistory history(store);
    int number = 0;
    for (auto _ : state)
        history.RecordAttempt(SyntheticAttempt(number++));
}
BENCHMARK(BM_AttemptWrite)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The history alone: read and summed by subject and topic.
void BM_ProgressRead(benchmark::State &state)
{
    THistoryFixture &fixture = History();
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.history.Progress());
}
BENCHMARK(BM_ProgressRead)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// From the click to a filled page: the history read and summed, the table and the chart built.
void BM_ProgressPageOpens(benchmark::State &state)
{
    THistoryFixture &fixture = History();
    TProgressPage page;
    page.resize(1280, 800);
    for (auto _ : state) {
        page.Show(fixture.history.Progress());
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ProgressPageOpens)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_FlagWrite(benchmark::State &state)
{
    QTemporaryDir dir;
    TLocalStore store(dir.filePath(QStringLiteral("learner.sqlite")));
    for (int exam = 0; exam < 100; ++exam)
        for (int question = 0; question < 100; ++question)
            store.SetFlagged(QStringLiteral("{exam-%1}").arg(exam), question, true);
    int question = 0;
    for (auto _ : state) {
        const bool flagged = (question / 240) % 2 == 0;
        store.SetFlagged(QStringLiteral("{exam-running}"), question++ % 240, flagged);
    }
}
BENCHMARK(BM_FlagWrite)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // Qt SQL loads its drivers as plugins; the page is a widget
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double write = reporter.Time("BM_FlagWrite") / 1000.0; // reported in µs
    const double attempt = reporter.Time("BM_AttemptWrite") / 1000.0;
    const double progress = reporter.Time("BM_ProgressPageOpens");
    std::printf("\nBM_FlagWrite = %.3f ms per flag (goal %.1f ms) %s\n", write, GoalMilliseconds,
                write <= GoalMilliseconds ? "met" : "MISSED");
    std::printf("BM_AttemptWrite = %.3f ms per attempt of 100 questions (goal %.1f ms) %s\n", attempt, GoalMilliseconds,
                attempt <= GoalMilliseconds ? "met" : "MISSED");
    std::printf("BM_ProgressPageOpens = %.1f ms with 1000 attempts of 100 questions (goal %.0f ms) %s\n", progress,
                ProgressGoalMilliseconds, progress <= ProgressGoalMilliseconds ? "met" : "MISSED");
    benchmark::Shutdown();
    return 0;
}
