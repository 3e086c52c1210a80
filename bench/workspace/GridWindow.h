// The part of the main window the benchmarks repaint: both file grids in their tabs, and the status
// line below them when a scan reports to it. Shown on the offscreen platform, so the grids are laid
// out and painted into memory as on a screen, and no window ever appears.
#pragma once

#include "gui/FileGridModel.h"
#include "gui/StatusLine.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QWidget>
#include <memory>

namespace vennart::bench {

// The application of a window benchmark, on the offscreen platform.
class OffscreenApplication {
public:
    OffscreenApplication(int& argc, char** argv);

private:
    static int& BeforeApplication(int& argc);
    QApplication application_;
};

// Handles every waiting event, as the event loop does once a handler returns: the layouts and
// paints that a change of the rows asked for.
void RunPendingEvents();

class GridWindow {
public:
    // One screen of a grid: 40 rows of 18 pixels.
    static constexpr int kScreenRows = 40;
    static constexpr int kRowHeight = 18;

    GridWindow(workspace::Workspace& workspace, workspace::TagGrid visibleTab,
        std::unique_ptr<gui::StatusLine> statusLine = nullptr);

private:
    // The models outlive the views that show them.
    gui::FileGridModel modelID3v1_;
    gui::FileGridModel modelID3v2_;
    QWidget window_;
};

} // namespace vennart::bench
