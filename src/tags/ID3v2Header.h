// The 10-byte ID3v2 tag header and what has to be undone or skipped before the first frame: the
// unsynchronisation of a 2.3 tag and the extended header.
#pragma once

#include "tags/ByteReader.h"
#include "tags/ByteWriter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vennart::tags {

constexpr std::size_t kTagHeaderSize = 10;

struct ID3v2Header {
    std::uint8_t Major = 3;
    std::uint8_t Revision = 0;
    std::uint8_t Flags = 0;
    // The bytes after the header, as the size field says.
    std::uint32_t Size = 0;

    static constexpr std::uint8_t kUnsynchronisation = 0x80;
    static constexpr std::uint8_t kExtendedHeader = 0x40;
    static constexpr std::uint8_t kFooter = 0x10;

    // Major version × 256 + revision, 0x0300 for 2.3.0.
    std::uint16_t Version() const { return static_cast<std::uint16_t>(Major << 8 | Revision); }
    bool HasFlag(std::uint8_t flag) const { return (Flags & flag) != 0; }
};

// Versions 2.2 (without its undefined whole-tag compression) to 2.4 have frames this program reads.
bool CanReadFrames(const ID3v2Header& header);

// The header at the start of bytes; none unless they begin with "ID3" and hold all 10 header bytes.
std::optional<ID3v2Header> ParseID3v2Header(std::span<const std::uint8_t> bytes);
void WriteID3v2Header(ByteWriter& writer, const ID3v2Header& header);

// Undoes the unsynchronisation of a tag body: every FF 00 pair becomes FF.
ByteVector RemoveUnsynchronisation(std::span<const std::uint8_t> body);

// Where the first frame starts in the tag body: after the extended header when the header announces
// one of a plausible size, otherwise right at the start.
std::size_t FirstFrameOffset(std::span<const std::uint8_t> body, const ID3v2Header& header);

// An ID3v2.4 footer ("3DI" and a copy of the header) follows the tag when the header announces one.
bool IsFooter(std::span<const std::uint8_t> bytes);
constexpr std::size_t kFooterSize = 10;

} // namespace vennart::tags
