#pragma once

#include "BenchReport.h"
#include "ServerEnv.h"

#include <QCoreApplication>

#include <cstdio>
#include <functional>

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
