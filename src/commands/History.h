// The undo history of the open folder: every change made in memory, as change sets, newest last.
// Reading the folder again (after a save, or another folder) empties it, since its sets describe
// rows that no longer exist.
#pragma once

#include "commands/ChangeSet.h"
#include "workspace/Workspace.h"

#include <string>
#include <vector>

namespace vennart::commands {

class History : private workspace::WorkspaceObserver {
public:
    explicit History(workspace::Workspace& workspace);
    ~History() override;
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // Applies the set and keeps it as the newest step; an empty set is dropped. A set with the same
    // non-empty merge key as the newest step joins that step (typing into one field over one
    // selection is one step). Every step that could be redone is forgotten.
    void Do(ChangeSet set, const std::string& mergeKey = {});
    // No effect when there is nothing to undo or redo.
    void Undo();
    void Redo();
    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The caption of the step Undo or Redo would exchange; empty when there is none.
    std::string UndoCaption() const;
    std::string RedoCaption() const;
    // Called after every change of the history, for menus to follow.
    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }
    void Clear();

private:
    struct Step {
        ChangeSet set;
        std::string mergeKey;
    };
    void MergeIntoNewest(ChangeSet& applied);
    void Changed();
    void FileListAboutToReset() override { }
    void FileListReset() override { Clear(); }
    void RowsChanged(int, int) override { }
    void TagColumnsChanged(workspace::TagGrid) override { }

    workspace::Workspace& workspace_;
    std::vector<Step> steps_;
    std::size_t done_ = 0; // steps_[0, done_) are applied
    std::function<void()> onChange_;
};

} // namespace vennart::commands
