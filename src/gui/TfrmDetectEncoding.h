// "Detect Encoding": the code page found for each selected file's 8-bit text, a verdict for the
// selection, and two ways out: show the tab in the selection's code page, or convert every file
// from its own code page.
#pragma once

#include "gui/DetectionModel.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace vennart::gui {

class TfrmDetectEncoding : public QDialog {
    Q_OBJECT
public:
    enum Outcome { Cancelled, ShowAs, Convert };
    // Detects again for the candidates: the active code pages, or the whole catalogue.
    using Detector = std::function<std::vector<text::CodePageGuess>(bool wholeCatalogue)>;

    explicit TfrmDetectEncoding(QWidget* parent = nullptr);

    Outcome Run(const workspace::Workspace& workspace, workspace::TagGrid grid, std::vector<int> rows,
        const Detector& detect, const std::vector<text::CodePageName>& activeCodePages,
        const std::vector<text::CodePageName>& catalogue);

    DetectionModel* model() const { return model_; }

    QLabel* labVerdict;
    QCheckBox* cbWholeCatalogue;
    QTableView* sgFiles;
    QPushButton* btnShowAs;
    QPushButton* btnConvert;
    QPushButton* btnCancel;

private:
    void Detect();
    void ShowVerdict();

    DetectionModel* model_;
    const workspace::Workspace* workspace_ = nullptr;
    workspace::TagGrid grid_ = workspace::TagGrid::ID3v2;
    std::vector<int> rows_;
    const Detector* detect_ = nullptr;
    const std::vector<text::CodePageName>* activeCodePages_ = nullptr;
    const std::vector<text::CodePageName>* catalogue_ = nullptr;
};

} // namespace vennart::gui
