// Comma-separated lists as the settings hold them ("1251,20866,866", "TCOM,TOPE,TCOP"). The separator
// is ","; outside double quotes, blanks and control characters separate entries too and never belong
// to one; an entry may stand in double quotes, with "" for a quote inside; two commas in a row or a
// comma at the end give an empty entry; a NUL ends the text.
#pragma once

#include "platform/Strings.h"

#include <string_view>
#include <vector>

namespace vennart::text {

std::vector<AnsiString> SplitCommaText(std::string_view text);
std::vector<WideString> SplitCommaText(std::u16string_view text);

} // namespace vennart::text
