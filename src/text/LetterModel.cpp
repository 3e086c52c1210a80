#include "text/LetterModel.h"

#include "text/TextFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
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

namespace {

constexpr std::uint8_t kUnseen = 255;
constexpr std::uint16_t kNoLetter = 0xFFFF; // a letter no language has

struct TableLine {
    std::string_view language;
    char32_t first;
    char32_t second;
    std::uint8_t cost;
};

std::optional<TableLine> ParseLine(std::string_view line)
{
    const auto fields = Fields(line);
    TableLine parsed {};
    unsigned cost = 0;
    if (fields.size() != 4 || fields[0].empty() || fields[0][0] == '#' || !ParseHex(fields[1], parsed.first)
        || !ParseHex(fields[2], parsed.second)
        || std::from_chars(fields[3].data(), fields[3].data() + fields[3].size(), cost).ec != std::errc {}
        || cost >= kUnseen)
        return std::nullopt;
    parsed.language = fields[0];
    parsed.cost = static_cast<std::uint8_t>(cost);
    return parsed;
}

std::vector<TableLine> ParseTable(std::string_view table)
{
    std::vector<TableLine> lines;
    for (std::size_t start = 0; start < table.size();) {
        auto end = table.find('\n', start);
        if (end == std::string_view::npos)
            end = table.size();
        if (auto line = ParseLine(table.substr(start, end - start)))
            lines.push_back(*line);
        start = end + 1;
    }
    return lines;
}

// Capitals after small letters inside a word ("мИР") come from a code page with the cases swapped.
double CapitalsInside(const std::u32string& word)
{
    double cost = 0;
    for (std::size_t i = 1; i < word.size(); ++i) {
        if (u_isupper(static_cast<UChar32>(word[i])) && u_islower(static_cast<UChar32>(word[i - 1])))
            cost += kCapitalInsideWord;
    }
    return cost;
}

} // namespace

LetterModel::LetterModel(std::string_view table)
{
    const auto lines = ParseTable(table);
    letterIndex_.emplace(kWordEdge, 0);
    for (const auto& line : lines) {
        LanguageNamed(line.language);
        for (char32_t letter : { line.first, line.second })
            letterIndex_.emplace(letter, static_cast<LetterIndex>(letterIndex_.size()));
    }
    for (const auto& line : lines) {
        auto& language = LanguageNamed(line.language);
        for (char32_t letter : { line.first, line.second }) {
            auto& local = language.local[IndexOf(letter)];
            if (local < 0)
                local = language.size++;
        }
    }
    for (auto& language : languages_)
        language.costs.assign(
            static_cast<std::size_t>(language.size) * static_cast<std::size_t>(language.size), kUnseen);
    for (const auto& line : lines) {
        auto& language = LanguageNamed(line.language);
        const auto row = static_cast<std::size_t>(language.local[IndexOf(line.first)]);
        const auto column = static_cast<std::size_t>(language.local[IndexOf(line.second)]);
        language.costs[row * static_cast<std::size_t>(language.size) + column] = line.cost;
    }
    for (auto& language : languages_) {
        std::vector<std::u32string> letters(1);
        for (const auto& [letter, index] : letterIndex_) {
            if (language.local[index] >= 0)
                letters[0] += letter;
        }
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
        if (language.name == name) {
            language.local.resize(letterIndex_.size(), -1);
            return language;
        }
    }
    if (name == "en")
        english_ = languages_.size();
    Language language;
    language.name = name;
    languages_.push_back(std::move(language));
    return languages_.back();
}

LetterModel::LetterIndex LetterModel::IndexOf(char32_t letter) const
{
    const auto found = letterIndex_.find(letter);
    return found == letterIndex_.end() ? kNoLetter : found->second;
}

std::vector<LetterModel::Word> LetterModel::WordsOf(const std::vector<std::u32string>& words) const
{
    std::vector<Word> indexed(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        indexed[i].ascii = IsAsciiWord(words[i]);
        for (char32_t letter : words[i])
            indexed[i].letters.push_back(
                IndexOf(static_cast<char32_t>(u_tolower(static_cast<UChar32>(letter)))));
    }
    return indexed;
}

double LetterModel::WordCost(const Word& word, const Language& language) const
{
    const auto size = static_cast<std::size_t>(language.size);
    const auto localOf = [&](LetterIndex index) { return index == kNoLetter ? -1 : language.local[index]; };
    double cost = 0;
    int previous = localOf(0);
    for (const LetterIndex letter : word.letters) {
        const int local = localOf(letter);
        const std::uint8_t pair = previous >= 0 && local >= 0
            ? language.costs[static_cast<std::size_t>(previous) * size + static_cast<std::size_t>(local)]
            : kUnseen;
        if (pair != kUnseen)
            cost += pair / kCostUnit;
        else
            cost += local >= 0 ? kUnseenPair : kUnknownLetter;
        previous = local;
    }
    const int edge = localOf(0);
    const std::uint8_t end = previous >= 0 && edge >= 0
        ? language.costs[static_cast<std::size_t>(previous) * size + static_cast<std::size_t>(edge)]
        : kUnseen;
    return cost + (end != kUnseen ? end / kCostUnit : kUnseenPair);
}

double LetterModel::WordsCost(const std::vector<Word>& words, const Language& language, double bound) const
{
    double cost = 0;
    for (const auto& word : words) {
        if (cost > bound)
            return std::numeric_limits<double>::infinity();
        double wordCost = WordCost(word, language);
        if (word.ascii && english_ < languages_.size())
            wordCost = std::min(wordCost, WordCost(word, languages_[english_]) + kForeignAsciiWord);
        cost += wordCost;
    }
    return cost;
}

double LetterModel::Cost(std::u16string_view text, double bound) const
{
    const Tokens tokens = Tokenize(text);
    double cost = 0;
    for (std::size_t i = 0; i < tokens.others.size(); ++i)
        cost += OtherCost(tokens.others[i], tokens.neighbours[i].first, tokens.neighbours[i].second);
    for (const auto& word : tokens.words)
        cost += CapitalsInside(word);
    if (tokens.words.empty() || cost > bound)
        return cost > bound ? std::numeric_limits<double>::infinity() : cost;
    const int script = MainScript(tokens.words);
    const auto words = WordsOf(tokens.words);
    double best = std::numeric_limits<double>::infinity();
    for (const auto& language : languages_) {
        if (language.script == script)
            best = std::min(best, WordsCost(words, language, std::min(best, bound - cost)));
    }
    if (std::isinf(best))
        best = static_cast<double>(tokens.words.size()) * kUnknownLetter * 2;
    return cost + best;
}

} // namespace vennart::text
