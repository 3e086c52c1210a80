#include "workspace/Progress.h"

namespace vennart::workspace {

ProgressLoop::ProgressLoop(Progress& progress, std::string verb, int count)
    : progress_(progress)
    , verb_(std::move(verb))
    , count_(count)
{
    progress_.ShowBar(count_);
    ShowCount(0);
}

ProgressLoop::~ProgressLoop()
{
    progress_.SetBarPosition(0);
    progress_.HideBar();
    progress_.SetStatus(kIdleStatus);
}

void ProgressLoop::BeginItem()
{
    ShowCount(position_ + 1);
}

// Written over the text before, which then needs no new memory: a scan counts thousands of files.
void ProgressLoop::ShowCount(int k)
{
    status_.assign(verb_).append(" ").append(std::to_string(k)).append(" of ").append(std::to_string(count_));
    progress_.SetStatus(status_);
}

void ProgressLoop::EndItem()
{
    progress_.SetBarPosition(++position_);
}

} // namespace vennart::workspace
