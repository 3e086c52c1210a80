#include "commands/History.h"

#include <algorithm>

namespace vennart::commands {

History::History(workspace::Workspace& workspace)
    : workspace_(workspace)
{
    workspace_.AddObserver(this);
}

History::~History()
{
    workspace_.RemoveObserver(this);
}

void History::Do(ChangeSet set, const std::string& mergeKey)
{
    if (set.IsEmpty())
        return;
    Apply(workspace_, set);
    steps_.resize(done_);
    if (!mergeKey.empty() && done_ > 0 && steps_.back().mergeKey == mergeKey)
        MergeIntoNewest(set);
    else
        steps_.push_back({ std::move(set), mergeKey });
    done_ = steps_.size();
    Changed();
}

// The newest step keeps the state from before its first part. Rows that only this part changed
// join it with the state this part replaced; for the others the intermediate state is dropped.
void History::MergeIntoNewest(ChangeSet& applied)
{
    ChangeSet& newest = steps_.back().set;
    for (workspace::RowState& state : applied.rows) {
        const auto at = std::ranges::lower_bound(newest.rows, state.row, {}, &workspace::RowState::row);
        if (at == newest.rows.end() || at->row != state.row)
            newest.rows.insert(at, std::move(state));
    }
    if (applied.viewGrid && !newest.viewGrid) {
        newest.viewGrid = applied.viewGrid;
        newest.viewCodePage = applied.viewCodePage;
    }
}

void History::Undo()
{
    if (!CanUndo())
        return;
    Apply(workspace_, steps_[done_ - 1].set);
    --done_;
    Changed();
}

void History::Redo()
{
    if (!CanRedo())
        return;
    Apply(workspace_, steps_[done_].set);
    ++done_;
    Changed();
}

std::string History::UndoCaption() const
{
    return CanUndo() ? steps_[done_ - 1].set.caption : std::string();
}

std::string History::RedoCaption() const
{
    return CanRedo() ? steps_[done_].set.caption : std::string();
}

void History::Clear()
{
    steps_.clear();
    done_ = 0;
    Changed();
}

void History::Changed()
{
    if (onChange_)
        onChange_();
}

} // namespace vennart::commands
