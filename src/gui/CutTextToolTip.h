// An item delegate that shows a cell's whole text in a tooltip when the cell is too narrow for it,
// and no tooltip when the text fits.
#pragma once

#include <QStyledItemDelegate>

namespace vennart::gui {

class CutTextToolTip : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // True when the index's text is wider than the room its cell gives it.
    bool IsCut(
        const QAbstractItemView* view, const QStyleOptionViewItem& option, const QModelIndex& index) const;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;
};

// Gives the view a CutTextToolTip as its item delegate.
void ShowCutTextInToolTips(QAbstractItemView* view);

} // namespace vennart::gui
