// UTF-8 as the program meets it in hand-edited files: text whose bytes are valid UTF-8 is read as
// UTF-8, anything else through the system code page, so that no byte is ever lost or refused.
#pragma once

#include "platform/Strings.h"

#include <string_view>

namespace vennart::text {

bool IsValidUtf8(std::string_view bytes);

// Invalid sequences become U+FFFD.
WideString DecodeUtf8(std::string_view bytes);

// UTF-8 when the bytes are valid UTF-8, otherwise one character per byte through the system code page.
WideString DecodeUtf8OrSystem(std::string_view bytes);

} // namespace vennart::text
