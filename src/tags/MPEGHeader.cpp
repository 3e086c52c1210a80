#include "tags/MPEGHeader.h"

#include "tags/ID3v1Tag.h"
#include "tags/VBRHeader.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <optional>
#include <span>

namespace vennart::tags {
namespace {

// Every MPEG bitrate in kbit/s; a bitrate code is the 1-based position here.
constexpr std::array<int, 24> kAllBitrates { 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176,
    192, 224, 256, 288, 320, 352, 384, 416, 448 };

using BitrateRow = std::array<int, 14>; // bitrate indices 1 to 14
// ISO/IEC 11172-3 (MPEG 1) by layer I, II, III.
constexpr BitrateRow kMPEG1LayerI { 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448 };
constexpr BitrateRow kMPEG1LayerII { 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384 };
constexpr BitrateRow kMPEG1LayerIII { 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320 };
// ISO/IEC 13818-3 (lower sampling frequencies, MPEG 2 and 2.5): layer I, then layers II and III.
constexpr BitrateRow kLSFLayerI { 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256 };
constexpr BitrateRow kLSFLayerIIandIII { 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160 };

constexpr std::array<std::uint32_t, 3> kMPEG1Rates { 44100, 48000, 32000 };
constexpr std::array<std::uint32_t, 3> kMPEG2Rates { 22050, 24000, 16000 };
constexpr std::array<std::uint32_t, 3> kMPEG25Rates { 11025, 12000, 8000 };

// Samples per frame ÷ 8 × 1000, the factor of a frame's length in bytes from kbit/s and Hz.
constexpr std::int64_t kLayerIFactor = 12000; // 384 samples, in 4-byte slots
constexpr std::int64_t kFullFrameFactor = 144000; // 1152 samples
constexpr std::int64_t kLSFLayerIIIFactor = 72000; // 576 samples (MPEG 2 and 2.5 Layer III)

// Samples per frame: Layer I, Layer II and MPEG 1 Layer III, MPEG 2 and 2.5 Layer III.
constexpr std::int64_t kLayerISamples = 384;
constexpr std::int64_t kFullFrameSamples = 1152;
constexpr std::int64_t kLSFLayerIIISamples = 576;

constexpr std::uint32_t kSyncMask = 0xFFE00000;
constexpr unsigned kBadBitrateIndex = 15;
constexpr unsigned kReservedRateIndex = 3;

constexpr std::size_t kSearchBlockSize = 64 * 1024;
constexpr std::size_t kMPEGHeaderSize = 4;
// The audio byte count leaves out two bytes after the first header; play time and frame count are
// defined on that count.
constexpr std::int64_t kAudioSizeAdjustment = 2;

bool IsLSF(std::uint8_t version)
{
    return version == kMPEG2 || version == kMPEG25;
}

const BitrateRow& BitrateRowFor(std::uint8_t version, std::uint8_t layer)
{
    if (IsLSF(version))
        return layer == kLayerI ? kLSFLayerI : kLSFLayerIIandIII;
    return layer == kLayerI ? kMPEG1LayerI : layer == kLayerII ? kMPEG1LayerII : kMPEG1LayerIII;
}

std::uint16_t BitrateCodeFor(std::uint8_t version, std::uint8_t layer, unsigned index)
{
    if (layer == kReservedLayer || index == kBadBitrateIndex)
        return TMPEGHeaderInfo::kBadBitrate;
    if (index == 0)
        return 0;
    const int kbps = BitrateRowFor(version, layer)[index - 1];
    return static_cast<std::uint16_t>(std::ranges::find(kAllBitrates, kbps) - kAllBitrates.begin() + 1);
}

std::uint32_t SamplingRateFor(std::uint8_t version, unsigned index)
{
    if (index >= kReservedRateIndex)
        return 0;
    if (version == kMPEG2)
        return kMPEG2Rates[index];
    if (version == kMPEG25)
        return kMPEG25Rates[index];
    return kMPEG1Rates[index];
}

// numerator ÷ denominator rounded to the nearest integer, halves to the even neighbour.
std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {
        --quotient;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

// No frame length for free or bad bitrates and the reserved sampling rate: nothing divides by zero.
std::int64_t FrameLengthOf(const TMPEGHeaderInfo& info)
{
    const int kbps = BitrateKbps(info.BitrateCode);
    if (kbps == 0 || info.SamplingRate == 0)
        return 0;
    const std::int64_t rate = info.SamplingRate;
    const std::int64_t padding = info.Padding ? 1 : 0;
    if (info.Layer == kLayerI)
        return RoundedQuotient((kbps * kLayerIFactor + padding * rate) * 4, rate);
    const std::int64_t factor
        = info.Layer == kLayerIII && IsLSF(info.Version) ? kLSFLayerIIIFactor : kFullFrameFactor;
    return RoundedQuotient(kbps * factor + padding * rate, rate);
}

struct FrameSync {
    std::int64_t Offset;
    std::uint32_t Header;
};

std::uint32_t HeaderWord(std::span<const std::uint8_t, kMPEGHeaderSize> bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
}

// Finds the first sync in a file read piece by piece; a sync may straddle two pieces.
class SyncSearch {
public:
    explicit SyncSearch(platform::File& file)
        : file_(file)
    {
    }

    // Looks through piece, the bytes of the file at offset. A sync that is no frame header (a
    // reserved field) is passed over: the search goes on with its second byte.
    std::optional<FrameSync> Scan(std::span<const std::uint8_t> piece, std::int64_t offset)
    {
        for (std::size_t i = 0; i < piece.size(); ++i) {
            if (previousWasFF_ && (piece[i] & 0xE0) == 0xE0) {
                const auto sync = SyncAt(piece, i, offset + static_cast<std::int64_t>(i) - 1);
                if (sync && IsMPEGFrameHeader(sync->Header))
                    return sync;
            }
            previousWasFF_ = piece[i] == 0xFF;
        }
        return std::nullopt;
    }

private:
    // The sync at file offset sync, whose second byte is piece[i].
    std::optional<FrameSync> SyncAt(std::span<const std::uint8_t> piece, std::size_t i, std::int64_t sync)
    {
        std::array<std::uint8_t, kMPEGHeaderSize> header {};
        if (i >= 1 && i + 3 <= piece.size())
            std::copy_n(piece.begin() + static_cast<std::ptrdiff_t>(i - 1), kMPEGHeaderSize, header.begin());
        else if (file_.ReadAt(header, sync) < kMPEGHeaderSize)
            return std::nullopt;
        return FrameSync { sync, HeaderWord(header) };
    }

    platform::File& file_;
    bool previousWasFF_ = false;
};

std::optional<FrameSync> FindFrameSync(
    platform::File& file, std::int64_t start, std::int64_t fileSize, std::span<const std::uint8_t> audioHead)
{
    SyncSearch search(file);
    if (const auto sync = search.Scan(audioHead, start))
        return sync;
    const auto block = std::make_unique_for_overwrite<std::uint8_t[]>(kSearchBlockSize);
    for (std::int64_t offset = start + static_cast<std::int64_t>(audioHead.size()); offset < fileSize;) {
        const auto want
            = static_cast<std::size_t>(std::min<std::int64_t>(kSearchBlockSize, fileSize - offset));
        const std::size_t got = file.ReadAt(std::span(block.get(), want), offset);
        if (const auto sync = search.Scan(std::span(block.get(), got), offset))
            return sync;
        if (got < want)
            break;
        offset += static_cast<std::int64_t>(got);
    }
    return std::nullopt;
}

// Bytes of the file from offset start on that are in memory already.
struct AudioHead {
    std::span<const std::uint8_t> bytes;
    std::int64_t start;
    std::int64_t fileSize;

    // What reading count bytes at offset would give, when these bytes hold all of it.
    std::optional<std::span<const std::uint8_t>> Read(std::int64_t offset, std::size_t count) const
    {
        const auto end = start + static_cast<std::int64_t>(bytes.size());
        const auto wantedEnd = std::min(offset + static_cast<std::int64_t>(count), fileSize);
        if (offset < start || wantedEnd > end || wantedEnd < offset)
            return std::nullopt;
        return bytes.subspan(
            static_cast<std::size_t>(offset - start), static_cast<std::size_t>(wantedEnd - offset));
    }
};

std::int64_t SamplesPerFrame(const TMPEGHeaderInfo& info)
{
    if (info.Layer == kLayerI)
        return kLayerISamples;
    return info.Layer == kLayerIII && IsLSF(info.Version) ? kLSFLayerIIISamples : kFullFrameSamples;
}

std::int32_t ClampedInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

// Frame count, duration and average bitrate from the VBR header; the first header's other facts stay.
void ApplyVBRHeader(TMPEGHeaderInfo& info, const VBRHeader& vbr, std::int64_t audioSize)
{
    const std::int64_t samples = std::int64_t { vbr.Frames } * SamplesPerFrame(info);
    const std::int64_t bytes = vbr.Bytes ? std::int64_t { *vbr.Bytes } : audioSize;
    info.IsVBR = true;
    info.FrameCount = ClampedInt32(vbr.Frames);
    info.Duration = ClampedInt32(RoundedQuotient(samples, info.SamplingRate));
    info.AverageKbps = ClampedInt32(RoundedQuotient(bytes * 8 * info.SamplingRate, samples * 1000));
}

// The VBR header is looked for in the bytes read with the tag when they reach far enough, else read.
void ReadVBRHeaderAt(platform::File& file, std::int64_t frameStart, std::int64_t audioSize,
    const AudioHead& head, TMPEGHeaderInfo& info)
{
    std::array<std::uint8_t, kVBRHeaderReach> read {};
    std::optional<std::span<const std::uint8_t>> frame = head.Read(frameStart, kVBRHeaderReach);
    if (!frame)
        frame = std::span<const std::uint8_t>(read.data(), file.ReadAt(read, frameStart));
    if (const auto vbr = ReadVBRHeader(*frame, info))
        ApplyVBRHeader(info, *vbr, audioSize);
}

} // namespace

bool IsMPEGFrameHeader(std::uint32_t h)
{
    return (h & kSyncMask) == kSyncMask && (h >> 19 & 3) != kReservedVersion
        && (h >> 17 & 3) != kReservedLayer && (h >> 12 & 0xF) != kBadBitrateIndex
        && (h >> 10 & 3) != kReservedRateIndex;
}

int BitrateKbps(std::uint16_t bitrateCode)
{
    return bitrateCode >= 1 && bitrateCode <= kAllBitrates.size() ? kAllBitrates[bitrateCode - 1] : 0;
}

TMPEGHeaderInfo DecodeMPEGHeader(std::uint32_t h, std::int64_t audioSize, std::int64_t fileSize)
{
    TMPEGHeaderInfo info;
    info.Version = static_cast<std::uint8_t>(h >> 19 & 3);
    info.Layer = static_cast<std::uint8_t>(h >> 17 & 3);
    info.Protected = (h >> 16 & 1) == 0;
    info.BitrateCode = BitrateCodeFor(info.Version, info.Layer, h >> 12 & 0xF);
    info.SamplingRate = SamplingRateFor(info.Version, h >> 10 & 3);
    info.Padding = (h >> 9 & 1) != 0;
    info.Private = (h >> 8 & 1) != 0;
    info.ChannelMode = static_cast<std::uint8_t>(h >> 6 & 3);
    info.ModeExtension = static_cast<std::uint8_t>(h >> 4 & 3);
    info.Copyright = (h >> 3 & 1) != 0;
    info.Original = (h >> 2 & 1) != 0;
    info.Emphasis = static_cast<std::uint8_t>(h & 3);
    info.FileSize = fileSize;
    const int kbps = BitrateKbps(info.BitrateCode);
    if (kbps > 0 && info.SamplingRate > 0)
        info.Duration
            = static_cast<std::int32_t>(RoundedQuotient(audioSize * 8, kbps * std::int64_t { 1000 }));
    const std::int64_t frameLength = FrameLengthOf(info);
    info.FrameLength = static_cast<std::int32_t>(frameLength);
    if (frameLength > 0)
        info.FrameCount = static_cast<std::int32_t>(RoundedQuotient(audioSize, frameLength));
    return info;
}

FirstFrame ReadFirstFrameHeader(platform::File& file, std::int64_t start, std::int64_t fileSize,
    bool hasID3v1, std::span<const std::uint8_t> audioHead)
{
    FirstFrame result;
    const std::optional<FrameSync> sync = FindFrameSync(file, start, fileSize, audioHead);
    if (!sync)
        return result;
    const std::int64_t audioSize = fileSize - (sync->Offset + static_cast<std::int64_t>(kMPEGHeaderSize))
        - kAudioSizeAdjustment - (hasID3v1 ? static_cast<std::int64_t>(TID3v1Tag::kRecordSize) : 0);
    result.AudioSize = std::max<std::int64_t>(audioSize, 0);
    result.Info = DecodeMPEGHeader(sync->Header, result.AudioSize, fileSize);
    ReadVBRHeaderAt(file, sync->Offset, result.AudioSize, { audioHead, start, fileSize }, result.Info);
    return result;
}

} // namespace vennart::tags
