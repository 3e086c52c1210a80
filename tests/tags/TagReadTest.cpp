// Reading whole files into a tag object, bad inputs included.
#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "support/TextTestSupport.h"
#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Class.h"
#include "tags/TextFrame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tuple>

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
using test::TextBody;
using testing::AllOf;
using testing::HasSubstr;

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

TEST_F(TagRead, TheRecordComesFirstThenTheFramesInFileOrder)
{
    const Bytes frames
        = Concat({ Frame("TIT2", TextBody("a")), Frame("COMM", Comment("x")), Frame("COMM", Comment("y")) });
    const TID3v2Class tag = Read(Concat({ Tag(3, frames, 40), Audio(2), ID3v1Record({ "v1 title" }) }));
    ASSERT_EQ(tag.FrameCount(), 4);
    EXPECT_EQ(tag.Version, 0x0300);
    EXPECT_EQ(tag.FindFrameByClass<TID3v1Tag>(1), tag.GetFrame(0));
    EXPECT_EQ(dynamic_cast<TID3v1Tag&>(*tag.GetFrame(0)).Title, "v1 title");
    EXPECT_EQ(tag.GetFrame(1)->ID, "TIT2");
    EXPECT_EQ(tag.FindFrameByID("COMM", 2), tag.GetFrame(3));
    EXPECT_EQ(dynamic_cast<TCOMMTag&>(*tag.GetFrame(3)).Text, u"y");
    EXPECT_EQ(tag.FindFrameByID("COMM", 3), nullptr);
    EXPECT_EQ(tag.FindFrameByID("comm", 1), nullptr);
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
    EXPECT_EQ(std::tuple(tag.HasID3v2, tag.Version, tag.TagSize, tag.FrameCount(), tag.MPEGInfo.BitrateCode),
        std::tuple(true, 0x0200, 20u, 0, 12));
}

TEST_F(TagRead, TheFirstMPEGHeaderIsSearchedAfterTheTag)
{
    const Bytes tagBytes = Tag(3, Frame("TIT2", TextBody("\xFF\xFB\x90\x64")), 10);
    const TID3v2Class tag = Read(Concat({ tagBytes, { 0x00, 0x20 }, Audio(5), ID3v1Record({}) }));
    const TMPEGHeaderInfo i = tag.GetMPEGInfo();
    const auto fileSize = static_cast<std::int64_t>(tagBytes.size() + 2 + 5 * 417 + 128);
    EXPECT_EQ(std::tuple(i.Version, i.SamplingRate, i.FrameLength, i.FileSize, i.FrameCount, tag.AudioSize),
        std::tuple(3, 44100u, 418, fileSize, 5, 5 * 417 - 4 - 2));
}

struct BadInput {
    std::string Name;
    Bytes Content;
    int Frames; // -1: the file is damaged
};

void PrintTo(const BadInput& c, std::ostream* out)
{
    *out << c.Name;
}

class TagReadBadInput : public TagRead, public testing::WithParamInterface<BadInput> { };

// Every one either reads what can be read or fails with an error naming the file; none crashes.
TEST_P(TagReadBadInput, ReadsOrReportsTheFileAsDamaged)
{
    const BadInput& c = GetParam();
    if (c.Frames < 0) {
        EXPECT_THAT(
            test::ErrorOf([&] { Read(c.Content); }), AllOf(HasSubstr("song.mp3"), HasSubstr("damaged")));
        return;
    }
    const TID3v2Class tag = Read(c.Content);
    EXPECT_EQ(tag.FrameCount(), c.Frames);
    EXPECT_GE(tag.AudioSize, 0);
}

Bytes WithFrameSize(Bytes frame, std::uint32_t size)
{
    for (int i = 0; i < 4; ++i)
        frame[4 + i] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
    return frame;
}

std::vector<BadInput> BadInputs()
{
    const Bytes a = Frame("TIT2", TextBody("a"));
    std::vector<BadInput> inputs {
        { "Empty", {}, 0 },
        { "NoTags", Audio(3), 0 },
        { "ShorterThanATagHeader", BytesOf("ID3\3\1"), 0 },
        { "ShorterThanARecord", Concat({ TagHeader(3, 50), a, Bytes(40, 0) }), 1 },
        // Nothing is allocated beyond what the file holds, whatever the size field claims.
        { "TagLargerThanTheFile", Concat({ TagHeader(3, 0x0FFFFFFF), a, Bytes(5, 0) }), 1 },
        { "FramePastTheTagEnd", Concat({ TagHeader(3, 20), a, Frame("TALB", TextBody("longer")), Audio(1) }),
            1 },
        { "GarbageAfterTheLastFrame", Concat({ Tag(3, Concat({ a, BytesOf("\x01garbage") }), 20), Audio(1) }),
            1 },
        { "NoMPEGSync", Concat({ Tag(3, a, 20), Bytes(3000, 0x7F) }), 1 },
        { "OnlyARecord", ID3v1Record({ "t" }), 1 },
        { "TagClaimsRecordBytes", Concat({ TagHeader(3, 150), a, ID3v1Record({}) }), 2 },
    };
    for (const std::uint8_t major : { 3, 4 }) {
        const std::string version = major == 3 ? "In23" : "In24";
        inputs.push_back({ "FrameSizeAllOnes" + version,
            Concat({ TagHeader(major, 100), WithFrameSize(a, 0xFFFFFFFF), Bytes(200, 0) }), -1 });
        inputs.push_back({ "FramePastTheFileEnd" + version,
            Concat({ TagHeader(major, 0x7FFF), Frame("TPE1", TextBody("b")), WithFrameSize(a, 0x100) }),
            -1 });
    }
    return inputs;
}

INSTANTIATE_TEST_SUITE_P(
    Files, TagReadBadInput, testing::ValuesIn(BadInputs()), [](const auto& info) { return info.param.Name; });

TEST_F(TagRead, AFileThatCannotBeOpenedIsAnErrorNamingIt)
{
    EXPECT_THAT(test::ErrorOf([&] { TID3v2Class tag(dir / "missing.mp3"); }), HasSubstr("missing.mp3"));
    std::filesystem::create_directory(dir / "folder.mp3");
    EXPECT_THAT(test::ErrorOf([&] { TID3v2Class tag(dir / "folder.mp3"); }), HasSubstr("folder.mp3"));
}

} // namespace
} // namespace vennart::tags
