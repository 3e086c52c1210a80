#include "gui/TEncodingTable.h"

#include "gui/QtText.h"
#include "text/CodePageList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

namespace vennart::gui {
namespace {

constexpr int kMinimumListWidth = 400;
constexpr int kMaximumListWidth = 900;
constexpr int kListHeight = 420;

bool IsActive(const text::EncodingCatalogue& catalogue, uint32_t codePage)
{
    const auto hasIt = [codePage](const text::CodePageName& entry) { return entry.codePage == codePage; };
    return std::ranges::any_of(catalogue.ActiveEncodingsV2(), hasIt)
        || std::ranges::any_of(catalogue.ActiveEncodingsV1(), hasIt);
}

QString EntryText(const AnsiString& name, const AnsiString& description)
{
    QString text = ToQString(text::CatalogueText(name));
    if (!description.empty())
        text += QStringLiteral(" (") + ToQString(text::CatalogueText(description)) + QLatin1Char(')');
    return text;
}

} // namespace

TEncodingTable::TEncodingTable(const text::EncodingCatalogue& catalogue, QWidget* parent)
    : QDialog(parent)
    , catalogue_(catalogue)
{
    setObjectName(QStringLiteral("EncodingTable"));
    setWindowTitle(QStringLiteral("Select active encoding tables"));

    clbEncodingTables = new QListWidget(this);
    clbEncodingTables->setObjectName(QStringLiteral("clbEncodingTables"));
    clbEncodingTables->setFixedSize(kMinimumListWidth, kListHeight);
    connect(clbEncodingTables, &QListWidget::itemChanged, this, &TEncodingTable::clbEncodingTablesClickCheck);

    labNeedsEightBit = new QLabel(
        QStringLiteral("Check at least one 8-bit code page: ID3v1 tags can only be shown through one."),
        this);
    labNeedsEightBit->setObjectName(QStringLiteral("labNeedsEightBit"));
    // The line comes and goes without the fixed-size dialog changing its size.
    QSizePolicy keepRoom = labNeedsEightBit->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    labNeedsEightBit->setSizePolicy(keepRoom);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addStretch();
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(clbEncodingTables);
    layout->addWidget(labNeedsEightBit);
    layout->addLayout(buttons);
}

bool TEncodingTable::SelectEncodingTables(AnsiString& codePages)
{
    FillEncodingTables();
    if (exec() != QDialog::Accepted)
        return false;
    AnsiString checked = CheckedCodePages();
    if (!text::CodePageListChanged(codePages, checked))
        return false;
    codePages = std::move(checked);
    return true;
}

void TEncodingTable::FillEncodingTables()
{
    const QSignalBlocker blocker(clbEncodingTables);
    clbEncodingTables->clear();
    const std::vector<text::CodePageName>& names = catalogue_.EncodingNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto* entry = new QListWidgetItem(
            EntryText(names[i].name, catalogue_.EncodingDescriptions()[i]), clbEncodingTables);
        entry->setData(Qt::UserRole, names[i].codePage);
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(IsActive(catalogue_, names[i].codePage) ? Qt::Checked : Qt::Unchecked);
    }
    FitListWidth();
    clbEncodingTablesClickCheck();
}

// Wide enough for the longest entry, so that no description is cut, within reason.
void TEncodingTable::FitListWidth()
{
    const int content = clbEncodingTables->sizeHintForColumn(0) + 2 * clbEncodingTables->frameWidth()
        + clbEncodingTables->verticalScrollBar()->sizeHint().width();
    clbEncodingTables->setFixedWidth(std::clamp(content, kMinimumListWidth, kMaximumListWidth));
}

AnsiString TEncodingTable::CheckedCodePages() const
{
    AnsiString codePages;
    for (int i = 0; i < clbEncodingTables->count(); ++i) {
        const QListWidgetItem* entry = clbEncodingTables->item(i);
        if (entry->checkState() != Qt::Checked)
            continue;
        if (!codePages.empty())
            codePages += ',';
        codePages += std::to_string(entry->data(Qt::UserRole).toUInt());
    }
    return codePages;
}

// A choice of UTF-16 alone would leave ID3v1 text without a code page to be shown in. Nothing
// checked is a choice too: it returns to the default set.
void TEncodingTable::clbEncodingTablesClickCheck()
{
    const AnsiString checked = CheckedCodePages();
    const bool acceptable = checked.empty() || text::HoldsEightBitCodePage(checked);
    btnOK->setEnabled(acceptable);
    labNeedsEightBit->setVisible(!acceptable);
}

} // namespace vennart::gui
