#include "gui/FileGridModel.h"

#include "gui/QtText.h"

namespace vennart::gui {
namespace {

// The grid columns of the workspace count the mark column as 0.
constexpr int kWorkspaceColumnOffset = 1;

} // namespace

FileGridModel::FileGridModel(workspace::Workspace& workspace, workspace::TagGrid grid, QObject* parent)
    : QAbstractTableModel(parent)
    , workspace_(workspace)
    , grid_(grid)
{
    workspace_.AddObserver(this);
}

FileGridModel::~FileGridModel()
{
    workspace_.RemoveObserver(this);
}

int FileGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : workspace_.FileCount();
}

int FileGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (index.column() == FileNameColumn)
        return ToQString(workspace_.RowName(index.row()));
    return ToQString(workspace_.TagCellText(grid_, index.row(), index.column() + kWorkspaceColumnOffset));
}

QVariant FileGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical) {
        if (section < 0 || section >= workspace_.FileCount())
            return {};
        return workspace_.IsRowMarked(section, grid_) ? QStringLiteral("*") : QString();
    }
    static const QString titles[ColumnCount]
        = { QStringLiteral("FileName"), QStringLiteral("Titel/Song name"), QStringLiteral("Artist"),
              QStringLiteral("Album"), QStringLiteral("Year") };
    return section >= 0 && section < ColumnCount ? titles[section] : QVariant();
}

void FileGridModel::FileListAboutToReset()
{
    beginResetModel();
}

void FileGridModel::FileListReset()
{
    endResetModel();
}

void FileGridModel::RowsChanged(int first, int last)
{
    emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
    emit headerDataChanged(Qt::Vertical, first, last);
}

void FileGridModel::TagColumnsChanged(workspace::TagGrid grid)
{
    if (grid == grid_ && rowCount() > 0)
        emit dataChanged(index(0, TitleColumn), index(rowCount() - 1, ColumnCount - 1));
}

} // namespace vennart::gui
