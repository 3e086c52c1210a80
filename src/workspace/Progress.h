// The status line and progress bar that every long loop reports through. The window implements it
// with its label, progress bar and wait cursor; tests record what it was told.
#pragma once

#include <string>

namespace vennart::workspace {

class Progress {
public:
    virtual ~Progress() = default;

    // Shows the text in the status label and repaints it at once.
    virtual void SetStatus(const std::string& text) = 0;
    // Shows the bar at position 0 with the given maximum and sets the wait cursor.
    virtual void ShowBar(int maximum) = 0;
    virtual void SetBarPosition(int position) = 0;
    // Position 0, bar hidden, normal cursor.
    virtual void HideBar() = 0;
};

// One long loop over `count` items: "<verb> 0 of N" at the start, "<verb> k of N" before item k,
// and, however the loop ends (an error included), the bar hidden and "Idle" shown.
class ProgressLoop {
public:
    ProgressLoop(Progress& progress, std::string verb, int count);
    ~ProgressLoop();
    ProgressLoop(const ProgressLoop&) = delete;
    ProgressLoop& operator=(const ProgressLoop&) = delete;

    // Announces the next item (1-based k), before it is processed.
    void BeginItem();
    // Moves the bar past the item just processed.
    void EndItem();

private:
    void ShowCount(int k);

    Progress& progress_;
    std::string verb_;
    std::string status_;
    int count_;
    int position_ = 0;
};

inline constexpr const char* kIdleStatus = "Idle";

} // namespace vennart::workspace
