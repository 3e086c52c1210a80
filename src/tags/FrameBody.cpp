#include "tags/FrameBody.h"

#include "tags/ID3v2Header.h"
#include "tags/Syncsafe.h"

#include <algorithm>
#include <zlib.h>

namespace vennart::tags {
namespace {

constexpr std::uint16_t kV23Compressed = 0x0080;
constexpr std::uint16_t kV23Encrypted = 0x0040;
constexpr std::uint16_t kV23Grouped = 0x0020;
constexpr std::uint16_t kV24Grouped = 0x0040;
constexpr std::uint16_t kV24Compressed = 0x0008;
constexpr std::uint16_t kV24Encrypted = 0x0004;
constexpr std::uint16_t kV24Unsynchronised = 0x0002;
constexpr std::uint16_t kV24DataLength = 0x0001;
constexpr std::size_t kSizeFieldLength = 4;
constexpr std::size_t kInflateChunk = 64 * 1024;

std::size_t InflationLimit(std::size_t storedSize, std::size_t budget)
{
    return std::min({ kMaxInflatedSize, std::max<std::size_t>(storedSize, 1) * kMaxInflationRatio, budget });
}

std::optional<ByteVector> InflateWithin(
    std::span<const std::uint8_t> data, std::size_t storedSize, std::size_t& budget)
{
    std::optional<ByteVector> plain = Inflate(data, InflationLimit(storedSize, budget));
    if (plain)
        budget -= plain->size();
    return plain;
}

// 2.3: a compressed body starts with the 4-byte inflated size, then the zlib data.
std::optional<ByteVector> DecodeV23Body(
    std::span<const std::uint8_t> body, std::uint16_t flags, std::size_t& budget)
{
    if ((flags & (kV23Encrypted | kV23Grouped)) != 0 || (flags & kV23Compressed) == 0
        || body.size() < kSizeFieldLength)
        return std::nullopt;
    return InflateWithin(body.subspan(kSizeFieldLength), body.size(), budget);
}

// 2.4: an optional data length indicator, then the body, unsynchronised and then compressed as the
// flags say. iTunes and others set unsynchronisation in the tag header only.
std::optional<ByteVector> DecodeV24Body(
    std::span<const std::uint8_t> body, std::uint16_t flags, bool tagUnsynchronised, std::size_t& budget)
{
    if ((flags & (kV24Encrypted | kV24Grouped)) != 0)
        return std::nullopt;
    if ((flags & kV24DataLength) != 0) {
        if (body.size() < kSizeFieldLength)
            return std::nullopt;
        body = body.subspan(kSizeFieldLength);
    }
    ByteVector plain = (flags & kV24Unsynchronised) != 0 || tagUnsynchronised
        ? RemoveUnsynchronisation(body)
        : ByteVector(body.begin(), body.end());
    if ((flags & kV24Compressed) == 0)
        return plain;
    return InflateWithin(plain, body.size(), budget);
}

} // namespace

std::uint16_t FormatFlagsToClear(std::uint8_t majorVersion)
{
    return majorVersion >= 4
        ? kV24Grouped | kV24Compressed | kV24Encrypted | kV24Unsynchronised | kV24DataLength
        : kV23Compressed | kV23Encrypted | kV23Grouped;
}

std::optional<ByteVector> DecodeFrameBody(std::span<const std::uint8_t> body, std::uint16_t flags,
    std::uint8_t majorVersion, bool tagUnsynchronised, std::size_t& budget)
{
    return majorVersion >= 4 ? DecodeV24Body(body, flags, tagUnsynchronised, budget)
                             : DecodeV23Body(body, flags, budget);
}

std::optional<ByteVector> Inflate(std::span<const std::uint8_t> data, std::size_t limit)
{
    z_stream stream {};
    if (inflateInit(&stream) != Z_OK)
        return std::nullopt;
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(std::min<std::size_t>(data.size(), UINT32_MAX));
    ByteVector out;
    int status = Z_OK;
    while (status == Z_OK && out.size() <= limit) {
        const std::size_t start = out.size();
        out.resize(start + kInflateChunk);
        stream.next_out = out.data() + start;
        stream.avail_out = static_cast<uInt>(kInflateChunk);
        status = inflate(&stream, Z_NO_FLUSH);
        out.resize(start + kInflateChunk - stream.avail_out);
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END || out.size() > limit)
        return std::nullopt;
    return out;
}

} // namespace vennart::tags
