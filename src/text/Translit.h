// Transliteration: every character outside 7-bit ASCII is rewritten through an editable table of
// "character=replacement" lines (translit.tab), typically Cyrillic to Latin letters.
#pragma once

#include "platform/FileSystem.h"
#include "platform/Strings.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace vennart::text {

// The table: lines in file order, possibly duplicate or malformed, kept exactly. A character's
// replacement comes from the first line whose name matches it ignoring case; a line with an empty
// value, like no line at all, means no replacement.
class TranslitTable {
public:
    TranslitTable();
    explicit TranslitTable(std::vector<WideString> lines);

    const std::vector<WideString>& Lines() const { return lines_; }

    // Units below 128 stay; every other UTF-16 unit (each half of a pair on its own) becomes its
    // replacement, or "_" when it has none. A lower-case letter, or a unit that differs from its
    // upper-case form, gets the replacement as stored; any other unit gets it with the first character
    // in upper case.
    WideString Transliterate(std::u16string_view text) const;

private:
    void BuildLookup();

    std::vector<WideString> lines_;
    // Per UTF-16 unit: 0 for no replacement, else 1 + the index in outputs_ of the text it becomes.
    std::vector<uint32_t> outputOfUnit_;
    std::vector<WideString> outputs_;
};

// The table of a file; a missing file gives an empty table. Throws "Cannot open file <path>" when the
// file exists but cannot be read.
TranslitTable LoadTranslitTable(const std::filesystem::path& file);

// Replaces the file as a whole with the lines as UTF-16 LE with FF FE and CR LF; throws "Cannot create
// file <path>" and leaves the old file as it was when that fails.
void SaveTranslitTable(const TranslitTable& table, const std::filesystem::path& file,
    platform::FileSystem& fileSystem = platform::SystemFileSystem());

// One row of the table editor: a character and its replacement.
struct TranslitRow {
    WideString character;
    WideString replacement;
};

// The table lines the editor's rows make, in row order. A row whose character is blank is left out.
// A row with a replacement takes the place of the first line whose name matches its character
// ignoring case, or is added at the end; a row with an empty replacement removes that line.
std::vector<WideString> TranslitLinesFromRows(std::span<const TranslitRow> rows);

} // namespace vennart::text
