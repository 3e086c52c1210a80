// "Make tags from file name": a rule row per field (From and To, each a position or the n-th
// occurrence of a separator), the case options, the replacement table and a live preview of what
// the command stores. The dialog lives for the whole run, so what the user entered stays.
#pragma once

#include "commands/TagsFromFileNamesRules.h"

#include <QDialog>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableView;
class QTableWidget;
class QTableWidgetItem;

namespace vennart::workspace {
class Workspace;
}

namespace vennart::gui {

class TagsPreviewModel;

// The controls of one rule row, named as the rule's parts.
struct TagRowControls {
    AnsiString FrameID = {};
    QCheckBox* CheckBox = nullptr;
    QComboBox* FromMode = nullptr;
    QLineEdit* FromPosition = nullptr;
    QLineEdit* FromSymbol = nullptr;
    QLabel* FromCountLabel = nullptr;
    QLineEdit* FromCount = nullptr;
    QComboBox* ToMode = nullptr;
    QLineEdit* ToPosition = nullptr;
    QLineEdit* ToSymbol = nullptr;
    QLabel* ToCountLabel = nullptr;
    QLineEdit* ToCount = nullptr;
};

class TfrmTagsFromFileName : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTagsFromFileName(QWidget* parent = nullptr);

    // Shows the dialog with a preview of the rows of the workspace's active grid; true when accepted.
    bool Run(const workspace::Workspace& workspace, const std::vector<int>& rows);
    // Fills the preview with the rows, before showing the dialog.
    void PreviewRows(const workspace::Workspace& workspace, const std::vector<int>& rows);
    // What the controls say now.
    commands::TagsFromNameOptions Options() const;
    // The help box's text, lines joined by CR LF.
    static QString HelpText();

    QScrollArea* sbTags;
    std::vector<TagRowControls> Rows;
    QGroupBox* gbOptions;
    QCheckBox* cbLowerCase;
    QCheckBox* cbMakeFirstLetterUppercase;
    QCheckBox* cbMakeEachWordUpper;
    QTableWidget* sgReplacementTable;
    QTableView* sgPreview;
    QWidget* panBottom;
    QPushButton* btnHelp;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    QWidget* CreateRows();
    void CreateRow(QWidget* box, const AnsiString& frameID, const QString& caption, int top);
    void ConnectRow(const TagRowControls& row);
    QGroupBox* CreateOptions();
    QWidget* CreateReplacementTable();
    QWidget* CreateBottomPanel();
    void comboFromChange(const TagRowControls& row);
    void comboToChange(const TagRowControls& row);
    // True when the key press is to be discarded.
    static bool editNumberKeyPress(const QKeyEvent* event);
    void sgReplacementTableSetEditText(QTableWidgetItem* item);
    void AppendReplacementRow();
    void btnHelpClick();
    void RulesChange();

    TagsPreviewModel* preview_;
    bool fillingTable_ = false;
};

} // namespace vennart::gui
