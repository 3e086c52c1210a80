#include "tags/VBRHeader.h"

#include "tags/MPEGHeader.h"

#include <algorithm>
#include <string_view>

namespace vennart::tags {
namespace {

constexpr std::size_t kFrameHeaderSize = 4;
constexpr std::size_t kCRCSize = 2;
// Xing and Info follow the side information of Layer III, whose size depends on version and channels.
constexpr std::size_t kMPEG1StereoSideInfo = 32;
constexpr std::size_t kMPEG1MonoSideInfo = 17;
constexpr std::size_t kLSFStereoSideInfo = 17;
constexpr std::size_t kLSFMonoSideInfo = 9;
// VBRI stands at a fixed place: 32 bytes after the frame header, whatever the mode.
constexpr std::size_t kVBRIOffset = kFrameHeaderSize + 32;
constexpr std::uint32_t kXingFramesFlag = 1;
constexpr std::uint32_t kXingBytesFlag = 2;

std::uint32_t BigEndian32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8
        | bytes[at + 3];
}

bool HasMagic(std::span<const std::uint8_t> frame, std::size_t at, std::string_view magic)
{
    return at + magic.size() <= frame.size() && std::equal(magic.begin(), magic.end(), frame.begin() + at);
}

std::size_t XingOffset(const TMPEGHeaderInfo& info)
{
    const bool mono = info.ChannelMode == kSingleChannel;
    if (info.Version == kMPEG1)
        return kFrameHeaderSize + (mono ? kMPEG1MonoSideInfo : kMPEG1StereoSideInfo);
    return kFrameHeaderSize + (mono ? kLSFMonoSideInfo : kLSFStereoSideInfo);
}

// Magic, flags, then the frame count and the byte count, each only when its flag is set.
std::optional<VBRHeader> ReadXing(std::span<const std::uint8_t> frame, std::size_t at)
{
    constexpr std::size_t kFieldSize = 4;
    if (at + 4 * kFieldSize > frame.size())
        return std::nullopt;
    const std::uint32_t flags = BigEndian32(frame, at + kFieldSize);
    if ((flags & kXingFramesFlag) == 0)
        return std::nullopt;
    VBRHeader header { BigEndian32(frame, at + 2 * kFieldSize), std::nullopt };
    if ((flags & kXingBytesFlag) != 0)
        header.Bytes = BigEndian32(frame, at + 3 * kFieldSize);
    return header;
}

// Magic, version, delay and quality (two bytes each), then the byte count and the frame count.
std::optional<VBRHeader> ReadVBRI(std::span<const std::uint8_t> frame)
{
    constexpr std::size_t kBytesAt = kVBRIOffset + 10;
    if (kBytesAt + 8 > frame.size())
        return std::nullopt;
    return VBRHeader { BigEndian32(frame, kBytesAt + 4), BigEndian32(frame, kBytesAt) };
}

std::optional<VBRHeader> FindHeader(std::span<const std::uint8_t> frame, const TMPEGHeaderInfo& info)
{
    if (info.Layer == kLayerIII) {
        // Some encoders count the CRC of a protected frame in, others do not.
        for (const std::size_t at : { XingOffset(info), XingOffset(info) + kCRCSize }) {
            if (HasMagic(frame, at, "Xing") || HasMagic(frame, at, "Info"))
                return ReadXing(frame, at);
            if (!info.Protected)
                break;
        }
    }
    if (HasMagic(frame, kVBRIOffset, "VBRI"))
        return ReadVBRI(frame);
    return std::nullopt;
}

} // namespace

std::optional<VBRHeader> ReadVBRHeader(std::span<const std::uint8_t> frame, const TMPEGHeaderInfo& info)
{
    std::optional<VBRHeader> header = FindHeader(frame, info);
    if (header && header->Frames == 0)
        return std::nullopt;
    return header;
}

} // namespace vennart::tags
