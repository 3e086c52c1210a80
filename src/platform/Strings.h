// The two kinds of text the program handles: wide text (UTF-16 code units, as tags and the window
// show them) and 8-bit text (bytes exactly as a file holds them, in a code page nobody declared).
#pragma once

#include <string>

namespace vennart {

using WideString = std::u16string;
using AnsiString = std::string;

} // namespace vennart
