// Saving and loading an exam of 300 questions with 300 pictures of 60 KB of incompressible bytes,
// against plain zlib level-1 compression and inflation of the same value stream.

#include "BenchReport.h"
#include "UnitExamModel.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <zlib.h>

#include <memory>

namespace {

constexpr int Questions = 300;
constexpr int PictureBytes = 60 * 1024;

struct TFixture
{
    TExamModel model{QStringLiteral("Benchmark"), 10800, 600};
    QByteArray values;
    QByteArray compressed;
    QTemporaryDir dir;
    QString path;

    TFixture()
    {
        model.GUIDStr = QStringLiteral("BENCH");
        auto predmet = std::make_unique<TExamPredmet>(QStringLiteral("Riyaziyyat"), 1, 1, false);
        auto part = std::make_unique<TPredmetPart>(QStringLiteral("#"), 1, 1, true, 4, 1.0);
        part->Answer = QString(Questions, u'A');
        part->UserAnswer = QString(Questions, u'#');
        predmet->Parts.push_back(std::move(part));
        model.Predmets.push_back(std::move(predmet));
        QRandomGenerator random(42);
        for (int i = 0; i < Questions; ++i) {
            QByteArray picture(PictureBytes, Qt::Uninitialized);
            random.fillRange(reinterpret_cast<quint32 *>(picture.data()), PictureBytes / 4);
            model.images.append(picture);
            model.IDS.insert(100000 + i, i);
        }
        model.WriteToStream(values);
        path = dir.filePath(QStringLiteral("bench.qmvx"));
        model.SaveToFile(path);
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        compressed = file.readAll();
    }
};

TFixture &Fixture()
{
    static TFixture fixture;
    return fixture;
}

void BM_SaveToFile(benchmark::State &state)
{
    TFixture &f = Fixture();
    for (auto _ : state)
        f.model.SaveToFile(f.path);
    state.SetBytesProcessed(state.iterations() * f.values.size());
}

void BM_LoadFromStream(benchmark::State &state)
{
    TFixture &f = Fixture();
    for (auto _ : state) {
        TExamModel model(QString(), 0, 0);
        model.LoadFromStream(f.path);
        benchmark::DoNotOptimize(model.images.size());
    }
    state.SetBytesProcessed(state.iterations() * f.values.size());
}

void BM_ReadFromCompressed(benchmark::State &state)
{
    TFixture &f = Fixture();
    for (auto _ : state) {
        TExamModel model(QString(), 0, 0);
        model.ReadFromCompressed(f.compressed);
        benchmark::DoNotOptimize(model.images.size());
    }
    state.SetBytesProcessed(state.iterations() * f.values.size());
}

void PlainInflate(QByteArrayView compressed, QByteArray &out)
{
    uLongf size = uLongf(out.size());
    uncompress(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(compressed.data()),
               uLong(compressed.size()));
    benchmark::DoNotOptimize(size);
}

// The reference for loading a file: map it, as the loader does, and inflate it.
void BM_PlainZlibInflateFile(benchmark::State &state)
{
    TFixture &f = Fixture();
    QByteArray out(f.values.size(), Qt::Uninitialized);
    for (auto _ : state) {
        QFile file(f.path);
        file.open(QIODevice::ReadOnly);
        PlainInflate(QByteArrayView(file.map(0, file.size()), file.size()), out);
    }
    state.SetBytesProcessed(state.iterations() * f.values.size());
}

void BM_PlainZlibCompress(benchmark::State &state)
{
    TFixture &f = Fixture();
    QByteArray out(qsizetype(compressBound(uLong(f.values.size()))), Qt::Uninitialized);
    for (auto _ : state) {
        uLongf size = uLongf(out.size());
        compress2(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(f.values.constData()),
                  uLong(f.values.size()), 1);
        benchmark::DoNotOptimize(size);
    }
    state.SetBytesProcessed(state.iterations() * f.values.size());
}

void BM_PlainZlibInflate(benchmark::State &state)
{
    TFixture &f = Fixture();
    QByteArray out(f.values.size(), Qt::Uninitialized);
    for (auto _ : state)
        PlainInflate(f.compressed, out);
    state.SetBytesProcessed(state.iterations() * f.values.size());
}

} // namespace

BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainZlibCompress)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadFromStream)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainZlibInflateFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadFromCompressed)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainZlibInflate)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    return RunWithRatios(argc, argv,
                         {{{"BM_SaveToFile", "BM_PlainZlibCompress"}, 1.15},
                          {{"BM_LoadFromStream", "BM_PlainZlibInflateFile"}, 1.15},
                          {{"BM_ReadFromCompressed", "BM_PlainZlibInflate"}, 1.15}});
}
