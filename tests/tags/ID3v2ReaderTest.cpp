#include "tags/ID3v2Reader.h"

#include "platform/Error.h"
#include "support/Id3Builder.h"
#include "tags/BinaryFrames.h"
#include "tags/TextFrame.h"

#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

using test::Bytes;
using test::BytesOf;
using test::Concat;
using test::Frame;
using test::SizeStyle;
using test::Tag;
using test::TagHeader;

// The frames of a whole tag held in a file of fileSize bytes (the tag's own length by default).
FrameList Parse(const Bytes& tag, std::int64_t fileSize = -1)
{
    const auto header = ParseID3v2Header(tag);
    EXPECT_TRUE(header.has_value());
    const std::size_t end = std::min<std::size_t>(tag.size(), kTagHeaderSize + header->Size);
    const SharedBytes body(
        ByteVector(tag.begin() + kTagHeaderSize, tag.begin() + static_cast<std::ptrdiff_t>(end)));
    return ReadID3v2Frames(
        body, *header, fileSize < 0 ? static_cast<std::int64_t>(tag.size()) : fileSize, "song.mp3");
}

Bytes Text(std::string_view text)
{
    return Concat({ { 0x00 }, BytesOf(text) });
}

WideString TextOf(const FrameList& frames, std::size_t index)
{
    const auto* text = dynamic_cast<const TTxxxTag*>(frames.at(index).get());
    return text ? text->Text : u"<not a text frame>";
}

TEST(ID3v2Reader, ReadsFramesUpToThePadding)
{
    const FrameList frames
        = Parse(Tag(3, Concat({ Frame("TIT2", Text("Title")), Frame("TPE1", Text("Artist")) }), 100));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(TextOf(frames, 0), u"Title");
    EXPECT_EQ(TextOf(frames, 1), u"Artist");
}

TEST(ID3v2Reader, ReadsEveryFrameWhenTheLastEndsExactlyAtTheTagsEnd)
{
    EXPECT_EQ(Parse(Tag(3, Concat({ Frame("TIT2", Text("a")), Frame("TALB", Text("b")) }))).size(), 2u);
}

TEST(ID3v2Reader, AnEmptyBodyGivesAnEmptyTextAndTheNextFrameFollows)
{
    const FrameList frames = Parse(Tag(3, Concat({ Frame("TIT2", {}), Frame("TALB", Text("b")) }), 10));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(TextOf(frames, 0), u"");
    EXPECT_EQ(TextOf(frames, 1), u"b");
}

TEST(ID3v2Reader, GarbageAfterTheLastFrameEndsTheList)
{
    const FrameList frames = Parse(Tag(3, Concat({ Frame("TIT2", Text("a")), BytesOf("xyz garbage 123") })));
    EXPECT_EQ(frames.size(), 1u);
}

TEST(ID3v2Reader, V23ExtendedHeaderIsSkippedByItsPlainSize)
{
    const Bytes extended { 0, 0, 0, 6, 0, 0, 0, 0, 0, 0 };
    EXPECT_EQ(TextOf(Parse(Tag(3, Concat({ extended, Frame("TIT2", Text("a")) }), 0, 0x40)), 0), u"a");
}

TEST(ID3v2Reader, V24ExtendedHeaderSizeCountsItself)
{
    const Bytes extended { 0, 0, 0, 12, 1, 0x20, 5, 8, 0x3A, 0x3B, 6, 7 };
    EXPECT_EQ(TextOf(Parse(Tag(4, Concat({ extended, Frame("TIT2", Text("a")) }), 0, 0x40)), 0), u"a");
}

TEST(ID3v2Reader, AnExtendedHeaderFlagWithoutAPlausibleHeaderReadsFramesRightAfterTheTagHeader)
{
    for (const std::uint8_t major : { 3, 4 })
        EXPECT_EQ(TextOf(Parse(Tag(major, Frame("TIT2", Text("a")), 50, 0x40)), 0), u"a") << int(major);
}

TEST(ID3v2Reader, V23UnsynchronisationIsUndone)
{
    // The frame's size counts its bytes after the unsynchronisation is undone.
    Bytes unsynchronised = Frame("TIT2", { 0x01, 0xFF, 0xFE, 0x41, 0x00 });
    unsynchronised.insert(unsynchronised.begin() + 12, 0x00);
    FrameList frames = Parse(Tag(3, Concat({ unsynchronised, { 0, 0 } }), 0, 0x80));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(TextOf(frames, 0), u"A");
}

TEST(ID3v2Reader, V24FrameSizesAreSevenBitsPerByte)
{
    const Bytes body = Text(std::string(200, 'x'));
    const FrameList frames = Parse(Tag(4,
        Concat({ Frame("TIT2", body, 0, SizeStyle::Syncsafe),
            Frame("TALB", Text("b"), 0, SizeStyle::Syncsafe) }),
        20));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(TextOf(frames, 0), WideString(200, u'x'));
    EXPECT_EQ(TextOf(frames, 1), u"b");
}

class V24PlainSizes : public testing::TestWithParam<std::size_t> { };

// Written so by iTunes: the plain reading is taken when a size byte has its top bit set, or when only
// it leads to the next frame.
TEST_P(V24PlainSizes, AreReadPlainWhereOnlyThatReadingFits)
{
    const Bytes body = Text(std::string(GetParam(), 'x'));
    const FrameList frames = Parse(Tag(4, Concat({ Frame("TIT2", body), Frame("TALB", Text("b")) }), 20));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(TextOf(frames, 0), WideString(GetParam(), u'x'));
    EXPECT_EQ(TextOf(frames, 1), u"b");
}

INSTANTIATE_TEST_SUITE_P(BodySizes, V24PlainSizes, testing::Values(50, 127, 200, 299, 1000, 70000));

TEST(ID3v2Reader, FramesWithOpaqueBodiesAreKeptAsTheyAre)
{
    const Bytes compressed { 0, 0, 0, 9, 0x78, 0x9C, 1, 2, 3 };
    const FrameList v23 = Parse(Tag(3,
        Concat({ Frame("TIT2", compressed, 0x0080), Frame("TALB", Text("x"), 0x0040),
            Frame("TPE1", Text("y"), 0x0020), Frame("TCON", Text("z"), 0xC000) })));
    ASSERT_EQ(v23.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NE(dynamic_cast<const TUnknownTag*>(v23[i].get()), nullptr) << i;
    EXPECT_EQ(dynamic_cast<const TUnknownTag&>(*v23[0]).RawData.ToVector(), compressed);
    EXPECT_EQ(TextOf(v23, 3), u"z");

    const FrameList v24 = Parse(Tag(4,
        Concat({ Frame("TIT2", Text("a"), 0x0002), Frame("TALB", Text("b"), 0x0001),
            Frame("TPE1", Text("c"), 0x0080) })));
    ASSERT_EQ(v24.size(), 3u);
    EXPECT_NE(dynamic_cast<const TUnknownTag*>(v24[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<const TUnknownTag*>(v24[1].get()), nullptr);
    EXPECT_EQ(TextOf(v24, 2), u"c");
}

TEST(ID3v2Reader, AFrameRunningPastTheTagButNotTheFileEndsTheList)
{
    const Bytes tag = Tag(3, Concat({ Frame("TIT2", Text("a")), Frame("TALB", Text("long album name")) }));
    Bytes shortened = tag;
    shortened[9] -= 5; // the tag now ends inside TALB, the file goes on
    EXPECT_EQ(Parse(shortened).size(), 1u);
}

TEST(ID3v2Reader, AFrameRunningPastTheFileIsAnErrorNamingTheFile)
{
    for (const std::uint32_t size : { 0x100u, 0xFFFFFFFFu }) {
        Bytes frame = Frame("TIT2", Text("a"));
        for (int i = 0; i < 4; ++i)
            frame[4 + i] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
        for (const std::uint8_t major : { 3, 4 }) {
            const Bytes tag = Concat({ TagHeader(major, 0x7FFF), Frame("TPE1", Text("b")), frame });
            try {
                Parse(tag);
                ADD_FAILURE() << "no error for size " << size;
            } catch (const Error& error) {
                EXPECT_NE(std::string(error.what()).find("song.mp3"), std::string::npos);
                EXPECT_NE(std::string(error.what()).find("damaged"), std::string::npos);
            }
        }
    }
}

TEST(ID3v2Header, ParsesOnlyAWholeHeaderBeginningWithID3)
{
    EXPECT_FALSE(ParseID3v2Header(Bytes { 'I', 'D', '3', 3, 0, 0, 0, 0, 0 }).has_value());
    EXPECT_FALSE(ParseID3v2Header(Bytes { 'I', 'D', '4', 3, 0, 0, 0, 0, 0, 0 }).has_value());
    const auto header = ParseID3v2Header(Bytes { 'I', 'D', '3', 2, 1, 0x40, 0x01, 0x02, 0x03, 0x04 });
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->Version(), 0x0201);
    EXPECT_EQ(header->Size, (1u << 21) + (2u << 14) + (3u << 7) + 4u);
}

} // namespace
} // namespace vennart::tags
