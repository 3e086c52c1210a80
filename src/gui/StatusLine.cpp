#include "gui/StatusLine.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

namespace vennart::gui {

StatusLine::StatusLine(QWidget* parent)
    : QWidget(parent)
    , labStatus(new QLabel(QString::fromLatin1(workspace::kIdleStatus), this))
    , ProgressBar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("panStatus"));
    labStatus->setObjectName(QStringLiteral("labStatus"));
    labStatus->setFixedWidth(120);
    labStatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setTextVisible(false);
    ProgressBar->hide();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->addWidget(labStatus, 0, Qt::AlignLeft);
    layout->addWidget(ProgressBar, 1);
    layout->addStretch(0);
    setFixedHeight(20);
}

StatusLine::~StatusLine()
{
    if (waitCursorSet_)
        QApplication::restoreOverrideCursor();
}

void StatusLine::SetStatus(const std::string& text)
{
    labStatus->setText(QString::fromStdString(text));
    // The loops run inside one window event, so the label is painted now rather than later.
    labStatus->repaint();
}

void StatusLine::ShowBar(int maximum)
{
    ProgressBar->setMaximum(maximum);
    ProgressBar->setValue(0);
    ProgressBar->show();
    if (!waitCursorSet_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        waitCursorSet_ = true;
    }
}

void StatusLine::SetBarPosition(int position)
{
    ProgressBar->setValue(position);
}

void StatusLine::HideBar()
{
    ProgressBar->setValue(0);
    ProgressBar->hide();
    if (waitCursorSet_) {
        QApplication::restoreOverrideCursor();
        waitCursorSet_ = false;
    }
}

}  // namespace vennart::gui
