#include "gui/TfrmTagsFromFileName.h"

#include "gui/QtText.h"
#include "gui/TagRuleRowLayout.h"
#include "gui/TagsPreviewModel.h"
#include "tags/ID3v2Types.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStringList>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vennart::gui {
namespace {

constexpr int kReplacementRowHeight = 16;

const char* const kHelpLines[] = {
    "Position - Starting (From) or Ending (To) part from Filename wil be copied to Tag text:",
    "--if empty then first (from) or last (to) position of Filename excluding extension",
    "Symbol - Starting (From) or Ending (To) with which symbol or sequence of symbols part",
    "of file name should be copied:",
    "--empty means Space",
    "--Count is the number of Symbol from the beginning of filename,for example Symbol='_' and",
    "  Count=2 means after second '_' part of Filename  will be copied (if From) or till second",
    "  occurance of '_' part of File name will be copied to Tag text (if To)",
    "--empty Count means 1 (first occurance)",
    "--Symbol (or group of symbols) does not included in Tag text",
};

AnsiString Latin1Of(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return AnsiString(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

commands::TagBound BoundOf(
    const QComboBox* mode, const QLineEdit* position, const QLineEdit* symbol, const QLineEdit* count)
{
    return { .mode = mode->currentIndex() == 0 ? commands::BoundMode::Position : commands::BoundMode::Symbol,
        .position = Latin1Of(position->text()),
        .symbol = ToWide(symbol->text()),
        .count = Latin1Of(count->text()) };
}

QString CellText(const QTableWidget* table, int row, int column)
{
    const auto* item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

TfrmTagsFromFileName::TfrmTagsFromFileName(QWidget* parent)
    : QDialog(parent)
    , preview_(new TagsPreviewModel(this))
{
    setObjectName(QStringLiteral("TfrmTagsFromFileName"));
    setWindowTitle(QStringLiteral("Make tags from file name"));
    FormCreate();
}

void TfrmTagsFromFileName::FormCreate()
{
    sgPreview = new QTableView;
    sgPreview->setObjectName(QStringLiteral("sgPreview"));
    sgPreview->setModel(preview_);
    sgPreview->setSelectionMode(QAbstractItemView::NoSelection);
    sgPreview->verticalHeader()->hide();
    sgPreview->verticalHeader()->setDefaultSectionSize(sgPreview->fontMetrics().height() + 6);
    sgPreview->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* top = new QWidget;
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    auto* rules = new QVBoxLayout;
    rules->addWidget(CreateRows(), 1);
    rules->addWidget(CreateOptions());
    topLayout->addLayout(rules, 3);
    topLayout->addWidget(CreateReplacementTable(), 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addWidget(sgPreview, 1);
    layout->addWidget(CreateBottomPanel());
    resize(900, 620);
}

QWidget* TfrmTagsFromFileName::CreateRows()
{
    sbTags = new QScrollArea;
    sbTags->setObjectName(QStringLiteral("sbTags"));
    auto* box = new QWidget;
    PaintWhite(box);
    const int height = QComboBox().sizeHint().height();
    int top = 0;
    for (std::string_view id : commands::kTagsFromNameFrames) {
        AnsiString shortName;
        AnsiString description;
        tags::FindTagListRecord(id, shortName, description);
        if (shortName.empty())
            continue;
        CreateRow(box, AnsiString(id),
            QString::fromLatin1(shortName.data(), static_cast<qsizetype>(shortName.size())), top);
        top += height;
    }
    int right = 0;
    for (const QWidget* child : box->findChildren<QWidget*>())
        right = std::max(right, child->geometry().right() + 1);
    box->setFixedSize(right, top);
    sbTags->setWidget(box);
    sbTags->setMinimumHeight(top + 2 * sbTags->frameWidth());
    PaintWhite(sbTags);
    return sbTags;
}

void TfrmTagsFromFileName::CreateRow(QWidget* box, const AnsiString& frameID, const QString& caption, int top)
{
    TagRuleRowLayout placer(box, top, font(), this);
    const QString id = QString::fromLatin1(frameID.data(), static_cast<qsizetype>(frameID.size()));
    TagRowControls row { .FrameID = frameID };
    row.CheckBox = placer.CheckBox(QStringLiteral("CheckBox") + id, caption);
    placer.Label(QStringLiteral("From"));
    placer.Bound(QStringLiteral("From") + id, row.FromMode, row.FromPosition, row.FromSymbol,
        row.FromCountLabel, row.FromCount);
    placer.Label(QStringLiteral("To"));
    placer.Bound(
        QStringLiteral("To") + id, row.ToMode, row.ToPosition, row.ToSymbol, row.ToCountLabel, row.ToCount);
    Rows.push_back(row);
    ConnectRow(row);
}

void TfrmTagsFromFileName::ConnectRow(const TagRowControls& row)
{
    comboFromChange(row);
    comboToChange(row);
    connect(row.FromMode, &QComboBox::currentIndexChanged, this, [this, row] {
        comboFromChange(row);
        RulesChange();
    });
    connect(row.ToMode, &QComboBox::currentIndexChanged, this, [this, row] {
        comboToChange(row);
        RulesChange();
    });
    connect(row.CheckBox, &QCheckBox::toggled, this, &TfrmTagsFromFileName::RulesChange);
    for (QLineEdit* edit :
        { row.FromPosition, row.FromSymbol, row.FromCount, row.ToPosition, row.ToSymbol, row.ToCount })
        connect(edit, &QLineEdit::textChanged, this, &TfrmTagsFromFileName::RulesChange);
}

QGroupBox* TfrmTagsFromFileName::CreateOptions()
{
    gbOptions = new QGroupBox(QStringLiteral("Options"));
    gbOptions->setObjectName(QStringLiteral("gbOptions"));
    auto* layout = new QVBoxLayout(gbOptions);
    auto option = [&](const char* name, const QString& caption, bool checked) {
        auto* box = new QCheckBox(caption);
        box->setObjectName(QLatin1String(name));
        box->setChecked(checked);
        connect(box, &QCheckBox::toggled, this, &TfrmTagsFromFileName::RulesChange);
        layout->addWidget(box);
        return box;
    };
    cbLowerCase = option("cbLowerCase", QStringLiteral("Make whole Tag Lowercase"), false);
    cbMakeFirstLetterUppercase
        = option("cbMakeFirstLetterUppercase", QStringLiteral("Make first letter Uppercase"), true);
    cbMakeEachWordUpper
        = option("cbMakeEachWordUpper", QStringLiteral("Make each word first letter Uppercase"), true);
    return gbOptions;
}

QWidget* TfrmTagsFromFileName::CreateReplacementTable()
{
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    sgReplacementTable = new QTableWidget(0, 2);
    sgReplacementTable->setObjectName(QStringLiteral("sgReplacementTable"));
    sgReplacementTable->setHorizontalHeaderLabels({ QStringLiteral("What"), QStringLiteral("With") });
    sgReplacementTable->verticalHeader()->hide();
    sgReplacementTable->verticalHeader()->setMinimumSectionSize(kReplacementRowHeight);
    sgReplacementTable->verticalHeader()->setDefaultSectionSize(kReplacementRowHeight);
    sgReplacementTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    AppendReplacementRow();
    connect(sgReplacementTable, &QTableWidget::itemChanged, this,
        &TfrmTagsFromFileName::sgReplacementTableSetEditText);
    auto* caption = new QLabel(QStringLiteral("Replace"));
    caption->setBuddy(sgReplacementTable);
    layout->addWidget(caption);
    layout->addWidget(sgReplacementTable, 1);
    return panel;
}

QWidget* TfrmTagsFromFileName::CreateBottomPanel()
{
    panBottom = new QWidget;
    panBottom->setObjectName(QStringLiteral("panBottom"));
    auto* layout = new QHBoxLayout(panBottom);
    layout->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const char* name, const QString& caption) {
        auto* control = new QPushButton(caption);
        control->setObjectName(QLatin1String(name));
        control->setAutoDefault(false);
        return control;
    };
    btnHelp = button("btnHelp", QStringLiteral("Help"));
    btnOK = button("btnOK", QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnCancel = button("btnCancel", QStringLiteral("Cancel"));
    connect(btnHelp, &QPushButton::clicked, this, &TfrmTagsFromFileName::btnHelpClick);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(btnHelp);
    layout->addStretch(1);
    layout->addWidget(btnOK);
    layout->addWidget(btnCancel);
    return panBottom;
}

bool TfrmTagsFromFileName::Run(const workspace::Workspace& workspace, const std::vector<int>& rows)
{
    PreviewRows(workspace, rows);
    const bool accepted = exec() == QDialog::Accepted;
    preview_->Clear();
    return accepted;
}

void TfrmTagsFromFileName::PreviewRows(const workspace::Workspace& workspace, const std::vector<int>& rows)
{
    preview_->Reset(workspace, rows);
    preview_->SetOptions(Options());
}

commands::TagsFromNameOptions TfrmTagsFromFileName::Options() const
{
    commands::TagsFromNameOptions options;
    options.rules.clear();
    for (const auto& row : Rows) {
        options.rules.push_back({ .FrameID = row.FrameID,
            .checked = row.CheckBox->isChecked(),
            .from = BoundOf(row.FromMode, row.FromPosition, row.FromSymbol, row.FromCount),
            .to = BoundOf(row.ToMode, row.ToPosition, row.ToSymbol, row.ToCount) });
    }
    for (int row = 0; row < sgReplacementTable->rowCount(); ++row) {
        const QString what = CellText(sgReplacementTable, row, 0);
        if (!what.isEmpty())
            options.replacements.push_back({ ToWide(what), ToWide(CellText(sgReplacementTable, row, 1)) });
    }
    options.lowerCase = cbLowerCase->isChecked();
    options.firstLetterUpper = cbMakeFirstLetterUppercase->isChecked();
    options.eachWordUpper = cbMakeEachWordUpper->isChecked();
    return options;
}

QString TfrmTagsFromFileName::HelpText()
{
    QStringList lines;
    for (const char* line : kHelpLines)
        lines << QLatin1String(line);
    return lines.join(QStringLiteral("\r\n"));
}

bool TfrmTagsFromFileName::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && editNumberKeyPress(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TfrmTagsFromFileName::comboFromChange(const TagRowControls& row)
{
    const bool position = row.FromMode->currentIndex() == 0;
    row.FromPosition->setVisible(position);
    row.FromSymbol->setVisible(!position);
    row.FromCountLabel->setVisible(!position);
    row.FromCount->setVisible(!position);
}

void TfrmTagsFromFileName::comboToChange(const TagRowControls& row)
{
    const bool position = row.ToMode->currentIndex() == 0;
    row.ToPosition->setVisible(position);
    row.ToSymbol->setVisible(!position);
    row.ToCountLabel->setVisible(!position);
    row.ToCount->setVisible(!position);
}

bool TfrmTagsFromFileName::editNumberKeyPress(const QKeyEvent* event)
{
    // Keys that type nothing (arrows, Delete) are no characters and always pass.
    const QString typed = event->text();
    if (typed.isEmpty() || typed.front() == QChar(0x7F))
        return false;
    const char16_t code = typed.front().unicode();
    const bool control = code >= 1 && code <= 29;
    const bool digit = code >= u'0' && code <= u'9';
    return !control && !digit;
}

void TfrmTagsFromFileName::sgReplacementTableSetEditText(QTableWidgetItem* item)
{
    if (fillingTable_)
        return;
    if (item->column() == 0 && !item->text().isEmpty() && item->row() == sgReplacementTable->rowCount() - 1)
        AppendReplacementRow();
    RulesChange();
}

void TfrmTagsFromFileName::AppendReplacementRow()
{
    fillingTable_ = true;
    const int row = sgReplacementTable->rowCount();
    sgReplacementTable->insertRow(row);
    sgReplacementTable->setItem(row, 0, new QTableWidgetItem);
    sgReplacementTable->setItem(row, 1, new QTableWidgetItem);
    fillingTable_ = false;
}

void TfrmTagsFromFileName::btnHelpClick()
{
    QMessageBox::information(this, windowTitle(), HelpText(), QMessageBox::Ok);
}

void TfrmTagsFromFileName::RulesChange()
{
    preview_->SetOptions(Options());
}

} // namespace vennart::gui
