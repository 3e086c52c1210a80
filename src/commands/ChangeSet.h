// What a batch command computes: the new state of every row it changes. A command never changes
// the workspace; it returns a change set, and the same set serves the preview, the command itself
// and the undo history.
//
// Writing a command: a function of (const Workspace&, rows, options) that returns
// `ChangeRows(workspace, caption, rows, change)`, where `change` edits one row's draft (its cloned
// tag object, name cell and marks) with the ordinary per-file operations and returns whether it
// changed anything. Marking the draft (`RowState::Mark`) is the command's business: each marks
// exactly the grids whose content it changed.
#pragma once

#include "workspace/TagGrid.h"
#include "workspace/Workspace.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vennart::commands {

struct [[nodiscard]] ChangeSet {
    // What the menu's "Undo …" and "Redo …" name.
    std::string caption;
    // The reading of the folder the rows were drafted from.
    std::uint64_t listing = 0;
    // Rows in increasing order. Before the set is applied they hold the new state, afterwards the
    // state the rows had before: applying is an exchange, so applying again undoes.
    std::vector<workspace::RowState> rows;
    // Whether there are unsaved edits once the set is applied (exchanged like the rows).
    bool changed = false;
    // A grid whose view code page the set moves (re-encoding shows the same text afterwards).
    std::optional<workspace::TagGrid> viewGrid;
    uint32_t viewCodePage = 0;

    bool IsEmpty() const { return rows.empty() && !viewGrid; }
};

using RowChange = std::function<bool(workspace::RowState& draft)>;

// Drafts each of `rows` and keeps the drafts that `change` changed.
ChangeSet ChangeRows(const workspace::Workspace& workspace, std::string caption, std::span<const int> rows,
    const RowChange& change);

// Exchanges the set with the workspace's rows and tells the views. A set drafted from another
// reading of the folder throws vennart::Error and changes nothing.
void Apply(workspace::Workspace& workspace, ChangeSet& set);
// For callers that keep no history (the command-line tool).
inline void Apply(workspace::Workspace& workspace, ChangeSet&& set)
{
    Apply(workspace, set);
}

} // namespace vennart::commands
