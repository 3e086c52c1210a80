// Questions and message boxes the workspace needs from the user. The window shows them as message
// boxes with these exact texts; tests answer them.
#pragma once

#include <string>

namespace vennart::workspace {

enum class Answer { Yes, No, Cancel };

class Prompts {
public:
    virtual ~Prompts() = default;

    // Buttons Yes and No; closing the box without choosing counts as Cancel.
    virtual Answer AskYesNo(const std::string& question) = 0;
    // Buttons Yes, No and Cancel; closing the box counts as Cancel.
    virtual Answer AskYesNoCancel(const std::string& question) = 0;
    virtual void ShowError(const std::string& message) = 0;
    virtual void ShowWarning(const std::string& message) = 0;
};

} // namespace vennart::workspace
