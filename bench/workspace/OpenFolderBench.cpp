// Opening a folder of 10,000 files against the least work it needs:
//   (a) creating the 10,000 tag objects alone, and listing the folder alone;
//   (b) the scan with both grid models reset and every cell of the first screen of both grids read
//       through the models, as the window's grids read them;
//   (c) the scan with both grids in their tabs, shown on the offscreen platform and painted;
//   (d) the same with the status line counting the files below the grids, as in the window.
// The ratios b/a, c/a and d/a tell how much the window adds to reading the files. The files stay in the
// page cache after the first run, so the figures are those of a folder opened before.
#include "BenchmarkMain.h"
#include "GridWindow.h"
#include "SampleFolder.h"
#include "SilentUser.h"
#include "gui/FileGridModel.h"
#include "gui/StatusLine.h"
#include "tags/ID3v2Class.h"
#include "workspace/FolderListing.h"
#include "workspace/Workspace.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

using namespace vennart;
using workspace::TagGrid;

constexpr int kFileCount = 10000;
constexpr std::size_t kFileSize = 6 * 1024;
constexpr int kScreenRows = bench::GridWindow::kScreenRows;

const bench::SampleFolder* gFolder = nullptr;

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
    for (auto _ : state) {
        std::vector<std::unique_ptr<tags::TID3v2Class>> files;
        files.reserve(gFolder->Files().size());
        for (const auto& path : gFolder->Files())
            files.push_back(std::make_unique<tags::TID3v2Class>(path));
        benchmark::DoNotOptimize(files.data());
        // Destroyed here, as the next scan destroys the objects of the folder before.
    }
    state.SetItemsProcessed(state.iterations() * kFileCount);
}
BENCHMARK(BM_CreateTagObjects)->Unit(benchmark::kMillisecond)->UseRealTime();

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
    workspace.SetCurrentDir(gFolder->Path());
    gui::FileGridModel modelID3v1(workspace, TagGrid::ID3v1);
    gui::FileGridModel modelID3v2(workspace, TagGrid::ID3v2);
    for (auto _ : state) {
        workspace.ScanFolder();
        ReadFirstScreen(modelID3v1);
        ReadFirstScreen(modelID3v2);
    }
    if (workspace.FileCount() != kFileCount)
        state.SkipWithError("the scan did not list every file");
    state.SetItemsProcessed(state.iterations() * kFileCount);
}
BENCHMARK(BM_OpenFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

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
        gFolder = &folder;
        bench::RunBenchmarks({
            { "Open folder / create tag objects", "BM_OpenFolder/real_time", "BM_CreateTagObjects/real_time",
                true },
            { "Open folder in grids / create tag objects", "BM_OpenFolderInGrids/real_time",
                "BM_CreateTagObjects/real_time", true },
            { "Open folder in a window / create tag objects", "BM_OpenFolderInWindow/real_time",
                "BM_CreateTagObjects/real_time", true },
        });
    });
}
