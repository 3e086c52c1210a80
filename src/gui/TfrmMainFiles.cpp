// The folder, the two file grids, their selections, the tab change and the file information.
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "gui/FileGridModel.h"
#include "gui/QtText.h"
#include "gui/TfrmMain.h"
#include "workspace/FileInfo.h"
#include "workspace/GridLayout.h"
#include "workspace/SaveChanges.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>

namespace vennart::gui {

using workspace::TagGrid;

void TfrmMain::ConnectCommands()
{
    connect(actions.Exit1, &QAction::triggered, this, &QWidget::close);
    connect(actions.miAbout, &QAction::triggered, this, &TfrmMain::miAboutClick);
    connect(
        actions.miSelectAll, &QAction::triggered, this, [this] { RunGuarded([this] { SelectAllFiles(); }); });
    connect(actions.miSave, &QAction::triggered, this, [this] { RunGuarded([this] { tbSaveClick(); }); });
    for (QAction* action : { actions.Exit1, actions.miAbout, actions.miSelectAll, actions.miSave })
        action->setEnabled(true);

    connect(driveComboBox, &DriveComboBox::driveChanged, this, &TfrmMain::DriveComboBoxChange);
    connect(TntDirectoryListBox, &DirectoryListBox::directoryChanged, this,
        [this] { RunGuarded([this] { TntDirectoryListBoxChange(); }); });
    connect(pcFileList, &QTabWidget::currentChanged, this,
        [this] { RunGuarded([this] { pcFileListChange(); }); });
    for (QTableView* grid : { sgID3v1, sgID3v2 }) {
        connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, grid] { GridSelectionChanged(grid); });
        connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this, grid](int column) {
            if (column != FileGridModel::TitleColumn)
                FitTitleColumn(grid);
        });
    }
    connect(cbSourceEncv1, &QComboBox::currentIndexChanged, this,
        [this] { RunGuarded([this] { cbSourceEncv1Change(); }); });
    connect(cbSourceEncv2, &QComboBox::currentIndexChanged, this,
        [this] { RunGuarded([this] { cbSourceEncv2Change(); }); });
    ConnectUndo();
    ConnectEncodingSettings();
    ConnectNamesFromTags();
    ConnectTagsFromNames();
    ConnectDetectEncoding();
    ConnectTagToolCommands();
}

QTableView* TfrmMain::GridOf(TagGrid grid) const
{
    return grid == TagGrid::ID3v1 ? sgID3v1 : sgID3v2;
}

TagGrid TfrmMain::TagGridOf(const QTableView* grid) const
{
    return grid == sgID3v1 ? TagGrid::ID3v1 : TagGrid::ID3v2;
}

void TfrmMain::ScanFolder()
{
    if (!FReady)
        return;
    workspace_->ScanFolder();
    ShowWorkspaceSelection(sgID3v1);
    ShowWorkspaceSelection(sgID3v2);
}

void TfrmMain::RefreshAll()
{
    if (!FReady)
        return;
    workspace_->ScanFolder();
    RefreshViews();
}

void TfrmMain::RefreshViews()
{
    ShowWorkspaceSelection(sgID3v1);
    ShowWorkspaceSelection(sgID3v2);
    FillFieldLists();
    FillTagPanel();
    ShowFileInfo();
}

void TfrmMain::ShowScannedSelection()
{
    if (!FReady)
        return;
    ShowWorkspaceSelection(sgID3v1);
    ShowWorkspaceSelection(sgID3v2);
    FillTagPanel();
    ShowFileInfo();
}

void TfrmMain::FitTitleColumn(QTableView* grid)
{
    if (!FReady)
        return;
    const QHeaderView* header = grid->horizontalHeader();
    const int others = header->sectionSize(FileGridModel::FileNameColumn)
        + header->sectionSize(FileGridModel::ArtistColumn) + header->sectionSize(FileGridModel::AlbumColumn)
        + header->sectionSize(FileGridModel::YearColumn);
    const int width = workspace::FitTitleColumnWidth(grid->viewport()->width(), others);
    const QSignalBlocker blocker(grid->horizontalHeader());
    grid->horizontalHeader()->resizeSection(FileGridModel::TitleColumn, width);
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FitTitleColumn(sgID3v1);
    FitTitleColumn(sgID3v2);
}

void TfrmMain::ShowFileInfo()
{
    if (!FReady)
        return;
    const workspace::FileInfoRows rows = workspace::ShowFileInfo(*workspace_);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        for (int column = 0; column < 2; ++column) {
            const std::string_view text = column == 0 ? rows[row].title : rows[row].value;
            auto* item
                = new QTableWidgetItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
            sgFileInfo->setItem(row, column, item);
        }
    }
}

void TfrmMain::SelectAllFiles()
{
    if (!workspace_->SelectAllFiles())
        return;
    ShowWorkspaceSelection(sgID3v1);
    ShowWorkspaceSelection(sgID3v2);
    ShowFileInfo();
    FillTagPanel();
}

void TfrmMain::pcFileListChange()
{
    const TagGrid grid = pcFileList->currentIndex() == 1 ? TagGrid::ID3v2 : TagGrid::ID3v1;
    const workspace::TabView view = workspace::TabViewFor(grid);
    actions.tbCopyTags->setToolTip(QString::fromLatin1(view.copyTagsHint));
    cbSourceEncv1->setVisible(view.showSourceEncodingV1);
    cbSourceEncv2->setVisible(!view.showSourceEncodingV1);
    gbAdditionalTags->setVisible(view.showAdditionalTags);
    ShowUtf16ChangeItem(grid);
    workspace_->SetActiveGrid(grid);
    FitTitleColumn(GridOf(grid));
    FillFieldLists();
    ShowFileInfo();
    FillTagPanel();
}

void TfrmMain::DriveComboBoxChange()
{
    if (FReady)
        TntDirectoryListBox->SetDirectory(driveComboBox->Drive());
}

void TfrmMain::TntDirectoryListBoxChange()
{
    if (FIgnoreDirChange) {
        FIgnoreDirChange = false;
        return;
    }
    bool leave = false;
    try {
        leave = workspace::ConfirmLeaveFolder(*workspace_);
    } catch (...) {
        // A save that failed keeps the old folder; the list goes back to it as well.
        ReturnToCurrentDir();
        throw;
    }
    if (!leave) {
        ReturnToCurrentDir();
        return;
    }
    const std::filesystem::path folder = ToPath(TntDirectoryListBox->Directory());
    if (!FReady) {
        workspace_->SetCurrentDir(folder);
        return;
    }
    try {
        workspace_->OpenFolder(folder);
    } catch (...) {
        // A folder that cannot be listed is not entered: the window stays with the files it shows.
        ReturnToCurrentDir();
        throw;
    }
    driveComboBox->ShowDriveOf(TntDirectoryListBox->Directory());
    RefreshViews();
}

void TfrmMain::ReturnToCurrentDir()
{
    FIgnoreDirChange = true;
    TntDirectoryListBox->SetDirectory(ToQString(workspace_->CurrentDir()));
    FIgnoreDirChange = false;
    driveComboBox->ShowDriveOf(TntDirectoryListBox->Directory());
}

void TfrmMain::GridSelectionChanged(QTableView* grid)
{
    const QModelIndexList rows = grid->selectionModel()->selectedRows();
    workspace::RowRange range;
    if (!rows.isEmpty()) {
        range = { rows.front().row(), rows.front().row() };
        for (const QModelIndex& index : rows) {
            range.top = std::min(range.top, index.row());
            range.bottom = std::max(range.bottom, index.row());
        }
    }
    workspace_->SetSelection(TagGridOf(grid), range);
    if (FReady)
        PostSelectionChanged();
}

void TfrmMain::ShowWorkspaceSelection(QTableView* grid)
{
    const workspace::RowRange range = workspace_->Selection(TagGridOf(grid));
    QItemSelectionModel* selection = grid->selectionModel();
    const QSignalBlocker blocker(selection);
    selection->clearSelection();
    if (range.IsEmpty())
        return;
    const QAbstractItemModel* model = grid->model();
    const QItemSelection rows(
        model->index(range.top, 0), model->index(range.bottom, model->columnCount() - 1));
    selection->select(rows, QItemSelectionModel::Select);
    selection->setCurrentIndex(model->index(range.top, 0), QItemSelectionModel::NoUpdate);
    grid->viewport()->update();
}

} // namespace vennart::gui
