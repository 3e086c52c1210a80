// "Make Filenames from Tags" over 10,000 selected files: the preview of every new name with its
// collision marks, as one keystroke in the mask recomputes it (goal under 30 ms), and the command
// itself, which renames the rows in memory (goal under 200 ms with the grid refresh).
#include "BenchmarkMain.h"
#include "SampleFolder.h"
#include "SilentUser.h"
#include "commands/FileNamesFromTags.h"
#include "commands/Selection.h"
#include "platform/Error.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vennart;

constexpr int kFileCount = 10000;
constexpr std::size_t kFileSize = 6 * 1024;
const WideString kMask = u"%vvtr. %vvar - %vvtt";

workspace::Workspace* gWorkspace = nullptr;

void BM_PreviewKeystroke(benchmark::State& state)
{
    const auto rows = commands::SelectedRows(*gWorkspace);
    for (auto _ : state)
        benchmark::DoNotOptimize(commands::PreviewFileNames(*gWorkspace, rows, kMask).UnusableCount());
}
BENCHMARK(BM_PreviewKeystroke)->Unit(benchmark::kMillisecond);

void BM_Command(benchmark::State& state)
{
    const auto rows = commands::SelectedRows(*gWorkspace);
    int round = 0;
    for (auto _ : state) {
        // Every round gives new names, so that every row changes.
        commands::Apply(*gWorkspace,
            commands::FileNamesFromTags(*gWorkspace, rows, kMask + (++round % 2 ? u" a" : u" b")));
        gWorkspace->NotifyTagsChanged(gWorkspace->ActiveGrid());
    }
}
BENCHMARK(BM_Command)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::BenchmarkMain(argc, argv, [] {
        const bench::SampleFolder folder(kFileCount, kFileSize);
        bench::SilentProgress progress;
        bench::NoPrompts prompts;
        workspace::Workspace workspace(progress, prompts);
        workspace.SetCurrentDir(folder.Path());
        workspace.ScanFolder();
        if (workspace.FileCount() != kFileCount)
            throw Error("The scan listed " + std::to_string(workspace.FileCount()) + " files");
        workspace.SetActiveGrid(workspace::TagGrid::ID3v2);
        workspace.SelectAllFiles();
        gWorkspace = &workspace;
        bench::RunBenchmarks();
    });
}
