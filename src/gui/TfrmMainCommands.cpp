// The undo history of the main window and the command that re-encodes tags. Every change in memory
// goes through RunCommand, so that "&Edit" can undo and redo it.
#include "commands/History.h"
#include "commands/Reencode.h"
#include "commands/Selection.h"
#include "gui/QtText.h"
#include "gui/TfrmMain.h"
#include "text/UStringConvert.h"

#include <QComboBox>
#include <QMenu>

namespace vennart::gui {

using workspace::TagGrid;

void TfrmMain::ConnectUndo()
{
    history_ = std::make_unique<commands::History>(*workspace_);
    history_->SetOnChange([this] { ShowUndoCaptions(); });
    connect(actions.miUndo, &QAction::triggered, this, [this] { RunGuarded([this] { Undo(); }); });
    connect(actions.miRedo, &QAction::triggered, this, [this] { RunGuarded([this] { Redo(); }); });
    ShowUndoCaptions();
}

void TfrmMain::ShowUndoCaptions()
{
    const auto show = [](QAction* action, const QString& verb, const std::string& caption) {
        action->setEnabled(!caption.empty());
        action->setText(caption.empty() ? verb : verb + QLatin1Char(' ') + QString::fromStdString(caption));
        // The tool-bar button names the step, as the menu does.
        action->setToolTip(action->text());
    };
    show(actions.miUndo, QStringLiteral("Undo"), history_->UndoCaption());
    show(actions.miRedo, QStringLiteral("Redo"), history_->RedoCaption());
}

void TfrmMain::RunCommand(commands::ChangeSet set)
{
    history_->Do(std::move(set));
    ShowChangedRows();
}

void TfrmMain::RunTyping(commands::ChangeSet set, const std::string& mergeKey)
{
    // The panel shows what was typed already; only the grids follow.
    history_->Do(std::move(set), mergeKey);
}

void TfrmMain::Undo()
{
    history_->Undo();
    ShowChangedRows();
}

void TfrmMain::Redo()
{
    history_->Redo();
    ShowChangedRows();
}

void TfrmMain::ShowChangedRows()
{
    ShowViewCodePage(TagGrid::ID3v1);
    ShowViewCodePage(TagGrid::ID3v2);
    FillFieldLists();
    FillTagPanel();
    ShowFileInfo();
}

// The combo box and the menu check marks follow the workspace's view code page, which a command or
// its undo may have moved.
void TfrmMain::ShowViewCodePage(TagGrid grid)
{
    QComboBox* combo = grid == TagGrid::ID3v1 ? cbSourceEncv1 : cbSourceEncv2;
    const uint32_t codePage = workspace_->ViewCodePage(grid);
    if (combo->currentData().toUInt() == codePage)
        return;
    const int entry = combo->findData(codePage);
    if (entry < 0)
        return;
    {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(entry);
    }
    CheckViewCodePage(grid, codePage);
}

void TfrmMain::miEncodingChangeClick(QAction* item)
{
    TagGrid grid = TagGrid::ID3v2;
    if (miChangeEncodingID3v1->actions().contains(item))
        grid = TagGrid::ID3v1;
    else if (popupMenuEnc->actions().contains(item))
        grid = workspace_->ActiveGrid();
    const uint32_t target = item->data().toUInt();
    commands::Reencoding reencoding
        = commands::Reencode(*workspace_, grid, commands::SelectedRows(*workspace_, grid), target);
    if (reencoding.set.IsEmpty())
        return;
    if (!reencoding.lossyRows.empty()) {
        const std::string question = commands::LossyReencodingQuestion(
            *workspace_, reencoding.lossyRows, item->text().toStdString());
        if (workspace_->prompts().AskYesNo(question) != workspace::Answer::Yes)
            return;
    }
    RunCommand(std::move(reencoding.set));
}

} // namespace vennart::gui
