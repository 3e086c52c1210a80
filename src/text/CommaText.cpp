#include "text/CommaText.h"

#include <type_traits>

namespace vennart::text {
namespace {

template <typename Char> class CommaTextReader {
public:
    explicit CommaTextReader(std::basic_string_view<Char> text)
        : text_(text.substr(0, text.find(Char(0))))
    {
    }

    std::vector<std::basic_string<Char>> Entries()
    {
        std::vector<std::basic_string<Char>> entries;
        SkipBlanks();
        while (!AtEnd()) {
            entries.push_back(Current() == kQuote ? QuotedEntry() : PlainEntry());
            SkipBlanks();
            if (!AtEnd() && Current() == kComma) {
                ++position_;
                if (AtEnd())
                    entries.emplace_back();
                SkipBlanks();
            }
        }
        return entries;
    }

private:
    static constexpr Char kQuote = Char('"');
    static constexpr Char kComma = Char(',');

    static bool IsBlank(Char c) { return static_cast<std::make_unsigned_t<Char>>(c) <= 32; }
    bool AtEnd() const { return position_ >= text_.size(); }
    Char Current() const { return text_[position_]; }

    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(Current()))
            ++position_;
    }

    std::basic_string<Char> PlainEntry()
    {
        const std::size_t start = position_;
        while (!AtEnd() && !IsBlank(Current()) && Current() != kComma)
            ++position_;
        return std::basic_string<Char>(text_.substr(start, position_ - start));
    }

    // From an opening quote to the next quote that is not doubled, or to the end of the text.
    std::basic_string<Char> QuotedEntry()
    {
        std::basic_string<Char> entry;
        ++position_;
        while (!AtEnd()) {
            const Char c = Current();
            ++position_;
            if (c != kQuote) {
                entry.push_back(c);
            } else if (!AtEnd() && Current() == kQuote) {
                entry.push_back(kQuote);
                ++position_;
            } else {
                break;
            }
        }
        return entry;
    }

    std::basic_string_view<Char> text_;
    std::size_t position_ = 0;
};

} // namespace

std::vector<AnsiString> SplitCommaText(std::string_view text)
{
    return CommaTextReader<char>(text).Entries();
}

std::vector<WideString> SplitCommaText(std::u16string_view text)
{
    return CommaTextReader<char16_t>(text).Entries();
}

} // namespace vennart::text
