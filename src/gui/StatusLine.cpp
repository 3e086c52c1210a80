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
    // At least the designed width, wider when a count such as "Reading 9999 of 10000" needs it.
    labStatus->setMinimumWidth(120);
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
    pendingText_ = QString::fromStdString(text);
    Show(!ProgressBar->isVisible());
}

// The loops run inside one window event, so the status line is painted now rather than later. A
// few times a second is all the eye can follow: showing every file of a large folder would double
// the time the folder takes to open. The first and the last text of a loop are always shown.
void StatusLine::Show(bool always)
{
    constexpr qint64 kPaintIntervalMs = 40;
    if (!always && lastPaint_.isValid() && lastPaint_.elapsed() < kPaintIntervalMs)
        return;
    labStatus->setText(pendingText_);
    ProgressBar->setValue(pendingPosition_);
    labStatus->repaint();
    ProgressBar->repaint();
    lastPaint_.start();
}

void StatusLine::ShowBar(int maximum)
{
    ProgressBar->setMaximum(maximum);
    pendingPosition_ = 0;
    ProgressBar->setValue(0);
    ProgressBar->show();
    lastPaint_.invalidate();
    if (!waitCursorSet_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        waitCursorSet_ = true;
    }
}

void StatusLine::SetBarPosition(int position)
{
    pendingPosition_ = position;
}

void StatusLine::HideBar()
{
    pendingPosition_ = 0;
    ProgressBar->setValue(0);
    ProgressBar->hide();
    if (waitCursorSet_) {
        QApplication::restoreOverrideCursor();
        waitCursorSet_ = false;
    }
}

} // namespace vennart::gui
