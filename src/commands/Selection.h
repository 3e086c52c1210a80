// The rows a batch command works on: the selection of the active grid, top to bottom. Commands take
// rows as a list, so that another kind of selection needs no change in any command.
#pragma once

#include "workspace/Workspace.h"

#include <vector>

namespace vennart::commands {

// Empty when no file is listed.
std::vector<int> SelectedRows(const workspace::Workspace& workspace);
// The selection of the given grid.
std::vector<int> SelectedRows(const workspace::Workspace& workspace, workspace::TagGrid grid);

} // namespace vennart::commands
