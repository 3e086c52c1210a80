#include "commands/TagsFromFileNamesRules.h"

#include "platform/CaseMapping.h"
#include "workspace/FileName.h"
#include "workspace/FrameText.h"

#include <algorithm>
#include <charconv>

namespace vennart::commands {
namespace {

int CountOf(const TagBound& bound)
{
    return NumberOr(bound.count, 1);
}

int StartOf(std::u16string_view name, const TagBound& bound)
{
    if (bound.mode == BoundMode::Position)
        return NumberOr(bound.position, 1);
    return SymbolPosition(name, bound.symbol, CountOf(bound), BoundSide::Start);
}

int EndOf(std::u16string_view name, const TagBound& bound)
{
    const int length = static_cast<int>(name.size());
    if (bound.mode == BoundMode::Position)
        return NumberOr(bound.position, length);
    return SymbolPosition(name, bound.symbol, CountOf(bound), BoundSide::End);
}

// Copy(text, start, length) of the 1-based string world: a start below 1 counts as 1 while the
// length stays; whatever lies past the end is dropped.
WideString Substring(std::u16string_view text, long long start, long long length)
{
    start = std::max(start, 1LL);
    const auto size = static_cast<long long>(text.size());
    if (length < 1 || start > size)
        return {};
    return WideString(text.substr(
        static_cast<std::size_t>(start - 1), static_cast<std::size_t>(std::min(length, size - start + 1))));
}

bool FewerOccurrences(std::u16string_view name, std::u16string_view symbol, int count)
{
    if (symbol.empty() || count < 1)
        return false;
    for (std::size_t at = 0; count > 0; --count, at += symbol.size()) {
        at = name.find(symbol, at);
        if (at == std::u16string_view::npos)
            return true;
    }
    return false;
}

bool BoundLacksSeparator(std::u16string_view name, const TagBound& bound)
{
    return bound.mode == BoundMode::Symbol && FewerOccurrences(name, bound.symbol, CountOf(bound));
}

} // namespace

TagsFromNameOptions::TagsFromNameOptions()
{
    for (std::string_view id : kTagsFromNameFrames)
        rules.push_back({ .FrameID = AnsiString(id) });
}

TTagToCreate* TagsFromNameOptions::Rule(std::string_view frameID)
{
    auto found = std::find_if(rules.begin(), rules.end(),
        [&](const TTagToCreate& rule) { return workspace::SameFrameID(rule.FrameID, frameID); });
    return found == rules.end() ? nullptr : &*found;
}

int NumberOr(std::string_view text, int fallback)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return text.empty() || error != std::errc() || stop != end ? fallback : value;
}

WideString NameForRules(const std::filesystem::path& path)
{
    WideString name = workspace::DisplayName(path);
    if (const auto dot = name.rfind(u'.'); dot != WideString::npos)
        name.resize(dot);
    return name;
}

int SymbolPosition(std::u16string_view name, std::u16string_view symbol, int count, BoundSide side)
{
    const auto symbolLength = static_cast<long long>(symbol.size());
    long long pos = 0;
    std::u16string_view rest = name;
    for (int i = 0; i < count && !symbol.empty(); ++i) {
        const auto found = rest.find(symbol);
        if (found == std::u16string_view::npos)
            break;
        // The occurrence's last character, counted in the whole name; what follows it is searched next.
        pos += static_cast<long long>(found) + symbolLength;
        rest.remove_prefix(found + symbol.size());
    }
    if (side == BoundSide::Start)
        return static_cast<int>(pos + 1);
    return pos == 0 ? static_cast<int>(rest.size()) : static_cast<int>(pos - symbolLength);
}

WideString CutText(std::u16string_view name, const TTagToCreate& rule)
{
    const long long from = StartOf(name, rule.from);
    long long to = EndOf(name, rule.to);
    if (from > to)
        to = static_cast<long long>(name.size());
    return Substring(name, from, to - from + 1);
}

WideString ReplaceAll(WideString text, std::u16string_view what, std::u16string_view with)
{
    if (what.empty())
        return text;
    if (with.find(what) != std::u16string_view::npos) {
        // Searching the inserted text again would find "What" for ever; go on after it.
        for (auto at = text.find(what); at != WideString::npos; at = text.find(what, at + with.size()))
            text.replace(at, what.size(), with);
        return text;
    }
    const std::size_t limit = text.size() + 1;
    for (std::size_t done = 0; done < limit; ++done) {
        const auto at = text.find(what);
        if (at == WideString::npos)
            break;
        text.replace(at, what.size(), with);
    }
    return text;
}

WideString FinishText(WideString text, const TagsFromNameOptions& options)
{
    for (const auto& row : options.replacements)
        text = ReplaceAll(std::move(text), row.what, row.with);
    if (options.lowerCase)
        text = platform::LowerCase(text);
    if (options.eachWordUpper) {
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (text[i - 1] == u' ')
                text[i] = platform::UpperCaseUnit(text[i]);
        }
    }
    if ((options.firstLetterUpper || options.eachWordUpper) && !text.empty())
        text[0] = platform::UpperCaseUnit(text[0]);
    return text;
}

std::vector<FieldValue> FieldValues(std::u16string_view name, const TagsFromNameOptions& options)
{
    std::vector<FieldValue> values;
    for (const auto& rule : options.rules) {
        if (rule.checked)
            values.push_back({ rule.FrameID, FinishText(CutText(name, rule), options) });
    }
    return values;
}

bool LacksSeparator(std::u16string_view name, const TagsFromNameOptions& options)
{
    return std::any_of(options.rules.begin(), options.rules.end(), [&](const TTagToCreate& rule) {
        return rule.checked && (BoundLacksSeparator(name, rule.from) || BoundLacksSeparator(name, rule.to));
    });
}

} // namespace vennart::commands
