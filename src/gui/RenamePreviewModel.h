// The preview of "Make Filename from Tag": each selected file's name and the name the mask gives
// it, unchanged names dimmed and unusable ones marked with the reason in their tooltip.
#pragma once

#include "commands/FileNamesFromTags.h"

#include <QAbstractTableModel>

namespace vennart::gui {

class RenamePreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { OldNameColumn, NewNameColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void Reset(const workspace::Workspace& workspace, std::vector<int> rows);
    void Clear();
    void SetMask(const WideString& mask);
    int UnusableCount() const { return preview_.UnusableCount(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant NewNameData(std::size_t row, int role) const;

    const workspace::Workspace* workspace_ = nullptr;
    std::vector<int> rows_;
    commands::RenamePreview preview_;
};

} // namespace vennart::gui
