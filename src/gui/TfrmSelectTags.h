// "Select V2 Tags to edit": one row per text and URL frame of the descriptor table that is not a
// main frame, each with a check box, so that the user ticks the frames the editing panel offers
// below the main ones.
#pragma once

#include "platform/Strings.h"

#include <QDialog>
#include <string_view>
#include <utility>
#include <vector>

class QCheckBox;
class QPushButton;
class QScrollArea;
class QWidget;

namespace vennart::gui {

class TfrmSelectTags : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSelectTags(QWidget* parent = nullptr);

    // Ticks the rows `list` (comma text) names, ignoring letter case, and shows the dialog. On OK,
    // when the ticked identifiers in row order differ from `list` other than in letter case, `list`
    // becomes them joined by commas (empty when none is ticked) and the result is true.
    bool Execute(AnsiString& list);

    // The rows' identifiers with their check boxes, in row order.
    const std::vector<std::pair<AnsiString, QCheckBox*>>& TagRows() const { return FTagList; }

    QScrollArea* sbTagList;
    QWidget* panButtons;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void TickRowsOf(std::string_view list);
    AnsiString TickedList() const;

    std::vector<std::pair<AnsiString, QCheckBox*>> FTagList;
    std::vector<QWidget*> descriptionLabels_;
};

} // namespace vennart::gui
