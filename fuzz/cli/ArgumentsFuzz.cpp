// The tool's command line: the input is the arguments, separated by NUL bytes as the kernel hands
// them over. Anything the parser cannot run must end in a usage error, never in a crash.
#include "cli/Request.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    try {
        vennart::cli::ParseArguments(arguments);
    } catch (const vennart::cli::UsageError&) {
    }
    return 0;
}
