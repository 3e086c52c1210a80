// One file grid (sgID3v1 or sgID3v2) as a table model over the workspace. Cells are computed on
// demand from the tag objects in memory; the model holds no state of its own. The changed mark "*"
// is the row header, the fixed column at the grid's left.
#pragma once

#include "workspace/Workspace.h"

#include <QAbstractTableModel>

namespace vennart::gui {

class FileGridModel : public QAbstractTableModel, public workspace::WorkspaceObserver {
    Q_OBJECT
public:
    // Model columns: the file name, then the four tag columns.
    enum Column { FileNameColumn, TitleColumn, ArtistColumn, AlbumColumn, YearColumn, ColumnCount };

    FileGridModel(workspace::Workspace& workspace, workspace::TagGrid grid, QObject* parent = nullptr);
    ~FileGridModel() override;

    workspace::TagGrid Grid() const { return grid_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void FileListAboutToReset() override;
    void FileListReset() override;
    void RowsChanged(int first, int last) override;
    void TagColumnsChanged(workspace::TagGrid grid) override;

private:
    workspace::Workspace& workspace_;
    workspace::TagGrid grid_;
};

} // namespace vennart::gui
