#include "commands/Selection.h"

#include <algorithm>

namespace vennart::commands {

std::vector<int> SelectedRows(const workspace::Workspace& workspace)
{
    return SelectedRows(workspace, workspace.ActiveGrid());
}

std::vector<int> SelectedRows(const workspace::Workspace& workspace, workspace::TagGrid grid)
{
    std::vector<int> rows;
    const auto range = workspace.Selection(grid);
    for (int row = std::max(range.top, 0); row <= range.bottom && row < workspace.FileCount(); ++row)
        rows.push_back(row);
    return rows;
}

} // namespace vennart::commands
