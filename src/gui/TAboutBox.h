// The about box: the product name, its version, and links that open the mail client and the web
// browser.
#pragma once

#include <QDialog>

namespace vennart::gui {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace vennart::gui
