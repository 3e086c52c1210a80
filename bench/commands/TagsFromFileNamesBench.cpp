// "Make Tags from Filenames" over 10,000 selected files, on the ID3v2 tab under view code page 1200:
//   the command alone, for comparison;
//   the command with three checked rules and two replacement rows, with both grids repainted and
//   the panel's values and value lists worked out again (goal under 300 ms);
//   one keystroke in a rule field of the dialog, with the preview repainted (goal under 30 ms).
#include "BenchmarkMain.h"
#include "GridWindow.h"
#include "SampleFolder.h"
#include "SilentUser.h"
#include "commands/Selection.h"
#include "commands/TagsFromFileNames.h"
#include "gui/TfrmTagsFromFileName.h"
#include "workspace/FieldEditing.h"
#include "workspace/TagFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

using namespace vennart;
using workspace::TagGrid;

constexpr int kFileCount = 10000;
constexpr std::size_t kFileSize = 6 * 1024;

struct ListedFolder {
    explicit ListedFolder(const bench::SampleFolder& folder)
        : workspace(progress, prompts)
    {
        workspace.SetCurrentDir(folder.Path());
        workspace.ScanFolder();
        if (workspace.FileCount() != kFileCount)
            throw Error("The scan listed " + std::to_string(workspace.FileCount()) + " files");
        workspace.SetActiveGrid(TagGrid::ID3v2);
        workspace.SetViewCodePage(TagGrid::ID3v2, 1200);
        workspace.SelectAllFiles();
        fields = workspace::BuildTagFields(workspace::BuildTagList(workspace.FSettings));
    }

    bench::SilentProgress progress;
    bench::NoPrompts prompts;
    workspace::Workspace workspace;
    std::vector<workspace::TagField> fields;
};

ListedFolder* gListed = nullptr;

// The sample names are "<artist> - <title>": artist and title around the dash, the album from the
// first five characters.
commands::TagsFromNameOptions ThreeRulesTwoReplacements()
{
    using commands::BoundMode;
    commands::TagsFromNameOptions options;
    *options.Rule("TPE1")
        = { .FrameID = "TPE1", .checked = true, .to = { .mode = BoundMode::Symbol, .symbol = u" - " } };
    *options.Rule("TIT2")
        = { .FrameID = "TIT2", .checked = true, .from = { .mode = BoundMode::Symbol, .symbol = u" - " } };
    *options.Rule("TALB") = { .FrameID = "TALB", .checked = true, .to = { .position = "5" } };
    options.replacements = { { u"_", u" " }, { u"a", u"A" } };
    return options;
}

void BM_CommandAlone(benchmark::State& state)
{
    auto& workspace = gListed->workspace;
    const auto rows = commands::SelectedRows(workspace);
    const auto options = ThreeRulesTwoReplacements();
    for (auto _ : state)
        commands::Apply(workspace, commands::TagsFromFileNames(workspace, rows, options));
}
BENCHMARK(BM_CommandAlone)->Unit(benchmark::kMillisecond);

void BM_CommandWithRefresh(benchmark::State& state)
{
    auto& workspace = gListed->workspace;
    const auto rows = commands::SelectedRows(workspace);
    const auto options = ThreeRulesTwoReplacements();
    const bench::GridWindow window(workspace, TagGrid::ID3v2);
    for (auto _ : state) {
        commands::Apply(workspace, commands::TagsFromFileNames(workspace, rows, options));
        for (const auto& field : gListed->fields) {
            benchmark::DoNotOptimize(workspace::CommonFieldValue(workspace, field));
            if (!field.IsGenre())
                benchmark::DoNotOptimize(workspace::FillValueList(workspace, field));
        }
        bench::RunPendingEvents();
    }
}
BENCHMARK(BM_CommandWithRefresh)->Unit(benchmark::kMillisecond);

void BM_PreviewKeystroke(benchmark::State& state)
{
    auto& workspace = gListed->workspace;
    gui::TfrmTagsFromFileName dialog;
    for (auto& row : dialog.Rows)
        row.CheckBox->setChecked(row.FrameID != "COMM");
    dialog.Rows[1].ToMode->setCurrentIndex(1);
    dialog.Rows[1].ToSymbol->setText(QStringLiteral(" - "));
    dialog.PreviewRows(workspace, commands::SelectedRows(workspace));
    dialog.show();
    bench::RunPendingEvents();
    QLineEdit* typed = dialog.Rows[0].FromPosition;
    int keystroke = 0;
    for (auto _ : state) {
        typed->setText(QString::number(1 + keystroke++ % 9));
        bench::RunPendingEvents();
    }
}
BENCHMARK(BM_PreviewKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::BenchmarkMain(argc, argv, [&] {
        const bench::OffscreenApplication application(argc, argv);
        const bench::SampleFolder folder(kFileCount, kFileSize);
        ListedFolder listed(folder);
        gListed = &listed;
        bench::RunBenchmarks();
    });
}
