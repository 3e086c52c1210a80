#include "tags/Syncsafe.h"

#include <algorithm>

namespace vennart::tags {

std::uint32_t DecodeSyncsafe(std::span<const std::uint8_t> field)
{
    std::uint32_t value = 0;
    for (const std::uint8_t byte : field)
        value = (value << 7) + byte;
    return value;
}

bool HasTopBitSet(std::span<const std::uint8_t> field)
{
    return std::ranges::any_of(field, [](std::uint8_t byte) { return (byte & 0x80) != 0; });
}

void WriteSyncsafe(ByteWriter& writer, std::uint32_t value)
{
    for (int shift = 21; shift >= 0; shift -= 7)
        writer.Byte(static_cast<std::uint8_t>((value >> shift) & 0x7F));
}

} // namespace vennart::tags
