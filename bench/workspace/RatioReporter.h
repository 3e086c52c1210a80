// The console report of a benchmark program, followed by the ratios of the wall-clock times of pairs
// of its benchmarks, and of their processor times where both run in this process: the figures each
// program is run for. Processor times hold up better on a machine that other work keeps busy.
#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

namespace vennart::bench {

struct RatioOf {
    std::string label;
    std::string measured; // benchmark names as the report shows them
    std::string reference;
    // Both run in this process, so their processor times compare too (not so for a child process).
    bool inProcess = false;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Plain text, without colours, so that the report reads the same in a file.
    explicit RatioReporter(std::vector<RatioOf> ratios)
        : ConsoleReporter(OO_None)
        , ratios_(std::move(ratios))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints every ratio whose two benchmarks ran (a filter may have left one out).
    void Finalize() override;

private:
    struct Total {
        double seconds = 0;
        double cpuSeconds = 0;
        double iterations = 0;
    };
    const Total* Find(const std::string& name) const;

    std::vector<RatioOf> ratios_;
    // The runs themselves, and the means of repeated runs for when only those are reported.
    std::map<std::string, Total> totals_;
    std::map<std::string, Total> means_;
};

} // namespace vennart::bench
