// How plausible a text is as words of some language: for each language, the cost of every letter
// following another inside a word (-ln of its probability, from word lists), and the cost of what
// is not a letter. A text decoded with the wrong code page comes out as unlikely pairs, stray
// symbols and control characters, so it costs more than the same bytes decoded right.
#pragma once

#include "platform/Strings.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vennart::text {

class LetterModel {
public:
    // Lines of the table as tools/letter-model writes them: language, first letter, next letter (hex
    // code points; 20 for the start or end of a word) and the cost in quarter nats. Lines that do
    // not have that form are passed over.
    explicit LetterModel(std::string_view table);
    // Throws "Cannot open file <path>" when the file cannot be read.
    static LetterModel Load(const std::filesystem::path& path);

    std::size_t LanguageCount() const { return languages_.size(); }

    // The cost of the text read as its most likely language, in nats; lower is more plausible. A
    // text that costs more than `bound` gets infinity as soon as that is certain.
    double Cost(std::u16string_view text, double bound = std::numeric_limits<double>::infinity()) const;

private:
    // Letters are numbered once for all languages; each language keeps its own dense table.
    using LetterIndex = std::uint16_t;
    struct Language {
        std::string name;
        int script = 0; // ICU's UScriptCode of most of its letters
        std::vector<std::int16_t> local; // per letter index: its row in `costs`, or -1
        std::int16_t size = 0;
        std::vector<std::uint8_t> costs; // size x size, quarter nats; kUnseen where the table has none
    };
    struct Word {
        std::vector<LetterIndex> letters; // lower case
        bool ascii = true;
    };
    Language& LanguageNamed(std::string_view name);
    LetterIndex IndexOf(char32_t letter) const;
    std::vector<Word> WordsOf(const std::vector<std::u32string>& words) const;
    double WordCost(const Word& word, const Language& language) const;
    double WordsCost(const std::vector<Word>& words, const Language& language, double bound) const;

    std::unordered_map<char32_t, LetterIndex> letterIndex_;
    std::vector<Language> languages_;
    std::size_t english_ = 0;
};

} // namespace vennart::text
