#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Prints, after the usual table, the medians of an engine benchmark and of its raw-library twin
// and their ratio, by wall-clock and by CPU time (the second is steadier on a shared machine).
// Both benchmarks must run with repetitions so that medians exist.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter(std::string engineName, std::string rawName, std::string rawLabel, std::string unit)
        : engineName_(std::move(engineName)),
          rawName_(std::move(rawName)),
          rawLabel_(std::move(rawLabel)),
          unit_(std::move(unit)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                real_[run.run_name.function_name] = run.GetAdjustedRealTime();
                cpu_[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n");
        print("wall", real_);
        print("cpu", cpu_);
    }

private:
    void print(const char* clock, std::map<std::string, double>& times) const {
        double engine = times[engineName_];
        double raw = times[rawName_];
        if (engine > 0 && raw > 0)
            std::printf("%s: engine %.3f ms %s, %s %.3f ms %s, ratio %.2f\n", clock, engine, unit_.c_str(),
                        rawLabel_.c_str(), raw, unit_.c_str(), engine / raw);
    }

    std::string engineName_, rawName_, rawLabel_, unit_;
    std::map<std::string, double> real_;
    std::map<std::string, double> cpu_;
};
