// "Make Filename from Tag": the mask of the new file names, buttons that append its codes, and a
// preview of every selected file's old and new name with the names that cannot be used marked.
#pragma once

#include "platform/Strings.h"
#include "workspace/Settings.h"
#include "workspace/TagGrid.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace vennart::workspace {
class Workspace;
}

namespace vennart::gui {

class RenamePreviewModel;

class TfrmFileNameFromTag : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFileNameFromTag(QWidget* parent = nullptr);

    // Fills the frame list from the TagEditList value (its default when empty).
    void FillFrameList(const WideString& tagEditList);
    // Shows the dialog for the rows of the workspace's active grid; true when accepted with a
    // mask, which then is in `mask`.
    bool Run(const workspace::Workspace& workspace, const std::vector<int>& rows, WideString& mask);

    QGroupBox* gbTags;
    std::vector<QPushButton*> codeButtons;
    QLabel* lblID3v2tag;
    QComboBox* cbID3v2Tags;
    QLineEdit* editFileName;
    QTableView* sgPreview;
    QLabel* labPreviewStatus;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    QGroupBox* CreateCodeGroup();
    void btnClick(QPushButton* button);
    void cbID3v2TagsChange(int index);
    void AppendToMask(const QString& text);
    void editFileNameChange();

    RenamePreviewModel* preview_;
};

} // namespace vennart::gui
