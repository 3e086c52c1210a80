#include "gui/TfrmDetectEncoding.h"

#include "gui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace vennart::gui {
namespace {

// Edits the code page of a row with a list of the candidates.
class CodePageDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(
        QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* combo = new QComboBox(parent);
        for (const auto& name : static_cast<const DetectionModel*>(index.model())->CodePages())
            combo->addItem(ToQString(text::CatalogueText(name.name)), name.codePage);
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* combo = static_cast<QComboBox*>(editor);
        combo->setCurrentIndex(combo->findData(index.data(Qt::EditRole).toUInt()));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QComboBox*>(editor)->currentData(), Qt::EditRole);
    }
};

} // namespace

TfrmDetectEncoding::TfrmDetectEncoding(QWidget* parent)
    : QDialog(parent)
    , model_(new DetectionModel(this))
{
    setObjectName(QStringLiteral("TfrmDetectEncoding"));
    setWindowTitle(QStringLiteral("Detect Encoding"));
    labVerdict = new QLabel;
    labVerdict->setObjectName(QStringLiteral("labVerdict"));
    labVerdict->setWordWrap(true);
    cbWholeCatalogue = new QCheckBox(QStringLiteral("Consider every code page of the catalogue"));
    connect(cbWholeCatalogue, &QCheckBox::toggled, this, &TfrmDetectEncoding::Detect);

    sgFiles = new QTableView;
    sgFiles->setObjectName(QStringLiteral("sgFiles"));
    sgFiles->setModel(model_);
    sgFiles->setItemDelegateForColumn(DetectionModel::CodePageColumn, new CodePageDelegate(sgFiles));
    sgFiles->setEditTriggers(QAbstractItemView::AllEditTriggers);
    sgFiles->verticalHeader()->hide();
    sgFiles->horizontalHeader()->setStretchLastSection(true);
    connect(model_, &QAbstractItemModel::dataChanged, this, &TfrmDetectEncoding::ShowVerdict);

    auto* buttons = new QDialogButtonBox;
    btnShowAs = buttons->addButton(QStringLiteral("Show as"), QDialogButtonBox::AcceptRole);
    btnConvert = buttons->addButton(QStringLiteral("Convert"), QDialogButtonBox::AcceptRole);
    btnCancel = buttons->addButton(QDialogButtonBox::Cancel);
    connect(btnShowAs, &QPushButton::clicked, this, [this] { done(ShowAs); });
    connect(btnConvert, &QPushButton::clicked, this, [this] { done(Convert); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(Cancelled); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labVerdict);
    layout->addWidget(sgFiles, 1);
    layout->addWidget(cbWholeCatalogue);
    layout->addWidget(buttons);
    resize(820, 480);
}

TfrmDetectEncoding::Outcome TfrmDetectEncoding::Run(const workspace::Workspace& workspace,
    workspace::TagGrid grid, std::vector<int> rows, const Detector& detect,
    const std::vector<text::CodePageName>& activeCodePages, const std::vector<text::CodePageName>& catalogue)
{
    workspace_ = &workspace;
    grid_ = grid;
    rows_ = std::move(rows);
    detect_ = &detect;
    activeCodePages_ = &activeCodePages;
    catalogue_ = &catalogue;
    Detect();
    const auto outcome = static_cast<Outcome>(exec());
    detect_ = nullptr;
    return outcome;
}

void TfrmDetectEncoding::Detect()
{
    if (!detect_)
        return;
    const bool whole = cbWholeCatalogue->isChecked();
    model_->Reset(*workspace_, grid_, rows_, (*detect_)(whole), whole ? *catalogue_ : *activeCodePages_);
    sgFiles->resizeColumnsToContents();
    ShowVerdict();
}

void TfrmDetectEncoding::ShowVerdict()
{
    const auto chosen = model_->ChosenCodePages();
    const auto selection = model_->SelectionCodePage();
    const auto decided = std::count_if(
        chosen.begin(), chosen.end(), [](const auto& codePage) { return codePage.has_value(); });
    const auto agreeing = std::count(chosen.begin(), chosen.end(), selection);
    QString verdict = QStringLiteral("No selected file holds 8-bit text that needs a code page.");
    if (selection) {
        const auto name = std::find_if(model_->CodePages().begin(), model_->CodePages().end(),
            [&](const auto& entry) { return entry.codePage == *selection; });
        const QString caption = name != model_->CodePages().end() ? ToQString(text::CatalogueText(name->name))
                                                                  : QString::number(*selection);
        verdict = QStringLiteral("%1 for %2 of %3 files; %4 other or uncertain.")
                      .arg(caption)
                      .arg(agreeing)
                      .arg(chosen.size())
                      .arg(static_cast<qsizetype>(chosen.size()) - agreeing);
    }
    labVerdict->setText(verdict);
    btnShowAs->setEnabled(selection.has_value());
    btnConvert->setEnabled(decided > 0);
}

} // namespace vennart::gui
