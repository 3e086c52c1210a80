// The tool's side of the workspace's user: a progress line on stderr while it is a terminal, and
// questions answered without asking, with the answer that loses nothing.
#pragma once

#include "workspace/Progress.h"
#include "workspace/Prompts.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace vennart::cli {

// "1203 of 100000 files | 850 files/s | Reading 3 of 12" on one line of stderr, redrawn at most
// a few times a second and wiped at the end. Prints nothing when `enabled` is false.
class ConsoleProgress final : public workspace::Progress {
public:
    ConsoleProgress(bool enabled, long long totalFiles);
    ~ConsoleProgress() override;
    ConsoleProgress(const ConsoleProgress&) = delete;
    ConsoleProgress& operator=(const ConsoleProgress&) = delete;

    void SetStatus(const std::string& text) override;
    void ShowBar(int maximum) override;
    void SetBarPosition(int position) override;
    void HideBar() override;

    // The files of one more folder are done.
    void FolderDone(long long files);
    // Wipes the line, so that a message can be printed on stderr in its place.
    void Clear();

private:
    void Draw();

    bool enabled_;
    long long totalFiles_;
    long long doneFiles_ = 0;
    long long readInFolder_ = 0; // files of the folder being read
    bool reading_ = false;
    std::string status_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDraw_;
    bool drawn_ = false;
};

// Yes/No questions are answered No and Yes/No/Cancel ones Cancel: with nobody to ask, nothing is
// lost or dropped. Errors and warnings are kept for the caller to print and count.
class ConsolePrompts final : public workspace::Prompts {
public:
    workspace::Answer AskYesNo(const std::string& question) override;
    workspace::Answer AskYesNoCancel(const std::string& question) override;
    void ShowError(const std::string& message) override;
    void ShowWarning(const std::string& message) override;

    std::vector<std::string> errors;
    std::vector<std::string> warnings;
};

} // namespace vennart::cli
