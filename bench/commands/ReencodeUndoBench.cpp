// "Change Encoding of Tags" on the ID3v2 tab over 10,000 selected files, 1251 -> 1200, then its undo
// and its redo, each timed with the refresh that follows: both grids repainted and the editing
// panel's values and value lists. Goal under 200 ms each.
// Then the memory a history of 50 such steps holds (1251 -> 1200 and back, in turn), beside the
// memory the frames those steps changed occupied before: goal under twice that.
#include "BenchmarkMain.h"
#include "GridWindow.h"
#include "SampleFolder.h"
#include "SilentUser.h"
#include "commands/History.h"
#include "commands/Reencode.h"
#include "workspace/FieldEditing.h"
#include "workspace/TagFields.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <numeric>

namespace {

using namespace vennart;
using workspace::TagGrid;

constexpr int kFileCount = 10000;
constexpr std::size_t kFileSize = 6 * 1024;
constexpr int kRuns = 5;
constexpr int kHistorySteps = 50;
constexpr uint32_t kCyrillic = 1251;
constexpr uint32_t kUtf16 = 1200;

const bench::SampleFolder* gFolder = nullptr;

// The bytes the heap has handed out and not taken back.
std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The window's side of one folder: the grids, the panel's fields and the undo history.
struct Session {
    bench::SilentProgress progress;
    bench::NoPrompts prompts;
    workspace::Workspace workspace { progress, prompts };
    std::vector<workspace::TagField> fields
        = workspace::BuildTagFields(workspace::BuildTagList(workspace.FSettings));
    bench::GridWindow window { workspace, TagGrid::ID3v2 };
    commands::History history { workspace };
    std::vector<int> rows;

    Session()
    {
        workspace.SetCurrentDir(gFolder->Path());
        rows.resize(kFileCount);
        std::iota(rows.begin(), rows.end(), 0);
    }

    // The folder as scanned, every file selected on the ID3v2 tab shown in 1251.
    void Reset()
    {
        workspace.ScanFolder();
        workspace.SetActiveGrid(TagGrid::ID3v2);
        workspace.SelectAllFiles();
        workspace.SetViewCodePage(TagGrid::ID3v2, kCyrillic);
        bench::RunPendingEvents();
    }

    commands::ChangeSet ReencodeInto(uint32_t target) const
    {
        return commands::Reencode(workspace, TagGrid::ID3v2, rows, target).set;
    }

    void Refresh()
    {
        bench::RunPendingEvents();
        for (const workspace::TagField& field : fields) {
            benchmark::DoNotOptimize(workspace::CommonFieldValue(workspace, field));
            if (!field.IsGenre())
                benchmark::DoNotOptimize(workspace::FillValueList(workspace, field));
        }
    }
};

void BM_Reencode1251To1200(benchmark::State& state)
{
    Session session;
    for (auto _ : state) {
        state.PauseTiming();
        session.Reset();
        state.ResumeTiming();
        session.history.Do(session.ReencodeInto(kUtf16));
        session.Refresh();
    }
}
BENCHMARK(BM_Reencode1251To1200)->Iterations(kRuns)->Unit(benchmark::kMillisecond);

void BM_UndoReencode(benchmark::State& state)
{
    Session session;
    for (auto _ : state) {
        state.PauseTiming();
        session.Reset();
        session.history.Do(session.ReencodeInto(kUtf16));
        session.Refresh();
        state.ResumeTiming();
        session.history.Undo();
        session.Refresh();
    }
}
BENCHMARK(BM_UndoReencode)->Iterations(kRuns)->Unit(benchmark::kMillisecond);

void BM_RedoReencode(benchmark::State& state)
{
    Session session;
    for (auto _ : state) {
        state.PauseTiming();
        session.Reset();
        session.history.Do(session.ReencodeInto(kUtf16));
        session.history.Undo();
        session.Refresh();
        state.ResumeTiming();
        session.history.Redo();
        session.Refresh();
    }
}
BENCHMARK(BM_RedoReencode)->Iterations(kRuns)->Unit(benchmark::kMillisecond);

bool SameBytes(const tags::TTag& a, const tags::TTag& b)
{
    tags::ByteWriter first;
    tags::ByteWriter second;
    a.SaveToStream(first, tags::FrameSizeFormat::Plain);
    b.SaveToStream(second, tags::FrameSizeFormat::Plain);
    return first.Data() == second.Data();
}

// What the frames the set changes occupy now, before it is applied: a copy of each such frame
// is what a history needs at least to undo it.
std::size_t ChangedFrameBytes(const workspace::Workspace& workspace, const commands::ChangeSet& set)
{
    std::vector<const tags::TTag*> changed;
    for (const workspace::RowState& draft : set.rows) {
        const tags::FrameList& before = workspace.File(draft.row).Frames;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (i >= draft.file->Frames.size() || !SameBytes(*before[i], *draft.file->Frames[i]))
                changed.push_back(before[i].get());
        }
    }
    std::vector<std::unique_ptr<tags::TTag>> copies;
    copies.reserve(changed.size());
    const std::size_t start = HeapInUse();
    for (const tags::TTag* frame : changed)
        copies.push_back(frame->Clone());
    return HeapInUse() - start;
}

void BM_HistoryOf50Reencodings(benchmark::State& state)
{
    Session session;
    for (auto _ : state) {
        session.Reset();
        std::size_t changedBytes = 0;
        for (int step = 0; step < kHistorySteps; ++step) {
            commands::ChangeSet set = session.ReencodeInto(step % 2 == 0 ? kUtf16 : kCyrillic);
            changedBytes += ChangedFrameBytes(session.workspace, set);
            session.history.Do(std::move(set));
        }
        const std::size_t withHistory = HeapInUse();
        session.history.Clear();
        const std::size_t historyBytes = withHistory - HeapInUse();
        state.counters["history_bytes"] = static_cast<double>(historyBytes);
        state.counters["changed_frame_bytes"] = static_cast<double>(changedBytes);
        state.counters["history_per_changed"]
            = static_cast<double>(historyBytes) / static_cast<double>(changedBytes);
    }
}
BENCHMARK(BM_HistoryOf50Reencodings)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const bench::OffscreenApplication application(argc, argv);
    return bench::BenchmarkMain(argc, argv, [] {
        const bench::SampleFolder folder(kFileCount, kFileSize);
        gFolder = &folder;
        bench::RunBenchmarks();
    });
}
