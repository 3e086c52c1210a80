// Reading whole files into a tag object, bad inputs included.
#include "platform/Error.h"
#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Class.h"
#include "tags/TextFrame.h"

#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

using test::Audio;
using test::Bytes;
using test::BytesOf;
using test::Concat;
using test::Frame;
using test::ID3v1Record;
using test::Tag;
using test::TagHeader;

Bytes Text(std::string_view text)
{
    return Concat({ { 0x00 }, BytesOf(text) });
}

Bytes Comment(std::string_view text)
{
    return Concat({ { 0x00 }, BytesOf("eng"), { 0x00 }, BytesOf(text) });
}

class TagRead : public testing::Test {
protected:
    TID3v2Class Read(const Bytes& bytes)
    {
        test::WriteFileBytes(file, bytes);
        return TID3v2Class(file);
    }

    test::TempDir dir;
    std::filesystem::path file = dir / "song.mp3";
};

TEST_F(TagRead, AFileWithoutTagsHasNoFrames)
{
    const TID3v2Class tag = Read(Audio(3));
    EXPECT_EQ(tag.FrameCount(), 0);
    EXPECT_FALSE(tag.HasID3v2);
    EXPECT_FALSE(tag.HasID3v1);
    EXPECT_EQ(tag.Version, 0);
    EXPECT_EQ(tag.TagSize, 0u);
    EXPECT_EQ(tag.FileName, file);
}

TEST_F(TagRead, TheRecordComesFirstThenTheFramesInFileOrder)
{
    const TID3v2Class tag = Read(Concat(
        { Tag(3,
              Concat({ Frame("TIT2", Text("a")), Frame("COMM", Comment("x")), Frame("COMM", Comment("y")) }),
              40),
            Audio(2), ID3v1Record({ "v1 title" }) }));
    ASSERT_EQ(tag.FrameCount(), 4);
    EXPECT_TRUE(tag.HasID3v1);
    EXPECT_TRUE(tag.HasID3v2);
    EXPECT_EQ(tag.Version, 0x0300);
    ASSERT_NE(tag.FindFrameByClass<TID3v1Tag>(1), nullptr);
    EXPECT_EQ(tag.FindFrameByClass<TID3v1Tag>(1)->Title, "v1 title");
    EXPECT_EQ(tag.GetFrame(0), tag.FindFrameByClass<TID3v1Tag>(1));
    EXPECT_EQ(tag.GetFrame(1)->ID, "TIT2");
    EXPECT_EQ(tag.FindFrameByID("COMM", 2), tag.GetFrame(3));
    EXPECT_EQ(dynamic_cast<TCOMMTag*>(tag.FindFrameByID("COMM", 2))->Text, u"y");
    EXPECT_EQ(tag.FindFrameByID("COMM", 3), nullptr);
    EXPECT_EQ(tag.FindFrameByID("comm", 1), nullptr);
    EXPECT_EQ(tag.FindFrameByID("COM", 1), nullptr);
    EXPECT_EQ(tag.FindFrameByClass<TCOMMTag>(2), tag.GetFrame(3));
    EXPECT_EQ(tag.FindFrameByClass<TTag>(4), tag.GetFrame(3));
    EXPECT_EQ(tag.FindFrameByClass<TAPICTag>(1), nullptr);
}

TEST_F(TagRead, AddFrameLooksUpTheNamesAndAppends)
{
    TID3v2Class tag = Read(Audio(1));
    auto known = std::make_unique<TTxxxTag>();
    known->ID = "TALB";
    EXPECT_EQ(tag.AddFrame(std::move(known)), 0);
    EXPECT_EQ(tag.GetFrame(0)->ShortName, "Album");
    auto unknown = std::make_unique<TTxxxTag>();
    unknown->ID = "TZZZ";
    EXPECT_EQ(tag.AddFrame(std::move(unknown)), 1);
    EXPECT_EQ(tag.GetFrame(1)->ShortName, "");
    EXPECT_EQ(tag.GetFrame(1)->LongName, "");
}

TEST_F(TagRead, AVersion22TagIsMeasuredButItsFramesAreNotRead)
{
    const Bytes v22
        = Concat({ TagHeader(2, 20), BytesOf("TT2"), { 0, 0, 5, 0 }, BytesOf("abcd"), Bytes(9, 0) });
    const TID3v2Class tag = Read(Concat({ v22, Audio(2) }));
    EXPECT_TRUE(tag.HasID3v2);
    EXPECT_EQ(tag.Version, 0x0200);
    EXPECT_EQ(tag.TagSize, 20u);
    EXPECT_EQ(tag.FrameCount(), 0);
    EXPECT_EQ(tag.MPEGInfo.BitrateCode, 12);
}

TEST_F(TagRead, TheFirstMPEGHeaderIsSearchedAfterTheTag)
{
    const Bytes tagBytes = Tag(3, Frame("TIT2", Text("\xFF\xFB\x90\x64")), 10);
    const TID3v2Class tag = Read(Concat({ tagBytes, { 0x00, 0x20 }, Audio(5), ID3v1Record({}) }));
    const TMPEGHeaderInfo info = tag.GetMPEGInfo();
    EXPECT_EQ(info.Version, 3);
    EXPECT_EQ(info.SamplingRate, 44100u);
    EXPECT_EQ(info.FrameLength, 418);
    EXPECT_EQ(info.FileSize, static_cast<std::int64_t>(tagBytes.size() + 2 + 5 * 417 + 128));
    EXPECT_EQ(tag.AudioSize, 5 * 417 - 4 - 2);
    EXPECT_EQ(info.FrameCount, 5);
}

struct BadInput {
    const char* Name;
    Bytes Content;
    bool Damaged;
};

class TagReadBadInput : public TagRead, public testing::WithParamInterface<BadInput> { };

// Every one either reads (what can be read) or fails with an error naming the file; none crashes.
TEST_P(TagReadBadInput, ReadsOrReportsTheFileAsDamaged)
{
    const BadInput& c = GetParam();
    test::WriteFileBytes(file, c.Content);
    try {
        const TID3v2Class tag(file);
        EXPECT_FALSE(c.Damaged);
        EXPECT_GE(tag.AudioSize, 0);
    } catch (const Error& error) {
        EXPECT_TRUE(c.Damaged) << error.what();
        EXPECT_NE(std::string(error.what()).find("song.mp3"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("damaged"), std::string::npos);
    }
}

Bytes WithFrameSize(Bytes frame, std::uint32_t size)
{
    for (int i = 0; i < 4; ++i)
        frame[4 + i] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
    return frame;
}

INSTANTIATE_TEST_SUITE_P(Files, TagReadBadInput,
    testing::Values(BadInput { "Empty", {}, false },
        BadInput { "ShorterThanATagHeader", BytesOf("ID3\3\1"), false },
        BadInput { "ShorterThanARecord", Concat({ TagHeader(3, 50), Frame("TIT2", Text("a")), Bytes(40, 0) }),
            false },
        BadInput {
            "TagLargerThanTheFile", Concat({ TagHeader(3, 0x0FFFFFFF), Frame("TIT2", Text("a")) }), false },
        BadInput { "FrameSizeAllOnes",
            Concat({ TagHeader(3, 100), WithFrameSize(Frame("TIT2", Text("a")), 0xFFFFFFFF), Bytes(200, 0) }),
            true },
        BadInput { "FrameSizeAllOnesIn24",
            Concat({ TagHeader(4, 100), WithFrameSize(Frame("TIT2", Text("a")), 0xFFFFFFFF), Bytes(200, 0) }),
            true },
        BadInput { "FramePastTheTagEnd",
            Concat({ TagHeader(3, 20), Frame("TIT2", Text("a")), Frame("TALB", Text("longer")), Audio(1) }),
            false },
        BadInput { "GarbageAfterTheLastFrame",
            Concat({ Tag(3, Concat({ Frame("TIT2", Text("a")), BytesOf("\x01garbage") }), 20), Audio(1) }),
            false },
        BadInput { "NoMPEGSync", Concat({ Tag(3, Frame("TIT2", Text("a")), 20), Bytes(3000, 0x7F) }), false },
        BadInput { "OnlyARecord", ID3v1Record({ "t" }), false },
        BadInput { "TagClaimsRecordBytes",
            Concat({ TagHeader(3, 150), Frame("TIT2", Text("a")), ID3v1Record({}) }), false }),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TagRead, ASizeLargerThanTheFileAllocatesOnlyWhatTheFileHolds)
{
    const TID3v2Class tag = Read(Concat({ TagHeader(3, 0x0FFFFFFF), Frame("TIT2", Text("a")), Bytes(5, 0) }));
    EXPECT_EQ(tag.TagSize, 0x0FFFFFFFu);
    ASSERT_EQ(tag.FrameCount(), 1);
    EXPECT_EQ(tag.MPEGInfo.FileSize, 0);
}

TEST_F(TagRead, AFileThatCannotBeOpenedIsAnErrorNamingIt)
{
    try {
        TID3v2Class tag(dir / "missing.mp3");
        FAIL();
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("missing.mp3"), std::string::npos);
    }
    std::filesystem::create_directory(dir / "folder.mp3");
    EXPECT_THROW(TID3v2Class(dir / "folder.mp3"), Error);
}

} // namespace
} // namespace vennart::tags
