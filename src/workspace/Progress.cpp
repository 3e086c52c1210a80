#include "workspace/Progress.h"

namespace vennart::workspace {
namespace {

std::string CountText(const std::string& verb, int k, int count)
{
    return verb + " " + std::to_string(k) + " of " + std::to_string(count);
}

} // namespace

ProgressLoop::ProgressLoop(Progress& progress, std::string verb, int count)
    : progress_(progress)
    , verb_(std::move(verb))
    , count_(count)
{
    progress_.ShowBar(count_);
    progress_.SetStatus(CountText(verb_, 0, count_));
}

ProgressLoop::~ProgressLoop()
{
    progress_.SetBarPosition(0);
    progress_.HideBar();
    progress_.SetStatus(kIdleStatus);
}

void ProgressLoop::BeginItem()
{
    progress_.SetStatus(CountText(verb_, position_ + 1, count_));
}

void ProgressLoop::EndItem()
{
    progress_.SetBarPosition(++position_);
}

} // namespace vennart::workspace
