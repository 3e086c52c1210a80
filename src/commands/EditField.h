// Typing in the editing panel and in the file-name field, as change sets, so that every change in
// memory can be undone.
#pragma once

#include "commands/ChangeSet.h"
#include "platform/Strings.h"
#include "workspace/TagFields.h"
#include "workspace/Workspace.h"

#include <span>
#include <string>

namespace vennart::commands {

// The typed text of a field stored into each of the rows on the grid, in its view code page; rows
// whose value changes are marked in that grid. "<do not change>" changes nothing.
ChangeSet EditField(const workspace::Workspace& workspace, workspace::TagGrid grid, std::span<const int> rows,
    const workspace::TagField& field, const WideString& typed);

// Keystrokes in one field over one selection make one step of the undo history.
std::string EditFieldMergeKey(const workspace::Workspace& workspace, workspace::TagGrid grid,
    std::span<const int> rows, const workspace::TagField& field);

// The typed name into the row's name cell, marked in both grids.
ChangeSet EditRowName(const workspace::Workspace& workspace, int row, const WideString& name);

} // namespace vennart::commands
