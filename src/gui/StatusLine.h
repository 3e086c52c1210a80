// The status bar panStatus: the label labStatus and the progress bar that long loops drive.
#pragma once

#include "workspace/Progress.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace vennart::gui {

class StatusLine : public QWidget, public workspace::Progress {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);
    ~StatusLine() override;

    void SetStatus(const std::string& text) override;
    void ShowBar(int maximum) override;
    void SetBarPosition(int position) override;
    void HideBar() override;

    QLabel* labStatus;
    QProgressBar* ProgressBar;

private:
    // Shows the latest text and bar position now when the last showing is long enough ago, or
    // when `always`.
    void Show(bool always);

    bool waitCursorSet_ = false;
    QElapsedTimer lastPaint_;
    QString pendingText_;
    int pendingPosition_ = 0;
};

} // namespace vennart::gui
