// "Make Tags from Filenames" of the main window: the rules dialog, then the command over the
// selection of the active grid.
#include "commands/ChangeSet.h"
#include "commands/Selection.h"
#include "commands/TagsFromFileNames.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmTagsFromFileName.h"

namespace vennart::gui {

void TfrmMain::ConnectTagsFromNames()
{
    frmTagsFromFileName = new TfrmTagsFromFileName(this);
    connect(actions.miMakeTagsFromFilenames, &QAction::triggered, this,
        [this] { RunGuarded([this] { miMakeTagsFromFilenamesClick(); }); });
    actions.miMakeTagsFromFilenames->setEnabled(true);
}

void TfrmMain::miMakeTagsFromFilenamesClick()
{
    auto& workspace = Workspace();
    // The empty row of a folder without files belongs to no file: nothing to ask about.
    const auto rows = commands::SelectedRows(workspace);
    if (rows.empty() || !frmTagsFromFileName->Run(workspace, rows))
        return;
    RunCommand(commands::TagsFromFileNames(workspace, rows, frmTagsFromFileName->Options()));
}

} // namespace vennart::gui
