// vennart-cli: the tag editor's reading, commands and saving from a shell.
#include "cli/OutputText.h"
#include "cli/Request.h"
#include "cli/Run.h"
#include "cli/Usage.h"
#include "platform/FreedMemory.h"

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kUsageStatus = 2;
constexpr int kFailureStatus = 1;

int UsageFailure(const vennart::cli::UsageError& error)
{
    const std::string_view usage = vennart::cli::UsageText();
    std::fprintf(stderr, "vennart-cli: %s\n%.*s", vennart::cli::PrintableMessage(error.what()).c_str(),
        static_cast<int>(usage.size()), usage.data());
    return kUsageStatus;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace vennart::cli;
    vennart::platform::KeepFreedMemory();
    static char outputBuffer[kOutputBufferSize];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    try {
        const Request request = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
        if (request.command == Subcommand::Help) {
            std::fwrite(HelpText().data(), 1, HelpText().size(), stdout);
            return 0;
        }
        const int status = Run(request, { stdout, stderr, isatty(STDERR_FILENO) == 1 });
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            std::fprintf(stderr, "vennart-cli: the output could not be written\n");
            return kFailureStatus;
        }
        return status;
    } catch (const UsageError& error) {
        return UsageFailure(error);
    } catch (const std::exception& error) {
        std::fflush(stdout);
        std::fprintf(stderr, "vennart-cli: %s\n", PrintableMessage(error.what()).c_str());
        return kFailureStatus;
    }
}
