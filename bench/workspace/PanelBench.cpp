// What the window computes while the user works on 10,000 selected files; each must stay well under
// the time a user notices:
//   SelectAllFiles and ShowFileInfo, on either tab (goal under 100 ms);
//   the values FillTagPanel shows for the default 18 fields (CommonFieldValue), on the ID3v2 tab;
//   one keystroke in the title field applied to every selected file (EditField through the undo history), on
//   the ID3v2 tab, alone and with both grids shown and repainted; FillFieldLists on the ID3v2 tab: the value
//   list of every field, alone and put into combo boxes.
// The last three under view code pages 1251 and 1200, goal under 150 ms each.
#include "BenchmarkMain.h"
#include "GridWindow.h"
#include "SampleFolder.h"
#include "SilentUser.h"
#include "commands/EditField.h"
#include "commands/History.h"
#include "commands/Selection.h"
#include "gui/QtText.h"
#include "tags/ID3v1Genre.h"
#include "workspace/FieldEditing.h"
#include "workspace/FileInfo.h"
#include "workspace/TagFields.h"
#include "workspace/Workspace.h"

#include <QComboBox>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

using namespace vennart;
using workspace::TagGrid;

constexpr int kFileCount = 10000;
constexpr std::size_t kFileSize = 6 * 1024;
constexpr std::size_t kDefaultFieldCount = 18;

// A listed folder: the workspace of the window after the scan, with the fields of the default panel.
struct ListedFolder {
    explicit ListedFolder(const bench::SampleFolder& folder)
        : workspace(progress, prompts)
    {
        workspace.SetCurrentDir(folder.Path());
        workspace.ScanFolder();
        if (workspace.FileCount() != kFileCount)
            throw Error("The scan listed " + std::to_string(workspace.FileCount()) + " files");
        fields = workspace::BuildTagFields(workspace::BuildTagList(workspace.FSettings));
        if (fields.size() != kDefaultFieldCount)
            throw Error("The default panel has " + std::to_string(fields.size()) + " fields");
    }

    bench::SilentProgress progress;
    bench::NoPrompts prompts;
    workspace::Workspace workspace;
    std::vector<workspace::TagField> fields;
};

// The benchmarks choose its tab, view code page and selection; none changes its tags.
ListedFolder* gListed = nullptr;
// The keystroke benchmarks type into these files.
ListedFolder* gTyped = nullptr;

void ShowTab(ListedFolder& listed, TagGrid tab, std::uint32_t codePage)
{
    listed.workspace.SetActiveGrid(tab);
    listed.workspace.SetViewCodePage(tab, codePage);
    listed.workspace.SelectAllFiles();
}

void BM_SelectAllShowFileInfo(benchmark::State& state)
{
    workspace::Workspace& workspace = gListed->workspace;
    workspace.SetActiveGrid(state.range(0) == 1 ? TagGrid::ID3v1 : TagGrid::ID3v2);
    for (auto _ : state) {
        workspace.SelectAllFiles();
        const workspace::FileInfoRows rows = workspace::ShowFileInfo(workspace);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_SelectAllShowFileInfo)->ArgName("ID3v")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_FillTagPanelValues(benchmark::State& state)
{
    ShowTab(*gListed, TagGrid::ID3v2, static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        for (const workspace::TagField& field : gListed->fields)
            benchmark::DoNotOptimize(workspace::CommonFieldValue(gListed->workspace, field));
    }
}
BENCHMARK(BM_FillTagPanelValues)->ArgName("cp")->Arg(1251)->Arg(1200)->Unit(benchmark::kMillisecond);

// The title as it reads after the next keystroke: one character longer each time, then again.
WideString NextTitle()
{
    static const WideString typed = u"Новая песня, записанная заново в студии";
    static std::size_t length = 0;
    length = length % typed.size() + 1;
    return typed.substr(0, length);
}

// One keystroke as the window handles it: a change set over the selection, joined to the step of
// the keystrokes before it.
void TypeTitle(commands::History& history, const workspace::TagField& title)
{
    workspace::Workspace& workspace = gTyped->workspace;
    const auto rows = commands::SelectedRows(workspace);
    const workspace::TagGrid grid = workspace.ActiveGrid();
    history.Do(commands::EditField(workspace, grid, rows, title, NextTitle()),
        commands::EditFieldMergeKey(workspace, grid, rows, title));
}

void BM_TitleKeystroke(benchmark::State& state)
{
    ShowTab(*gTyped, TagGrid::ID3v2, static_cast<std::uint32_t>(state.range(0)));
    const workspace::TagField& title = gTyped->fields.front();
    commands::History history(gTyped->workspace);
    for (auto _ : state)
        TypeTitle(history, title);
}
BENCHMARK(BM_TitleKeystroke)->ArgName("cp")->Arg(1251)->Arg(1200)->Unit(benchmark::kMillisecond);

void BM_TitleKeystrokeInWindow(benchmark::State& state)
{
    ShowTab(*gTyped, TagGrid::ID3v2, static_cast<std::uint32_t>(state.range(0)));
    const workspace::TagField& title = gTyped->fields.front();
    const bench::GridWindow window(gTyped->workspace, TagGrid::ID3v2);
    commands::History history(gTyped->workspace);
    for (auto _ : state) {
        TypeTitle(history, title);
        bench::RunPendingEvents();
    }
}
BENCHMARK(BM_TitleKeystrokeInWindow)->ArgName("cp")->Arg(1251)->Arg(1200)->Unit(benchmark::kMillisecond);

// The entries of one field's drop-down list after "<do not change>": the genre table for the genre
// field, the field's values in the listed files for every other.
std::vector<WideString> ListEntries(const workspace::TagField& field)
{
    if (!field.IsGenre())
        return workspace::FillValueList(gListed->workspace, field);
    std::vector<WideString> names;
    tags::TID3v1Genre().FillGenreList(names);
    return names;
}

void BM_FillFieldLists(benchmark::State& state)
{
    ShowTab(*gListed, TagGrid::ID3v2, static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        for (const workspace::TagField& field : gListed->fields)
            benchmark::DoNotOptimize(ListEntries(field));
    }
}
BENCHMARK(BM_FillFieldLists)->ArgName("cp")->Arg(1251)->Arg(1200)->Unit(benchmark::kMillisecond);

// The lists as the window's combo boxes take them: replaced whole, the typed text kept.
void BM_FillFieldListsInCombos(benchmark::State& state)
{
    ShowTab(*gListed, TagGrid::ID3v2, static_cast<std::uint32_t>(state.range(0)));
    std::vector<std::unique_ptr<QComboBox>> combos;
    for (const workspace::TagField& field : gListed->fields) {
        combos.push_back(std::make_unique<QComboBox>());
        combos.back()->setEditable(!field.IsGenre());
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < combos.size(); ++i) {
            QStringList entries { gui::ToQString(WideString(workspace::kDoNotChange)) };
            for (const WideString& value : ListEntries(gListed->fields[i]))
                entries.append(gui::ToQString(value));
            QComboBox& combo = *combos[i];
            const QString text = combo.currentText();
            combo.clear();
            combo.addItems(entries);
            if (combo.isEditable())
                combo.setEditText(text);
        }
    }
}
BENCHMARK(BM_FillFieldListsInCombos)->ArgName("cp")->Arg(1251)->Arg(1200)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::BenchmarkMain(argc, argv, [&] {
        const bench::OffscreenApplication application(argc, argv);
        const bench::SampleFolder folder(kFileCount, kFileSize);
        ListedFolder listed(folder);
        ListedFolder typed(folder);
        gListed = &listed;
        gTyped = &typed;
        bench::RunBenchmarks();
    });
}
