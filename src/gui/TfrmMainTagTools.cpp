// The main window's transliteration editor, its choice of the frames to edit, and the commands that
// transliterate, copy tags between ID3v1 and ID3v2 and set the ID3v1 version.
#include "commands/CopyTags.h"
#include "commands/ID3v1Version.h"
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

namespace {

// The grid's selected rows that stand for files, top to bottom; none when the folder lists no file
// and the selection covers the grid's empty row.
std::vector<int> SelectedFileRows(const workspace::Workspace& workspace, TagGrid grid)
{
    const workspace::RowRange selection = workspace.Selection(grid);
    std::vector<int> rows;
    for (int row = std::max(selection.top, 0); row <= std::min(selection.bottom, workspace.FileCount() - 1);
         ++row)
        rows.push_back(row);
    return rows;
}

} // namespace

void TfrmMain::ConnectTagToolCommands()
{
    frmTransliTable = new TfrmTransliTable(
        text::ProgramTranslitTable(), paths_.TranslitTableSaveFile(), platform::SystemFileSystem(), this);
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

void TfrmMain::RefreshTagsOf(TagGrid grid)
{
    workspace_->NotifyTagsChanged(grid);
    if (workspace_->ActiveGrid() == grid) {
        FillFieldLists();
        FillTagPanel();
    }
}

void TfrmMain::TransliterateTagsOf(TagGrid grid)
{
    commands::TransliterateTags(
        *workspace_, grid, SelectedFileRows(*workspace_, grid), text::ProgramTranslitTable());
    RefreshTagsOf(grid);
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
    commands::TransliterateFileNames(
        *workspace_, SelectedFileRows(*workspace_, grid), text::ProgramTranslitTable());
    FillTagPanel();
}

void TfrmMain::CopyTagsInto(TagGrid to)
{
    const TagGrid from = to == TagGrid::ID3v2 ? TagGrid::ID3v1 : TagGrid::ID3v2;
    panStatus->SetStatus("Copying Tags");
    try {
        commands::CopyTags(*workspace_, to, SelectedFileRows(*workspace_, from));
    } catch (...) {
        panStatus->SetStatus("Idle");
        throw;
    }
    workspace_->NotifyTagsChanged(to);
    if (workspace_->ActiveGrid() == to) {
        FillFieldLists();
        FillTagPanel();
    } else {
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
    commands::SetID3v1Version(*workspace_, SelectedFileRows(*workspace_, TagGrid::ID3v1), toV11);
    ShowFileInfo();
}

} // namespace vennart::gui
