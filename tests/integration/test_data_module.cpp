#include "ServerEnvironment.h"
#include "TavelkoError.h"
#include "UnitDataModule.h"
#include "UnitExamModel.h"
#include "UnitLearnerData.h"
#include "UnitRegistry.h"
#include "UnitSqlConnection.h"
#include "UnitTranslate.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <map>
#include <set>

namespace {

class DataModuleTest : public ::testing::Test
{
protected:
    TDataModuleMain module;
    TExamModel exam{QString(), 0, 0};

    void SetUp() override
    {
        SetCurrentLanguageIndex(langEnglish);
        Sql("DELETE FROM e_all_questions");
        Sql("DELETE FROM e_versions");
        Sql("DELETE FROM e_prelvinrs");
        Sql("DELETE FROM e_messages");
    }

    // Seeds the bank directly, outside the module under test.
    static void Sql(const QString &statement, const QList<QVariant> &values = {})
    {
        TSqlConnection connection(TServerConfig::Load());
        connection.Open();
        TSqlStatement query(connection, statement);
        query.Bind(values);
        query.Execute();
    }

    static QStringList Column(const QString &select)
    {
        TSqlConnection connection(TServerConfig::Load());
        connection.Open();
        TSqlStatement query(connection, select);
        query.Execute();
        QStringList values;
        while (query.Next())
            values.append(query.Text(0));
        return values;
    }

    static void AddQuestion(qint64 id, const QString &format, const QString &path, const QString &answer)
    {
        Sql("INSERT INTO e_all_questions (Id, Format, Path, Answer) VALUES (?, ?, ?, ?)", {id, format, path, answer});
    }

    TBaseQuestions Draw(qint32 count, qint32 maxTheme = 99, bool subExists = false, const QString &token = "R/4/%",
                        const QString &format = "#")
    {
        return module.GetBaseQuestions(exam, count, maxTheme, subExists, token, format);
    }

    static TServerConfig DownServer()
    {
        TServerConfig config = TServerConfig::Load();
        config.DbPort = 1; // nothing listens there
        return config;
    }
};

std::vector<qint64> Ids(const TBaseQuestions &questions)
{
    std::vector<qint64> ids;
    for (const TBaseQuestion &q : questions)
        ids.push_back(q.Id);
    return ids;
}

} // namespace

TEST_F(DataModuleTest, DrawsDistinctNewQuestionsSortedById)
{
    for (qint64 id : {50, 10, 40, 20, 30})
        AddQuestion(id, "#", QStringLiteral("R/4/1/q%1").arg(id), "A");
    AddQuestion(60, "(######)", "R/4/1/other-format", "(1#####)");
    AddQuestion(70, "#", "R/5/1/other-subject", "B");

    const TBaseQuestions drawn = Draw(3);
    ASSERT_EQ(drawn.size(), 3u);
    const std::vector<qint64> ids = Ids(drawn);
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(std::set<qint64>(ids.begin(), ids.end()).size(), 3u);
    for (const TBaseQuestion &q : drawn) {
        EXPECT_LE(q.Id, 50);
        EXPECT_EQ(q.Path, QStringLiteral("R/4/1/q%1").arg(q.Id));
        EXPECT_EQ(q.Answer, "A");
        EXPECT_EQ(exam.IDS.value(q.Id, 99), -1);
    }
    EXPECT_EQ(exam.IDS.size(), 3);
    EXPECT_FALSE(module.IsConnected());

    // Only the two left are new now.
    const TBaseQuestions rest = Draw(3);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_LT(rest[0].Id, rest[1].Id);
    EXPECT_EQ(exam.IDS.size(), 5);

    // Every candidate used: nothing, and IDS as it was.
    EXPECT_TRUE(Draw(3).empty());
    EXPECT_EQ(exam.IDS.size(), 5);
}

TEST_F(DataModuleTest, TheDrawIsUniform)
{
    for (qint64 id = 1; id <= 5; ++id)
        AddQuestion(id, "#", "R/4/1/q", "A");
    std::map<qint64, int> seen;
    const int rounds = 300;
    for (int round = 0; round < rounds; ++round) {
        exam.IDS.clear();
        for (const TBaseQuestion &q : Draw(2))
            ++seen[q.Id];
    }
    ASSERT_EQ(seen.size(), 5u);
    for (const auto &[id, times] : seen) // each is drawn 120 times on average
        EXPECT_TRUE(times > 70 && times < 170) << id << " drawn " << times << " times";
}

// With the learner's history at hand, a draw takes questions never seen here first, then the
// least recently seen; the contract (Count, no repeat, fewer only when no more qualify) holds.
TEST_F(DataModuleTest, UnseenQuestionsComeFirstThenTheLeastRecentlySeen)
{
    for (qint64 id = 1; id <= 10; ++id)
        AddQuestion(id, "#", QStringLiteral("R/4/1/q%1").arg(id), "A");
    QTemporaryDir dir;
    TLearnerData learner(dir.filePath("learner.sqlite"));
    auto exam = [&](int count, qint64 at) {
        TExamModel one{QString(), 0, 0};
        learner.BeforeDraw(module, true);
        const TBaseQuestions drawn = module.GetBaseQuestions(one, count, 99, false, "R/4/%", "#");
        QHash<qint64, QString> paths;
        for (const TBaseQuestion &q : drawn)
            paths.insert(q.Id, q.Path);
        learner.History().RecordDrawn(paths, QDateTime::fromSecsSinceEpoch(at, Qt::UTC));
        std::vector<qint64> ids = Ids(drawn);
        EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
        EXPECT_EQ(one.IDS.size(), qsizetype(ids.size()));
        return std::set<qint64>(ids.begin(), ids.end());
    };
    const std::set<qint64> first = exam(4, 1000), second = exam(4, 2000);
    ASSERT_EQ(first.size(), 4u);
    ASSERT_EQ(second.size(), 4u);
    for (qint64 id : second)
        EXPECT_FALSE(first.count(id)) << "two exams in a row share question " << id;
    // Two unseen are left: both come, then two of the first exam's (seen longest ago).
    const std::set<qint64> third = exam(4, 3000);
    ASSERT_EQ(third.size(), 4u);
    int unseen = 0, fromFirst = 0;
    for (qint64 id : third) {
        unseen += !first.count(id) && !second.count(id);
        fromFirst += first.count(id) ? 1 : 0;
    }
    EXPECT_EQ(unseen, 2);
    EXPECT_EQ(fromFirst, 2);
    // More than the bank holds: all ten, as without the preference.
    EXPECT_EQ(exam(12, 4000).size(), 10u);
    // Off: every question may come again.
    learner.BeforeDraw(module, false);
    std::set<qint64> any;
    for (int round = 0; round < 40; ++round) {
        TExamModel one{QString(), 0, 0};
        for (const TBaseQuestion &q : module.GetBaseQuestions(one, 2, 99, false, "R/4/%", "#"))
            any.insert(q.Id);
    }
    EXPECT_EQ(any.size(), 10u);
}

TEST_F(DataModuleTest, TopicBound)
{
    AddQuestion(1, "#", "R/4/2/q1", "A");
    AddQuestion(2, "#", "R/4/3/q2", "A");
    AddQuestion(3, "#", "R/4/5/q3", "A");
    EXPECT_EQ(Ids(Draw(5, 3)), std::vector<qint64>({1, 2}));

    exam.IDS.clear();
    AddQuestion(4, "#", "R/7/1/3/q", "A");
    AddQuestion(5, "#", "R/7/1/4/q", "A");
    AddQuestion(6, "#", "R/7/2/1/q", "A");
    EXPECT_EQ(Ids(Draw(5, 3, true, "R/7/1/%")), std::vector<qint64>({4}));
    EXPECT_TRUE(Draw(5, 0, true, "R/7/%").empty()) << "every topic beyond the bound";
    EXPECT_TRUE(Draw(5, 9, false, "Nothing/%").empty());
}

TEST_F(DataModuleTest, ThemeIndexOfPath)
{
    EXPECT_EQ(TDataModuleMain::ThemeIndexOfPath("R/4/2/q1", false), 2);
    EXPECT_EQ(TDataModuleMain::ThemeIndexOfPath("R/4/1/3/q", true), 3);
    EXPECT_EQ(TDataModuleMain::ThemeIndexOfPath("R/4/12/a/b/q", false), 12);
    for (const char *bad : {"R/4/x/q", "R/4//q", "R/4", "R/4/ 2/q"})
        EXPECT_THROW(TDataModuleMain::ThemeIndexOfPath(bad, false), TTavelkoError) << bad;
}

TEST_F(DataModuleTest, NonNumericTopicFailsWithoutDrawing)
{
    AddQuestion(1, "#", "R/4/1/q1", "A");
    AddQuestion(2, "#", "R/4/x/q", "A");
    exam.IDS.insert(99, 0);
    EXPECT_THROW(Draw(1), TTavelkoError);
    EXPECT_EQ(exam.IDS.size(), 1);
    EXPECT_FALSE(module.IsConnected());
}

TEST_F(DataModuleTest, ServerErrorsPassToTheCaller)
{
    EXPECT_THROW(module.DoSQL("INSERT INTO no_such_table VALUES (1)"), TTavelkoError);
    EXPECT_FALSE(module.IsConnected());
    EXPECT_TRUE(module.DoSQL("INSERT INTO e_versions (version) VALUES (?)", {65537}));
    EXPECT_FALSE(module.IsConnected());
}

TEST_F(DataModuleTest, Accounts)
{
    Sql("INSERT INTO e_prelvinrs (Prelvinr_id, GUID) VALUES (5000000000, 'ABCDEF0123456789ABCDEF0123456789')");
    EXPECT_EQ(module.GetE_PrelvinrIdByUserGUID("ABCDEF0123456789ABCDEF0123456789"), 5000000000LL);
    EXPECT_EQ(module.GetE_PrelvinrIdByUserGUID("' OR '1'='1"), -1);
    EXPECT_EQ(module.GetE_PrelvinrIdByUserGUID("0"), -1);
    EXPECT_FALSE(module.IsConnected());

    QTemporaryDir dir;
    TTavelkoRegistry registry(dir.filePath("Tavelko.ini"));
    registry.SetGUID("ABCDEF0123456789ABCDEF0123456789");
    module.IdentifyUser(registry);
    EXPECT_EQ(module.fPrelvinr_id, 5000000000LL);
    EXPECT_EQ(registry.GetGUID(), "ABCDEF0123456789ABCDEF0123456789");

    TDataModuleMain fresh;
    TTavelkoRegistry freshRegistry(dir.filePath("Fresh.ini"));
    EXPECT_EQ(fresh.fPrelvinr_id, 0);
    fresh.IdentifyUser(freshRegistry);
    EXPECT_EQ(fresh.fPrelvinr_id, -1);
    EXPECT_TRUE(QRegularExpression("^[0-9A-F]{32}$").match(freshRegistry.GetGUID()).hasMatch());
}

TEST_F(DataModuleTest, Versions)
{
    EXPECT_EQ(module.GetVersionFromBase(), 0u) << "empty table";
    Sql("INSERT INTO e_versions (version) VALUES (65536), (65537), (4294901760)");
    EXPECT_EQ(module.GetVersionFromBase(), 4294901760u);
    EXPECT_TRUE(module.IsConnected()) << "the version query leaves the connection as it made it";
    EXPECT_EQ(module.GetE_PrelvinrIdByUserGUID("x"), -1);
    EXPECT_FALSE(module.IsConnected());
}

// The connector reads "localhost" as its local socket; with a port configured it must still reach
// that port over TCP, and never another server's socket.
TEST_F(DataModuleTest, AConfiguredPortIsReachedWhateverTheHostIsCalled)
{
    for (const char *host : {"localhost", "127.0.0.1"}) {
        TServerConfig config = TServerConfig::Load();
        config.DbHost = host;
        TSqlConnection connection(config);
        ASSERT_NO_THROW(connection.Open()) << host;
        TSqlStatement query(connection, "SELECT @@port");
        query.Execute();
        ASSERT_TRUE(query.Next()) << host;
        EXPECT_EQ(query.Text(0), QString::number(config.DbPort)) << host;
    }
}

TEST_F(DataModuleTest, ServerDown)
{
    TDataModuleMain down(DownServer());
    EXPECT_EQ(down.GetVersionFromBase(), 0u);
    for (qint32 language : {langEnglish, langRussian}) {
        SetCurrentLanguageIndex(language);
        try {
            down.GetE_PrelvinrIdByUserGUID("x");
            FAIL() << "no failure";
        } catch (const TTavelkoError &error) {
            EXPECT_EQ(error.Message(), TrIn(7, language));
        }
    }
    EXPECT_THROW(down.DoSQL("SELECT 1"), TTavelkoError);
    EXPECT_THROW(down.GetBaseQuestions(exam, 1, 1, false, "R/%", "#"), TTavelkoError);
    EXPECT_THROW(down.InsertComplaint(1, 1, "x"), TTavelkoError);

    QTemporaryDir dir;
    TTavelkoRegistry registry(dir.filePath("Tavelko.ini"));
    registry.SetGUID("KEEP");
    EXPECT_THROW(down.IdentifyUser(registry), TTavelkoError);
    EXPECT_EQ(down.fPrelvinr_id, 0);
    EXPECT_EQ(registry.GetGUID(), "KEEP");
}

TEST_F(DataModuleTest, ComplaintsAreStoredExactly)
{
    const QString texts[] = {
        "it's a quote",
        "back\\slash and \\' escaped quote",
        "'); DROP TABLE e_messages; --",
        "line one\r\nline two\nthree",
        QString::fromUtf8("Sual səhvdir 😀 — ошибка в ответе"),
        QString(10240, QChar(u'ə')),
        "",
    };
    qint64 qid = 1;
    for (const QString &text : texts)
        EXPECT_TRUE(module.InsertComplaint(qid++, -1, text));
    EXPECT_FALSE(module.IsConnected());
    const QStringList stored = Column("SELECT MESSAGE FROM e_messages ORDER BY QID");
    ASSERT_EQ(stored.size(), qsizetype(std::size(texts)));
    for (qsizetype i = 0; i < stored.size(); ++i)
        EXPECT_EQ(stored[i], texts[i]) << i;
    EXPECT_EQ(Column("SELECT CONCAT(QID, ':', Prelvinr_id) FROM e_messages ORDER BY QID").first(), "1:-1");
}
