#include "cli/ConsoleUser.h"

namespace vennart::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(200);
// Carriage return, then erase to the end of the line.
constexpr const char* kWipeLine = "\r\033[K";

} // namespace

ConsoleProgress::ConsoleProgress(bool enabled, long long totalFiles)
    : enabled_(enabled)
    , totalFiles_(totalFiles)
    , start_(std::chrono::steady_clock::now())
{
}

ConsoleProgress::~ConsoleProgress()
{
    Clear();
}

void ConsoleProgress::SetStatus(const std::string& text)
{
    status_ = text;
    reading_ = text.starts_with("Reading");
    Draw();
}

void ConsoleProgress::ShowBar(int)
{
}

void ConsoleProgress::SetBarPosition(int position)
{
    if (reading_)
        readInFolder_ = position;
    Draw();
}

void ConsoleProgress::HideBar()
{
}

void ConsoleProgress::FolderDone(long long files)
{
    doneFiles_ += files;
    readInFolder_ = 0;
    Draw();
}

void ConsoleProgress::Clear()
{
    if (!drawn_)
        return;
    std::fputs(kWipeLine, stderr);
    std::fflush(stderr);
    drawn_ = false;
}

void ConsoleProgress::Draw()
{
    if (!enabled_)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && now - lastDraw_ < kRedrawInterval)
        return;
    lastDraw_ = now;
    const long long done = doneFiles_ + readInFolder_;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const long long rate = seconds > 0 ? static_cast<long long>(static_cast<double>(done) / seconds) : 0;
    const bool busy = !status_.empty() && status_ != workspace::kIdleStatus;
    std::fprintf(stderr, "%s%lld of %lld files | %lld files/s%s%s", kWipeLine, done, totalFiles_, rate,
        busy ? " | " : "", busy ? status_.c_str() : "");
    std::fflush(stderr);
    drawn_ = true;
}

workspace::Answer ConsolePrompts::AskYesNo(const std::string&)
{
    return workspace::Answer::No;
}

workspace::Answer ConsolePrompts::AskYesNoCancel(const std::string&)
{
    return workspace::Answer::Cancel;
}

void ConsolePrompts::ShowError(const std::string& message)
{
    errors.push_back(message);
}

void ConsolePrompts::ShowWarning(const std::string& message)
{
    warnings.push_back(message);
}

} // namespace vennart::cli
