#include "text/Translit.h"

#include "platform/CaseMapping.h"
#include "platform/Error.h"
#include "text/PlainText.h"
#include "text/TextFile.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace vennart::text {
namespace {

constexpr uint32_t kFirstTranslitUnit = 128;
constexpr std::size_t kUnitCount = 0x10000;
constexpr char16_t kNoReplacement = u'_';

WideString WithCapitalFirst(std::u16string_view value)
{
    WideString capital(value);
    capital[0] = platform::UpperCaseUnit(capital[0]);
    return capital;
}

// Lower-case letters keep the stored replacement even without a one-character upper-case form
// (ß gives "ss", so "Straße" becomes "Strasse"); so do units that have an upper-case form.
bool TakesReplacementAsStored(char16_t unit)
{
    return platform::IsLowerCaseLetter(unit) || platform::UpperCaseUnit(unit) != unit;
}

// The units from 128 up whose case folding is not the unit itself, by what they fold to ("ж" holds Ж,
// "ss" holds ß and ẞ). Built once per run: folding every unit takes a few milliseconds.
const std::unordered_map<WideString, std::vector<char16_t>>& UnitsByFolding()
{
    static const std::unordered_map<WideString, std::vector<char16_t>> index = [] {
        std::unordered_map<WideString, std::vector<char16_t>> units;
        for (std::size_t value = kFirstTranslitUnit; value < kUnitCount; ++value) {
            const auto unit = static_cast<char16_t>(value);
            WideString folded = platform::FoldCase(std::u16string_view(&unit, 1));
            if (folded != std::u16string_view(&unit, 1))
                units[std::move(folded)].push_back(unit);
        }
        return units;
    }();
    return index;
}

// Every unit from 128 up that folds to the folded name. Folding is idempotent, so a one-unit folded
// name folds to itself and is one of them.
std::vector<char16_t> UnitsFoldingTo(const WideString& foldedName)
{
    std::vector<char16_t> units;
    if (foldedName.size() == 1 && foldedName[0] >= kFirstTranslitUnit)
        units.push_back(foldedName[0]);
    const auto others = UnitsByFolding().find(foldedName);
    if (others != UnitsByFolding().end())
        units.insert(units.end(), others->second.begin(), others->second.end());
    return units;
}

} // namespace

TranslitTable::TranslitTable()
{
    BuildLookup();
}

TranslitTable::TranslitTable(std::vector<WideString> lines)
    : lines_(std::move(lines))
{
    BuildLookup();
}

// Settles once per table what every unit turns into, so that Transliterate does one array lookup per
// unit. Names match the way EqualNoCase matches them, by their full case folding; of the lines whose
// names fold alike, the first one counts.
void TranslitTable::BuildLookup()
{
    outputOfUnit_.assign(kUnitCount, 0);
    outputs_.clear();
    std::unordered_set<WideString> foldedNames;
    for (const WideString& line : lines_) {
        const WideString foldedName = platform::FoldCase(NameOfLine(line));
        const std::u16string_view replacement = ValueOfLine(line);
        if (!foldedNames.insert(foldedName).second || replacement.empty())
            continue;
        uint32_t storedOutput = 0;
        uint32_t capitalOutput = 0;
        for (const char16_t unit : UnitsFoldingTo(foldedName)) {
            const bool asStored = TakesReplacementAsStored(unit);
            uint32_t& output = asStored ? storedOutput : capitalOutput;
            if (output == 0) {
                outputs_.push_back(asStored ? WideString(replacement) : WithCapitalFirst(replacement));
                output = static_cast<uint32_t>(outputs_.size());
            }
            outputOfUnit_[unit] = output;
        }
    }
}

WideString TranslitTable::Transliterate(std::u16string_view text) const
{
    WideString result;
    result.reserve(text.size() + text.size() / 2);
    for (const char16_t unit : text) {
        if (unit < kFirstTranslitUnit) {
            result.push_back(unit);
            continue;
        }
        const uint32_t output = outputOfUnit_[unit];
        if (output == 0)
            result.push_back(kNoReplacement);
        else
            result.append(outputs_[output - 1]);
    }
    return result;
}

TranslitTable LoadTranslitTable(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return TranslitTable();
    return TranslitTable(ReadTextLines(file));
}

void SaveTranslitTable(
    const TranslitTable& table, const std::filesystem::path& file, platform::FileSystem& fileSystem)
{
    try {
        WriteTextLines(file, table.Lines(), fileSystem);
    } catch (const Error&) {
        throw Error("Cannot create file " + file.string());
    }
}

std::vector<WideString> TranslitLinesFromRows(std::span<const TranslitRow> rows)
{
    std::vector<WideString> lines;
    for (const TranslitRow& row : rows) {
        if (TrimControls(row.character).empty())
            continue;
        const auto match = std::find_if(lines.begin(), lines.end(), [&row](const WideString& line) {
            return platform::EqualNoCase(NameOfLine(line), row.character);
        });
        if (row.replacement.empty()) {
            if (match != lines.end())
                lines.erase(match);
        } else if (match != lines.end()) {
            *match = row.character + u"=" + row.replacement;
        } else {
            lines.push_back(row.character + u"=" + row.replacement);
        }
    }
    return lines;
}

} // namespace vennart::text
