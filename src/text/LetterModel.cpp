#include "text/LetterModel.h"

#include "text/TextFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/utf16.h>

namespace vennart::text {
namespace {

constexpr char32_t kWordEdge = U' ';
constexpr double kCostUnit = 4.0; // the table counts quarter nats
// Costs in nats of what the table does not list.
constexpr double kUnseenPair = 14.0;
constexpr double kUnknownLetter = 18.0;
constexpr double kCapitalInsideWord = 4.0;
constexpr double kControl = 30.0;
constexpr double kSymbol = 14.0;
constexpr double kTypographic = 2.0;
constexpr double kGlued = 6.0; // a symbol stuck to a letter where text never has one
// A word of plain Latin letters is a name or an English word in a tag of any language.
constexpr double kForeignAsciiWord = 4.0;

std::uint32_t PairKey(char32_t first, char32_t second)
{
    return (static_cast<std::uint32_t>(first) << 16) ^ static_cast<std::uint32_t>(second);
}

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(
            line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

bool ParseHex(std::string_view text, char32_t& value)
{
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, 16);
    if (error != std::errc {} || end != text.data() + text.size() || number > 0x10FFFF)
        return false;
    value = number;
    return true;
}

bool IsAsciiWord(std::u32string_view word)
{
    return std::all_of(word.begin(), word.end(), [](char32_t letter) { return letter < 0x80; });
}

// Text as words (runs of letters) and the characters between them.
struct Tokens {
    std::vector<std::u32string> words;
    std::vector<char32_t> others;
    // Per other character: is a letter right before it, right after it.
    std::vector<std::pair<bool, bool>> neighbours;
};

Tokens Tokenize(std::u16string_view text)
{
    Tokens tokens;
    std::u32string word;
    bool letterBefore = false;
    for (std::size_t i = 0; i < text.size();) {
        char32_t ch = 0;
        U16_NEXT(text.data(), i, text.size(), ch);
        if (u_isalpha(ch)) {
            word += ch;
            if (!tokens.neighbours.empty() && !letterBefore)
                tokens.neighbours.back().second = true;
            letterBefore = true;
            continue;
        }
        if (!word.empty())
            tokens.words.push_back(std::move(word));
        word.clear();
        tokens.others.push_back(ch);
        tokens.neighbours.push_back({ letterBefore, false });
        letterBefore = false;
    }
    if (!word.empty())
        tokens.words.push_back(std::move(word));
    return tokens;
}

bool IsPlainPunctuation(char32_t ch)
{
    return ch < 0x80 && ch >= 0x20 && ch != 0x7F;
}

// Quotes, dashes and dots of typeset text; each has the side a letter may touch.
double TypographicCost(char32_t ch, bool letterBefore, bool letterAfter)
{
    static const std::u32string_view opening = U"«„“‘";
    static const std::u32string_view closing = U"»”…";
    static const std::u32string_view dashes = U"–—·•";
    bool glued = false;
    if (opening.find(ch) != std::u32string_view::npos)
        glued = letterBefore;
    else if (ch == U'’')
        glued = letterAfter && !letterBefore; // an apostrophe stands inside or after a word
    else if (closing.find(ch) != std::u32string_view::npos)
        glued = letterAfter;
    else if (dashes.find(ch) != std::u32string_view::npos)
        glued = letterBefore || letterAfter;
    else
        return -1;
    return kTypographic + (glued ? kGlued : 0);
}

double OtherCost(char32_t ch, bool letterBefore, bool letterAfter)
{
    if (IsPlainPunctuation(ch) || u_isspace(ch))
        return 0;
    if (const double typographic = TypographicCost(ch, letterBefore, letterAfter); typographic >= 0)
        return typographic;
    const auto type = u_charType(ch);
    if (type == U_CONTROL_CHAR || type == U_UNASSIGNED || type == U_PRIVATE_USE_CHAR || ch == 0xFFFD)
        return kControl;
    return kSymbol + (letterBefore || letterAfter ? kGlued : 0);
}

int MainScript(const std::vector<std::u32string>& words)
{
    std::map<int, int> counts;
    UErrorCode status = U_ZERO_ERROR;
    for (const auto& word : words) {
        for (char32_t letter : word) {
            if (letter >= 0x80)
                ++counts[uscript_getScript(static_cast<UChar32>(letter), &status)];
        }
    }
    if (counts.empty())
        return USCRIPT_LATIN;
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
        return a.second < b.second;
    })->first;
}

} // namespace

LetterModel::LetterModel(std::string_view table)
{
    for (std::size_t start = 0; start < table.size();) {
        auto end = table.find('\n', start);
        if (end == std::string_view::npos)
            end = table.size();
        const auto fields = Fields(table.substr(start, end - start));
        start = end + 1;
        char32_t first = 0;
        char32_t second = 0;
        unsigned cost = 0;
        if (fields.size() != 4 || fields[0].empty() || fields[0][0] == '#' || !ParseHex(fields[1], first)
            || !ParseHex(fields[2], second)
            || std::from_chars(fields[3].data(), fields[3].data() + fields[3].size(), cost).ec != std::errc {}
            || cost > std::numeric_limits<std::uint8_t>::max())
            continue;
        auto& language = LanguageNamed(fields[0]);
        language.pairs[PairKey(first, second)] = static_cast<std::uint8_t>(cost);
        language.letters[first] = true;
        language.letters[second] = true;
    }
    for (auto& language : languages_) {
        std::vector<std::u32string> letters(1);
        for (const auto& [letter, known] : language.letters)
            letters[0] += letter;
        language.script = MainScript(letters);
    }
}

LetterModel LetterModel::Load(const std::filesystem::path& path)
{
    return LetterModel(ReadWholeFile(path));
}

LetterModel::Language& LetterModel::LanguageNamed(std::string_view name)
{
    for (auto& language : languages_) {
        if (language.name == name)
            return language;
    }
    if (name == "en")
        english_ = languages_.size();
    Language language;
    language.name = name;
    languages_.push_back(std::move(language));
    return languages_.back();
}

double LetterModel::WordCost(std::u32string_view word, const Language& language) const
{
    double cost = 0;
    char32_t previous = kWordEdge;
    bool previousLower = false;
    for (char32_t letter : word) {
        const auto lower = static_cast<char32_t>(u_tolower(static_cast<UChar32>(letter)));
        const auto pair = language.pairs.find(PairKey(previous, lower));
        if (pair != language.pairs.end())
            cost += pair->second / kCostUnit;
        else
            cost += language.letters.contains(lower) ? kUnseenPair : kUnknownLetter;
        if (lower != letter && previousLower)
            cost += kCapitalInsideWord;
        previous = lower;
        previousLower
            = lower == letter && static_cast<char32_t>(u_toupper(static_cast<UChar32>(letter))) != letter;
    }
    const auto end = language.pairs.find(PairKey(previous, kWordEdge));
    return cost + (end != language.pairs.end() ? end->second / kCostUnit : kUnseenPair);
}

double LetterModel::WordsCost(const std::vector<std::u32string>& words, const Language& language) const
{
    double cost = 0;
    for (const auto& word : words) {
        double wordCost = WordCost(word, language);
        if (IsAsciiWord(word) && english_ < languages_.size())
            wordCost = std::min(wordCost, WordCost(word, languages_[english_]) + kForeignAsciiWord);
        cost += wordCost;
    }
    return cost;
}

double LetterModel::Cost(std::u16string_view text) const
{
    const Tokens tokens = Tokenize(text);
    double cost = 0;
    for (std::size_t i = 0; i < tokens.others.size(); ++i)
        cost += OtherCost(tokens.others[i], tokens.neighbours[i].first, tokens.neighbours[i].second);
    if (tokens.words.empty())
        return cost;
    const int script = MainScript(tokens.words);
    double best = std::numeric_limits<double>::infinity();
    for (const auto& language : languages_) {
        if (language.script == script)
            best = std::min(best, WordsCost(tokens.words, language));
    }
    if (std::isinf(best))
        best = tokens.words.size() * kUnknownLetter * 2;
    return cost + best;
}

} // namespace vennart::text
