// The learner's local store: flags kept per exam, its schema, and stores that cannot be used.

#include "ExamFixtures.h"
#include "UnitHistory.h"
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

// A store as an older program left it: the statements run on a fresh database.
void MakeOldStore(const QString &path, const QStringList &statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "old");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const QString &statement : statements)
            ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
    }
    QSqlDatabase::removeDatabase("old");
}

TEST(LocalStore, AStoreOfAnOlderSchemaIsBroughtUpToDate)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("learner.sqlite");
    // From before any table: version 0, with something of its own that stays.
    MakeOldStore(path, {"CREATE TABLE notes (text TEXT)"});
    TLocalStore store(path);
    EXPECT_EQ(store.Outcome(), TLocalStore::TOutcome::Opened);
    QSqlQuery query(store.Database());
    ASSERT_TRUE(query.exec("PRAGMA user_version") && query.next());
    EXPECT_EQ(query.value(0).toInt(), TLocalStore::SchemaVersion);
    EXPECT_TRUE(query.exec("SELECT count(*) FROM notes"));
    EXPECT_TRUE(store.SetFlagged("{a}", 1, true));
}

TEST(LocalStore, AFlagStoreOfTheFirstVersionKeepsItsFlags)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("learner.sqlite");
    MakeOldStore(path, {"CREATE TABLE flags (exam_key TEXT NOT NULL, question INTEGER NOT NULL,"
                        " PRIMARY KEY (exam_key, question)) WITHOUT ROWID",
                        "INSERT INTO flags VALUES ('{a}', 4)", "PRAGMA user_version = 1"});
    TLocalStore store(path);
    EXPECT_EQ(store.Outcome(), TLocalStore::TOutcome::Opened);
    EXPECT_EQ(store.Flags("{a}"), QSet<int>({4}));
    EXPECT_EQ(THistory(store).AttemptCount(), 0); // the history's tables are there
}

TEST(History, AttemptsMakeTheProgressByTopic)
{
    QTemporaryDir dir;
    TLocalStore store(dir.filePath("learner.sqlite"));
    THistory history(store);
    auto exam = MakeFullExam();
    // The first subject's questions: ids 7, 5000000000 ... in topics 4, 4, 5, 5, 5 of sub-branch 1.
    QHash<qint64, QString> paths{{7, "DataBase/1/1/4/q"}};
    for (qint64 id = 5000000000LL; id < 5000000004LL; ++id)
        paths.insert(id, QStringLiteral("DataBase/1/1/%1/q").arg(id == 5000000000LL ? 4 : 5));
    ASSERT_TRUE(history.RecordDrawn(paths, QDateTime::fromSecsSinceEpoch(1800000000, Qt::UTC)));
    EXPECT_EQ(history.SeenQuestions().value(7), 1800000000000LL);
    const QHash<qint64, QString> known = history.Paths({7, 99});
    EXPECT_EQ(known.size(), 1);
    EXPECT_EQ(known.value(7), "DataBase/1/1/4/q");

    const QStringList answers = {"#####", "AB###", "ABCDE"}; // none, two right, all right
    for (int i = 0; i < answers.size(); ++i) {
        exam->Predmets[0]->Parts[0]->UserAnswer = answers[i];
        const TAttempt attempt = MakeAttempt(*exam, history.Paths(exam->IDS.keys()), {}, QDateTime::fromSecsSinceEpoch(1800000000 + i * 86400, Qt::UTC));
        ASSERT_TRUE(history.RecordAttempt(attempt));
    }
    EXPECT_EQ(history.AttemptCount(), 3);
    const TProgress progress = history.Progress(2);
    ASSERT_EQ(progress.attempts.size(), 3u);
    EXPECT_LT(progress.attempts[0].finishedAt, progress.attempts[2].finishedAt);
    ASSERT_EQ(progress.subjects.size(), 2u);
    const TSubjectProgress &math = progress.subjects[0];
    EXPECT_EQ(math.subject, "Riyaziyyat");
    // Topic 4 holds questions 1 and 2 (A, B): 0, 2 and 2 right of 2 in the three attempts.
    const auto topic4 = std::find_if(math.topics.begin(), math.topics.end(), [](const auto &t) { return t.topic == 4; });
    ASSERT_NE(topic4, math.topics.end());
    EXPECT_EQ(topic4->sub, 1);
    EXPECT_EQ(topic4->subjectBase, 1);
    EXPECT_EQ(topic4->asked, 6);
    EXPECT_EQ(topic4->answered, 4);
    EXPECT_EQ(topic4->right, 4);
    EXPECT_EQ(topic4->recent, std::vector<double>({1.0, 1.0})); // the last two attempts
    // The weakest first: questions without a known topic (never answered right) lead.
    ASSERT_FALSE(progress.weakest.empty());
    for (size_t i = 1; i < progress.weakest.size(); ++i)
        EXPECT_LE(progress.weakest[i - 1].ShareRight(), progress.weakest[i].ShareRight());
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
        if (c.outcome == TLocalStore::TOutcome::MovedAside) {
            EXPECT_EQ(Digest(store.MovedTo()), before) << "kept as it was for whoever wants to look";
        }
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
