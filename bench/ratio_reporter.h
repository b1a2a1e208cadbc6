// A console reporter that also keeps each benchmark's time, so that a
// program can end its report with ratios against a baseline measured in the
// same process (ratios hold from machine to machine where times do not).
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.iterations <= 0) continue;
            realTime[run.benchmark_name()] = run.GetAdjustedRealTime();
            cpuTime[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
    }
    // Benchmark name (as printed) -> time per iteration in the run's unit.
    std::map<std::string, double> realTime, cpuTime;
};
