// Letter case of wide text on ICU. Mapping is ICU's simple mapping of each UTF-16 unit on its own
// (so the length never changes and ß stays ß); comparison ignoring case is ICU's full case folding.
#pragma once

#include "platform/Strings.h"

#include <string_view>

namespace vennart::platform {

// The unit's simple upper-case form; a unit without one, or whose form is outside the Basic
// Multilingual Plane, stays as it is.
char16_t UpperCaseUnit(char16_t unit);
char16_t LowerCaseUnit(char16_t unit);

WideString UpperCase(std::u16string_view text);
WideString LowerCase(std::u16string_view text);

// A lower-case letter in the Unicode sense (general category Ll).
bool IsLowerCaseLetter(char16_t unit);

// Full case folding: two texts that match ignoring case fold to the same text ("Straße" and
// "STRASSE" both fold to "strasse").
WideString FoldCase(std::u16string_view text);

// Negative, zero or positive as a sorts before, with or after b when case is ignored.
int CompareNoCase(std::u16string_view a, std::u16string_view b);
bool EqualNoCase(std::u16string_view a, std::u16string_view b);

// Orders wide text ignoring case, for sorted sets and maps of values (a strict weak order).
struct LessNoCase {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const { return CompareNoCase(a, b) < 0; }
};

} // namespace vennart::platform
