#include "gui/TfrmTransliTable.h"

#include "gui/QtText.h"
#include "platform/CaseMapping.h"
#include "text/PlainText.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <unordered_map>

namespace vennart::gui {
namespace {

constexpr int kGridWidth = 300;
constexpr int kGridHeight = 400;
constexpr int kColumnCount = 2;
constexpr int kCharacterColumn = 0;
constexpr int kReplacementColumn = 1;
const QColor kRepeatedCharacterColour(255, 221, 170);

QTableWidgetItem* ItemAt(QTableWidget* grid, int row, int column)
{
    QTableWidgetItem* item = grid->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        grid->setItem(row, column, item);
    }
    return item;
}

QString CellText(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item == nullptr ? QString() : item->text();
}

bool IsBlank(const QString& text)
{
    return text::TrimControls(ToWide(text)).empty();
}

} // namespace

TfrmTransliTable::TfrmTransliTable(
    text::TranslitTable& table, std::filesystem::path file, platform::FileSystem& fileSystem, QWidget* parent)
    : QDialog(parent)
    , table_(table)
    , file_(std::move(file))
    , fileSystem_(fileSystem)
{
    setObjectName(QStringLiteral("frmTransliTable"));
    setWindowTitle(QStringLiteral("Translit Table"));

    sgTranslitTable = new QTableWidget(0, kColumnCount, this);
    sgTranslitTable->setObjectName(QStringLiteral("sgTranslitTable"));
    sgTranslitTable->setHorizontalHeaderLabels({ QStringLiteral("Uni char"), QStringLiteral("Translit") });
    sgTranslitTable->verticalHeader()->hide();
    sgTranslitTable->verticalHeader()->setDefaultSectionSize(sgTranslitTable->fontMetrics().height() + 6);
    sgTranslitTable->setShowGrid(true);
    sgTranslitTable->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sgTranslitTable->setFixedSize(kGridWidth, kGridHeight);
    const int columnWidth = kGridWidth / kColumnCount - kColumnCount - 9;
    sgTranslitTable->horizontalHeader()->setDefaultSectionSize(columnWidth);
    sgTranslitTable->horizontalHeader()->setStretchLastSection(true);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(sgTranslitTable);
    layout->addWidget(btnOK, 0, Qt::AlignHCenter);

    connect(sgTranslitTable, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!FEditing)
            sgTranslitTableSetEditText(item->column(), item->row(), item->text());
    });
    sgTranslitTable->installEventFilter(this);
}

// Delete on the grid itself, not while a cell is being edited, empties the selected rows.
bool TfrmTransliTable::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == sgTranslitTable && event->type() == QEvent::KeyPress
        && static_cast<const QKeyEvent*>(event)->matches(QKeySequence::Delete)) {
        ClearSelectedRows();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmTransliTable::ShowTranslitTable()
{
    FChanged = false;
    FillGrid();
    // OK and the window's close button end the editor alike.
    exec();
    if (!FChanged)
        return;
    table_ = text::TranslitTable(text::TranslitLinesFromRows(GridRows()));
    text::SaveTranslitTable(table_, file_, fileSystem_);
}

void TfrmTransliTable::FillGrid()
{
    FEditing = true;
    const std::vector<WideString>& lines = table_.Lines();
    sgTranslitTable->clearContents();
    sgTranslitTable->setRowCount(0);
    for (const WideString& line : lines) {
        const int row = sgTranslitTable->rowCount();
        sgTranslitTable->insertRow(row);
        ItemAt(sgTranslitTable, row, kCharacterColumn)
            ->setText(ToQString(WideString(text::NameOfLine(line))));
        ItemAt(sgTranslitTable, row, kReplacementColumn)
            ->setText(ToQString(WideString(text::ValueOfLine(line))));
    }
    AppendEmptyRow();
    FEditing = false;
    MarkRepeatedCharacters();
}

void TfrmTransliTable::AppendEmptyRow()
{
    const int row = sgTranslitTable->rowCount();
    sgTranslitTable->insertRow(row);
    ItemAt(sgTranslitTable, row, kCharacterColumn);
    ItemAt(sgTranslitTable, row, kReplacementColumn);
}

std::vector<text::TranslitRow> TfrmTransliTable::GridRows() const
{
    std::vector<text::TranslitRow> rows;
    for (int row = 0; row < sgTranslitTable->rowCount(); ++row) {
        rows.push_back({ ToWide(CellText(sgTranslitTable, row, kCharacterColumn)),
            ToWide(CellText(sgTranslitTable, row, kReplacementColumn)) });
    }
    return rows;
}

void TfrmTransliTable::sgTranslitTableSetEditText(int column, int row, const QString& text)
{
    FChanged = true;
    if (column != kCharacterColumn)
        return;
    FEditing = true;
    const QString character = text.left(1);
    ItemAt(sgTranslitTable, row, kCharacterColumn)->setText(character);
    if (!IsBlank(character) && row == sgTranslitTable->rowCount() - 1)
        AppendEmptyRow();
    FEditing = false;
    MarkRepeatedCharacters();
}

void TfrmTransliTable::MarkRepeatedCharacters()
{
    FEditing = true;
    std::unordered_map<WideString, int> firstRowOf;
    for (int row = 0; row < sgTranslitTable->rowCount(); ++row) {
        QTableWidgetItem* item = ItemAt(sgTranslitTable, row, kCharacterColumn);
        const WideString character = ToWide(item->text());
        const auto [first, isFirst] = firstRowOf.try_emplace(platform::FoldCase(character), row + 1);
        const bool repeated = !IsBlank(item->text()) && !isFirst;
        item->setBackground(repeated ? QBrush(kRepeatedCharacterColour) : QBrush());
        item->setToolTip(repeated
                ? QStringLiteral("Row %1 has this character already: saving puts this row in "
                                 "its place")
                      .arg(first->second)
                : QString());
    }
    FEditing = false;
}

// A row without a character is left out when the table is saved, so emptying it removes its line.
void TfrmTransliTable::ClearSelectedRows()
{
    const QList<QTableWidgetSelectionRange> ranges = sgTranslitTable->selectedRanges();
    for (const QTableWidgetSelectionRange& range : ranges) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
            ItemAt(sgTranslitTable, row, kReplacementColumn)->setText({});
            ItemAt(sgTranslitTable, row, kCharacterColumn)->setText({});
        }
    }
}

} // namespace vennart::gui
