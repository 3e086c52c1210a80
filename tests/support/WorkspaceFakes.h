// Stand-ins for the window's side of the workspace: a status line that records what it was told and
// message boxes answered from a script. Workspace tests and window tests share them.
#pragma once

#include "workspace/Progress.h"
#include "workspace/Prompts.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vennart::test {

// Records every status text and every bar change, in order.
class RecordingProgress final : public workspace::Progress {
public:
    void SetStatus(const std::string& text) override { Statuses.push_back(text); }
    void ShowBar(int maximum) override
    {
        BarMaximums.push_back(maximum);
        BarVisible = true;
    }
    void SetBarPosition(int position) override { BarPositions.push_back(position); }
    void HideBar() override { BarVisible = false; }

    std::vector<std::string> Statuses;
    // The maximum of every ShowBar, in order.
    std::vector<int> BarMaximums;
    // Every position set, in order.
    std::vector<int> BarPositions;
    bool BarVisible = false;
};

// Answers questions from a queue and records every question, error and warning. A question asked
// when the queue is empty fails the running test and is answered Cancel, the answer that changes
// nothing.
class ScriptedPrompts final : public workspace::Prompts {
public:
    void QueueAnswer(workspace::Answer answer) { Answers.push_back(answer); }

    workspace::Answer AskYesNo(const std::string& question) override { return NextAnswer(question); }
    workspace::Answer AskYesNoCancel(const std::string& question) override { return NextAnswer(question); }
    void ShowError(const std::string& message) override
    {
        Errors.push_back(message);
        if (WhileErrorShows)
            WhileErrorShows();
    }
    void ShowWarning(const std::string& message) override { Warnings.push_back(message); }

    std::deque<workspace::Answer> Answers;
    std::vector<std::string> Questions;
    std::vector<std::string> Errors;
    std::vector<std::string> Warnings;
    // Runs at each error, where a real box would be on the screen: to look at what the user sees then.
    std::function<void()> WhileErrorShows;

private:
    workspace::Answer NextAnswer(const std::string& question)
    {
        Questions.push_back(question);
        if (Answers.empty()) {
            ADD_FAILURE() << "Unexpected question: " << question;
            return workspace::Answer::Cancel;
        }
        const workspace::Answer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

} // namespace vennart::test
