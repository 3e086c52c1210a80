#include "support/WorkspaceFakes.h"

#include <gtest/gtest.h>

namespace vennart::test {

void RecordingProgress::SetStatus(const std::string& text)
{
    Statuses.push_back(text);
}

void RecordingProgress::ShowBar(int maximum)
{
    BarMaximums.push_back(maximum);
    BarVisible = true;
}

void RecordingProgress::SetBarPosition(int position)
{
    BarPositions.push_back(position);
}

void RecordingProgress::HideBar()
{
    BarVisible = false;
}

void RecordingProgress::Clear()
{
    Statuses.clear();
    BarMaximums.clear();
    BarPositions.clear();
}

ScriptedPrompts::ScriptedPrompts(std::initializer_list<workspace::Answer> answers)
    : Answers(answers)
{
}

workspace::Answer ScriptedPrompts::AskYesNo(const std::string& question)
{
    return NextAnswer(question);
}

workspace::Answer ScriptedPrompts::AskYesNoCancel(const std::string& question)
{
    return NextAnswer(question);
}

void ScriptedPrompts::ShowError(const std::string& message)
{
    Errors.push_back(message);
    if (WhileErrorShows)
        WhileErrorShows();
}

void ScriptedPrompts::ShowWarning(const std::string& message)
{
    Warnings.push_back(message);
}

workspace::Answer ScriptedPrompts::NextAnswer(const std::string& question)
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

} // namespace vennart::test
