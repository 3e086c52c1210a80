#include "gui/TagRuleRowLayout.h"

#include <QPalette>

namespace vennart::gui {

void PaintWhite(QWidget* widget)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
}

} // namespace vennart::gui
