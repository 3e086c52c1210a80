// vennart-cli over folder trees of songs without pictures (the workspace benchmarks' sample files,
// 1,000 per folder, hard-linked into further folders so that large trees cost little disk):
//   show --json --recursive over 10,000 files  vs  the tag-reading floor of the tags benchmark
//     (open, the header, the whole tag, the last 128 bytes, close) and vs the tag objects alone;
//   the same at 1,000, 10,000 and 100,000 files, to see that time grows linearly;
//   the peak memory of the executable over 100 folders of 1,000 files vs one folder of 1,000.
#include "BenchmarkMain.h"
#include "ReadFloor.h"
#include "SampleFolder.h"
#include "cli/Request.h"
#include "cli/Run.h"
#include "tags/ID3v2Class.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <memory>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace vennart;
namespace fs = std::filesystem;

constexpr int kFolderSize = 1000;
constexpr std::size_t kFileSize = 4 * 1024;
constexpr int kReadingFolders = 10;

// root/folder-k for k below the count, each holding hard links to the files of the sample folder.
class SampleTree {
public:
    SampleTree(const bench::SampleFolder& sample, int folders)
    {
        for (int k = 0; k < folders; ++k) {
            const fs::path folder = root_.Path() / ("folder-" + std::to_string(k));
            fs::create_directory(folder);
            for (const fs::path& file : sample.Files()) {
                fs::create_hard_link(file, folder / file.filename());
                files_.push_back(folder / file.filename());
            }
        }
    }
    const fs::path& Root() const { return root_.Path(); }
    const std::vector<fs::path>& Files() const { return files_; }

private:
    bench::TemporaryFolder root_;
    std::vector<fs::path> files_;
};

const bench::SampleFolder* gSample = nullptr;
std::map<int, std::unique_ptr<SampleTree>> gTrees; // by folder count, made when first needed
std::map<int, long> gPeakKilobytes; // by folder count

const SampleTree& TreeOf(int folders)
{
    auto& tree = gTrees[folders];
    if (!tree)
        tree = std::make_unique<SampleTree>(*gSample, folders);
    return *tree;
}

void BM_RawReads(benchmark::State& state)
{
    const std::vector<fs::path>& files = TreeOf(kReadingFolders).Files();
    std::vector<std::uint8_t> tag;
    for (auto _ : state) {
        for (const fs::path& file : files) {
            if (!vennart::bench::ReadAsTheFloorDoes(file, tag))
                state.SkipWithError("short header");
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
}
BENCHMARK(BM_RawReads)->Unit(benchmark::kMillisecond);

void BM_CreateTagObjects(benchmark::State& state)
{
    const std::vector<fs::path>& files = TreeOf(kReadingFolders).Files();
    for (auto _ : state) {
        for (const fs::path& file : files) {
            tags::TID3v2Class tag(file);
            benchmark::DoNotOptimize(tag.Frames.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
}
BENCHMARK(BM_CreateTagObjects)->Unit(benchmark::kMillisecond);

// The tool's whole run in this process, its output thrown away: folder walk, scans, reports.
void BM_ShowJsonRecursive(benchmark::State& state)
{
    const int folders = static_cast<int>(state.range(0)) / kFolderSize;
    const SampleTree& tree = TreeOf(folders);
    cli::Request request;
    request.command = cli::Subcommand::Show;
    request.common.recursive = true;
    request.common.json = true;
    request.common.settings = tree.Root() / "none.ini";
    request.paths = { tree.Root() };
    std::FILE* discard = std::fopen("/dev/null", "w");
    // Buffered as the tool's standard output is.
    static char buffer[cli::kOutputBufferSize];
    std::setvbuf(discard, buffer, _IOFBF, sizeof buffer);
    std::fclose(std::fopen(request.common.settings->c_str(), "w"));
    for (auto _ : state) {
        if (cli::Run(request, { discard, discard, false }) != 0)
            state.SkipWithError("vennart-cli failed");
    }
    std::fclose(discard);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ShowJsonRecursive)
    ->Arg(kFolderSize)
    ->Arg(kFolderSize* kReadingFolders)
    ->Arg(kFolderSize * 100)
    ->Unit(benchmark::kMillisecond);

// Run as "<this program> --peak-memory-of PROGRAM ARGUMENT...": runs the program with its output
// thrown away and prints its peak resident memory in kB. A child reports, besides its own, the
// peak of the process it was forked from; started afresh, this launcher is small, while the
// benchmark process holding the trees is not.
constexpr std::string_view kPeakMemoryOf = "--peak-memory-of";

int PrintPeakMemoryOf(char** command)
{
    const pid_t child = fork();
    if (child == 0) {
        const int discard = open("/dev/null", O_WRONLY);
        dup2(discard, STDOUT_FILENO);
        execv(command[0], command);
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 1;
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}

long PeakMemoryOf(const std::vector<std::string>& command)
{
    std::vector<std::string> launcher { fs::read_symlink("/proc/self/exe").string(),
        std::string(kPeakMemoryOf) };
    launcher.insert(launcher.end(), command.begin(), command.end());
    std::string quoted;
    for (const std::string& word : launcher)
        quoted += "'" + word + "' ";
    std::FILE* pipe = popen(quoted.c_str(), "r");
    long kilobytes = 0;
    if (pipe == nullptr || std::fscanf(pipe, "%ld", &kilobytes) != 1)
        kilobytes = 0;
    if (pipe != nullptr && pclose(pipe) != 0)
        kilobytes = 0;
    return kilobytes;
}

// The executable over the tree; its peak resident memory is the "peak_kB" counter.
void BM_ExecutablePeakMemory(benchmark::State& state)
{
    const int folders = static_cast<int>(state.range(0));
    const SampleTree& tree = TreeOf(folders);
    const std::string settings = (tree.Root() / "none.ini").string();
    std::fclose(std::fopen(settings.c_str(), "w"));
    long peak = 0;
    for (auto _ : state) {
        const long kilobytes = PeakMemoryOf({ VENNART_CLI_EXECUTABLE, "show", "--json", "--recursive",
            "--settings", settings, tree.Root().string() });
        if (kilobytes == 0)
            state.SkipWithError("vennart-cli failed");
        peak = std::max(peak, kilobytes);
    }
    gPeakKilobytes[folders] = peak;
    state.counters["peak_kB"] = static_cast<double>(peak);
    state.counters["files"] = folders * kFolderSize;
}
BENCHMARK(BM_ExecutablePeakMemory)
    ->Arg(1)
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && argv[1] == kPeakMemoryOf)
        return PrintPeakMemoryOf(argv + 2);
    return bench::BenchmarkMain(argc, argv, [] {
        const bench::SampleFolder sample(kFolderSize, kFileSize);
        gSample = &sample;
        bench::RunBenchmarks({
            { "show --json -r over 10,000 files / raw reads", "BM_ShowJsonRecursive/10000", "BM_RawReads",
                true },
            { "show --json -r over 10,000 files / tag objects", "BM_ShowJsonRecursive/10000",
                "BM_CreateTagObjects", true },
            { "show --json -r: 10,000 files / 1,000 files", "BM_ShowJsonRecursive/10000",
                "BM_ShowJsonRecursive/1000", true },
            { "show --json -r: 100,000 files / 10,000 files", "BM_ShowJsonRecursive/100000",
                "BM_ShowJsonRecursive/10000", true },
        });
        if (gPeakKilobytes.contains(1) && gPeakKilobytes.contains(100))
            std::printf("peak memory, 100 folders of 1,000 / one folder of 1,000: %.2f (%ld kB / %ld kB)\n",
                static_cast<double>(gPeakKilobytes[100]) / static_cast<double>(gPeakKilobytes[1]),
                gPeakKilobytes[100], gPeakKilobytes[1]);
        gTrees.clear();
    });
}
