// The editing panel: the file-name edit and one labelled combo box per field of the tag list. Every
// change the user makes goes straight into the tag objects of the selected files and marks their
// rows; filling the panel never counts as an edit.
#include "commands/ChangeSet.h"
#include "commands/EditField.h"
#include "commands/Selection.h"
#include "gui/QtText.h"
#include "gui/TfrmMain.h"
#include "tags/ID3v1Genre.h"
#include "workspace/FieldEditing.h"
#include "workspace/SaveChanges.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>

namespace vennart::gui {

using workspace::TagGrid;

namespace {

constexpr int kLabelWidth = 67;
constexpr int kRowHeight = 24;
constexpr int kFieldHeight = 21;
constexpr int kMainTagsHeight = 187;
constexpr int kGroupFrameHeight = 19;
constexpr const char* kFieldProperty = "fieldIndex";

// A caption that does not fit the label loses characters from its end, without an ellipsis; its
// tooltip then holds the whole caption.
QLabel* MakeFieldLabel(const QString& caption)
{
    auto* label = new QLabel;
    label->setFixedSize(kLabelWidth, kFieldHeight);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QString text = caption;
    const QFontMetrics metrics(label->font());
    while (!text.isEmpty() && metrics.horizontalAdvance(text) > kLabelWidth)
        text.chop(1);
    label->setText(text);
    if (text != caption)
        label->setToolTip(caption);
    return label;
}

void ClearLayout(QWidget* widget)
{
    // Deleting a child takes it out of children(): walk a copy.
    const QObjectList children = widget->children();
    for (QObject* child : children) {
        if (child->isWidgetType())
            delete child;
    }
    delete widget->layout();
}

QGridLayout* MakeFieldGrid(QWidget* group)
{
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(3, 4, 8, 4);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(kRowHeight - kFieldHeight);
    grid->setAlignment(Qt::AlignTop);
    return grid;
}

} // namespace

void TfrmMain::BuildTagPanel()
{
    TagList = workspace::BuildTagList(workspace_->FSettings);
    tagFields_ = workspace::BuildTagFields(TagList);
    fieldCombos_.clear();

    ClearLayout(panTagsTop);
    auto* topLayout = new QHBoxLayout(panTagsTop);
    topLayout->setContentsMargins(3, 3, 8, 3);
    topLayout->setSpacing(2);
    EditFileName = new QLineEdit;
    EditFileName->setObjectName(QStringLiteral("EditFileName"));
    topLayout->addWidget(MakeFieldLabel(QStringLiteral("Filename")));
    topLayout->addWidget(EditFileName, 1);
    connect(
        EditFileName, &QLineEdit::textChanged, this, [this] { RunGuarded([this] { eFileNameChange(); }); });
    EditFileName->installEventFilter(this);

    ClearLayout(gbMainTags);
    ClearLayout(gbAdditionalTags);
    QGridLayout* mainGrid = MakeFieldGrid(gbMainTags);
    QGridLayout* additionalGrid = MakeFieldGrid(gbAdditionalTags);
    int additionalRows = 0;
    for (std::size_t i = 0; i < tagFields_.size(); ++i) {
        const workspace::TagField& field = tagFields_[i];
        QGridLayout* grid = field.IsMain() ? mainGrid : additionalGrid;
        const int row = grid->rowCount() - (grid->isEmpty() ? 1 : 0);
        grid->addWidget(MakeFieldLabel(QString::fromLatin1(field.shortName)), row, 0);
        grid->addWidget(MakeFieldCombo(static_cast<int>(i)), row, 1);
        additionalRows += field.IsMain() ? 0 : 1;
    }
    gbMainTags->setFixedHeight(kMainTagsHeight);
    gbAdditionalTags->setFixedHeight(additionalRows * kRowHeight + kGroupFrameHeight);
}

QComboBox* TfrmMain::MakeFieldCombo(int fieldIndex)
{
    const workspace::TagField& field = tagFields_[static_cast<std::size_t>(fieldIndex)];
    auto* combo = new QComboBox;
    combo->setObjectName(QStringLiteral("comboBox") + QString::fromLatin1(field.id));
    combo->setProperty(kFieldProperty, fieldIndex);
    combo->setToolTip(QString::fromLatin1(field.longName));
    combo->setFixedHeight(kFieldHeight);
    combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    combo->installEventFilter(this);
    if (field.IsGenre()) {
        connect(combo, &QComboBox::activated, this,
            [this, combo] { RunGuarded([=, this] { cbTagChange(combo); }); });
    } else {
        combo->setEditable(true);
        // Typing must reach the files exactly as typed, never completed from the list.
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // The edit leaves the undo keys to the window. In a track field typed characters are
        // filtered, not the text: a track text such as "3/12" or the "<do not change>" marker stays
        // editable, and no letter typed after it reaches the files.
        combo->lineEdit()->installEventFilter(this);
        connect(combo, &QComboBox::editTextChanged, this,
            [this, combo] { RunGuarded([=, this] { cbTagChange(combo); }); });
    }
    fieldCombos_.push_back(combo);
    return combo;
}

const workspace::TagField& TfrmMain::FieldOf(const QComboBox* combo) const
{
    return tagFields_.at(combo->property(kFieldProperty).toUInt());
}

bool TfrmMain::IsFieldShown(const workspace::TagField& field) const
{
    return field.IsMain() || workspace_->ActiveGrid() == TagGrid::ID3v2;
}

void TfrmMain::FillTagPanel()
{
    if (!FReady)
        return;
    const QSignalBlocker fileNameBlocker(EditFileName);
    FFillingPanel = true;
    const bool hasFiles = workspace_->FileCount() > 0;
    sbAllTags->setEnabled(hasFiles);
    if (!hasFiles) {
        EditFileName->clear();
        for (QComboBox* combo : fieldCombos_) {
            combo->clear();
            combo->setEditText({});
        }
        FFillingPanel = false;
        return;
    }
    const workspace::RowRange selection = workspace_->ActiveSelection();
    EditFileName->setEnabled(selection.IsSingle());
    EditFileName->setText(selection.IsSingle() ? ToQString(workspace_->RowName(selection.top)) : QString());
    for (QComboBox* combo : fieldCombos_) {
        const workspace::TagField& field = FieldOf(combo);
        if (IsFieldShown(field))
            SetControlText(workspace::CommonFieldValue(*workspace_, field), combo);
    }
    FFillingPanel = false;
}

void TfrmMain::SetControlText(const WideString& text, QComboBox* combo)
{
    const QSignalBlocker blocker(combo);
    if (combo->isEditable())
        combo->setEditText(ToQString(text));
    else
        combo->setCurrentIndex(combo->findText(ToQString(text), Qt::MatchFixedString));
}

void TfrmMain::FillFieldLists()
{
    if (!FReady)
        return;
    for (QComboBox* combo : fieldCombos_) {
        if (IsFieldShown(FieldOf(combo)))
            FillValueList(combo);
    }
}

void TfrmMain::FillValueList(QComboBox* combo)
{
    const workspace::TagField& field = FieldOf(combo);
    QStringList entries { ToQString(WideString(workspace::kDoNotChange)) };
    if (field.IsGenre()) {
        std::vector<WideString> names;
        tags::TID3v1Genre().FillGenreList(names);
        for (const WideString& name : names)
            entries.append(ToQString(name));
    } else {
        for (const WideString& value : workspace::FillValueList(*workspace_, field))
            entries.append(ToQString(value));
    }
    const QSignalBlocker blocker(combo);
    const QString text = combo->currentText();
    const int index = combo->currentIndex();
    combo->clear();
    combo->addItems(entries);
    if (combo->isEditable())
        combo->setEditText(text);
    else
        combo->setCurrentIndex(index);
}

void TfrmMain::cbTagChange(QComboBox* combo)
{
    if (FFillingPanel || !FReady || workspace_->FileCount() == 0)
        return;
    if (!combo->isEditable() && combo->currentIndex() <= 0)
        return;
    const TagGrid grid = workspace_->ActiveGrid();
    const auto rows = commands::SelectedRows(*workspace_, grid);
    const workspace::TagField& field = FieldOf(combo);
    RunTyping(commands::EditField(*workspace_, grid, rows, field, ToWide(combo->currentText())),
        commands::EditFieldMergeKey(*workspace_, grid, rows, field));
}

void TfrmMain::cbTagExit(QComboBox* combo)
{
    if (!FieldOf(combo).IsGenre())
        FillValueList(combo);
}

// A typed character other than a digit does not reach a track field. Editing keys (Delete,
// Backspace, the arrows) and shortcuts type no printable character and still work.
bool TfrmMain::cbTrackNumberKeyPress(const QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.front().isPrint())
        return false;
    return typed.front() < QLatin1Char('0') || typed.front() > QLatin1Char('9');
}

// An edit of the panel would undo its own last keystroke on Ctrl+Z; the window's history undoes
// what the typing did to every selected file, so the edits leave these keys to "&Edit".
bool TfrmMain::IsHistoryShortcut(const QKeyEvent* event) const
{
    const QKeySequence pressed(event->keyCombination());
    return actions.miUndo->shortcuts().contains(pressed) || actions.miRedo->shortcuts().contains(pressed);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    // Only the panel's fields and edits are watched.
    if (event->type() == QEvent::ShortcutOverride
        && IsHistoryShortcut(static_cast<const QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* combo = qobject_cast<const QComboBox*>(watched->parent());
        if (combo != nullptr && combo->lineEdit() == watched && FieldOf(combo).IsTrack()
            && cbTrackNumberKeyPress(static_cast<const QKeyEvent*>(event)))
            return true;
    }
    if (event->type() == QEvent::FocusOut) {
        auto* combo = qobject_cast<QComboBox*>(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (combo != nullptr && reason != Qt::PopupFocusReason && FReady)
            RunGuarded([=, this] { cbTagExit(combo); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::eFileNameChange()
{
    if (FFillingPanel || workspace_->FileCount() == 0)
        return;
    const workspace::RowRange selection = workspace_->ActiveSelection();
    if (!selection.IsSingle())
        return;
    RunTyping(commands::EditRowName(*workspace_, selection.top, ToWide(EditFileName->text())),
        "name " + std::to_string(workspace_->Listing()) + " " + std::to_string(selection.top));
}

void TfrmMain::tbSaveClick()
{
    workspace::SaveChanges(*workspace_);
    RefreshViews();
}

} // namespace vennart::gui
