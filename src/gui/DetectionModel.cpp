#include "gui/DetectionModel.h"

#include "commands/DetectEncoding.h"
#include "gui/QtText.h"

#include <QBrush>
#include <QColor>
#include <map>

namespace vennart::gui {

void DetectionModel::Reset(const workspace::Workspace& workspace, workspace::TagGrid grid,
    std::vector<int> rows, std::vector<text::CodePageGuess> guesses,
    std::vector<text::CodePageName> codePages)
{
    beginResetModel();
    workspace_ = &workspace;
    grid_ = grid;
    codePages_ = std::move(codePages);
    rows_.clear();
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows_.push_back({ rows[i], std::move(guesses[i]), std::nullopt });
    endResetModel();
}

bool DetectionModel::IsUncertain(const Row& row) const
{
    return commands::IsUncertain(row.guess);
}

std::optional<uint32_t> DetectionModel::ReadAs(const Row& row) const
{
    return row.picked ? row.picked : commands::CodePageToConvertFrom(row.guess);
}

std::vector<std::optional<uint32_t>> DetectionModel::ChosenCodePages() const
{
    std::vector<std::optional<uint32_t>> chosen;
    for (const auto& row : rows_)
        chosen.push_back(ReadAs(row));
    return chosen;
}

std::optional<uint32_t> DetectionModel::SelectionCodePage() const
{
    std::map<uint32_t, int> votes;
    for (const auto& row : rows_) {
        if (const auto codePage = ReadAs(row))
            ++votes[*codePage];
    }
    if (votes.empty())
        return std::nullopt;
    return std::max_element(votes.begin(), votes.end(), [](auto& a, auto& b) {
        return a.second < b.second;
    })->first;
}

int DetectionModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DetectionModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString DetectionModel::CodePageText(const Row& row) const
{
    switch (row.guess.kind) {
    case text::TextKind::Empty:
        return QStringLiteral("no 8-bit text");
    case text::TextKind::Ascii:
        return QStringLiteral("ASCII (any)");
    default:
        break;
    }
    const auto codePage = row.picked ? row.picked : row.guess.codePage;
    for (const auto& name : codePages_) {
        if (codePage && name.codePage == *codePage)
            return ToQString(text::CatalogueText(name.name));
    }
    return codePage ? QString::number(*codePage) : QStringLiteral("unknown");
}

QVariant DetectionModel::DisplayText(const Row& row, int column) const
{
    const auto& file = workspace_->File(row.fileRow);
    switch (column) {
    case FileColumn:
        return ToQString(workspace_->RowName(row.fileRow));
    case CodePageColumn:
        return CodePageText(row);
    case ConfidenceColumn:
        if (row.guess.kind != text::TextKind::EightBit)
            return QString();
        return row.picked ? QStringLiteral("picked")
                          : QStringLiteral("%1%").arg(qRound(row.guess.confidence * 100));
    default:
        break;
    }
    const auto codePage = row.picked ? row.picked : row.guess.codePage;
    return ToQString(workspace::TagCellTextIn(
        file, grid_, column - TitleColumn + 2, codePage.value_or(workspace_->ViewCodePage(grid_))));
}

QVariant DetectionModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= rows_.size())
        return {};
    const auto& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return DisplayText(row, index.column());
    case Qt::EditRole:
        return row.picked ? row.picked.value() : row.guess.codePage.value_or(0);
    case Qt::BackgroundRole:
        return IsUncertain(row) && !row.picked ? QBrush(QColor(255, 236, 179)) : QVariant();
    default:
        return {};
    }
}

bool DetectionModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != CodePageColumn
        || static_cast<std::size_t>(index.row()) >= rows_.size())
        return false;
    rows_[static_cast<std::size_t>(index.row())].picked = value.toUInt();
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    return true;
}

Qt::ItemFlags DetectionModel::flags(const QModelIndex& index) const
{
    auto flags = QAbstractTableModel::flags(index);
    if (index.column() == CodePageColumn && static_cast<std::size_t>(index.row()) < rows_.size()
        && rows_[static_cast<std::size_t>(index.row())].guess.kind == text::TextKind::EightBit)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant DetectionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[] = { "File name", "Code page", "Sure", "Title", "Artist", "Album" };
    return QString::fromLatin1(titles[section]);
}

} // namespace vennart::gui
