#include "gui/TagsPreviewModel.h"

#include "gui/QtText.h"
#include "tags/ID3v2Types.h"
#include "workspace/Workspace.h"

#include <QBrush>
#include <QColor>

namespace vennart::gui {
namespace {

const QColor kChangedColour(255, 244, 196);
const QColor kUnfitColour(255, 205, 205);

std::vector<AnsiString> CheckedFrames(const commands::TagsFromNameOptions& options)
{
    std::vector<AnsiString> frames;
    for (const auto& rule : options.rules) {
        if (rule.checked)
            frames.push_back(rule.FrameID);
    }
    return frames;
}

} // namespace

void TagsPreviewModel::Reset(const workspace::Workspace& workspace, std::vector<int> rows)
{
    beginResetModel();
    workspace_ = &workspace;
    rows_ = std::move(rows);
    previews_.assign(rows_.size(), std::nullopt);
    endResetModel();
}

void TagsPreviewModel::Clear()
{
    beginResetModel();
    workspace_ = nullptr;
    rows_.clear();
    previews_.clear();
    endResetModel();
}

void TagsPreviewModel::SetOptions(const commands::TagsFromNameOptions& options)
{
    if (options == options_)
        return;
    auto checked = CheckedFrames(options);
    const bool sameColumns = checked == checked_;
    if (!sameColumns)
        beginResetModel();
    options_ = options;
    checked_ = std::move(checked);
    previews_.assign(rows_.size(), std::nullopt);
    if (!sameColumns)
        endResetModel();
    else if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int TagsPreviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TagsPreviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1 + static_cast<int>(checked_.size());
}

const TagsPreviewModel::RowPreview& TagsPreviewModel::PreviewOf(int row) const
{
    auto& cached = previews_[static_cast<std::size_t>(row)];
    if (cached)
        return *cached;
    const auto& file = workspace_->File(rows_[static_cast<std::size_t>(row)]);
    const auto grid = workspace_->ActiveGrid();
    const auto codePage = workspace_->ViewCodePage(grid);
    const WideString name = commands::NameForRules(file.FileName);
    RowPreview preview { .lacksSeparator = commands::LacksSeparator(name, options_) };
    for (const auto& value : commands::FieldValues(name, options_)) {
        const WideString shown = commands::ShownAfterStore(file, grid, codePage, value);
        preview.changed.push_back(shown != commands::ShownFieldText(file, grid, codePage, value.frameID));
        preview.values.push_back(ToQString(shown));
    }
    return cached.emplace(std::move(preview));
}

QVariant TagsPreviewModel::data(const QModelIndex& index, int role) const
{
    if (!workspace_ || !index.isValid() || index.row() >= rowCount())
        return {};
    if (index.column() == 0)
        return NameData(index.row(), role);
    return ValueData(index.row(), static_cast<std::size_t>(index.column() - 1), role);
}

QVariant TagsPreviewModel::NameData(int row, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return ToQString(workspace_->RowName(rows_[static_cast<std::size_t>(row)]));
    case Qt::ToolTipRole:
        return PreviewOf(row).lacksSeparator
            ? QStringLiteral("The name lacks a separator the rules search for")
            : QVariant();
    case Qt::BackgroundRole:
        return PreviewOf(row).lacksSeparator ? QBrush(kUnfitColour) : QVariant();
    default:
        return {};
    }
}

QVariant TagsPreviewModel::ValueData(int row, std::size_t value, int role) const
{
    const auto& preview = PreviewOf(row);
    if (value >= preview.values.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return preview.values[value];
    case Qt::BackgroundRole:
        return preview.changed[value] ? QBrush(kChangedColour) : QVariant();
    default:
        return {};
    }
}

QVariant TagsPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return QStringLiteral("File name");
    AnsiString shortName;
    AnsiString description;
    if (static_cast<std::size_t>(section) > checked_.size())
        return {};
    tags::FindTagListRecord(checked_[static_cast<std::size_t>(section) - 1], shortName, description);
    return QString::fromLatin1(shortName.data(), static_cast<qsizetype>(shortName.size()));
}

} // namespace vennart::gui
