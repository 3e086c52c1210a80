#include "tags/ID3v2Header.h"

#include "tags/Syncsafe.h"

#include <algorithm>
#include <string_view>

namespace vennart::tags {
namespace {

constexpr std::string_view kTagMagic = "ID3";
constexpr std::string_view kFooterMagic = "3DI";
// A 2.4 extended header holds at least its size, the flag-byte count and one flag byte.
constexpr std::uint32_t kMinV24ExtendedHeaderSize = 6;

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view magic)
{
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

std::uint32_t ReadUInt32BE(std::span<const std::uint8_t> field)
{
    std::uint32_t value = 0;
    for (const std::uint8_t byte : field)
        value = value << 8 | byte;
    return value;
}

// 2.3: a plain size that does not count its own 4 bytes.
std::optional<std::size_t> V23ExtendedHeaderLength(std::span<const std::uint8_t> sizeField)
{
    return std::size_t { 4 } + ReadUInt32BE(sizeField);
}

// 2.4: a 7-bit size that counts its own 4 bytes.
std::optional<std::size_t> V24ExtendedHeaderLength(std::span<const std::uint8_t> sizeField)
{
    if (HasTopBitSet(sizeField))
        return std::nullopt;
    const std::uint32_t size = DecodeSyncsafe(sizeField);
    if (size < kMinV24ExtendedHeaderSize)
        return std::nullopt;
    return size;
}

} // namespace

bool CanReadFrames(const ID3v2Header& header)
{
    constexpr std::uint8_t kV22Compression = 0x40;
    return header.Major >= 3 || (header.Major == 2 && !header.HasFlag(kV22Compression));
}

std::optional<ID3v2Header> ParseID3v2Header(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kTagHeaderSize || !StartsWith(bytes, kTagMagic))
        return std::nullopt;
    ID3v2Header header;
    header.Major = bytes[3];
    header.Revision = bytes[4];
    header.Flags = bytes[5];
    header.Size = DecodeSyncsafe(bytes.subspan(6, 4));
    return header;
}

void WriteID3v2Header(ByteWriter& writer, const ID3v2Header& header)
{
    writer.Bytes(std::span(reinterpret_cast<const std::uint8_t*>(kTagMagic.data()), kTagMagic.size()));
    writer.Byte(header.Major);
    writer.Byte(header.Revision);
    writer.Byte(header.Flags);
    WriteSyncsafe(writer, header.Size);
}

ByteVector RemoveUnsynchronisation(std::span<const std::uint8_t> body)
{
    ByteVector plain;
    plain.reserve(body.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        plain.push_back(body[i]);
        if (body[i] == 0xFF && i + 1 < body.size() && body[i + 1] == 0x00)
            ++i;
    }
    return plain;
}

// Writers disagree on the extended header (a 2.4 one read the 2.3 way skips into the first frame),
// and some set the flag without writing one at all: a size that runs past the tag means the frames
// start right after the tag header.
std::size_t FirstFrameOffset(std::span<const std::uint8_t> body, const ID3v2Header& header)
{
    if (!header.HasFlag(ID3v2Header::kExtendedHeader) || body.size() < 4)
        return 0;
    const auto sizeField = body.first(4);
    const std::optional<std::size_t> length
        = header.Major >= 4 ? V24ExtendedHeaderLength(sizeField) : V23ExtendedHeaderLength(sizeField);
    return length && *length <= body.size() ? *length : 0;
}

bool IsFooter(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= kFooterSize && StartsWith(bytes, kFooterMagic);
}

} // namespace vennart::tags
