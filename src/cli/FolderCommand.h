// The change a subcommand makes to the chosen rows of one open folder, in memory: the same panel
// logic and batch commands the window runs. Saving, or printing what would change, is the caller's.
#pragma once

#include "cli/Request.h"
#include "text/Translit.h"
#include "workspace/Workspace.h"

#include <vector>

namespace vennart::cli {

// Changes the rows and marks those that changed, as the window does. `table` is read by translit
// only.
void ApplyCommand(const Request& request, workspace::Workspace& workspace, const std::vector<int>& rows,
    const text::TranslitTable& table);

} // namespace vennart::cli
