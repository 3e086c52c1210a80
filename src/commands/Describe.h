// The preview of a change set before it is applied: per row, each field whose text changes (old and
// new as the view code pages show them) and the new name with what makes it unusable.
#pragma once

#include "commands/ChangeSet.h"
#include "commands/NameCheck.h"
#include "platform/Strings.h"
#include "workspace/Workspace.h"

#include <optional>
#include <string>
#include <vector>

namespace vennart::commands {

struct FieldChange {
    workspace::TagGrid grid;
    // "Title", "Genre", … for the ID3v1 record; the frame identifier for ID3v2.
    std::string field;
    WideString before;
    WideString after;
};

struct RowChangeDescription {
    int row = -1;
    WideString nameBefore;
    WideString nameAfter;
    // Why the new name cannot be used: it is the new name of another row, the name of another listed
    // file, holds "/", or is too long.
    std::optional<NameProblem> nameProblem;
    std::vector<FieldChange> fields;
};

// One entry per row of the set, in row order; the set must not have been applied.
std::vector<RowChangeDescription> Describe(const workspace::Workspace& workspace, const ChangeSet& set);

} // namespace vennart::commands
