#pragma once

#include "BenchReport.h"
#include "ServerEnv.h"
#include "UnitSqlConnection.h"

#include <QCoreApplication>

#include <cstdio>
#include <functional>

inline qint64 Scalar(TSqlConnection &connection, const QString &sql)
{
    TSqlStatement query(connection, sql);
    query.Execute();
    return query.Next() ? query.Integer(0) : 0;
}

// One million questions over five subjects and three formats; subject 1 in format "#" holds a
// fifth of them (every row whose number is divisible by 5 gets that pattern), subjects 2 to 5
// the six-column and the three-group ones. Topics 1 to 10 everywhere. Made once per state.
inline void SeedMillionQuestions()
{
    TSqlConnection connection(TServerConfig::Load());
    connection.Open();
    if (Scalar(connection, "SELECT COUNT(*) FROM e_all_questions") == 1000000)
        return;
    std::printf("Seeding 1,000,000 questions...\n");
    TSqlStatement(connection, "DELETE FROM e_all_questions").Execute();
    TSqlStatement(connection,
                  "INSERT INTO e_all_questions (Id, Format, Path, Answer) "
                  "SELECT seq, IF(seq % 5 = 0, '#', ELT(1 + seq % 2, '(######)', '[#####][#####][#####]')), "
                  "CONCAT('R/', IF(seq % 5 = 0, 1, 2 + seq % 4), '/', 1 + seq % 10, '/q', seq), "
                  "IF(seq % 5 = 0, ELT(1 + seq % 5, 'A', 'B', 'C', 'D', 'E'), '(1#####)') "
                  "FROM seq_1_to_1000000").Execute();
    TSqlStatement(connection, "ANALYZE TABLE e_all_questions").Execute();
}

// For the benchmarks that need the question bank and the file cloud: finds the servers that
// scripts/bench started, lays down the data, then runs and compares.
inline int RunAgainstServers(int argc, char **argv, const std::function<void()> &seed, const TRatios &ratios)
{
    QCoreApplication app(argc, argv);
    if (!LoadServerEnvironment()) {
        std::fprintf(stderr, "No servers: run through scripts/bench, which starts them.\n");
        return 1;
    }
    seed();
    return RunWithRatios(argc, argv, ratios);
}
