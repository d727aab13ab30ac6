#include "UnitLocalStore.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

namespace {

// Each entry brings the schema from version i to i + 1, in one transaction.
const QList<QStringList> Migrations = {
    {
        QStringLiteral("CREATE TABLE flags (exam_key TEXT NOT NULL, question INTEGER NOT NULL,"
                       " PRIMARY KEY (exam_key, question)) WITHOUT ROWID"),
    },
    {
        // The history: attempts, their score lines and their questions; what was drawn, when.
        QStringLiteral("CREATE TABLE attempts (id INTEGER PRIMARY KEY, exam_guid TEXT NOT NULL, exam_key TEXT NOT NULL,"
                       " model_name TEXT NOT NULL, finished_at INTEGER NOT NULL, duration INTEGER NOT NULL,"
                       " score REAL NOT NULL, correct INTEGER NOT NULL, wrong INTEGER NOT NULL, blank INTEGER NOT NULL)"),
        QStringLiteral("CREATE INDEX attempts_finished ON attempts (finished_at)"),
        QStringLiteral("CREATE TABLE attempt_scores (attempt_id INTEGER NOT NULL REFERENCES attempts (id) ON DELETE CASCADE,"
                       " subject_index INTEGER NOT NULL, part INTEGER NOT NULL, name TEXT NOT NULL, score REAL NOT NULL,"
                       " correct INTEGER NOT NULL, wrong INTEGER NOT NULL, blank INTEGER NOT NULL,"
                       " PRIMARY KEY (attempt_id, subject_index, part)) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE attempt_questions (attempt_id INTEGER NOT NULL REFERENCES attempts (id) ON DELETE CASCADE,"
                       " number INTEGER NOT NULL, question_id INTEGER NOT NULL, subject_index INTEGER NOT NULL,"
                       " subject TEXT NOT NULL, subject_base INTEGER NOT NULL, sub INTEGER NOT NULL, topic INTEGER NOT NULL, format TEXT NOT NULL, correct TEXT NOT NULL,"
                       " given TEXT NOT NULL, outcome INTEGER NOT NULL, flagged INTEGER NOT NULL,"
                       " PRIMARY KEY (attempt_id, number)) WITHOUT ROWID"),
        // Progress per topic, summed as each attempt is kept, so that the page never reads every question.
        QStringLiteral("CREATE TABLE topic_results (subject TEXT NOT NULL, subject_base INTEGER NOT NULL, sub INTEGER NOT NULL,"
                       " topic INTEGER NOT NULL, attempt_id INTEGER NOT NULL, asked INTEGER NOT NULL, answered INTEGER NOT NULL,"
                       " right_ INTEGER NOT NULL, PRIMARY KEY (subject, subject_base, sub, topic, attempt_id)) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE topic_totals (subject TEXT NOT NULL, subject_base INTEGER NOT NULL, sub INTEGER NOT NULL,"
                       " topic INTEGER NOT NULL, asked INTEGER NOT NULL, answered INTEGER NOT NULL, right_ INTEGER NOT NULL,"
                       " PRIMARY KEY (subject, subject_base, sub, topic)) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE questions_seen (question_id INTEGER PRIMARY KEY, path TEXT NOT NULL,"
                       " last_seen INTEGER NOT NULL)"),
    },
};
static_assert(TLocalStore::SchemaVersion == 2, "a new schema version needs its migration");

QString NewConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("tavelko-local-store-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

TLocalStore::TLocalStore(const QString &path)
    : fPath(path.isEmpty()
                ? QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("learner.sqlite"))
                : path),
      fConnection(NewConnectionName())
{
    QDir().mkpath(QFileInfo(fPath).absolutePath());
    const bool existed = QFileInfo::exists(fPath);
    fUsable = Open();
    if (fUsable && fOutcome != TOutcome::MovedAside)
        fOutcome = existed ? TOutcome::Opened : TOutcome::Created;
}

TLocalStore::~TLocalStore()
{
    {
        QSqlDatabase db = QSqlDatabase::database(fConnection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(fConnection);
}

QSqlDatabase TLocalStore::Database() const
{
    return fUsable ? QSqlDatabase::database(fConnection, false) : QSqlDatabase();
}

bool TLocalStore::Open()
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const TAttempt result = TryOpen();
        if (result == TAttempt::Opened)
            return true;
        if (result == TAttempt::Newer) {
            fOutcome = TOutcome::RefusedNewer;
            return false;
        }
        QSqlDatabase::removeDatabase(fConnection);
        if (result == TAttempt::NoDriver || attempt > 0 || !QFileInfo(fPath).isFile())
            break;
        MoveAside(); // damaged: kept for whoever wants to look, and a fresh store started
        fOutcome = TOutcome::MovedAside;
    }
    if (fOutcome != TOutcome::MovedAside)
        fOutcome = TOutcome::Failed;
    return false;
}

TLocalStore::TAttempt TLocalStore::TryOpen()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), fConnection);
    if (!db.isValid()) {
        fError = QStringLiteral("the SQLite driver of Qt is missing");
        return TAttempt::NoDriver;
    }
    db.setDatabaseName(fPath);
    if (!db.open()) {
        fError = db.lastError().text();
        return TAttempt::Failed;
    }
    auto close = qScopeGuard([&] { db.close(); });
    QSqlQuery query(db);
    // A file that is no database fails at once; damaged pages fail the quick check.
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()
        || query.value(0).toString() != QStringLiteral("ok") || !query.exec(QStringLiteral("PRAGMA user_version"))
        || !query.next()) {
        fError = query.lastError().text();
        return TAttempt::Failed;
    }
    const int version = query.value(0).toInt();
    if (version > SchemaVersion) {
        fFoundVersion = version; // read only: a newer program's store stays exactly as it was
        return TAttempt::Newer;
    }
    query.finish();
    // Short transactions that wait on the disk once at most.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.exec(QStringLiteral("PRAGMA synchronous=NORMAL"))
        || !Migrate(version)) {
        if (fError.isEmpty())
            fError = query.lastError().text();
        return TAttempt::Failed;
    }
    close.dismiss();
    return TAttempt::Opened;
}

bool TLocalStore::Migrate(int from)
{
    for (int version = from; version < SchemaVersion; ++version) {
        const bool migrated = InTransaction([&](QSqlDatabase &) {
            for (const QString &statement : Migrations.at(version))
                if (!Execute(statement))
                    return false;
            return Execute(QStringLiteral("PRAGMA user_version = %1").arg(version + 1));
        });
        if (!migrated)
            return false;
    }
    return true;
}

bool TLocalStore::InTransaction(const std::function<bool(QSqlDatabase &db)> &work)
{
    QSqlDatabase db = QSqlDatabase::database(fConnection, false);
    if (!db.isOpen() || !db.transaction())
        return false;
    auto rollback = qScopeGuard([&] { db.rollback(); });
    if (!work(db) || !db.commit())
        return false;
    rollback.dismiss();
    return true;
}

void TLocalStore::MoveAside()
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    fMovedTo = fPath + QStringLiteral(".damaged-") + stamp;
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")}) {
        QFile::remove(fMovedTo + suffix);
        if (QFileInfo::exists(fPath + suffix) && !QFile::rename(fPath + suffix, fMovedTo + suffix))
            QFile::remove(fPath + suffix);
    }
}

bool TLocalStore::Execute(const QString &statement, const QVariantList &values)
{
    QSqlQuery query(QSqlDatabase::database(fConnection, false));
    if (!query.prepare(statement))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        fError = query.lastError().text();
        return false;
    }
    return true;
}

QSet<int> TLocalStore::Flags(const QString &examKey) const
{
    QSet<int> flags;
    if (!fUsable || examKey.isEmpty())
        return flags;
    QSqlQuery query(Database());
    query.prepare(QStringLiteral("SELECT question FROM flags WHERE exam_key = ?"));
    query.addBindValue(examKey);
    if (query.exec())
        while (query.next())
            flags.insert(query.value(0).toInt());
    return flags;
}

bool TLocalStore::SetFlagged(const QString &examKey, int question, bool flagged)
{
    if (!fUsable || examKey.isEmpty() || question < 0)
        return false;
    return flagged ? Execute(QStringLiteral("INSERT OR IGNORE INTO flags (exam_key, question) VALUES (?, ?)"), {examKey, question})
                   : Execute(QStringLiteral("DELETE FROM flags WHERE exam_key = ? AND question = ?"), {examKey, question});
}

bool TLocalStore::ClearFlags(const QString &examKey)
{
    return fUsable && !examKey.isEmpty() && Execute(QStringLiteral("DELETE FROM flags WHERE exam_key = ?"), {examKey});
}
