// The text encodings of ID3v2 frames and the string reader and writers every frame kind shares.
//
// 8-bit text (ISO-8859-1, UTF-8 and unknown encodings alike) is held one wide character per file
// byte through the system code page and is not decoded here: what it means is decided only when it
// is shown, so it survives a read and a write byte for byte.
#pragma once

#include "platform/Strings.h"
#include "tags/ByteReader.h"
#include "tags/ByteWriter.h"

#include <cstddef>
#include <cstdint>

namespace vennart::tags {

enum TTextEncoding : std::uint8_t {
    teISO88591 = 0,
    teUTF16 = 1, // 16-bit units, each string preceded by a byte-order mark
    teUTF16NoBOM = 2, // 16-bit units, most significant byte first (UTF-16BE), no mark
    teUTF8 = 3,
    teUnknown = 4, // any other encoding byte; held as 8-bit bytes, written as 0xFF
};

TTextEncoding EncodingFromByte(std::uint8_t value);
std::uint8_t EncodingToByte(TTextEncoding encoding);
// 2 for the UTF-16 encodings, 1 for the others.
std::size_t CharSize(TTextEncoding encoding);

// Reads one string of at most maxLength bytes (a 16-bit string: maxLength rounded down to even),
// ended by a zero character (consumed, not part of the text) or by the bytes running out.
// Returns the bytes consumed, byte-order mark and terminator included; terminated (when given)
// tells whether a terminator ended the string.
std::size_t ReadString(ByteReader& reader, std::ptrdiff_t maxLength, WideString& text, TTextEncoding encoding,
    bool* terminated = nullptr);

// Writes text without terminator; UTF-16 with mark (teUTF16) is written low byte first after the
// mark FF FE, which is written for an empty text too. Returns the bytes written.
std::size_t WriteString(ByteWriter& writer, const WideString& text, TTextEncoding encoding);
void WriteTerminator(ByteWriter& writer, TTextEncoding encoding);

// What WriteString writes for text, in bytes.
std::size_t StringSize(const WideString& text, TTextEncoding encoding);

} // namespace vennart::tags
