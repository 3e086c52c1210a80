// Numbers stored 7 bits per byte, most significant byte first (the ID3v2 tag size, ID3v2.4 frame
// sizes and extended-header sizes), so that no byte of them can look like an MPEG sync.
#pragma once

#include "tags/ByteWriter.h"

#include <cstdint>
#include <span>

namespace vennart::tags {

// The largest number four such bytes hold.
constexpr std::uint32_t kMaxSyncsafe = 0x0FFFFFFF;

// Each byte is taken whole (its top bit is not cleared), as the tag header has always been decoded.
std::uint32_t DecodeSyncsafe(std::span<const std::uint8_t> field);
// True when some byte of the field has its top bit set, so it cannot be a 7-bit number.
bool HasTopBitSet(std::span<const std::uint8_t> field);
// Writes the low 28 bits of value as four bytes.
void WriteSyncsafe(ByteWriter& writer, std::uint32_t value);

} // namespace vennart::tags
