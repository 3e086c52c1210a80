// The rules of "Make Tags from Filenames" as a plain value, and what they cut out of one file name:
// for each checked field a start and an end rule (a character position or the n-th occurrence of a
// separator), then the replacement rows and the case options.
#pragma once

#include "platform/Strings.h"

#include <array>
#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

namespace vennart::commands {

enum class BoundMode { Position, Symbol };

// One end of the stretch of the name a field takes.
struct TagBound {
    BoundMode mode = BoundMode::Position;
    AnsiString position = {}; // as typed; not a decimal integer: the default of that end
    WideString symbol = {};
    AnsiString count = {}; // as typed; not a decimal integer: 1
    bool operator==(const TagBound&) const = default;
};

// One rule row: the field and the stretch of the name it takes.
struct TTagToCreate {
    AnsiString FrameID = {};
    bool checked = false;
    TagBound from = {};
    TagBound to = {};
    bool operator==(const TTagToCreate&) const = default;
};

struct Replacement {
    WideString what = {};
    WideString with = {};
    bool operator==(const Replacement&) const = default;
};

// The fields in the order they are processed.
inline constexpr std::array<std::string_view, 6> kTagsFromNameFrames { "TIT2", "TPE1", "TALB", "TYER", "TRCK",
    "COMM" };

// Everything the user sets in the dialog; the initial value is the dialog's state at start.
struct TagsFromNameOptions {
    TagsFromNameOptions();
    std::vector<TTagToCreate> rules; // one per kTagsFromNameFrames, in that order
    std::vector<Replacement> replacements; // rows with an empty "What" are skipped
    bool lowerCase = false;
    bool firstLetterUpper = true;
    bool eachWordUpper = true;
    bool operator==(const TagsFromNameOptions&) const = default;
    TTagToCreate* Rule(std::string_view frameID);
};

// The integer a number field holds: an optional sign and decimal digits within the range of int;
// anything else, the empty text included, gives `fallback`.
int NumberOr(std::string_view text, int fallback);

// The file name the rules read: the name part of the path without its extension, as wide text.
WideString NameForRules(const std::filesystem::path& path);

enum class BoundSide { Start, End };
// The 1-based position the separator search gives for `name` (see the help text of the dialog).
int SymbolPosition(std::u16string_view name, std::u16string_view symbol, int count, BoundSide side);

// The stretch of `name` the rule takes, before replacement and case rules.
WideString CutText(std::u16string_view name, const TTagToCreate& rule);

// Replaces every occurrence of `what`; always ends, even where a replacement brings `what` back.
WideString ReplaceAll(WideString text, std::u16string_view what, std::u16string_view with);

// The text after the replacement rows and the case options.
WideString FinishText(WideString text, const TagsFromNameOptions& options);

struct FieldValue {
    AnsiString frameID;
    WideString text;
};
// The value of every checked rule for the name, in the order of processing.
std::vector<FieldValue> FieldValues(std::u16string_view name, const TagsFromNameOptions& options);

// Whether the name lacks an occurrence some checked rule searches for (a symbol rule finding fewer
// occurrences than its count), so that the rules cannot fit it as the user meant.
bool LacksSeparator(std::u16string_view name, const TagsFromNameOptions& options);

} // namespace vennart::commands
