#include "commands/Selection.h"

namespace vennart::commands {

std::vector<int> SelectedRows(const workspace::Workspace& workspace)
{
    std::vector<int> rows;
    const auto range = workspace.ActiveSelection();
    for (int row = std::max(range.top, 0); row <= range.bottom && row < workspace.FileCount(); ++row)
        rows.push_back(row);
    return rows;
}

} // namespace vennart::commands
