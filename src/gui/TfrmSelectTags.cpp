#include "gui/TfrmSelectTags.h"

#include "tags/ID3v2Types.h"
#include "text/CommaText.h"
#include "workspace/TagFields.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

namespace vennart::gui {
namespace {

constexpr int kRowHeight = 17;
constexpr int kCheckBoxWidth = 60;
constexpr int kShortNameLeft = 61;
constexpr int kShortNameWidth = 120;
constexpr int kDescriptionLeft = 181;
constexpr int kDescriptionMargin = 180;
constexpr int kDialogWidth = 520;
constexpr int kTagListHeight = 380;

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The frames a user may add to the panel: text and URL frames that are not main frames.
bool IsSelectableFrame(std::string_view id)
{
    return (id.starts_with('T') || id.starts_with('W'))
        && workspace::kMainTagIDs.find(id) == std::string_view::npos;
}

QLabel* MakeRowLabel(QWidget* row, std::string_view text, int left, int width)
{
    const QString whole = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    auto* label = new QLabel(whole, row);
    label->setGeometry(left, 0, width, kRowHeight);
    // A name wider than its column ("Original realease year") ends in an ellipsis and shows whole
    // in its tooltip, instead of running into the description.
    if (width > 0 && label->fontMetrics().horizontalAdvance(whole) > width) {
        label->setText(label->fontMetrics().elidedText(whole, Qt::ElideRight, width));
        label->setToolTip(whole);
    }
    return label;
}

} // namespace

TfrmSelectTags::TfrmSelectTags(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectTags"));
    setWindowTitle(QStringLiteral("Select V2 Tags to edit"));
    FormCreate();
}

void TfrmSelectTags::FormCreate()
{
    sbTagList = new QScrollArea(this);
    sbTagList->setObjectName(QStringLiteral("sbTagList"));
    sbTagList->setFixedHeight(kTagListHeight);
    sbTagList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbTagList->setWidgetResizable(true);
    auto* rows = new QWidget;
    rows->setAutoFillBackground(true);
    QPalette white = rows->palette();
    white.setColor(QPalette::Window, Qt::white);
    rows->setPalette(white);
    for (const tags::TagListRecord& record : tags::TagListRecords()) {
        if (!IsSelectableFrame(record.ID))
            continue;
        auto* row = new QWidget(rows);
        row->setGeometry(0, kRowHeight * static_cast<int>(FTagList.size()), kDialogWidth, kRowHeight);
        auto* check = new QCheckBox(QString::fromLatin1(record.ID.data(), 4), row);
        check->setObjectName(QString::fromLatin1(record.ID.data(), 4));
        check->setGeometry(0, 0, kCheckBoxWidth, kRowHeight);
        MakeRowLabel(row, record.ShortName, kShortNameLeft, kShortNameWidth);
        descriptionLabels_.push_back(MakeRowLabel(row, record.Description, kDescriptionLeft, 0));
        FTagList.emplace_back(AnsiString(record.ID), check);
    }
    rows->setMinimumHeight(kRowHeight * static_cast<int>(FTagList.size()));
    rows->installEventFilter(this);
    sbTagList->setWidget(rows);

    panButtons = new QWidget(this);
    btnOK = new QPushButton(QStringLiteral("OK"), panButtons);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), panButtons);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout(panButtons);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sbTagList);
    layout->addWidget(panButtons);
    resize(kDialogWidth, sizeHint().height());
}

// Each row and its description label span the scroll box's client width, whatever the dialog's.
bool TfrmSelectTags::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == sbTagList->widget()) {
        const int clientWidth = sbTagList->widget()->width();
        for (QWidget* label : descriptionLabels_) {
            label->parentWidget()->resize(clientWidth, kRowHeight);
            label->resize(std::max(0, clientWidth - kDescriptionMargin), kRowHeight);
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TfrmSelectTags::Execute(AnsiString& list)
{
    TickRowsOf(list);
    if (exec() != QDialog::Accepted)
        return false;
    AnsiString ticked = TickedList();
    if (EqualIgnoringAsciiCase(ticked, list))
        return false;
    list = std::move(ticked);
    return true;
}

void TfrmSelectTags::TickRowsOf(std::string_view list)
{
    const std::vector<AnsiString> items = text::SplitCommaText(list);
    for (const auto& [id, check] : FTagList) {
        check->setChecked(std::any_of(items.begin(), items.end(),
            [&id](const AnsiString& item) { return EqualIgnoringAsciiCase(item, id); }));
    }
}

AnsiString TfrmSelectTags::TickedList() const
{
    AnsiString list;
    for (const auto& [id, check] : FTagList) {
        if (!check->isChecked())
            continue;
        if (!list.empty())
            list += ',';
        list += id;
    }
    return list;
}

} // namespace vennart::gui
