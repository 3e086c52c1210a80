#include "gui/TfrmFileNameFromTag.h"

#include "commands/FileNameMask.h"
#include "gui/QtText.h"
#include "gui/RenamePreviewModel.h"
#include "platform/SystemCodePage.h"
#include "tags/ID3v2Types.h"
#include "text/CommaText.h"
#include "workspace/Workspace.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vennart::gui {
namespace {

QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TfrmFileNameFromTag::TfrmFileNameFromTag(QWidget* parent)
    : QDialog(parent)
    , preview_(new RenamePreviewModel(this))
{
    setObjectName(QStringLiteral("TfrmFileNameFromTag"));
    setWindowTitle(QStringLiteral("Make Filename from Tag"));

    editFileName = new QLineEdit;
    editFileName->setObjectName(QStringLiteral("editFileName"));
    auto* maskLabel = new QLabel(QStringLiteral("Filename mask"));
    maskLabel->setBuddy(editFileName);
    connect(editFileName, &QLineEdit::textChanged, this, &TfrmFileNameFromTag::editFileNameChange);

    sgPreview = new QTableView;
    sgPreview->setObjectName(QStringLiteral("sgPreview"));
    sgPreview->setModel(preview_);
    sgPreview->setSelectionMode(QAbstractItemView::NoSelection);
    sgPreview->verticalHeader()->hide();
    sgPreview->verticalHeader()->setDefaultSectionSize(sgPreview->fontMetrics().height() + 6);
    sgPreview->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    labPreviewStatus = new QLabel;
    labPreviewStatus->setObjectName(QStringLiteral("labPreviewStatus"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    btnOK = buttons->button(QDialogButtonBox::Ok);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = buttons->button(QDialogButtonBox::Cancel);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateCodeGroup());
    layout->addWidget(maskLabel);
    layout->addWidget(editFileName);
    layout->addWidget(sgPreview, 1);
    layout->addWidget(labPreviewStatus);
    layout->addWidget(buttons);
    resize(640, 520);
}

QGroupBox* TfrmFileNameFromTag::CreateCodeGroup()
{
    gbTags = new QGroupBox(QStringLiteral("File name elements"));
    gbTags->setObjectName(QStringLiteral("gbTags"));
    auto* grid = new QGridLayout(gbTags);
    const char* names[] = { "btnTitle", "btnArtist", "btnAlbum", "btnYear", "btnTrackNumber", "btnComment",
        "btnOldFilename" };
    for (std::size_t i = 0; i < commands::kMaskCodes.size(); ++i) {
        const auto& code = commands::kMaskCodes[i];
        auto* button = new QPushButton(ToQString(WideString(code.code)));
        button->setObjectName(QLatin1String(names[i]));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, button] { btnClick(button); });
        codeButtons.push_back(button);
        const int row = static_cast<int>(i % 4);
        const int column = static_cast<int>(i / 4) * 2;
        grid->addWidget(button, row, column);
        grid->addWidget(new QLabel(Latin1(code.caption)), row, column + 1);
    }
    lblID3v2tag = new QLabel(QStringLiteral("IDv2 tag"));
    cbID3v2Tags = new QComboBox;
    cbID3v2Tags->setObjectName(QStringLiteral("cbID3v2Tags"));
    lblID3v2tag->setBuddy(cbID3v2Tags);
    connect(cbID3v2Tags, &QComboBox::activated, this, &TfrmFileNameFromTag::cbID3v2TagsChange);
    grid->addWidget(lblID3v2tag, 3, 2);
    grid->addWidget(cbID3v2Tags, 3, 3);
    grid->setColumnStretch(3, 1);
    return gbTags;
}

void TfrmFileNameFromTag::FillFrameList(const WideString& tagEditList)
{
    cbID3v2Tags->clear();
    for (const WideString& entry : text::SplitCommaText(tagEditList)) {
        AnsiString shortName;
        AnsiString description;
        const int record = tags::FindTagListRecord(NarrowSystem(entry), shortName, description);
        if (record >= 0)
            cbID3v2Tags->addItem(Latin1(shortName), record);
    }
    cbID3v2Tags->setCurrentIndex(-1);
}

bool TfrmFileNameFromTag::Run(
    const workspace::Workspace& workspace, const std::vector<int>& rows, WideString& mask)
{
    const bool onID3v2 = workspace.ActiveGrid() == workspace::TagGrid::ID3v2;
    lblID3v2tag->setVisible(onID3v2);
    cbID3v2Tags->setVisible(onID3v2);
    preview_->Reset(workspace, rows);
    editFileName->setText(ToQString(mask));
    editFileNameChange();
    editFileName->setFocus();
    const bool accepted = exec() == QDialog::Accepted && !editFileName->text().isEmpty();
    if (accepted)
        mask = ToWide(editFileName->text());
    preview_->Clear();
    return accepted;
}

void TfrmFileNameFromTag::btnClick(QPushButton* button)
{
    AppendToMask(button->text());
}

void TfrmFileNameFromTag::cbID3v2TagsChange(int index)
{
    const auto record = cbID3v2Tags->itemData(index).toInt();
    AppendToMask(QStringLiteral("%") + Latin1(tags::TagListRecords()[static_cast<std::size_t>(record)].ID));
}

void TfrmFileNameFromTag::AppendToMask(const QString& text)
{
    editFileName->setText(editFileName->text() + text);
    editFileName->setFocus();
    editFileName->setCursorPosition(static_cast<int>(editFileName->text().size()));
}

void TfrmFileNameFromTag::editFileNameChange()
{
    preview_->SetMask(ToWide(editFileName->text()));
    const int unusable = preview_->UnusableCount();
    labPreviewStatus->setText(
        unusable == 0 ? QString() : QStringLiteral("%1 names collide or cannot be used").arg(unusable));
}

} // namespace vennart::gui
