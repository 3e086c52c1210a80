// Converting each file's 8-bit tag text from the code page found for it: ID3v2 frames become
// UTF-16, ID3v1 fields are written anew in the tab's view code page. Frames that declare a Unicode
// encoding keep their text.
#pragma once

#include "commands/ChangeSet.h"
#include "workspace/Workspace.h"

#include <cstdint>
#include <optional>
#include <span>

namespace vennart::commands {

// One code page per row, none for a row to leave alone; each row that changed is marked in the grid.
ChangeSet ConvertFromDetected(const workspace::Workspace& workspace, workspace::TagGrid grid,
    std::span<const int> rows, std::span<const std::optional<uint32_t>> sourceCodePages);

} // namespace vennart::commands
