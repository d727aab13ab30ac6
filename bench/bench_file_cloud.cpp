// Downloading 300 pictures of 60 KB from the local FTP server over one connection, against the
// curl command line fetching the same list over one connection.

#include "BenchServers.h"
#include "SilentServer.h"
#include "UnitTavelkoCloud.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int Files = 300;
constexpr int FileBytes = 60 * 1024;

QStringList Names()
{
    QStringList names;
    for (int i = 0; i < Files; ++i)
        names.append(QStringLiteral("bench/1/%1/q%2.png").arg(1 + i % 10).arg(i));
    return names;
}

void SeedOnce()
{
    QRandomGenerator random(7);
    const QDir root(FtpRoot() + QStringLiteral("/web/DataBase"));
    for (const QString &name : Names()) {
        const QString path = root.filePath(name);
        if (QFileInfo(path).size() == FileBytes)
            continue;
        QDir().mkpath(QFileInfo(path).path());
        QByteArray bytes(FileBytes, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), FileBytes / 4);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
}

void BM_DownLoadFiles(benchmark::State &state)
{
    const QStringList names = Names();
    for (auto _ : state) {
        const TDownloadFiles files = TTavelkoCloud::DownLoadFiles("web/DataBase", names, {});
        if (files.size() != size_t(Files) || !files.back())
            state.SkipWithError("the download came back short");
    }
    state.counters["files_per_second"] = benchmark::Counter(double(Files) * double(state.iterations()),
                                                            benchmark::Counter::kIsRate);
}

void BM_CurlCommandLine(benchmark::State &state)
{
    const TServerConfig config = TServerConfig::Load();
    QTemporaryDir dir;
    const QString list = dir.filePath("urls.txt");
    {
        QFile file(list);
        file.open(QIODevice::WriteOnly);
        for (const QString &name : Names()) {
            file.write(QStringLiteral("url = \"ftp://%1:%2/web/DataBase/%3\"\noutput = \"/dev/null\"\n")
                           .arg(config.FtpHost)
                           .arg(config.FtpPort)
                           .arg(name)
                           .toUtf8());
        }
    }
    const QByteArray command = QStringLiteral("curl -s -S --ftp-method singlecwd -u %1:%2 -K %3")
                                   .arg(config.FtpUser, config.FtpPassword, list)
                                   .toUtf8();
    for (auto _ : state) {
        if (std::system(command.constData()) != 0)
            state.SkipWithError("curl failed");
    }
    state.counters["files_per_second"] = benchmark::Counter(double(Files) * double(state.iterations()),
                                                            benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_DownLoadFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CurlCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

namespace {

// A call to a server that accepts and never answers: how long the caller goes unserved at most,
// and how soon Abort ends the call. Goals: 100 ms and 200 ms.
void SilentServer()
{
    const TSilentServerCall call = CallASilentServer(2000);
    std::printf("silent server: longest wait between served events %lld ms (goal 100 ms) %s; Abort ended the call in %lld ms "
                "(goal 200 ms) %s\n",
                static_cast<long long>(call.longestGapMs), call.longestGapMs <= 100 ? "met" : "MISSED",
                static_cast<long long>(call.abortToEndMs), call.abortToEndMs >= 0 && call.abortToEndMs <= 200 ? "met" : "MISSED");
}

} // namespace

int main(int argc, char **argv)
{
    return RunAgainstServers(argc, argv, [] {
        SeedOnce();
        SilentServer();
    }, {{{"BM_DownLoadFiles", "BM_CurlCommandLine"}, 1.1}});
}
