#include "BenchmarkMain.h"

#include "platform/FreedMemory.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace vennart::bench {

int BenchmarkMain(
    int argc, char** argv, const std::function<void()>& body, const std::vector<std::string>& defaultOptions)
{
    // As the programs do, so that the figures are theirs.
    platform::KeepFreedMemory();
    // The library takes the last of a repeated option, so the defaults go first.
    std::vector<std::string> options(defaultOptions);
    std::vector<char*> arguments { argv[0] };
    for (std::string& option : options)
        arguments.push_back(option.data());
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
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
