// The system code page is ISO-8859-1: byte b is the character U+00bb and back. Every implicit step
// between 8-bit and wide text goes through these two functions, so that 8-bit tag text held as wide
// characters survives a read and a write byte for byte.
#pragma once

#include "platform/Strings.h"

namespace vennart {

// One wide character per byte.
WideString WidenSystem(const AnsiString& bytes);

// One byte per character; a character above U+00FF has no byte and becomes '?'.
AnsiString NarrowSystem(const WideString& text);

} // namespace vennart
