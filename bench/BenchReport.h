#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Runs the registered benchmarks and then prints how each measured operation compares with its
// reference: "name / reference = 1.04x (goal 1.15x)".
class TRatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            fTimes[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }

    double Time(const std::string &name) const
    {
        const auto it = fTimes.find(name);
        return it == fTimes.end() ? 0 : it->second;
    }

    void PrintRatio(const std::string &measured, const std::string &reference, double goal) const
    {
        const double a = Time(measured), b = Time(reference);
        if (a <= 0 || b <= 0)
            return;
        const double ratio = a / b;
        std::printf("%-28s / %-28s = %5.2fx (goal %.2fx) %s\n", measured.c_str(), reference.c_str(), ratio, goal,
                    ratio <= goal ? "met" : "MISSED");
    }

private:
    std::map<std::string, double> fTimes;
};

using TRatios = std::vector<std::pair<std::pair<std::string, std::string>, double>>;

inline int RunWithRatios(int argc, char **argv, const TRatios &ratios)
{
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    for (const auto &[pair, goal] : ratios)
        reporter.PrintRatio(pair.first, pair.second, goal);
    benchmark::Shutdown();
    return 0;
}
