// The rules of the CodePages setting beyond parsing: when two values choose the same code pages, and
// which value the active lists are built from.
#pragma once

#include <string_view>

namespace vennart::text {

// True when the values differ as multisets of their comma-separated entries, compared as text: the
// order of the entries does not count, how often each occurs does.
bool CodePageListChanged(std::string_view oldValue, std::string_view newValue);

// True when some entry is other than UTF-16 (1200). An entry that is no integer counts, so that
// building the active lists still reports it.
bool HoldsEightBitCodePage(std::string_view codePages);

// The value the active lists are built from: the default set when the value is empty or holds no
// 8-bit code page, since ID3v1 text can be shown through an 8-bit code page only.
std::string_view EffectiveCodePages(std::string_view codePages);

} // namespace vennart::text
