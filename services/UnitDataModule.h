#pragma once

#include <QHash>

#include "UnitConfig.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class TExamModel;
class TSqlConnection;
class TTavelkoRegistry;

// One drawn question.
struct TBaseQuestion
{
    qint64 Id = 0;
    QString Path;
    QString Answer;
};
using TBaseQuestions = std::vector<TBaseQuestion>;

// The question bank. Every operation opens the connection and closes it again on every path, so
// no connection stays open between operations (the version query aside). A connection that
// cannot be made raises TTavelkoError with row 7, "Could not connect to network!", in the current
// language; failures of the server pass to the caller with their own message.
class TDataModuleMain
{
public:
    explicit TDataModuleMain(const TServerConfig &config = TServerConfig::Load());
    ~TDataModuleMain();
    TDataModuleMain(const TDataModuleMain &) = delete;
    TDataModuleMain &operator=(const TDataModuleMain &) = delete;

    // The learner's account id: 0 until IdentifyUser has run, -1 when no account matches.
    qint64 fPrelvinr_id = 0;

    bool Connect();
    // Runs one statement that returns no rows, its "?" markers bound to the values in order.
    bool DoSQL(const QString &SQL, const QList<QVariant> &values = {});
    // Stores a learner's complaint about a question exactly as typed.
    bool InsertComplaint(qint64 QID, qint64 Prelvinr_id, const QString &message);

    // Draws up to Count questions of one format among those whose Path matches the LIKE pattern
    // SelectToken and whose topic is at most MaxThemeIndex, none of them already a key of the
    // exam's IDS. Each drawn id enters IDS with the value -1; the result is sorted by id and is
    // shorter than Count when fewer new questions exist. IDS stays unchanged on any failure.
    TBaseQuestions GetBaseQuestions(TExamModel &ExamModel, qint32 Count, qint32 MaxThemeIndex, bool _SubExists,
                                    const QString &SelectToken, const QString &QFormat);
    // The account of an installation identifier, -1 when there is none.
    qint64 GetE_PrelvinrIdByUserGUID(const QString &GUID);
    // With questions seen before (id -> when last seen), a draw takes among the questions that
    // qualify those never seen first, then the least recently seen; an empty map: no preference.
    void PreferUnseen(const QHash<qint64, qint64> &seen) { fSeen = seen; }
    // The newest published client version (major * 65536 + minor), 0 when it cannot be read.
    // Leaves the connection open, as it found or opened it.
    quint32 GetVersionFromBase();
    // Finds the installation's account; an unknown identifier is replaced by a new one.
    void IdentifyUser(TTavelkoRegistry &registry);

    bool IsConnected() const;

    // The topic number of a question path: its third field, or its fourth with sub-branches.
    // Raises TTavelkoError when that field is not a decimal integer.
    static qint32 ThemeIndexOfPath(const QString &Path, bool _SubExists);

private:
    std::unique_ptr<TSqlConnection> fConnection;
    QHash<qint64, qint64> fSeen;
};

// The process-wide question bank, set by the main window for the whole run.
extern TDataModuleMain *DataModuleMain;
