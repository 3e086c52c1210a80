// The rows of "Detect Encoding": each selected file with the code page found for its 8-bit text
// (or the one the user picked instead), how sure the guess is, and its title, artist and album as
// they read under that code page. Uncertain rows are marked and count only once a code page is picked.
#pragma once

#include "text/CodePageDetector.h"
#include "text/UStringConvert.h"
#include "workspace/Workspace.h"

#include <QAbstractTableModel>
#include <optional>

namespace vennart::gui {

class DetectionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        FileColumn,
        CodePageColumn,
        ConfidenceColumn,
        TitleColumn,
        ArtistColumn,
        AlbumColumn,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    void Reset(const workspace::Workspace& workspace, workspace::TagGrid grid, std::vector<int> rows,
        std::vector<text::CodePageGuess> guesses, std::vector<text::CodePageName> codePages);
    // The code page each row is to be read in, none for a row to leave alone: text without 8-bit
    // characters, or an uncertain guess the user did not confirm.
    std::vector<std::optional<uint32_t>> ChosenCodePages() const;
    // The code page most rows are read in; none when no row has one.
    std::optional<uint32_t> SelectionCodePage() const;
    const std::vector<text::CodePageName>& CodePages() const { return codePages_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Row {
        int fileRow;
        text::CodePageGuess guess;
        std::optional<uint32_t> picked;
    };
    std::optional<uint32_t> ReadAs(const Row& row) const;
    bool IsUncertain(const Row& row) const;
    QString CodePageText(const Row& row) const;
    QVariant DisplayText(const Row& row, int column) const;

    const workspace::Workspace* workspace_ = nullptr;
    workspace::TagGrid grid_ = workspace::TagGrid::ID3v2;
    std::vector<Row> rows_;
    std::vector<text::CodePageName> codePages_;
};

} // namespace vennart::gui
