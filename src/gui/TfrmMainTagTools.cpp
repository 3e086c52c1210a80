// The main window's transliteration editor, its choice of the frames to edit, and the commands that
// transliterate, copy tags between ID3v1 and ID3v2 and set the ID3v1 version.
#include "gui/QtText.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmSelectTags.h"
#include "gui/TfrmTransliTable.h"
#include "platform/SystemCodePage.h"
#include "text/Translit.h"
#include "workspace/Settings.h"

namespace vennart::gui {

void TfrmMain::ConnectTagToolCommands()
{
    frmTransliTable = new TfrmTransliTable(
        text::ProgramTranslitTable(), paths_.TranslitTableSaveFile(), platform::SystemFileSystem(), this);
    frmSelectTags = new TfrmSelectTags(this);
    const std::pair<QAction*, void (TfrmMain::*)()> commands[] = {
        { actions.miTranslitTable, &TfrmMain::miTranslitTableClick },
        { actions.miTagsToDisplay, &TfrmMain::miTagsToDisplayClick },
    };
    for (const auto& [action, handler] : commands) {
        connect(action, &QAction::triggered, this,
            [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
        action->setEnabled(true);
    }
}

void TfrmMain::miTranslitTableClick()
{
    frmTransliTable->ShowTranslitTable();
}

void TfrmMain::miTagsToDisplayClick()
{
    workspace::Settings& settings = workspace_->FSettings;
    AnsiString list = NarrowSystem(settings.Read(workspace::kTagEditListKey));
    if (list.empty())
        list = NarrowSystem(WideString(workspace::kDefaultTagEditList));
    if (!frmSelectTags->Execute(list))
        return;
    settings.Write(workspace::kTagEditListKey, WidenSystem(list));
    BuildTagPanel();
    // The rebuilt rows start empty on either tab; they show the selection at once.
    FillFieldLists();
    FillTagPanel();
}

} // namespace vennart::gui
