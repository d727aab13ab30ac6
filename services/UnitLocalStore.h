#pragma once

#include <QSet>
#include <QSqlDatabase>
#include <QString>

#include <functional>

// The learner's own store: one SQLite database in the learner's data folder, through Qt SQL.
// Its schema carries a version (PRAGMA user_version) and is brought up to date when it opens.
// The exam never depends on it: a store that cannot be used leaves every call a quiet no-op.
//   damaged           moved aside under a name of its own, a fresh store started
//   newer schema      left exactly as it is and not used (a newer program wrote it)
class TLocalStore
{
public:
    static constexpr int SchemaVersion = 2;

    enum class TOutcome { Opened, Created, MovedAside, RefusedNewer, Failed };

    // path: empty for "learner.sqlite" in the learner's data folder (QStandardPaths::AppDataLocation).
    explicit TLocalStore(const QString &path = QString());
    ~TLocalStore();
    TLocalStore(const TLocalStore &) = delete;
    TLocalStore &operator=(const TLocalStore &) = delete;

    QString Path() const { return fPath; }
    TOutcome Outcome() const { return fOutcome; }
    bool Usable() const { return fUsable; }
    // Where a damaged store was moved (MovedAside); the version found (RefusedNewer); the
    // driver's error (Failed).
    QString MovedTo() const { return fMovedTo; }
    int FoundVersion() const { return fFoundVersion; }
    QString Error() const { return fError; }

    // The questions of an exam flagged for review (by absolute question index).
    QSet<int> Flags(const QString &examKey) const;
    bool SetFlagged(const QString &examKey, int question, bool flagged);
    bool ClearFlags(const QString &examKey);

    // For the units that keep their own tables here; invalid when the store is not usable.
    QSqlDatabase Database() const;
    // Runs one statement with its values bound in order; false (and Error() set) when it fails.
    bool Execute(const QString &statement, const QVariantList &values = {});
    // Runs work in one transaction: kept when work returns true, rolled back otherwise.
    bool InTransaction(const std::function<bool(QSqlDatabase &db)> &work);

private:
    enum class TAttempt { Opened, Newer, Failed, NoDriver };
    bool Open();
    TAttempt TryOpen();
    bool Migrate(int from);
    void MoveAside();

    QString fPath;
    QString fConnection;
    TOutcome fOutcome = TOutcome::Failed;
    bool fUsable = false;
    QString fMovedTo;
    int fFoundVersion = 0;
    QString fError;
};
