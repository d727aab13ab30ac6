// The window's share of one autosave of a running exam of 300 questions with 300 pictures of 60 KB:
// the snapshot and the hand-over to the worker thread, against the synchronous save it replaces.
// Goal: at most 2 ms on the window's thread.

#include "UnitAutosaver.h"
#include "UnitExamModel.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include "BenchReport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int Questions = 300;
constexpr int PictureBytes = 60 * 1024;
constexpr double GoalMilliseconds = 2.0;

struct TFixture
{
    TExamModel model{QStringLiteral("Benchmark"), 10800, 600};
    QTemporaryDir dir;

    TFixture()
    {
        model.GUIDStr = QStringLiteral("BENCH");
        QRandomGenerator random(42);
        for (int subject = 0; subject < 3; ++subject) {
            auto predmet = std::make_unique<TExamPredmet>(QStringLiteral("Subject %1").arg(subject), subject + 1, subject + 1, false);
            for (const QString &format : {QStringLiteral("#"), QStringLiteral("(######)")}) {
                auto part = std::make_unique<TPredmetPart>(format, 1, 1, true, 4, 1.0);
                part->Answer = format.repeated(Questions / 6);
                part->UserAnswer = part->Answer;
                predmet->Parts.push_back(std::move(part));
            }
            model.Predmets.push_back(std::move(predmet));
        }
        for (int i = 0; i < Questions; ++i) {
            QByteArray picture(PictureBytes, Qt::Uninitialized);
            random.fillRange(reinterpret_cast<quint32 *>(picture.data()), PictureBytes / 4);
            model.images.append(picture);
            model.IDS.insert(100000 + i, i);
        }
    }
};

TFixture &Fixture()
{
    static TFixture fixture;
    return fixture;
}

// What the window does on every change: snapshot, hand over, go on.
void BM_AutosaveOnTheWindowThread(benchmark::State &state)
{
    TFixture &f = Fixture();
    TAutosaver saver{TRecoveryStore(f.dir.filePath(QStringLiteral("async")))};
    int question = 0;
    for (auto _ : state) {
        f.model.LastFocusedIndex = question++ % Questions;
        saver.Submit(f.model.Clone(), {QString(), 1, QDateTime::currentDateTimeUtc()});
    }
    saver.Flush(); // after the timed loop
}
BENCHMARK(BM_AutosaveOnTheWindowThread)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same copy written on the window's thread, as a save to a file is.
void BM_SynchronousSave(benchmark::State &state)
{
    TFixture &f = Fixture();
    const TRecoveryStore store(f.dir.filePath(QStringLiteral("sync")));
    for (auto _ : state)
        store.Write(f.model, {QString(), 1, QDateTime::currentDateTimeUtc()});
}
BENCHMARK(BM_SynchronousSave)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double window = reporter.Time("BM_AutosaveOnTheWindowThread") / 1000.0; // reported in µs
    const double synchronous = reporter.Time("BM_SynchronousSave");
    std::printf("\nBM_AutosaveOnTheWindowThread = %.4f ms per autosave (goal %.1f ms) %s; the synchronous save takes %.1f ms\n",
                window, GoalMilliseconds, window <= GoalMilliseconds ? "met" : "MISSED", synchronous);
    benchmark::Shutdown();
    return 0;
}
