#include "UnitDataModule.h"

#include "TavelkoError.h"
#include "UnitExamModel.h"
#include "UnitPrelvinOS.h"
#include "UnitRegistry.h"
#include "UnitSqlConnection.h"
#include "UnitTextLines.h"
#include "UnitTranslate.h"

#include <algorithm>
#include <chrono>
#include <random>

TDataModuleMain *DataModuleMain = nullptr;

namespace {

// Closes the connection when an operation leaves, whichever way it leaves.
class TCloseOnExit
{
public:
    explicit TCloseOnExit(TSqlConnection &connection) : fConnection(connection) {}
    ~TCloseOnExit() { fConnection.Close(); }

private:
    TSqlConnection &fConnection;
};

std::mt19937_64 FreshGenerator()
{
    std::random_device device;
    const auto clock = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::seed_seq seed{device(), device(), static_cast<unsigned>(clock), static_cast<unsigned>(clock >> 32)};
    return std::mt19937_64(seed);
}

} // namespace

TDataModuleMain::TDataModuleMain(const TServerConfig &config) : fConnection(std::make_unique<TSqlConnection>(config))
{
}

TDataModuleMain::~TDataModuleMain() = default;

bool TDataModuleMain::IsConnected() const
{
    return fConnection->IsOpen();
}

bool TDataModuleMain::Connect()
{
    try {
        fConnection->Open();
    } catch (const std::exception &) {
        throw TTavelkoError(Tr(7));
    }
    return fConnection->IsOpen();
}

bool TDataModuleMain::DoSQL(const QString &SQL, const QList<QVariant> &values)
{
    if (!Connect())
        return false;
    TCloseOnExit close(*fConnection);
    TSqlStatement statement(*fConnection, SQL);
    statement.Bind(values);
    statement.Execute();
    return true;
}

bool TDataModuleMain::InsertComplaint(qint64 QID, qint64 Prelvinr_id, const QString &message)
{
    return DoSQL(QStringLiteral("insert into e_messages(QID,Prelvinr_id,MESSAGE) values(?,?,?)"),
                 {QVariant(QID), QVariant(Prelvinr_id), QVariant(message)});
}

qint32 TDataModuleMain::ThemeIndexOfPath(const QString &Path, bool _SubExists)
{
    const QString field = Path.section(u'/', _SubExists ? 3 : 2, _SubExists ? 3 : 2);
    qint32 theme = 0;
    if (!ParseInt32(field, theme))
        throw TTavelkoError(QStringLiteral("'%1' is not a valid integer value").arg(field));
    return theme;
}

TBaseQuestions TDataModuleMain::GetBaseQuestions(TExamModel &ExamModel, qint32 Count, qint32 MaxThemeIndex,
                                                 bool _SubExists, const QString &SelectToken, const QString &QFormat)
{
    TBaseQuestions candidates;
    {
        if (!Connect())
            return {};
        TCloseOnExit close(*fConnection);
        TSqlStatement query(*fConnection,
                            QStringLiteral("SELECT * FROM e_all_questions a WHERE (a.Format = ?) AND (a.`Path` LIKE ?)"));
        query.Bind({QFormat, SelectToken});
        query.Execute();
        const int idColumn = query.ColumnIndex("Id");
        const int pathColumn = query.ColumnIndex("Path");
        const int answerColumn = query.ColumnIndex("Answer");
        if (idColumn < 0 || pathColumn < 0 || answerColumn < 0)
            throw TTavelkoError(QStringLiteral("The question table lacks the columns Id, Path and Answer"));
        while (query.Next()) {
            const QString path = query.Text(pathColumn);
            if (ThemeIndexOfPath(path, _SubExists) > MaxThemeIndex)
                continue;
            candidates.push_back({query.Integer(idColumn), path, query.Text(answerColumn)});
        }
    }

    // Only questions this exam has not used yet take part; a partial Fisher-Yates shuffle picks
    // a uniform sample of them without repeats.
    std::vector<size_t> fresh;
    fresh.reserve(candidates.size());
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (!ExamModel.IDS.contains(candidates[i].Id))
            fresh.push_back(i);
    }
    const size_t wanted = Count > 0 ? std::min(size_t(Count), fresh.size()) : 0;
    std::mt19937_64 random = FreshGenerator();
    size_t pool = fresh.size(); // the sample comes from fresh[0 .. pool)
    if (!fSeen.isEmpty()) {
        // Never seen first; when too few, all of those and then the least recently seen.
        const auto seenFrom = std::stable_partition(fresh.begin(), fresh.end(),
                                                    [&](size_t i) { return !fSeen.contains(candidates[i].Id); });
        pool = size_t(seenFrom - fresh.begin());
        if (pool < wanted) {
            std::shuffle(seenFrom, fresh.end(), random); // questions seen at the same moment: any of them
            std::stable_sort(seenFrom, fresh.end(), [&](size_t a, size_t b) {
                return fSeen.value(candidates[a].Id) < fSeen.value(candidates[b].Id);
            });
            pool = wanted;
        }
    }
    TBaseQuestions result;
    result.reserve(wanted);
    for (size_t i = 0; i < wanted; ++i) {
        std::uniform_int_distribution<size_t> pick(i, pool - 1);
        std::swap(fresh[i], fresh[pick(random)]);
        TBaseQuestion &question = candidates[fresh[i]];
        ExamModel.IDS.insert(question.Id, -1);
        result.push_back(std::move(question));
    }
    std::sort(result.begin(), result.end(), [](const TBaseQuestion &a, const TBaseQuestion &b) { return a.Id < b.Id; });
    return result;
}

qint64 TDataModuleMain::GetE_PrelvinrIdByUserGUID(const QString &GUID)
{
    if (!Connect())
        return 0;
    TCloseOnExit close(*fConnection);
    TSqlStatement query(*fConnection, QStringLiteral("SELECT Prelvinr_id FROM e_prelvinrs WHERE GUID=?"));
    query.Bind({GUID});
    query.Execute();
    if (!query.Next())
        return -1;
    return query.Integer(0);
}

quint32 TDataModuleMain::GetVersionFromBase()
{
    try {
        if (!fConnection->IsOpen())
            fConnection->Open();
        TSqlStatement query(*fConnection, QStringLiteral("SELECT MAX(`version`) AS lastversion FROM `e_versions`"));
        query.Execute();
        if (!query.Next() || query.IsNull(0))
            return 0;
        return quint32(query.Integer(0));
    } catch (const std::exception &) {
        return 0;
    }
}

void TDataModuleMain::IdentifyUser(TTavelkoRegistry &registry)
{
    fPrelvinr_id = GetE_PrelvinrIdByUserGUID(registry.GetGUID());
    if (fPrelvinr_id != -1)
        return;
    const QString identifier = TPrelvinOS::Get_New_32_GUID();
    registry.SetGUID(identifier);
    fPrelvinr_id = GetE_PrelvinrIdByUserGUID(identifier);
}
