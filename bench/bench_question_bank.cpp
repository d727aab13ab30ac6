// Drawing 100 questions from a bank of 1,000,000 of which 200,000 match the pattern, against the
// bare SELECT run by the mariadb command-line client.

#include "BenchServers.h"
#include "UnitDataModule.h"
#include "UnitExamModel.h"
#include "UnitSqlConnection.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <cstdlib>

namespace {

const QString Select = QStringLiteral("SELECT * FROM e_all_questions a WHERE (a.Format = '#') AND (a.`Path` LIKE 'R/1/%')");

// 100 questions of subject 1, each drawn set checked by check.
void Draw(benchmark::State &state, TDataModuleMain &module, const std::function<bool(const TBaseQuestions &)> &check = {})
{
    TExamModel exam(QString(), 0, 0);
    for (auto _ : state) {
        exam.IDS.clear();
        const TBaseQuestions drawn = module.GetBaseQuestions(exam, 100, 10, false, "R/1/%", "#");
        if (drawn.size() != 100)
            state.SkipWithError("the draw came back short");
        if (check && !check(drawn))
            state.SkipWithError("the draw broke its rule");
    }
}

void BM_GetBaseQuestions(benchmark::State &state)
{
    TDataModuleMain module;
    Draw(state, module);
}

// Topics marked up to half of the subject (5 of 10).
void BM_GetBaseQuestionsHalfTopics(benchmark::State &state)
{
    TDataModuleMain module;
    TExamModel exam(QString(), 0, 0);
    for (auto _ : state) {
        exam.IDS.clear();
        if (module.GetBaseQuestions(exam, 100, 5, false, "R/1/%", "#").size() != 100)
            state.SkipWithError("the draw came back short");
    }
}

// The reference: the draw as it was, every question of the subject fetched and its topic judged
// here (the candidates only; the pick among them costs next to nothing).
void ClientSideTopicBound(benchmark::State &state, qint32 maxTheme)
{
    TSqlConnection connection(TServerConfig::Load());
    for (auto _ : state) {
        connection.Open();
        TSqlStatement query(connection, QStringLiteral("SELECT * FROM e_all_questions a WHERE (a.Format = ?) AND (a.`Path` LIKE ?)"));
        query.Bind({QStringLiteral("#"), QStringLiteral("R/1/%")});
        query.Execute();
        const int id = query.ColumnIndex("Id"), path = query.ColumnIndex("Path"), answer = query.ColumnIndex("Answer");
        TBaseQuestions candidates;
        while (query.Next()) {
            const QString text = query.Text(path);
            if (TDataModuleMain::ThemeIndexOfPath(text, false) <= maxTheme)
                candidates.push_back({query.Integer(id), text, query.Text(answer)});
        }
        benchmark::DoNotOptimize(candidates.data());
        connection.Close();
    }
}

void BM_ClientSideTopicBoundAll(benchmark::State &state)
{
    ClientSideTopicBound(state, 10);
}

void BM_ClientSideTopicBoundHalf(benchmark::State &state)
{
    ClientSideTopicBound(state, 5);
}

// The same draw preferring unseen questions, with a history of 1000 exams of 100 questions
// (100,000 seen, half of them among this subject's candidates).
void BM_GetBaseQuestionsPreferringUnseen(benchmark::State &state)
{
    TDataModuleMain module;
    QHash<qint64, qint64> seen;
    for (qint64 i = 0; i < 100000; ++i)
        seen.insert(i % 2 == 0 ? 5 * (i + 1) : 5 * (i + 1) + 1, 1700000000000LL + i * 1000);
    module.PreferUnseen(seen);
    Draw(state, module, [&](const TBaseQuestions &drawn) { // no seen question while unseen ones qualify
        return std::none_of(drawn.begin(), drawn.end(), [&](const TBaseQuestion &q) { return seen.contains(q.Id); });
    });
}

void BM_MariadbClientSelect(benchmark::State &state)
{
    const TServerConfig config = TServerConfig::Load();
    const QByteArray command = QStringLiteral("mariadb --no-defaults -h %1 -P %2 -u %3 -p%4 %5 -e \"%6\" > /dev/null")
                                   .arg(config.DbHost)
                                   .arg(config.DbPort)
                                   .arg(config.DbUser, config.DbPassword, config.DbName, QString(Select).replace("`", "\\`"))
                                   .toUtf8();
    for (auto _ : state) {
        if (std::system(command.constData()) != 0)
            state.SkipWithError("the mariadb client failed");
    }
}

} // namespace

BENCHMARK(BM_GetBaseQuestions)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_GetBaseQuestionsHalfTopics)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ClientSideTopicBoundAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ClientSideTopicBoundHalf)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_GetBaseQuestionsPreferringUnseen)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MariadbClientSelect)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    return RunAgainstServers(argc, argv, SeedMillionQuestions, {{{"BM_GetBaseQuestions", "BM_MariadbClientSelect"}, 1.5},
                                                        {{"BM_GetBaseQuestionsPreferringUnseen", "BM_GetBaseQuestions"}, 1.10},
                                                        {{"BM_GetBaseQuestionsHalfTopics", "BM_ClientSideTopicBoundHalf"}, 0.60},
                                                        {{"BM_GetBaseQuestions", "BM_ClientSideTopicBoundAll"}, 1.00}});
}
