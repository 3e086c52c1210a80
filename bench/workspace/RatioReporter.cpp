#include "RatioReporter.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace vennart::bench {
namespace {

std::string RatioText(double measured, double reference, const char* clock)
{
    char text[128];
    std::snprintf(text, sizeof text, "%.3f (%.1f ms / %.1f ms %s)", measured / reference, measured * 1e3,
        reference * 1e3, clock);
    return text;
}

} // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
        if (run.run_type != Run::RT_Iteration && !mean)
            continue;
        // A mean holds the accumulated times of one repetition, so it adds up like one run.
        Total& total = mean ? means_[run.run_name.str()] : totals_[run.benchmark_name()];
        total.seconds += run.real_accumulated_time;
        total.cpuSeconds += run.cpu_accumulated_time;
        total.iterations += static_cast<double>(run.iterations);
    }
}

const RatioReporter::Total* RatioReporter::Find(const std::string& name) const
{
    if (const auto found = totals_.find(name); found != totals_.end())
        return &found->second;
    if (const auto found = means_.find(name); found != means_.end())
        return &found->second;
    return nullptr;
}

void RatioReporter::Finalize()
{
    for (const RatioOf& ratio : ratios_) {
        const Total* measured = Find(ratio.measured);
        const Total* reference = Find(ratio.reference);
        if (measured == nullptr || reference == nullptr)
            continue;
        GetOutputStream() << ratio.label << ": "
                          << RatioText(measured->seconds / measured->iterations,
                                 reference->seconds / reference->iterations, "wall clock");
        if (ratio.inProcess)
            GetOutputStream() << ", "
                              << RatioText(measured->cpuSeconds / measured->iterations,
                                     reference->cpuSeconds / reference->iterations, "CPU");
        GetOutputStream() << "\n";
    }
}

} // namespace vennart::bench
