// The main() every workspace and window benchmark program shares.
#pragma once

#include "RatioReporter.h"

#include <functional>
#include <string>
#include <vector>

namespace vennart::bench {

// Reads the benchmark options, then runs `body`, which builds what the benchmarks share and calls
// RunBenchmarks while that lives. A failure on the way is printed and fails the program.
// `defaultOptions` are read before the command line, which can override each of them.
int BenchmarkMain(int argc, char** argv, const std::function<void()>& body,
    const std::vector<std::string>& defaultOptions = {});

// Runs the benchmarks the options chose, then prints the ratios of those that ran.
void RunBenchmarks(std::vector<RatioOf> ratios = {});

} // namespace vennart::bench
