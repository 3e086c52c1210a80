// Opening a folder of 10,000 files against the least work it needs:
//   (a) creating the 10,000 tag objects alone, and listing the folder alone; the read floor: only
//       the reads any reader must do (header, tag and the bytes after it, ID3v1 record);
//   (b) the scan with both grid models reset and every cell of the first screen of both grids read
//       through the models, as the window's grids read them, and the heap the listing holds per file;
//   (c) the scan with both grids in their tabs, shown on the offscreen platform and painted;
//   (d) the same with the status line counting the files below the grids, as in the window.
// The ratios b/a, c/a and d/a tell how much the window adds to reading the files, a against the floor
// how much reading adds to the reads. (a) and (b) run on files without pictures (covers:0) and on
// files with a 100 KB cover each (covers:1). The files stay in the page cache after the first run,
// so the figures are those of a folder opened before. Run with --benchmark_repetitions=7
// --benchmark_enable_random_interleaving=true for variants interleaved.
#include "BenchmarkMain.h"
#include "GridWindow.h"
#include "ReadFloor.h"
#include "SampleFolder.h"
#include "SilentUser.h"
#include "gui/FileGridModel.h"
#include "gui/StatusLine.h"
#include "tags/ID3v2Class.h"
#include "workspace/FolderListing.h"
#include "workspace/Workspace.h"

#include <array>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <map>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

using namespace vennart;
using workspace::TagGrid;

constexpr int kFileCount = 10000;
constexpr std::size_t kFileSize = 6 * 1024;
constexpr std::size_t kCoverSize = 100 * 1024;
constexpr int kScreenRows = bench::GridWindow::kScreenRows;

// Without pictures, and with a cover in every file.
std::array<const bench::SampleFolder*, 2> gFolders {};
const bench::SampleFolder* gFolder = nullptr;

const bench::SampleFolder& FolderOf(const benchmark::State& state)
{
    return *gFolders.at(static_cast<std::size_t>(state.range(0)));
}

void BothFolders(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgName("covers")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
}

void ReadFirstScreen(const QAbstractItemModel& model)
{
    for (int column = 0; column < model.columnCount(); ++column)
        benchmark::DoNotOptimize(model.headerData(column, Qt::Horizontal));
    const int rows = std::min(kScreenRows, model.rowCount());
    for (int row = 0; row < rows; ++row) {
        benchmark::DoNotOptimize(model.headerData(row, Qt::Vertical));
        for (int column = 0; column < model.columnCount(); ++column)
            benchmark::DoNotOptimize(model.data(model.index(row, column)));
    }
}

void BM_CreateTagObjects(benchmark::State& state)
{
    const bench::SampleFolder& folder = FolderOf(state);
    for (auto _ : state) {
        std::vector<std::unique_ptr<tags::TID3v2Class>> files;
        files.reserve(folder.Files().size());
        for (const auto& path : folder.Files())
            files.push_back(std::make_unique<tags::TID3v2Class>(path));
        benchmark::DoNotOptimize(files.data());
        // Destroyed here, as the next scan destroys the objects of the folder before.
    }
    state.SetItemsProcessed(state.iterations() * kFileCount);
}
BENCHMARK(BM_CreateTagObjects)->Apply(BothFolders);

// The least any reader does for the same files.
void BM_ReadFloor(benchmark::State& state)
{
    const bench::SampleFolder& folder = FolderOf(state);
    std::vector<std::uint8_t> tag;
    for (auto _ : state) {
        for (const auto& path : folder.Files()) {
            if (!bench::ReadAsTheFloorDoes(path, tag))
                state.SkipWithError("cannot read a header");
        }
    }
    state.SetItemsProcessed(state.iterations() * kFileCount);
}
BENCHMARK(BM_ReadFloor)->Apply(BothFolders);

// Where the scan's own time goes: listing the folder and sorting the names.
void BM_ListFolder(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(workspace::ListMp3Files(gFolder->Path()));
    state.SetItemsProcessed(state.iterations() * kFileCount);
}
BENCHMARK(BM_ListFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenFolder(benchmark::State& state)
{
    bench::SilentProgress progress;
    bench::NoPrompts prompts;
    workspace::Workspace workspace(progress, prompts);
    workspace.SetCurrentDir(FolderOf(state).Path());
    gui::FileGridModel modelID3v1(workspace, TagGrid::ID3v1);
    gui::FileGridModel modelID3v2(workspace, TagGrid::ID3v2);
    const std::size_t heapBefore = mallinfo2().uordblks;
    for (auto _ : state) {
        workspace.ScanFolder();
        ReadFirstScreen(modelID3v1);
        ReadFirstScreen(modelID3v2);
    }
    if (workspace.FileCount() != kFileCount)
        state.SkipWithError("the scan did not list every file");
    // Tag objects, rows and the reading buffers, all that the listing holds.
    state.counters["heap_per_file_B"] = static_cast<double>(mallinfo2().uordblks - heapBefore) / kFileCount;
    state.SetItemsProcessed(state.iterations() * kFileCount);
}
BENCHMARK(BM_OpenFolder)->Apply(BothFolders);

// The scan of folders of 1,000, 10,000 and 50,000 files without pictures: the files per second
// must stay flat as the folder grows. Each folder is written at its first use.
void BM_OpenFolderScaling(benchmark::State& state)
{
    const auto files = static_cast<int>(state.range(0));
    static std::map<int, std::unique_ptr<bench::SampleFolder>> folders;
    auto& folder = folders[files];
    if (!folder)
        folder = std::make_unique<bench::SampleFolder>(files, kFileSize);
    bench::SilentProgress progress;
    bench::NoPrompts prompts;
    workspace::Workspace workspace(progress, prompts);
    workspace.SetCurrentDir(folder->Path());
    for (auto _ : state)
        workspace.ScanFolder();
    if (workspace.FileCount() != files)
        state.SkipWithError("the scan did not list every file");
    state.SetItemsProcessed(state.iterations() * files);
}
BENCHMARK(BM_OpenFolderScaling)
    ->ArgName("files")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_OpenFolderInGrids(benchmark::State& state)
{
    bench::SilentProgress progress;
    bench::NoPrompts prompts;
    workspace::Workspace workspace(progress, prompts);
    workspace.SetCurrentDir(gFolder->Path());
    const bench::GridWindow window(workspace, TagGrid::ID3v1);
    for (auto _ : state) {
        workspace.ScanFolder();
        bench::RunPendingEvents();
    }
    if (workspace.FileCount() != kFileCount)
        state.SkipWithError("the scan did not list every file");
    state.SetItemsProcessed(state.iterations() * kFileCount);
}
BENCHMARK(BM_OpenFolderInGrids)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenFolderInWindow(benchmark::State& state)
{
    bench::NoPrompts prompts;
    auto statusLine = std::make_unique<gui::StatusLine>();
    workspace::Workspace workspace(*statusLine, prompts);
    workspace.SetCurrentDir(gFolder->Path());
    const bench::GridWindow window(workspace, TagGrid::ID3v1, std::move(statusLine));
    for (auto _ : state) {
        workspace.ScanFolder();
        bench::RunPendingEvents();
    }
    if (workspace.FileCount() != kFileCount)
        state.SkipWithError("the scan did not list every file");
    state.SetItemsProcessed(state.iterations() * kFileCount);
}
BENCHMARK(BM_OpenFolderInWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return bench::BenchmarkMain(argc, argv, [&] {
        const bench::OffscreenApplication application(argc, argv);
        const bench::SampleFolder folder(kFileCount, kFileSize);
        const bench::SampleFolder withCovers(kFileCount, kFileSize + kCoverSize, kCoverSize);
        gFolders = { &folder, &withCovers };
        gFolder = &folder;
        const std::string plain = "/covers:0/real_time";
        const std::string covers = "/covers:1/real_time";
        bench::RunBenchmarks({
            { "Create tag objects / read floor", "BM_CreateTagObjects" + plain, "BM_ReadFloor" + plain,
                true },
            { "Create tag objects / read floor, 100 KB covers", "BM_CreateTagObjects" + covers,
                "BM_ReadFloor" + covers, true },
            { "Open folder / read floor", "BM_OpenFolder" + plain, "BM_ReadFloor" + plain, true },
            { "Open folder / read floor, 100 KB covers", "BM_OpenFolder" + covers, "BM_ReadFloor" + covers,
                true },
            { "Open folder / create tag objects", "BM_OpenFolder" + plain, "BM_CreateTagObjects" + plain,
                true },
            { "Open folder in grids / create tag objects", "BM_OpenFolderInGrids/real_time",
                "BM_CreateTagObjects" + plain, true },
            { "Open folder in a window / create tag objects", "BM_OpenFolderInWindow/real_time",
                "BM_CreateTagObjects" + plain, true },
        });
    });
}
