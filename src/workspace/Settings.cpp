#include "workspace/Settings.h"

#include "platform/CaseMapping.h"
#include "text/PlainText.h"
#include "text/TextFile.h"

#include <algorithm>

namespace vennart::workspace {
namespace {

// The first line whose key matches, for the list as it is or as it may be changed.
template <typename Lines> auto FindKey(Lines& lines, std::u16string_view key)
{
    return std::find_if(lines.begin(), lines.end(),
        [key](const WideString& line) { return platform::EqualNoCase(text::NameOfLine(line), key); });
}

} // namespace

Settings::Settings(std::vector<WideString> lines)
    : lines_(std::move(lines))
{
}

WideString Settings::Read(std::u16string_view key) const
{
    const auto line = FindKey(lines_, key);
    return line == lines_.end() ? WideString() : WideString(text::ValueOfLine(*line));
}

WideString Settings::ReadOr(std::u16string_view key, std::u16string_view fallback) const
{
    WideString value = Read(key);
    return value.empty() ? WideString(fallback) : value;
}

uint32_t Settings::ReadCodePage(std::u16string_view key, uint32_t fallback) const
{
    const std::optional<int32_t> value = text::ParseInteger(text::TrimControls(Read(key)));
    // A negative number would turn into a code page in the billions.
    return value && *value >= 0 ? static_cast<uint32_t>(*value) : fallback;
}

void Settings::Write(std::u16string_view key, std::u16string_view value)
{
    const auto line = FindKey(lines_, key);
    if (value.empty()) {
        if (line != lines_.end())
            lines_.erase(line);
        return;
    }
    WideString newLine = WideString(key) + u"=" + WideString(value);
    if (line != lines_.end())
        *line = std::move(newLine);
    else
        lines_.push_back(std::move(newLine));
}

void Settings::Load(const std::filesystem::path& file)
{
    std::error_code error;
    lines_ = std::filesystem::exists(file, error) ? text::ReadTextLines(file) : std::vector<WideString>();
}

void Settings::Save(const std::filesystem::path& file) const
{
    text::WriteTextLines(file, lines_);
}

} // namespace vennart::workspace
