// The batch commands over 10,000 selected files, each followed by what the window refreshes: both
// grids repainted and the editing panel's values and value lists on the visible tab. Goal under
// 200 ms each:
//   Transliterate Tags on ID3v1 and on ID3v2, Transliterate Filenames (shipped table);
//   ID3v1 to ID3v2 and ID3v2 to ID3v1;
//   Make Filenames from Tags with the mask "%vvtr. %vvar - %vvtt".
// Every run starts from the folder as scanned, so that each command has all its work to do. The
// baseline, RefreshOnly, is the refresh alone after a command that changed nothing.
#include "BenchmarkMain.h"
#include "GridWindow.h"
#include "SampleFolder.h"
#include "SilentUser.h"
#include "commands/CopyTags.h"
#include "commands/FileNamesFromTags.h"
#include "commands/Transliterate.h"
#include "text/Translit.h"
#include "workspace/FieldEditing.h"
#include "workspace/TagFields.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <numeric>

namespace {

using namespace vennart;
using workspace::TagGrid;

constexpr int kFileCount = 10000;
constexpr std::size_t kFileSize = 6 * 1024;
constexpr int kRuns = 5;

const bench::SampleFolder* gFolder = nullptr;
const text::TranslitTable* gTable = nullptr;

void RefreshPanel(workspace::Workspace& workspace, const std::vector<workspace::TagField>& fields)
{
    for (const workspace::TagField& field : fields) {
        if (!field.IsMain() && workspace.ActiveGrid() == TagGrid::ID3v1)
            continue;
        benchmark::DoNotOptimize(workspace::CommonFieldValue(workspace, field));
        if (!field.IsGenre())
            benchmark::DoNotOptimize(workspace::FillValueList(workspace, field));
    }
}

// Runs `command` over every file with `tab` visible, timing it with the refresh that follows.
void RunCommand(benchmark::State& state, TagGrid tab,
    const std::function<void(workspace::Workspace&, const std::vector<int>&)>& command)
{
    bench::SilentProgress progress;
    bench::NoPrompts prompts;
    workspace::Workspace workspace(progress, prompts);
    workspace.SetCurrentDir(gFolder->Path());
    const std::vector<workspace::TagField> fields
        = workspace::BuildTagFields(workspace::BuildTagList(workspace.FSettings));
    std::vector<int> rows(kFileCount);
    std::iota(rows.begin(), rows.end(), 0);
    const bench::GridWindow window(workspace, tab);
    for (auto _ : state) {
        state.PauseTiming();
        workspace.ScanFolder();
        workspace.SetActiveGrid(tab);
        workspace.SelectAllFiles();
        bench::RunPendingEvents();
        state.ResumeTiming();
        command(workspace, rows);
        workspace.NotifyTagsChanged(TagGrid::ID3v1);
        workspace.NotifyTagsChanged(TagGrid::ID3v2);
        bench::RunPendingEvents();
        RefreshPanel(workspace, fields);
    }
}

void BM_RefreshOnly(benchmark::State& state)
{
    RunCommand(state, TagGrid::ID3v2, [](workspace::Workspace&, const std::vector<int>&) {});
}
BENCHMARK(BM_RefreshOnly)->Iterations(kRuns)->Unit(benchmark::kMillisecond);

void BM_TransliterateID3v1(benchmark::State& state)
{
    RunCommand(state, TagGrid::ID3v1, [](workspace::Workspace& w, const std::vector<int>& rows) {
        commands::Apply(w, commands::TransliterateTags(w, TagGrid::ID3v1, rows, *gTable));
    });
}
BENCHMARK(BM_TransliterateID3v1)->Iterations(kRuns)->Unit(benchmark::kMillisecond);

void BM_TransliterateID3v2(benchmark::State& state)
{
    RunCommand(state, TagGrid::ID3v2, [](workspace::Workspace& w, const std::vector<int>& rows) {
        commands::Apply(w, commands::TransliterateTags(w, TagGrid::ID3v2, rows, *gTable));
    });
}
BENCHMARK(BM_TransliterateID3v2)->Iterations(kRuns)->Unit(benchmark::kMillisecond);

void BM_TransliterateFileNames(benchmark::State& state)
{
    RunCommand(state, TagGrid::ID3v2, [](workspace::Workspace& w, const std::vector<int>& rows) {
        commands::Apply(w, commands::TransliterateFileNames(w, rows, *gTable));
    });
}
BENCHMARK(BM_TransliterateFileNames)->Iterations(kRuns)->Unit(benchmark::kMillisecond);

void BM_CopyID3v1ToID3v2(benchmark::State& state)
{
    RunCommand(state, TagGrid::ID3v2, [](workspace::Workspace& w, const std::vector<int>& rows) {
        commands::Apply(w, commands::CopyTags(w, TagGrid::ID3v2, rows));
    });
}
BENCHMARK(BM_CopyID3v1ToID3v2)->Iterations(kRuns)->Unit(benchmark::kMillisecond);

void BM_CopyID3v2ToID3v1(benchmark::State& state)
{
    RunCommand(state, TagGrid::ID3v1, [](workspace::Workspace& w, const std::vector<int>& rows) {
        commands::Apply(w, commands::CopyTags(w, TagGrid::ID3v1, rows));
    });
}
BENCHMARK(BM_CopyID3v2ToID3v1)->Iterations(kRuns)->Unit(benchmark::kMillisecond);

void BM_MakeFilenamesFromTags(benchmark::State& state)
{
    RunCommand(state, TagGrid::ID3v2, [](workspace::Workspace& w, const std::vector<int>& rows) {
        commands::Apply(w, commands::FileNamesFromTags(w, rows, u"%vvtr. %vvar - %vvtt"));
    });
}
BENCHMARK(BM_MakeFilenamesFromTags)->Iterations(kRuns)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const bench::OffscreenApplication application(argc, argv);
    return bench::BenchmarkMain(argc, argv, [] {
        const bench::SampleFolder folder(kFileCount, kFileSize);
        const text::TranslitTable table = text::LoadTranslitTable(VENNART_DATA_DIR "/translit.tab");
        gFolder = &folder;
        gTable = &table;
        bench::RunBenchmarks();
    });
}
