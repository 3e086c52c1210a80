// The main window's transliteration editor, its choice of the frames to edit, and the commands that
// transliterate, copy tags between ID3v1 and ID3v2 and set the ID3v1 version.
#include "commands/ChangeSet.h"
#include "commands/CopyTags.h"
#include "commands/ID3v1Version.h"
#include "commands/Selection.h"
#include "commands/Transliterate.h"
#include "gui/QtText.h"
#include "gui/StatusLine.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmSelectTags.h"
#include "gui/TfrmTransliTable.h"
#include "platform/SystemCodePage.h"
#include "text/Translit.h"
#include "workspace/Settings.h"

#include <QTabWidget>

namespace vennart::gui {

using workspace::TagGrid;

void TfrmMain::ConnectTagToolCommands()
{
    frmTransliTable = new TfrmTransliTable(
        translitTable_, paths_.TranslitTableSaveFile(), platform::SystemFileSystem(), this);
    frmSelectTags = new TfrmSelectTags(this);
    const std::pair<QAction*, std::function<void()>> commands[] = {
        { actions.miTranslitTable, [this] { miTranslitTableClick(); } },
        { actions.miTagsToDisplay, [this] { miTagsToDisplayClick(); } },
        { actions.miTransliterID3v1, [this] { miTransliterID3v1Click(); } },
        { actions.miTranslitID3v2, [this] { miTranslitID3v2Click(); } },
        { actions.tbTranslitTags, [this] { tbTranslitTagsClick(); } },
        { actions.miTransliterateFilenames, [this] { miTransliterateFilenamesClick(); } },
        { actions.miID3v1toID3v2, [this] { miID3v1toID3v2Click(); } },
        { actions.miID3v2toID3v1, [this] { miID3v2toID3v1Click(); } },
        { actions.tbCopyTags, [this] { tbCopyTagsClick(); } },
        { actions.miID3Version10, [this] { miID3VersionClick(false); } },
        { actions.miID3Version11, [this] { miID3VersionClick(true); } },
    };
    for (const auto& [action, handler] : commands) {
        connect(action, &QAction::triggered, this, [this, handler] { RunGuarded(handler); });
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

void TfrmMain::TransliterateTagsOf(TagGrid grid)
{
    RunCommand(commands::TransliterateTags(
        *workspace_, grid, commands::SelectedRows(*workspace_, grid), translitTable_));
}

void TfrmMain::miTransliterID3v1Click()
{
    TransliterateTagsOf(TagGrid::ID3v1);
}

void TfrmMain::miTranslitID3v2Click()
{
    TransliterateTagsOf(TagGrid::ID3v2);
}

void TfrmMain::tbTranslitTagsClick()
{
    TransliterateTagsOf(workspace_->ActiveGrid());
}

void TfrmMain::miTransliterateFilenamesClick()
{
    const TagGrid grid = workspace_->ActiveGrid();
    RunCommand(commands::TransliterateFileNames(
        *workspace_, commands::SelectedRows(*workspace_, grid), translitTable_));
}

void TfrmMain::CopyTagsInto(TagGrid to)
{
    const TagGrid from = to == TagGrid::ID3v2 ? TagGrid::ID3v1 : TagGrid::ID3v2;
    panStatus->SetStatus("Copying Tags");
    try {
        RunCommand(commands::CopyTags(*workspace_, to, commands::SelectedRows(*workspace_, from)));
    } catch (...) {
        panStatus->SetStatus("Idle");
        throw;
    }
    if (workspace_->ActiveGrid() != to) {
        // The tab change refreshes the panel for the copied-to tags.
        pcFileList->setCurrentIndex(to == TagGrid::ID3v2 ? 1 : 0);
    }
    panStatus->SetStatus("Idle");
}

void TfrmMain::miID3v1toID3v2Click()
{
    CopyTagsInto(TagGrid::ID3v2);
}

void TfrmMain::miID3v2toID3v1Click()
{
    CopyTagsInto(TagGrid::ID3v1);
}

void TfrmMain::tbCopyTagsClick()
{
    CopyTagsInto(workspace_->ActiveGrid() == TagGrid::ID3v1 ? TagGrid::ID3v2 : TagGrid::ID3v1);
}

void TfrmMain::miID3VersionClick(bool toV11)
{
    RunCommand(
        commands::SetID3v1Version(*workspace_, commands::SelectedRows(*workspace_, TagGrid::ID3v1), toV11));
}

} // namespace vennart::gui
