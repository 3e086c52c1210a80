#include "text/PlainText.h"

#include <charconv>
#include <string>
#include <type_traits>

namespace vennart::text {
namespace {

constexpr char16_t kLineSeparator = u'\u2028';

template <typename Char> bool IsControlOrBlank(Char c)
{
    return static_cast<std::make_unsigned_t<Char>>(c) <= 32;
}

template <typename Char> std::basic_string_view<Char> TrimControlsOf(std::basic_string_view<Char> text)
{
    while (!text.empty() && IsControlOrBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsControlOrBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool IsLineEnd(char16_t c)
{
    return c == u'\r' || c == u'\n' || c == kLineSeparator;
}

template <typename Char> std::vector<std::basic_string<Char>> SplitLinesOf(std::basic_string_view<Char> text)
{
    std::vector<std::basic_string<Char>> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && !IsLineEnd(text[end]))
            ++end;
        lines.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == Char('\r') && end + 1 < text.size()
            && text[end + 1] == Char('\n'))
            ++end;
        start = end + 1;
    }
    return lines;
}

} // namespace

std::string_view TrimControls(std::string_view text)
{
    return TrimControlsOf(text);
}

std::u16string_view TrimControls(std::u16string_view text)
{
    return TrimControlsOf(text);
}

std::optional<int32_t> ParseInteger(std::string_view text)
{
    // from_chars takes a minus sign but no plus sign.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<int32_t> ParseInteger(std::u16string_view text)
{
    std::string ascii;
    ascii.reserve(text.size());
    for (const char16_t unit : text) {
        if (unit > 127)
            return std::nullopt;
        ascii.push_back(static_cast<char>(unit));
    }
    return ParseInteger(std::string_view(ascii));
}

std::vector<AnsiString> SplitLines(std::string_view text)
{
    return SplitLinesOf(text);
}

std::vector<WideString> SplitLines(std::u16string_view text)
{
    return SplitLinesOf(text);
}

std::u16string_view NameOfLine(std::u16string_view line)
{
    const std::size_t equals = line.find(u'=');
    return equals == std::u16string_view::npos ? std::u16string_view() : line.substr(0, equals);
}

std::u16string_view ValueOfLine(std::u16string_view line)
{
    const std::size_t equals = line.find(u'=');
    return equals == std::u16string_view::npos ? std::u16string_view() : line.substr(equals + 1);
}

} // namespace vennart::text
