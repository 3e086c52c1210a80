#include "gui/CutTextToolTip.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>

namespace vennart::gui {

bool CutTextToolTip::IsCut(
    const QAbstractItemView* view, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QStyle* style = view->style();
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view);
    // The style leaves this margin at both sides of the text it draws.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    return item.fontMetrics.horizontalAdvance(item.text) > room.width() - 2 * margin;
}

bool CutTextToolTip::helpEvent(
    QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    if (IsCut(view, option, index))
        QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view, option.rect);
    else
        QToolTip::hideText();
    return true;
}

void ShowCutTextInToolTips(QAbstractItemView* view)
{
    view->setItemDelegate(new CutTextToolTip(view));
}

} // namespace vennart::gui
