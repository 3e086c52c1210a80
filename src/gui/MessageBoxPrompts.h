// Questions and messages shown as message boxes over the main window.
#pragma once

#include "workspace/Prompts.h"

class QWidget;

namespace vennart::gui {

class MessageBoxPrompts : public workspace::Prompts {
public:
    explicit MessageBoxPrompts(QWidget* parent)
        : parent_(parent)
    {
    }

    workspace::Answer AskYesNo(const std::string& question) override;
    workspace::Answer AskYesNoCancel(const std::string& question) override;
    void ShowError(const std::string& message) override;
    void ShowWarning(const std::string& message) override;

private:
    QWidget* parent_;
};

} // namespace vennart::gui
