#include "commands/TagsFromFileNamesRuleText.h"

#include "platform/Error.h"
#include "text/UStringConvert.h"

#include <algorithm>

namespace vennart::commands {
namespace {

class RuleReader {
public:
    explicit RuleReader(std::u16string_view rule)
        : rule_(rule)
        , rest_(rule)
    {
    }

    TTagToCreate Read()
    {
        TTagToCreate parsed { .FrameID = ReadFrameID(), .checked = true };
        Expect(u"=", "\"=\" after the frame");
        parsed.from = ReadBound();
        Expect(u"..", "\"..\" between From and To");
        parsed.to = ReadBound();
        if (!rest_.empty())
            Fail("unexpected text after the To bound");
        return parsed;
    }

private:
    AnsiString ReadFrameID()
    {
        const auto length = std::min(rest_.size(), std::size_t { 4 });
        AnsiString id;
        for (char16_t unit : rest_.substr(0, length))
            id += unit < 0x80 ? static_cast<char>(unit >= u'a' && unit <= u'z' ? unit - 32 : unit) : '?';
        const auto known = std::find(kTagsFromNameFrames.begin(), kTagsFromNameFrames.end(), id);
        if (known == kTagsFromNameFrames.end())
            Fail("the frame must be one of TIT2, TPE1, TALB, TYER, TRCK, COMM");
        rest_.remove_prefix(length);
        return id;
    }

    TagBound ReadBound()
    {
        if (!rest_.empty() && rest_.front() == u'\'')
            return { .mode = BoundMode::Symbol, .symbol = ReadQuoted(), .count = ReadCount() };
        return { .position = ReadDigits() };
    }

    WideString ReadQuoted()
    {
        WideString symbol;
        rest_.remove_prefix(1);
        for (;;) {
            const auto quote = rest_.find(u'\'');
            if (quote == std::u16string_view::npos)
                Fail("a symbol lacks its closing quote");
            symbol += rest_.substr(0, quote);
            rest_.remove_prefix(quote + 1);
            if (rest_.empty() || rest_.front() != u'\'')
                return symbol;
            symbol += u'\'';
            rest_.remove_prefix(1);
        }
    }

    AnsiString ReadCount()
    {
        if (rest_.empty() || rest_.front() != u'#')
            return {};
        rest_.remove_prefix(1);
        AnsiString count = ReadDigits();
        if (count.empty())
            Fail("\"#\" must be followed by a count");
        return count;
    }

    AnsiString ReadDigits()
    {
        AnsiString digits;
        while (!rest_.empty() && rest_.front() >= u'0' && rest_.front() <= u'9') {
            digits += static_cast<char>(rest_.front());
            rest_.remove_prefix(1);
        }
        return digits;
    }

    void Expect(std::u16string_view token, const char* what)
    {
        if (!rest_.starts_with(token))
            Fail(std::string("expected ") + what);
        rest_.remove_prefix(token.size());
    }

    [[noreturn]] void Fail(const std::string& cause) const
    {
        throw Error(
            "Tag rule \"" + text::WideToCodePage(WideString(rule_), text::kUtf8CodePage) + "\": " + cause);
    }

    std::u16string_view rule_;
    std::u16string_view rest_;
};

} // namespace

TTagToCreate ParseTagRule(std::u16string_view rule)
{
    return RuleReader(rule).Read();
}

} // namespace vennart::commands
