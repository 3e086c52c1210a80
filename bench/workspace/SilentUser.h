// The user side of a workspace in a benchmark: progress goes nowhere, and any question or error box
// means the benchmark went wrong, so it stops the program with the box's text.
#pragma once

#include "platform/Error.h"
#include "workspace/Progress.h"
#include "workspace/Prompts.h"

namespace vennart::bench {

class SilentProgress : public workspace::Progress {
public:
    void SetStatus(const std::string&) override { }
    void ShowBar(int) override { }
    void SetBarPosition(int) override { }
    void HideBar() override { }
};

class NoPrompts : public workspace::Prompts {
public:
    workspace::Answer AskYesNo(const std::string& question) override
    {
        throw Error("Unexpected question: " + question);
    }
    workspace::Answer AskYesNoCancel(const std::string& question) override
    {
        throw Error("Unexpected question: " + question);
    }
    void ShowError(const std::string& message) override { throw Error("Unexpected error box: " + message); }
    void ShowWarning(const std::string& message) override
    {
        throw Error("Unexpected warning box: " + message);
    }
};

} // namespace vennart::bench
