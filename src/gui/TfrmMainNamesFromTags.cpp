// "Make Filenames from Tags" of the main window: the mask dialog, then the command over the
// selection of the active grid.
#include "commands/ChangeSet.h"
#include "commands/FileNamesFromTags.h"
#include "commands/Selection.h"
#include "gui/TfrmFileNameFromTag.h"
#include "gui/TfrmMain.h"

namespace vennart::gui {

void TfrmMain::ConnectNamesFromTags()
{
    frmFileNameFromTag = new TfrmFileNameFromTag(this);
    connect(actions.miMakeFilenamesfromTags, &QAction::triggered, this,
        [this] { RunGuarded([this] { miMakeFilenamesfromTagsClick(); }); });
    actions.miMakeFilenamesfromTags->setEnabled(true);
}

void TfrmMain::miMakeFilenamesfromTagsClick()
{
    auto& workspace = Workspace();
    const auto rows = commands::SelectedRows(workspace);
    if (rows.empty())
        return;
    frmFileNameFromTag->FillFrameList(
        workspace.FSettings.ReadOr(workspace::kTagEditListKey, workspace::kDefaultTagEditList));
    WideString mask = workspace.FSettings.Read(workspace::kFileMaskKey);
    if (!frmFileNameFromTag->Run(workspace, rows, mask))
        return;
    workspace.FSettings.Write(workspace::kFileMaskKey, mask);
    RunCommand(commands::FileNamesFromTags(workspace, rows, mask));
}

} // namespace vennart::gui
