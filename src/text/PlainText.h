// The small rules shared by every plain-text file and field the program reads: trimming, decimal
// integers, lines, and "name=value" lines.
#pragma once

#include "platform/Strings.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vennart::text {

// Without the leading and trailing characters with codes 0 to 32 (blanks and control characters).
std::string_view TrimControls(std::string_view text);
std::u16string_view TrimControls(std::u16string_view text);

// A decimal integer with an optional sign and nothing else around it, within 32 bits; none otherwise.
std::optional<int32_t> ParseInteger(std::string_view text);
std::optional<int32_t> ParseInteger(std::u16string_view text);

// Lines end at CR LF, LF or CR, and wide text also at U+2028. A line end at the very end of the text
// adds no empty line after it; empty text has no lines.
std::vector<AnsiString> SplitLines(std::string_view text);
std::vector<WideString> SplitLines(std::u16string_view text);

// A "name=value" line: the name is the text before the first "=", the value the text after it; a line
// without "=" has an empty name and an empty value.
std::u16string_view NameOfLine(std::u16string_view line);
std::u16string_view ValueOfLine(std::u16string_view line);

} // namespace vennart::text
