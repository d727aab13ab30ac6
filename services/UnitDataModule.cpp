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
    if (!Connect())
        return {};
    TCloseOnExit close(*fConnection);
    // The candidates come from the (Format, Path) index alone (it holds the id too), so that the
    // server reads no row of the table for them; each path's topic is judged here, and a topic
    // field that is no number fails the draw before anything is drawn.
    TBaseQuestions candidates;
    {
        TSqlStatement query(*fConnection,
                            QStringLiteral("SELECT a.Id, a.`Path` FROM e_all_questions a WHERE (a.Format = ?) AND (a.`Path` LIKE ?)"));
        query.Bind({QFormat, SelectToken});
        query.Execute();
        while (query.Next()) {
            QString path = query.Text(1);
            if (ThemeIndexOfPath(path, _SubExists) <= MaxThemeIndex)
                candidates.push_back({query.Integer(0), std::move(path), QString()});
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
    TBaseQuestions result;
    result.reserve(wanted);
    // With questions seen before, those met on the way are set aside: the sample is uniform over
    // the unseen ones, and only as many candidates are looked up as the draw goes through.
    std::vector<size_t> seen;
    for (size_t i = 0; i < fresh.size() && result.size() < wanted; ++i) {
        std::uniform_int_distribution<size_t> pick(i, fresh.size() - 1);
        std::swap(fresh[i], fresh[pick(random)]);
        if (!fSeen.isEmpty() && fSeen.contains(candidates[fresh[i]].Id))
            seen.push_back(fresh[i]);
        else
            result.push_back(std::move(candidates[fresh[i]]));
    }
    if (result.size() < wanted) {
        // Too few unseen: the least recently seen make up the rest (among equals, any of them).
        std::shuffle(seen.begin(), seen.end(), random);
        std::stable_sort(seen.begin(), seen.end(),
                         [&](size_t a, size_t b) { return fSeen.value(candidates[a].Id) < fSeen.value(candidates[b].Id); });
        for (size_t i = 0; result.size() < wanted && i < seen.size(); ++i)
            result.push_back(std::move(candidates[seen[i]]));
    }
    std::sort(result.begin(), result.end(), [](const TBaseQuestion &a, const TBaseQuestion &b) { return a.Id < b.Id; });

    // The answers of the drawn questions only.
    if (!result.empty()) {
        QStringList marks;
        QList<QVariant> ids;
        for (const TBaseQuestion &question : result) {
            marks.append(QStringLiteral("?"));
            ids.append(question.Id);
        }
        TSqlStatement query(*fConnection,
                            QStringLiteral("SELECT a.Id, a.Answer FROM e_all_questions a WHERE a.Id IN (%1)").arg(marks.join(u',')));
        query.Bind(ids);
        query.Execute();
        QHash<qint64, QString> answers;
        while (query.Next())
            answers.insert(query.Integer(0), query.Text(1));
        // A question removed from the bank in between is not drawn.
        std::erase_if(result, [&](TBaseQuestion &question) {
            const auto answer = answers.constFind(question.Id);
            if (answer == answers.cend())
                return true;
            question.Answer = *answer;
            return false;
        });
    }
    for (const TBaseQuestion &question : result)
        ExamModel.IDS.insert(question.Id, -1);
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
