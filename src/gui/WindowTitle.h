// Keeps the main window's title on the open folder, with the usual modified mark while the folder
// has unsaved edits. It follows the workspace: every change of the rows or of the listing may
// change either.
#pragma once

#include "workspace/Workspace.h"

#include <QString>
#include <filesystem>

class QWidget;

namespace vennart::gui {

// "Music[*] - Vennart": the folder's name (its whole path when it has none, as "/"), with the
// place of the modified mark; "Vennart[*]" before a folder is open.
QString WindowTitleFor(const std::filesystem::path& folder);

class WindowTitle : public workspace::WorkspaceObserver {
public:
    WindowTitle(QWidget& window, workspace::Workspace& workspace);
    ~WindowTitle() override;
    WindowTitle(const WindowTitle&) = delete;
    WindowTitle& operator=(const WindowTitle&) = delete;

    void Show();

    void FileListAboutToReset() override { }
    void FileListReset() override { Show(); }
    void RowsChanged(int, int) override { Show(); }
    void TagColumnsChanged(workspace::TagGrid) override { Show(); }

private:
    QWidget& window_;
    workspace::Workspace& workspace_;
};

} // namespace vennart::gui
