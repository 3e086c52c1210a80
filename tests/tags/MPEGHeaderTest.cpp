#include "tags/MPEGHeader.h"

#include "support/Id3Builder.h"
#include "support/TempDir.h"

#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <tuple>

namespace vennart::tags {
namespace {

using namespace test;

// Protected, padding, private, channel mode, mode extension, copyright, original, emphasis.
auto Flags(const TMPEGHeaderInfo& info)
{
    return std::tuple(info.Protected, info.Padding, info.Private, int { info.ChannelMode },
        int { info.ModeExtension }, info.Copyright, info.Original, int { info.Emphasis });
}

struct DecodeCase {
    const char* Name;
    MPEGFrameFields Frame;
    std::uint16_t BitrateCode;
    std::uint32_t SamplingRate;
    std::int32_t FrameLength;
};

// Frame lengths: Layer I (12 × kbps × 1000 ÷ rate + padding) × 4; Layer II and MPEG 1 Layer III
// 144 × kbps × 1000 ÷ rate + padding; MPEG 2 and 2.5 Layer III 72 × kbps × 1000 ÷ rate + padding.
const DecodeCase kHeaders[] {
    { "Mpeg1Layer3At128", { 3, 1, 9, 0, false }, 12, 44100, 418 },
    { "Mpeg1Layer3Padded", { 3, 1, 9, 0, true }, 12, 44100, 419 },
    { "Mpeg1Layer3At320And48k", { 3, 1, 14, 1, false }, 20, 48000, 960 },
    { "Mpeg1Layer2At384", { 3, 2, 14, 2, false }, 22, 32000, 1728 },
    { "Mpeg1Layer1At448", { 3, 3, 14, 0, false }, 24, 44100, 488 },
    { "Mpeg2Layer3At64", { 2, 1, 8, 0, false }, 8, 22050, 209 },
    { "Mpeg25Layer3At8", { 0, 1, 1, 2, false }, 1, 8000, 72 },
    { "Mpeg2Layer2At160", { 2, 2, 14, 1, false }, 14, 24000, 960 },
    { "Mpeg2Layer1At256", { 2, 3, 14, 2, false }, 18, 16000, 768 },
    { "ReservedVersionUsesMpeg1Tables", { 1, 1, 9, 0, false }, 12, 44100, 418 },
    { "FreeFormat", { 3, 1, 0, 0, false }, 0, 44100, 0 },
    { "BadBitrate", { 3, 1, 15, 0, false }, 40, 44100, 0 },
    { "ReservedLayer", { 3, 0, 9, 0, false }, 40, 44100, 0 },
    { "ReservedSamplingRate", { 3, 1, 9, 3, false }, 12, 0, 0 },
};

TEST(DecodeMPEGHeader, GivesBitrateRateFrameLengthAndFlags)
{
    for (const DecodeCase& c : kHeaders) {
        SCOPED_TRACE(c.Name);
        const TMPEGHeaderInfo i = DecodeMPEGHeader(MPEGHeaderWord(c.Frame), 100000, 200000);
        EXPECT_EQ(std::tuple(int { i.Version }, int { i.Layer }, i.BitrateCode, i.SamplingRate, i.FrameLength,
                      i.FileSize),
            std::tuple(int { c.Frame.Version }, int { c.Frame.Layer }, c.BitrateCode, c.SamplingRate,
                c.FrameLength, std::int64_t { 200000 }));
        if (c.FrameLength == 0) {
            EXPECT_EQ(std::pair(i.FrameCount, i.Duration), std::pair(0, 0));
        }
    }
    // FF FB 90 64: no CRC, joint stereo, mode extension 2, original
    EXPECT_EQ(
        Flags(DecodeMPEGHeader(0xFFFB9064, 0, 0)), std::tuple(false, false, false, 1, 2, false, true, 0));
    EXPECT_EQ(Flags(DecodeMPEGHeader(0xFFFA03FF, 0, 0)), std::tuple(true, true, true, 3, 3, true, true, 3));
}

TEST(DecodeMPEGHeader, DurationAndFrameCountRoundHalvesToEvenWithoutOverflow)
{
    // 1.0 s; 1.5 s and 2.5 s round to 2; 10.5 frames round to 10; a size beyond 32-bit products.
    for (const auto& [size, duration, frames] :
        std::vector<std::tuple<std::int64_t, int, int>> { { 16000, 1, 38 }, { 24000, 2, 57 },
            { 40000, 2, 96 }, { 418 * 10 + 209, 0, 10 }, { 3'000'000'000, 187500, 7177033 } }) {
        const TMPEGHeaderInfo i = DecodeMPEGHeader(MPEGHeaderWord({}), size, 0);
        EXPECT_EQ(std::pair(i.Duration, i.FrameCount), std::pair(duration, frames)) << size;
    }
}

Bytes With(Bytes bytes, std::size_t offset, const Bytes& part)
{
    std::ranges::copy(part, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return bytes;
}

FirstFrame ReadFirst(const Bytes& bytes, std::int64_t start, bool hasID3v1)
{
    const TempDir dir;
    WriteFileBytes(dir / "a.mp3", bytes);
    platform::File file(platform::SystemFileSystem(), dir / "a.mp3", O_RDONLY);
    return ReadFirstFrameHeader(file, start, static_cast<std::int64_t>(bytes.size()), hasID3v1);
}

struct FirstFrameCase {
    const char* Name;
    Bytes File;
    std::int64_t Start;
    bool HasID3v1;
    // Version, layer, bitrate code, sampling rate, file size, audio size.
    std::tuple<int, int, int, std::uint32_t, std::int64_t, std::int64_t> Expected;
};

const FirstFrameCase kFirstFrames[] {
    { "AnFFNotFollowedBySyncIsSkipped",
        With(Bytes(1000, 0), 100, { 0xFF, 0x00, 0xE3, 0xFF, 0xFB, 0x90, 0x64 }), 100, false,
        { 3, 1, 12, 44100, 1000, 1000 - (103 + 4) - 2 } },
    { "ASyncAcrossTheSearchBlocksIsFound", With(Bytes(200000, 0), 65535, { 0xFF, 0xFB, 0x90 }), 0, true,
        { 3, 1, 12, 44100, 200000, 200000 - 65539 - 2 - 128 } },
    { "NoSyncLeavesEverythingZero", Bytes(5000, 0xFE), 0, false, { 0, 0, 0, 0, 0, 0 } },
    { "ASyncWithoutRoomForAHeaderIsNone", { 0x00, 0xFF, 0xFB }, 0, false, { 0, 0, 0, 0, 0, 0 } },
    { "AudioSizeIsNeverNegative", With(Bytes(130, 0x20), 126, { 0xFF, 0xFB }), 0, true,
        { 3, 1, 5, 44100, 130, 0 } },
    // Syncs whose headers have a reserved version, layer, bitrate and sampling rate, then the real
    // header FF FB 90 64 at 116.
    { "AReservedFieldIsNoHeader",
        With(Bytes(1000, 0), 100,
            { 0xFF, 0xEB, 0x90, 0x64, 0xFF, 0xF9, 0x90, 0x64, 0xFF, 0xFB, 0xF0, 0x64, 0xFF, 0xFB, 0x9C, 0x64,
                0xFF, 0xFB, 0x90, 0x64 }),
        0, false, { 3, 1, 12, 44100, 1000, 1000 - 120 - 2 } },
    // FF FF FB 90 is a sync with bitrate index 15; the search goes on from its second byte.
    { "AFalseSyncOverlappingTheRealOneIsPassedOver",
        With(Bytes(1000, 0), 100, { 0xFF, 0xFF, 0xFB, 0x90, 0x64 }), 0, false,
        { 3, 1, 12, 44100, 1000, 1000 - 105 - 2 } },
};

struct VBRCase {
    const char* Name;
    Bytes File;
    // Is VBR, frame count, duration in seconds, average bitrate, bitrate code of the first header.
    std::tuple<bool, std::int32_t, std::int32_t, std::int32_t, int> Expected;
};

// 1225 frames of 1152 samples at 44100 Hz, or of 576 samples at 22050 Hz, play 32 seconds.
constexpr MPEGFrameFields kMPEG1 {};
constexpr MPEGFrameFields kMPEG2At64 { .Version = 2, .BitrateIndex = 8 };
const std::tuple kMPEG1Counts { true, 1225, 32, 160, 12 };
const std::tuple kMPEG2Counts { true, 1225, 32, 64, 8 };

const VBRCase kVBRFiles[] {
    { "Xing", Concat({ XingFrame(kMPEG1, "Xing", 1225, 640000), Audio(3) }), kMPEG1Counts },
    { "Info", Concat({ XingFrame(kMPEG1, "Info", 1225, 640000), Audio(3) }), kMPEG1Counts },
    // 417 + 639589 bytes: 640000 bytes of audio from 2 bytes past the header on.
    { "XingWithoutByteCountAveragesTheAudioSize",
        Concat({ XingFrame(kMPEG1, "Xing", 1225, std::nullopt), Bytes(639589, 0) }), kMPEG1Counts },
    { "XingOfASingleChannel", XingFrame({ .ChannelMode = 3 }, "Xing", 1225, 640000), kMPEG1Counts },
    { "XingOfMPEG2", XingFrame(kMPEG2At64, "Xing", 1225, 256000), kMPEG2Counts },
    { "XingAfterTheCRC", XingFrame({ .Protected = true }, "Xing", 1225, 640000), kMPEG1Counts },
    { "VBRI", Concat({ VBRIFrame(kMPEG2At64, 1225, 256000), Audio(2) }), kMPEG2Counts },
    // 1245 bytes of audio in frames of 418 bytes, at 128 kbit/s.
    { "AZeroFrameCountIsIgnored", Concat({ XingFrame(kMPEG1, "Xing", 0, 640000), Audio(2) }),
        { false, 3, 0, 0, 12 } },
};

TEST(ReadFirstFrameHeader, IsSearchedFromTheStartOffsetAndGivesTheCountsOfAVBRHeader)
{
    for (const FirstFrameCase& c : kFirstFrames) {
        SCOPED_TRACE(c.Name);
        const FirstFrame first = ReadFirst(c.File, c.Start, c.HasID3v1);
        const TMPEGHeaderInfo& i = first.Info;
        EXPECT_EQ(std::tuple(int { i.Version }, int { i.Layer }, int { i.BitrateCode }, i.SamplingRate,
                      i.FileSize, first.AudioSize),
            c.Expected);
    }
    for (const VBRCase& c : kVBRFiles) {
        SCOPED_TRACE(c.Name);
        const TMPEGHeaderInfo i = ReadFirst(c.File, 0, false).Info;
        EXPECT_EQ(
            std::tuple(i.IsVBR, i.FrameCount, i.Duration, i.AverageKbps, int { i.BitrateCode }), c.Expected);
    }
}

} // namespace
} // namespace vennart::tags
