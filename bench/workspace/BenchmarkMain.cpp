#include "BenchmarkMain.h"

#include "platform/FreedMemory.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <exception>

namespace vennart::bench {

int BenchmarkMain(int argc, char** argv, const std::function<void()>& body)
{
    // As the programs do, so that the figures are theirs.
    platform::KeepFreedMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        body();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}

void RunBenchmarks(std::vector<RatioOf> ratios)
{
    RatioReporter reporter(std::move(ratios));
    benchmark::RunSpecifiedBenchmarks(&reporter);
}

} // namespace vennart::bench
