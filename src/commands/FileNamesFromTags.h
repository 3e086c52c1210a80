// "Make Filenames from Tags": every selected file of the active grid gets the name its tags give
// under a mask. Only the names in memory change; the files are renamed when the folder is saved.
#pragma once

#include "commands/ChangeSet.h"
#include "commands/FileNameMask.h"
#include "commands/NameCheck.h"
#include "platform/Strings.h"
#include "workspace/Workspace.h"

#include <optional>
#include <string_view>
#include <vector>

namespace vennart::commands {

// The name the mask gives the row, or none when the row keeps its name: on the ID3v1 grid a file
// without a record. `mask` is the mask without its trailing ".mp3".
std::optional<WideString> NewFileNameOfRow(
    const workspace::Workspace& workspace, int row, std::u16string_view mask);

// Whether the row takes the new name: names that differ only in letter case count as equal.
bool TakesNewName(const workspace::Workspace& workspace, int row, const WideString& newName);

// The names the rows would have after the command, and what makes any of them unusable.
struct RenamePreview {
    std::vector<WideString> names; // one per row, the old name where the row keeps it
    std::vector<bool> renamed;
    std::vector<std::optional<NameProblem>> problems;
    int UnusableCount() const;
};
RenamePreview PreviewFileNames(
    const workspace::Workspace& workspace, const std::vector<int>& rows, const WideString& mask);

// Puts each row's new name into both grids and marks the row in both.
ChangeSet FileNamesFromTags(
    const workspace::Workspace& workspace, const std::vector<int>& rows, const WideString& mask);

} // namespace vennart::commands
