// The learner's local store: flags kept per exam, its schema, and stores that cannot be used.

#include "UnitLocalStore.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Digest(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

// A store with a few flags, closed again.
void MakeStore(const QString &path)
{
    TLocalStore store(path);
    ASSERT_TRUE(store.Usable());
    for (int question = 0; question < 400; ++question)
        store.SetFlagged(QStringLiteral("{exam-%1}").arg(question % 7), question, true);
    QSqlQuery(store.Database()).exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

} // namespace

TEST(LocalStore, FlagsAreKeptPerExamAcrossRuns)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("data/learner.sqlite");
    {
        TLocalStore store(path);
        EXPECT_EQ(store.Outcome(), TLocalStore::TOutcome::Created);
        EXPECT_TRUE(store.SetFlagged("{a}", 3, true));
        EXPECT_TRUE(store.SetFlagged("{a}", 3, true)); // twice is once
        EXPECT_TRUE(store.SetFlagged("{a}", 7, true));
        EXPECT_TRUE(store.SetFlagged("{b}", 3, true));
        EXPECT_TRUE(store.SetFlagged("{a}", 7, false));
        EXPECT_FALSE(store.SetFlagged("", 1, true)); // an exam without an identity keeps none
        EXPECT_FALSE(store.SetFlagged("{a}", -1, true));
    }
    TLocalStore store(path);
    EXPECT_EQ(store.Outcome(), TLocalStore::TOutcome::Opened);
    EXPECT_EQ(store.Flags("{a}"), QSet<int>({3}));
    EXPECT_EQ(store.Flags("{b}"), QSet<int>({3}));
    EXPECT_EQ(store.Flags("{c}"), QSet<int>());
    EXPECT_TRUE(store.ClearFlags("{a}"));
    EXPECT_EQ(store.Flags("{a}"), QSet<int>());
    EXPECT_EQ(store.Flags("{b}"), QSet<int>({3}));
}

TEST(LocalStore, AStoreOfAnOlderSchemaIsBroughtUpToDate)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("learner.sqlite");
    {
        // A store from before any table: version 0, with something of its own that stays.
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "old");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec("CREATE TABLE notes (text TEXT)"));
        db.close();
    }
    QSqlDatabase::removeDatabase("old");
    TLocalStore store(path);
    EXPECT_EQ(store.Outcome(), TLocalStore::TOutcome::Opened);
    QSqlQuery query(store.Database());
    ASSERT_TRUE(query.exec("PRAGMA user_version") && query.next());
    EXPECT_EQ(query.value(0).toInt(), TLocalStore::SchemaVersion);
    EXPECT_TRUE(query.exec("SELECT count(*) FROM notes"));
    EXPECT_TRUE(store.SetFlagged("{a}", 1, true));
}

// Every store that cannot be used as it is: what becomes of it, and the exam goes on regardless.
TEST(LocalStore, StoresThatCannotBeUsed)
{
    struct TCase
    {
        const char *name;
        std::function<void(const QString &path)> spoil;
        TLocalStore::TOutcome outcome;
        bool usable;
    };
    const TCase cases[] = {
        {"not a database",
         [](const QString &path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(QByteArray("this is a learner's note, not a database\n").repeated(200));
         },
         TLocalStore::TOutcome::MovedAside, true},
        {"damaged pages",
         [](const QString &path) {
             MakeStore(path);
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             file.seek(4096); // every page after the first: the schema survives, the tables do not
             file.write(QByteArray(int(file.size() - 4096), '\x5A'));
         },
         TLocalStore::TOutcome::MovedAside, true},
        {"cut short",
         [](const QString &path) {
             MakeStore(path);
             QFile::resize(path, 4096 + 100);
         },
         TLocalStore::TOutcome::MovedAside, true},
        {"written by a newer program",
         [](const QString &path) {
             MakeStore(path);
             TLocalStore store(path);
             QSqlQuery(store.Database()).exec("PRAGMA user_version = 99");
             QSqlQuery(store.Database()).exec("PRAGMA journal_mode = DELETE");
         },
         TLocalStore::TOutcome::RefusedNewer, false},
        {"a folder in its place", [](const QString &path) { QDir().mkpath(path); }, TLocalStore::TOutcome::Failed, false},
        {"an empty file", [](const QString &path) { QFile::resize(path, 0) || QFile(path).open(QIODevice::WriteOnly); },
         TLocalStore::TOutcome::Opened, true},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath("learner.sqlite");
        c.spoil(path);
        const QByteArray before = Digest(path);
        TLocalStore store(path);
        EXPECT_EQ(store.Outcome(), c.outcome);
        EXPECT_EQ(store.Usable(), c.usable);
        EXPECT_EQ(store.SetFlagged("{exam}", 2, true), c.usable);
        EXPECT_EQ(store.Flags("{exam}"), c.usable ? QSet<int>({2}) : QSet<int>());
        if (c.outcome == TLocalStore::TOutcome::MovedAside)
            EXPECT_EQ(Digest(store.MovedTo()), before) << "kept as it was for whoever wants to look";
        if (c.outcome == TLocalStore::TOutcome::RefusedNewer) {
            EXPECT_EQ(store.FoundVersion(), 99);
            EXPECT_EQ(Digest(path), before) << "nothing changed";
        }
    }
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // Qt SQL loads its drivers as plugins
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
