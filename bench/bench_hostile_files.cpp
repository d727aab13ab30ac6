// Exam files made to cost memory and time, each at most 1 MB on disk: how long reading each one
// takes and how much memory it costs beyond the picture bytes it really holds. Every file runs in
// a child process of its own, so that each peak is its own.
// Goal: under 1 s and at most 100 MB beyond the pictures, whether the file is refused or loaded.

#include "UnitExamModel.h"
#include "UnitZlib.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double GoalSeconds = 1.0;
constexpr double GoalMegabytes = 100.0;

// prefix, then unit repeated count times, then suffix, as one zlib stream at level 9.
QByteArray Compress(const QByteArray &prefix, const QByteArray &unit, qint64 count, const QByteArray &suffix)
{
    QByteArray out;
    TZlibDeflater deflater(9, [&out](QByteArrayView chunk) { out.append(chunk.data(), chunk.size()); });
    deflater.Add(prefix);
    const qint64 perBlock = std::max<qint64>(1, (1 << 20) / std::max<qsizetype>(unit.size(), 1));
    const QByteArray block = unit.repeated(perBlock);
    for (; count >= perBlock; count -= perBlock)
        deflater.Add(block);
    deflater.Add(unit.repeated(count));
    deflater.Add(suffix);
    deflater.Finish();
    return out;
}

QByteArray Hex(const char *hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

QByteArray Int32(qint32 value)
{
    QByteArray bytes = Hex("04");
    bytes.append(reinterpret_cast<const char *>(&value), 4);
    return bytes;
}

struct TCase
{
    const char *name;
    QByteArray file;
};

std::vector<TCase> Cases()
{
    const QByteArray head = Hex("06 01 67 06 00 06 01 4E 02 00 02 00 02 00 02 00 08 02 FF");
    const QByteArray emptySubject = Hex("06 01 53 02 01 02 01 08 02 FF");
    const QByteArray noSubjects = Hex("02 FF"), noPairs = Hex("02 00");
    const qint32 million = 1'000'000;
    QByteArray part = Hex("06 01 23");
    part += Hex("0C") + QByteArray::fromRawData("\x00\x40\x00\x00", 4) + QByteArray(16384, 'A');
    part += Hex("0C") + QByteArray::fromRawData("\x00\x40\x00\x00", 4) + QByteArray(16384, '#');
    part += Hex("02 01 02 01 08 02 01 15 00 00 00 00 00 00 F0 3F");
    QByteArray picture = Hex("04 00 00 00 01"); // 16 MiB
    return {
        {"10 million empty subjects", Compress(head + Int32(10 * million - 1), emptySubject, 10 * million, noPairs + Hex("02 FF"))},
        {"10 million parts", Compress(head + Hex("02 00 06 01 53 02 01 02 01 08") + Int32(10 * million - 1),
                                      Hex("06 01 23 12 00 00 00 00 12 00 00 00 00 02 01 02 01 08 02 01 15 00 00 00 00 00 00 F0 3F"),
                                      10 * million, noPairs + Hex("02 FF"))},
        {"an exam name of 1 GB", Compress(Hex("06 01 67 06 00 0C 00 00 00 40"), "x", qint64(1) << 30, QByteArray())},
        {"1000 parts of 16 K-character answers", Compress(head + Hex("02 00 06 01 53 02 01 02 01 08") + Int32(999), part, 1000, noPairs + Hex("02 FF"))},
        {"10 million question ids", Compress(head + noSubjects + Int32(10 * million), Hex("02 01 02 01"), 10 * million, Hex("02 FF"))},
        {"9 pictures of 16 MB", Compress(head + noSubjects + noPairs + Hex("02 08"), picture + QByteArray(16 << 20, '\0'), 9, QByteArray())},
        {"1 GB of data after the exam", Compress(head + noSubjects + noPairs + Hex("02 FF"), QByteArray(1 << 20, '\0'), 1000, QByteArray())},
    };
}

qint64 KilobytesOf(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// In the child: load, then write one line of figures to the pipe.
void Measure(const QString &path, int out)
{
    const qint64 before = KilobytesOf("VmHWM:");
    QElapsedTimer clock;
    clock.start();
    QString outcome = QStringLiteral("loaded");
    qint64 pictures = 0;
    {
        TExamModel model("", 0, 0);
        try {
            model.LoadFromStream(path);
            for (const QByteArray &image : model.images)
                pictures += image.size();
        } catch (const std::exception &) {
            outcome = QStringLiteral("refused");
        }
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    const double beyond = std::max<qint64>(0, (KilobytesOf("VmHWM:") - before) * 1024 - pictures) / 1048576.0;
    const QByteArray line = QStringLiteral("%1 %2 %3").arg(outcome).arg(seconds, 0, 'f', 3).arg(beyond, 0, 'f', 1).toUtf8();
    [[maybe_unused]] auto written = write(out, line.constData(), size_t(line.size()));
}

} // namespace

int main()
{
    QTemporaryDir dir;
    bool allMet = true;
    std::printf("%-40s %8s %9s %10s %14s\n", "file", "size", "outcome", "time", "beyond pictures");
    for (const TCase &c : Cases()) {
        const QString path = QDir(dir.path()).filePath(QStringLiteral("hostile.qmvx"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(c.file) != c.file.size())
            return 1;
        file.close();
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return 1;
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            close(pipeEnds[0]);
            Measure(path, pipeEnds[1]);
            _exit(0);
        }
        close(pipeEnds[1]);
        char buffer[128] = {};
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer - 1);
        close(pipeEnds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        const QList<QByteArray> fields = QByteArray(buffer, std::max<ssize_t>(got, 0)).split(' ');
        const bool finished = fields.size() == 3;
        const double seconds = finished ? fields[1].toDouble() : 0;
        const double megabytes = finished ? fields[2].toDouble() : 0;
        const bool met = finished && seconds < GoalSeconds && megabytes <= GoalMegabytes;
        allMet = allMet && met;
        std::printf("%-40s %6lld KB %9s %8.3f s %11.1f MB  %s\n", c.name, qint64(c.file.size()) / 1024,
                    finished ? fields[0].constData() : "crashed", seconds, megabytes, met ? "met" : "MISSED");
    }
    std::printf("\nevery file under %.0f s and %.0f MB beyond its pictures (goal): %s\n", GoalSeconds, GoalMegabytes,
                allMet ? "met" : "MISSED");
    return 0;
}
