// Saving a file whole or not at all, and telling the learner plainly why a save failed.

#include "ExamFixtures.h"
#include "TavelkoError.h"
#include "UnitAtomicSave.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A small disk of its own, as a tmpfs; false where this process may not mount one.
bool Mount(const QString &folder, const QString &options)
{
    return QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tavelko-test", folder}) == 0;
}

} // namespace

TEST(AtomicSave, ReplacesWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("file.bin");
    SaveFileAtomically(path, "first");
    SaveFileAtomically(path, "second");
    EXPECT_EQ(ReadFile(path), "second");
    {
        TAtomicFile file(path);
        file.Write("never committed");
    }
    EXPECT_EQ(ReadFile(path), "second");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"file.bin"});
}

TEST(AtomicSave, FailuresSayWhatHappened)
{
    const QString missing = QDir::temp().filePath("tavelko-no-such-folder");
    const struct { int errorNumber; QString folder; QString fallback; QString expected; } cases[] = {
        {ENOSPC, QDir::tempPath(), "Unknown error", "the disk is full"},
        {EDQUOT, QDir::tempPath(), "Unknown error", "the disk is full"},
        {EROFS, QDir::tempPath(), "Unknown error", "the disk is read-only"},
        {EACCES, QDir::tempPath(), "Permission denied", "there is no permission to write in the folder"},
        {0, missing, "Unknown error", "the folder does not exist"},
        {0, QDir::tempPath(), "Unknown error", "the file could not be written"},
        {EIO, QDir::tempPath(), "Input/output error", "Input/output error"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DescribeWriteFailure(c.errorNumber, c.folder, c.fallback), c.expected) << c.errorNumber;
}

// On a real disk that is full or read-only, an exam save says so and the previous file stays.
TEST(AtomicSave, AFullOrReadOnlyDiskIsNamed)
{
    QTemporaryDir dir;
    if (!Mount(dir.path(), "size=256k"))
        GTEST_SKIP() << "this process may not mount a small disk";
    auto unmount = qScopeGuard([&] { QProcess::execute("umount", {dir.path()}); });
    const QString path = dir.filePath("exam.qmvx");
    const auto exam = MakeFullExam();
    exam->SaveToFile(path);
    const QByteArray before = ReadFile(path);

    QByteArray noise(1 << 20, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    exam->images[0] = noise; // does not fit
    try {
        exam->SaveToFile(path);
        ADD_FAILURE() << "saved on a full disk";
    } catch (const TTavelkoError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Could not save \"%1\": the disk is full.").arg(path));
    }
    EXPECT_EQ(ReadFile(path), before);

    ASSERT_EQ(QProcess::execute("mount", {"-o", "remount,ro", dir.path()}), 0);
    try {
        MakeFullExam()->SaveToFile(path);
        ADD_FAILURE() << "saved on a read-only disk";
    } catch (const TTavelkoError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Could not save \"%1\": the disk is read-only.").arg(path));
    }
    EXPECT_EQ(ReadFile(path), before);
}
