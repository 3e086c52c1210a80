#include "gui/RenamePreviewModel.h"

#include "gui/QtText.h"

#include <QBrush>
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace vennart::gui {

void RenamePreviewModel::Reset(const workspace::Workspace& workspace, std::vector<int> rows)
{
    beginResetModel();
    workspace_ = &workspace;
    rows_ = std::move(rows);
    preview_ = {};
    endResetModel();
}

void RenamePreviewModel::Clear()
{
    beginResetModel();
    workspace_ = nullptr;
    rows_.clear();
    preview_ = {};
    endResetModel();
}

void RenamePreviewModel::SetMask(const WideString& mask)
{
    if (!workspace_)
        return;
    preview_ = commands::PreviewFileNames(*workspace_, rows_, mask);
    if (!rows_.empty())
        emit dataChanged(index(0, NewNameColumn), index(static_cast<int>(rows_.size()) - 1, NewNameColumn));
}

int RenamePreviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(preview_.names.size());
}

int RenamePreviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RenamePreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= preview_.names.size())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == NewNameColumn)
        return NewNameData(row, role);
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return ToQString(workspace_->RowName(rows_[row]));
    return {};
}

QVariant RenamePreviewModel::NewNameData(std::size_t row, int role) const
{
    const auto& problem = preview_.problems[row];
    switch (role) {
    case Qt::DisplayRole:
        return ToQString(preview_.names[row]);
    case Qt::ToolTipRole:
        return problem ? QString::fromLatin1(commands::NameProblemText(*problem))
                       : ToQString(preview_.names[row]);
    case Qt::ForegroundRole:
        if (!preview_.renamed[row])
            return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::BackgroundRole:
        return problem ? QBrush(QColor(255, 205, 205)) : QVariant();
    default:
        return {};
    }
}

QVariant RenamePreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == OldNameColumn ? QStringLiteral("File name") : QStringLiteral("New file name");
}

} // namespace vennart::gui
