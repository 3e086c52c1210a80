// Runs a function each time the workspace has read its folder again, before whoever asked for the
// reading goes on: a save reports the files it could not rename only after this, so the window the
// report covers already shows the names the files really have.
#pragma once

#include "workspace/Workspace.h"

#include <functional>
#include <utility>

namespace vennart::gui {

class AfterEachScan : public workspace::WorkspaceObserver {
public:
    // Observers are told in the order they were added: add this one after the grid models, which
    // must show the new list before `run` looks at it.
    AfterEachScan(workspace::Workspace& workspace, std::function<void()> run)
        : workspace_(workspace)
        , run_(std::move(run))
    {
        workspace_.AddObserver(this);
    }
    ~AfterEachScan() override { workspace_.RemoveObserver(this); }
    AfterEachScan(const AfterEachScan&) = delete;
    AfterEachScan& operator=(const AfterEachScan&) = delete;

    void FileListAboutToReset() override { }
    void FileListReset() override { run_(); }
    void RowsChanged(int, int) override { }
    void TagColumnsChanged(workspace::TagGrid) override { }

private:
    workspace::Workspace& workspace_;
    std::function<void()> run_;
};

} // namespace vennart::gui
