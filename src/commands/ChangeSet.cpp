#include "commands/ChangeSet.h"

#include "platform/Error.h"

#include <algorithm>

namespace vennart::commands {

using workspace::TagGrid;

ChangeSet ChangeRows(const workspace::Workspace& workspace, std::string caption, std::span<const int> rows,
    const RowChange& change)
{
    ChangeSet set;
    set.caption = std::move(caption);
    set.listing = workspace.Listing();
    for (int row : rows) {
        if (row < 0 || row >= workspace.FileCount())
            continue;
        workspace::RowState draft = workspace.DraftRow(row);
        if (change(draft))
            set.rows.push_back(std::move(draft));
    }
    std::ranges::sort(set.rows, {}, &workspace::RowState::row);
    set.changed = workspace.Changed() || !set.rows.empty();
    return set;
}

void Apply(workspace::Workspace& workspace, ChangeSet& set)
{
    if (set.IsEmpty())
        return;
    if (set.listing != workspace.Listing())
        throw Error(
            "\"" + set.caption + "\" was computed before the folder was read again; nothing was changed");
    for (workspace::RowState& state : set.rows)
        workspace.SwapRow(state);
    workspace.SwapChanged(set.changed);
    if (set.viewGrid)
        workspace.SwapViewCodePage(*set.viewGrid, set.viewCodePage);
    if (!set.rows.empty())
        workspace.NotifyRowsChanged(set.rows.front().row, set.rows.back().row);
    for (TagGrid grid : { TagGrid::ID3v1, TagGrid::ID3v2 })
        workspace.NotifyTagsChanged(grid);
}

} // namespace vennart::commands
