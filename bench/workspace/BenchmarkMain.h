// The main() every workspace and window benchmark program shares.
#pragma once

#include "RatioReporter.h"

#include <functional>
#include <vector>

namespace vennart::bench {

// Reads the benchmark options, then runs `body`, which builds what the benchmarks share and calls
// RunBenchmarks while that lives. A failure on the way is printed and fails the program.
int BenchmarkMain(int argc, char** argv, const std::function<void()>& body);

// Runs the benchmarks the options chose, then prints the ratios of those that ran.
void RunBenchmarks(std::vector<RatioOf> ratios = {});

} // namespace vennart::bench
