#include "commands/FileNamesFromTags.h"

#include "commands/FileNameMask.h"
#include "platform/CaseMapping.h"
#include "tags/ID3v1Tag.h"
#include "workspace/FileName.h"

#include <algorithm>
#include <unordered_set>

namespace vennart::commands {
namespace {

// The names of the folder's files that the command leaves alone, as they are on disk and as their
// grid cells would rename them.
std::vector<WideString> NamesOutside(const workspace::Workspace& workspace, const std::vector<int>& rows)
{
    const std::unordered_set<int> selected(rows.begin(), rows.end());
    std::vector<WideString> names;
    for (int row = 0; row < workspace.FileCount(); ++row) {
        if (selected.contains(row))
            continue;
        names.push_back(workspace::DisplayName(workspace.File(row).FileName));
        if (workspace.RowName(row) != names.back())
            names.push_back(workspace.RowName(row));
    }
    return names;
}

} // namespace

std::optional<WideString> NewFileNameOfRow(
    const workspace::Workspace& workspace, int row, const std::vector<MaskPart>& mask)
{
    const auto& file = workspace.File(row);
    const auto grid = workspace.ActiveGrid();
    if (grid == workspace::TagGrid::ID3v1 && !file.FindFrameByClass<tags::TID3v1Tag>(1))
        return std::nullopt;
    return ExpandFileNameMask(mask, file, grid, workspace.ViewCodePage(grid), workspace.RowName(row));
}

bool TakesNewName(const workspace::Workspace& workspace, int row, const WideString& newName)
{
    return !platform::EqualNoCase(newName, workspace.RowName(row));
}

int RenamePreview::UnusableCount() const
{
    return static_cast<int>(std::count_if(
        problems.begin(), problems.end(), [](const auto& problem) { return problem.has_value(); }));
}

RenamePreview PreviewFileNames(
    const workspace::Workspace& workspace, const std::vector<int>& rows, const WideString& mask)
{
    const auto expandable = ParseFileNameMask(MaskWithoutExtension(mask));
    RenamePreview preview;
    std::vector<WideString> newNames;
    std::vector<WideString> keptNames = NamesOutside(workspace, rows);
    for (int row : rows) {
        auto name = NewFileNameOfRow(workspace, row, expandable);
        const bool renamed = name && TakesNewName(workspace, row, *name);
        preview.renamed.push_back(renamed);
        preview.names.push_back(renamed ? std::move(*name) : workspace.RowName(row));
        (renamed ? newNames : keptNames).push_back(preview.names.back());
    }
    auto problems = CheckNewNames(newNames, keptNames);
    preview.problems.resize(rows.size());
    for (std::size_t i = 0, next = 0; i < rows.size(); ++i) {
        if (preview.renamed[i])
            preview.problems[i] = problems[next++];
    }
    return preview;
}

ChangeSet FileNamesFromTags(
    const workspace::Workspace& workspace, const std::vector<int>& rows, const WideString& mask)
{
    const auto expandable = ParseFileNameMask(MaskWithoutExtension(mask));
    return ChangeRows(workspace, "Make Filenames from Tags", rows, [&](workspace::RowState& draft) {
        const auto name = NewFileNameOfRow(workspace, draft.row, expandable);
        if (!name || !TakesNewName(workspace, draft.row, *name))
            return false;
        draft.name = *name;
        draft.marked = { true, true };
        return true;
    });
}

} // namespace vennart::commands
