#include "tags/MPEGHeader.h"

#include "support/Id3Builder.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

using test::Bytes;
using test::MPEGFrameSpec;
using test::MPEGHeaderWord;

struct DecodeCase {
    const char* Name;
    MPEGFrameSpec Spec;
    std::uint16_t BitrateCode;
    std::uint32_t SamplingRate;
    std::int32_t FrameLength;
};

class DecodeMPEGHeaderTest : public testing::TestWithParam<DecodeCase> { };

TEST_P(DecodeMPEGHeaderTest, GivesBitrateRateAndFrameLength)
{
    const DecodeCase& c = GetParam();
    const TMPEGHeaderInfo info = DecodeMPEGHeader(MPEGHeaderWord(c.Spec), 100000, 200000);
    EXPECT_EQ(info.Version, c.Spec.Version);
    EXPECT_EQ(info.Layer, c.Spec.Layer);
    EXPECT_EQ(info.BitrateCode, c.BitrateCode);
    EXPECT_EQ(info.SamplingRate, c.SamplingRate);
    EXPECT_EQ(info.FrameLength, c.FrameLength);
    EXPECT_EQ(info.FileSize, 200000);
    if (c.FrameLength == 0) {
        EXPECT_EQ(info.FrameCount, 0);
        EXPECT_EQ(info.Duration, 0);
    }
}

// Frame lengths: Layer I (12 × kbps × 1000 ÷ rate + padding) × 4; Layer II and MPEG 1 Layer III
// 144 × kbps × 1000 ÷ rate + padding; MPEG 2 and 2.5 Layer III 72 × kbps × 1000 ÷ rate + padding.
INSTANTIATE_TEST_SUITE_P(Headers, DecodeMPEGHeaderTest,
    testing::Values(DecodeCase { "Mpeg1Layer3At128", { 3, 1, 9, 0, false }, 12, 44100, 418 },
        DecodeCase { "Mpeg1Layer3Padded", { 3, 1, 9, 0, true }, 12, 44100, 419 },
        DecodeCase { "Mpeg1Layer3At320And48k", { 3, 1, 14, 1, false }, 20, 48000, 960 },
        DecodeCase { "Mpeg1Layer2At384", { 3, 2, 14, 2, false }, 22, 32000, 1728 },
        DecodeCase { "Mpeg1Layer1At448", { 3, 3, 14, 0, false }, 24, 44100, 488 },
        DecodeCase { "Mpeg2Layer3At64", { 2, 1, 8, 0, false }, 8, 22050, 209 },
        DecodeCase { "Mpeg25Layer3At8", { 0, 1, 1, 2, false }, 1, 8000, 72 },
        DecodeCase { "Mpeg2Layer2At160", { 2, 2, 14, 1, false }, 14, 24000, 960 },
        DecodeCase { "Mpeg2Layer1At256", { 2, 3, 14, 2, false }, 18, 16000, 768 },
        DecodeCase { "ReservedVersionUsesMpeg1Tables", { 1, 1, 9, 0, false }, 12, 44100, 418 },
        DecodeCase { "FreeFormat", { 3, 1, 0, 0, false }, 0, 44100, 0 },
        DecodeCase { "BadBitrate", { 3, 1, 15, 0, false }, 40, 44100, 0 },
        DecodeCase { "ReservedLayer", { 3, 0, 9, 0, false }, 40, 44100, 0 },
        DecodeCase { "ReservedSamplingRate", { 3, 1, 9, 3, false }, 12, 0, 0 }),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DecodeMPEGHeader, ReadsTheFlagFields)
{
    // FF FB 90 64: MPEG 1 Layer III without CRC, 128 kbit/s, 44100 Hz, joint stereo, mode extension 2,
    // original
    const TMPEGHeaderInfo info = DecodeMPEGHeader(0xFFFB9064, 0, 0);
    EXPECT_FALSE(info.Protected);
    EXPECT_EQ(info.BitrateCode, 12);
    EXPECT_EQ(info.ChannelMode, 1);
    EXPECT_EQ(info.ModeExtension, 2);
    EXPECT_FALSE(info.Copyright);
    EXPECT_TRUE(info.Original);
    EXPECT_EQ(info.Emphasis, 0);
    const TMPEGHeaderInfo all = DecodeMPEGHeader(0xFFFA03FF, 0, 0);
    EXPECT_TRUE(all.Protected);
    EXPECT_TRUE(all.Padding);
    EXPECT_TRUE(all.Private);
    EXPECT_EQ(all.ChannelMode, 3);
    EXPECT_EQ(all.ModeExtension, 3);
    EXPECT_TRUE(all.Copyright);
    EXPECT_TRUE(all.Original);
    EXPECT_EQ(all.Emphasis, 3);
}

TEST(DecodeMPEGHeader, DurationAndFrameCountRoundHalvesToEvenWithoutOverflow)
{
    const std::uint32_t h128 = MPEGHeaderWord({});
    EXPECT_EQ(DecodeMPEGHeader(h128, 16000, 0).Duration, 1); // 1.0 s
    EXPECT_EQ(DecodeMPEGHeader(h128, 24000, 0).Duration, 2); // 1.5 s rounds to 2
    EXPECT_EQ(DecodeMPEGHeader(h128, 40000, 0).Duration, 2); // 2.5 s rounds to 2
    EXPECT_EQ(DecodeMPEGHeader(h128, 418 * 10 + 209, 0).FrameCount, 10); // 10.5 frames rounds to 10
    const std::int64_t big = 3'000'000'000; // beyond 32-bit products
    EXPECT_EQ(DecodeMPEGHeader(h128, big, 0).Duration, 187500);
    EXPECT_EQ(DecodeMPEGHeader(h128, big, 0).FrameCount, 7177033);
}

class FirstFrameTest : public testing::Test {
protected:
    FirstFrame Read(const Bytes& bytes, std::int64_t start = 0, bool hasID3v1 = false)
    {
        test::WriteFileBytes(dir / "a.mp3", bytes);
        platform::File file(platform::SystemFileSystem(), dir / "a.mp3", O_RDONLY);
        return ReadFirstFrameHeader(file, start, static_cast<std::int64_t>(bytes.size()), hasID3v1);
    }

    test::TempDir dir;
};

TEST_F(FirstFrameTest, AnFFNotFollowedBySyncIsSkipped)
{
    Bytes bytes(1000, 0x00);
    const Bytes start { 0xFF, 0x00, 0xE3, 0xFF, 0xFB, 0x90, 0x64 };
    std::copy(start.begin(), start.end(), bytes.begin() + 100);
    const FirstFrame first = Read(bytes, 100);
    EXPECT_EQ(first.Info.BitrateCode, 12);
    EXPECT_EQ(first.Info.SamplingRate, 44100u);
    EXPECT_EQ(first.AudioSize, 1000 - (103 + 4) - 2);
}

TEST_F(FirstFrameTest, ASyncAcrossTheSearchBlocksIsFound)
{
    Bytes bytes(200000, 0x00);
    bytes[65535] = 0xFF;
    bytes[65536] = 0xFB;
    bytes[65537] = 0x90;
    const FirstFrame first = Read(bytes, 0, true);
    EXPECT_EQ(first.Info.Layer, 1);
    EXPECT_EQ(first.AudioSize, 200000 - 65539 - 2 - 128);
    EXPECT_EQ(first.Info.FileSize, 200000);
}

TEST_F(FirstFrameTest, NoSyncLeavesEverythingZero)
{
    const FirstFrame first = Read(Bytes(5000, 0xFF - 1));
    EXPECT_EQ(first.Info.FileSize, 0);
    EXPECT_EQ(first.Info.Version, 0);
    EXPECT_EQ(first.AudioSize, 0);
    EXPECT_EQ(Read(Bytes { 0x00, 0xFF, 0xFB }).Info.FileSize, 0);
}

TEST_F(FirstFrameTest, AudioSizeIsNeverNegative)
{
    Bytes bytes(130, 0x20);
    bytes[126] = 0xFF;
    bytes[127] = 0xFB;
    EXPECT_EQ(Read(bytes, 0, true).AudioSize, 0);
}

} // namespace
} // namespace vennart::tags
