// The preview of "Make tags from file name": each selected file's name and, per checked rule, the
// text the command would store. Rows are worked out only when a view asks for them, so a keystroke
// with thousands of files costs the rows in sight. Cells that would change are highlighted; names
// lacking a separator the rules search for are marked.
#pragma once

#include "commands/TagsFromFileNames.h"

#include <QAbstractTableModel>
#include <optional>

namespace vennart::workspace {
class Workspace;
}

namespace vennart::gui {

class TagsPreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Reset(const workspace::Workspace& workspace, std::vector<int> rows);
    void Clear();
    void SetOptions(const commands::TagsFromNameOptions& options);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct RowPreview {
        std::vector<QString> values = {}; // one per checked rule
        std::vector<bool> changed = {};
        bool lacksSeparator = false;
    };
    const RowPreview& PreviewOf(int row) const;
    QVariant NameData(int row, int role) const;
    QVariant ValueData(int row, std::size_t value, int role) const;

    const workspace::Workspace* workspace_ = nullptr;
    std::vector<int> rows_;
    commands::TagsFromNameOptions options_;
    std::vector<AnsiString> checked_; // the frames of the value columns
    mutable std::vector<std::optional<RowPreview>> previews_;
};

} // namespace vennart::gui
