// Builds the bytes of test files in code: ID3v2 tags and frames, MPEG audio frames, ID3v1 records.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vennart::test {

using Bytes = std::vector<std::uint8_t>;

// One byte per character.
Bytes BytesOf(std::string_view text);
Bytes Concat(std::initializer_list<Bytes> parts);
// UTF-16 low byte first, preceded by FF FE when withMark.
Bytes Utf16LE(std::u16string_view text, bool withMark = true);
// A text frame body in ISO-8859-1: encoding byte 0, then the bytes as given.
Bytes TextBody(std::string_view text);
// A text frame body in UTF-16: encoding byte 1, FF FE, then the text low byte first.
Bytes Utf16Body(std::u16string_view text);
// size bytes of a pattern that differs for each seed and does not repeat every 256 bytes.
Bytes Pattern(std::size_t size, int seed = 0);

enum class SizeStyle { Plain, Syncsafe };

// A frame: identifier, body size in the given style, flags (first byte high), body.
Bytes Frame(
    std::string_view id, const Bytes& body, std::uint16_t flags = 0, SizeStyle size = SizeStyle::Plain);
// ISO-8859-1 text frames spelled "TIT2=Title|TALB=Album": identifier, '=', text, '|' between frames;
// none for an empty text.
Bytes TextFrames(std::string_view frames);
// A tag header whose size field holds size, 7 bits per byte.
Bytes TagHeader(std::uint8_t major, std::uint32_t size, std::uint8_t flags = 0, std::uint8_t revision = 0);
// A whole tag: header, frames, padding zero bytes.
Bytes Tag(std::uint8_t major, const Bytes& frames, std::size_t padding = 0, std::uint8_t flags = 0);
// The padding that makes a tag of these frames end on a multiple of `block` bytes, header included.
std::size_t PaddingToBlock(const Bytes& frames, std::size_t block);

struct MPEGFrameFields {
    std::uint8_t Version = 3; // MPEG 1
    std::uint8_t Layer = 1; // Layer III
    std::uint8_t BitrateIndex = 9; // 128 kbit/s in MPEG 1 Layer III
    std::uint8_t RateIndex = 0; // 44100 Hz in MPEG 1
    bool Padding = false;
    std::uint8_t ChannelMode = 0; // stereo; 3 single channel
    bool Protected = false; // a CRC follows the header
};

std::uint32_t MPEGHeaderWord(const MPEGFrameFields& frame);
constexpr std::size_t kAudioFrameLength = 417;
// count frames of 417 bytes each (MPEG 1 Layer III, 128 kbit/s, 44100 Hz): header and a body of
// bytes that hold no frame sync.
Bytes Audio(int count);

// A first frame of kAudioFrameLength bytes whose header is `frame` and which holds a Xing-style
// header (magic "Xing" or "Info") after the side information, with the frame count and, when given,
// the byte count.
Bytes XingFrame(const MPEGFrameFields& frame, std::string_view magic, std::uint32_t frames,
    std::optional<std::uint32_t> bytes);
// The same with a VBRI header 32 bytes after the frame header.
Bytes VBRIFrame(const MPEGFrameFields& frame, std::uint32_t frames, std::uint32_t bytes);

struct ID3v1Fields {
    std::string Title = {}, Artist = {}, Album = {}, Year = {}, Comment = {};
    int Track = -1; // -1: a version 1.0 record
    std::uint8_t Genre = 0;
};

Bytes ID3v1Record(const ID3v1Fields& fields);

} // namespace vennart::test
