// Capacity: K learners at once (K = 1, 4, 16), each a process of its own with its own
// connections, assembling an exam shaped like the demo's "Full mock exam" (58 questions in 11
// draws over four subjects, a picture of 40 KB each) against one MariaDB and one FTP server on
// loopback holding the million-question bank. Prints exams per minute, the median and 95th
// percentile assembly time, and the bytes the database sent per exam.

#include "BenchServers.h"
#include "UnitDataModule.h"
#include "UnitExamModel.h"
#include "UnitTavelkoCloud.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int ExamsPerLearner = 3;
constexpr int PictureBytes = 40 * 1024;

// The draws of the exam: pattern, format and count, as the Full mock exam asks them, each of a
// subject of the million-question bank that holds its format (1: "#", 2 and 4: six columns,
// 3 and 5: three groups).
struct TDraw
{
    const char *pattern;
    const char *format;
    int count;
};
const TDraw Draws[] = {
    {"R/1/%", "#", 15}, {"R/2/%", "(######)", 5}, {"R/3/%", "[#####][#####][#####]", 2},
    {"R/1/%", "#", 10}, {"R/4/%", "(######)", 4}, {"R/1/%", "#", 8},
    {"R/2/%", "(######)", 4}, {"R/1/%", "#", 6}, {"R/4/%", "(######)", 2},
    {"R/5/%", "[#####][#####][#####]", 2},
};

QStringList Pictures()
{
    QStringList names;
    for (int i = 0; i < 58; ++i)
        names.append(QStringLiteral("%1.png").arg(i));
    return names;
}

void SeedPictures()
{
    const QString folder = QDir(FtpRoot()).filePath(QStringLiteral("web/Capacity"));
    QDir().mkpath(folder);
    for (const QString &name : Pictures()) {
        QFile file(QDir(folder).filePath(name));
        if (file.exists() && file.size() == PictureBytes)
            continue;
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(PictureBytes, 'p'));
    }
}

// One learner: assembles the exams one after another and prints each one's time in ms.
int Learner()
{
    TDataModuleMain bank;
    for (int exam = 0; exam < ExamsPerLearner; ++exam) {
        QElapsedTimer clock;
        clock.start();
        TExamModel model(QString(), 0, 0);
        int drawn = 0;
        for (const TDraw &draw : Draws)
            drawn += int(bank.GetBaseQuestions(model, draw.count, 10, false, draw.pattern, draw.format).size());
        const TDownloadFiles pictures = TTavelkoCloud::DownLoadFiles(QStringLiteral("web/Capacity"), Pictures(), {});
        if (drawn != 58 || pictures.size() != 58)
            return 1;
        std::printf("%lld\n", static_cast<long long>(clock.elapsed()));
    }
    return 0;
}

qint64 BytesSent()
{
    TSqlConnection connection(TServerConfig::Load());
    connection.Open();
    TSqlStatement query(connection, QStringLiteral("SHOW GLOBAL STATUS LIKE 'Bytes_sent'"));
    query.Execute();
    return query.Next() ? query.Text(1).toLongLong() : 0;
}

void Round(const QString &program, int learners)
{
    const qint64 before = BytesSent();
    QElapsedTimer wall;
    wall.start();
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < learners; ++i) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->start(program, {QStringLiteral("--learner")});
    }
    std::vector<qint64> times;
    bool failed = false;
    for (auto &process : processes) {
        process->waitForFinished(600000);
        failed = failed || process->exitCode() != 0;
        for (const QByteArray &line : process->readAllStandardOutput().split('\n'))
            if (!line.trimmed().isEmpty())
                times.push_back(line.trimmed().toLongLong());
    }
    const double seconds = double(wall.elapsed()) / 1000.0;
    const qint64 sent = BytesSent() - before;
    std::sort(times.begin(), times.end());
    auto percentile = [&](double p) { return times.empty() ? 0 : times[std::min(times.size() - 1, size_t(p * double(times.size())))]; };
    std::printf("K = %2d learners: %6.1f exams per minute, assembly p50 %5lld ms, p95 %5lld ms, database sent %.1f KB per exam%s\n",
                learners, double(times.size()) * 60.0 / seconds, static_cast<long long>(percentile(0.5)),
                static_cast<long long>(percentile(0.95)), times.empty() ? 0.0 : double(sent) / 1024.0 / double(times.size()),
                failed ? " (SOME LEARNERS FAILED)" : "");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!LoadServerEnvironment()) {
        std::fprintf(stderr, "No servers: run through scripts/bench, which starts them.\n");
        return 1;
    }
    if (argc > 1 && QByteArray(argv[1]) == "--learner")
        return Learner();
    SeedMillionQuestions();
    SeedPictures();
    std::printf("Capacity on this machine (%d cores): %d exams per learner, 58 questions and 58 pictures of 40 KB each\n",
                QThread::idealThreadCount(), ExamsPerLearner);
    for (int learners : {1, 4, 16})
        Round(QCoreApplication::applicationFilePath(), learners);
    return 0;
}
