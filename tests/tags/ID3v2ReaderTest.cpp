#include "tags/ID3v2Reader.h"

#include "support/Id3Builder.h"
#include "support/TestNames.h"
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
using test::TextBody;

// Each frame of a whole tag (held in a file of the tag's own length) as its text; "<kept>" for a
// frame held byte for byte.
std::vector<WideString> Texts(const Bytes& tag)
{
    const auto header = ParseID3v2Header(tag);
    EXPECT_TRUE(header.has_value());
    const std::size_t end = std::min<std::size_t>(tag.size(), kTagHeaderSize + header->Size);
    const SharedBytes body(
        ByteVector(tag.begin() + kTagHeaderSize, tag.begin() + static_cast<std::ptrdiff_t>(end)));
    std::vector<WideString> texts;
    FrameList frames;
    ReadID3v2Frames(frames, body.Bytes(), *header, static_cast<std::int64_t>(tag.size()), "song.mp3");
    for (const auto& frame : frames) {
        const auto* text = dynamic_cast<const TTxxxTag*>(frame.get());
        texts.push_back(text ? text->Text : dynamic_cast<const TUnknownTag*>(frame.get()) ? u"<kept>" : u"?");
    }
    return texts;
}

struct ReadCase {
    std::string Name;
    Bytes Tag;
    std::vector<WideString> Texts;
};

VENNART_PRINT_ROW_AS(ReadCase, row.Name)

std::vector<ReadCase> ReadCases()
{
    const Bytes a = Frame("TIT2", TextBody("a"));
    const Bytes b = Frame("TALB", TextBody("b"));
    // The frame's size counts its bytes after the unsynchronisation is undone.
    Bytes unsynchronised = Frame("TIT2", { 0x01, 0xFF, 0xFE, 0x41, 0x00 });
    unsynchronised.insert(unsynchronised.begin() + 12, 0x00);
    Bytes pastTheTag = Tag(3, Concat({ a, Frame("TALB", TextBody("long album name")) }));
    pastTheTag[9] -= 5; // the tag now ends inside TALB, the file goes on
    const WideString kept = u"<kept>";
    std::vector<ReadCase> cases {
        { "UpToThePadding",
            Tag(3, Concat({ Frame("TIT2", TextBody("Title")), Frame("TPE1", TextBody("Artist")) }), 100),
            { u"Title", u"Artist" } },
        { "LastFrameEndsExactlyAtTheTagsEnd", Tag(3, Concat({ a, b })), { u"a", u"b" } },
        { "EmptyBodyThenTheNextFrame", Tag(3, Concat({ Frame("TIT2", {}), b }), 10), { u"", u"b" } },
        { "GarbageAfterTheLastFrameEndsTheList", Tag(3, Concat({ a, BytesOf("xyz garbage 123") })),
            { u"a" } },
        { "FramePastTheTagButNotTheFileEndsTheList", pastTheTag, { u"a" } },
        { "V23ExtendedHeaderSkippedByItsPlainSize",
            Tag(3, Concat({ { 0, 0, 0, 6, 0, 0, 0, 0, 0, 0 }, a }), 0, 0x40), { u"a" } },
        { "V24ExtendedHeaderSizeCountsItself",
            Tag(4, Concat({ { 0, 0, 0, 12, 1, 0x20, 5, 8, 0x3A, 0x3B, 6, 7 }, a }), 0, 0x40), { u"a" } },
        { "V23ExtendedHeaderFlagWithoutAPlausibleHeader", Tag(3, a, 50, 0x40), { u"a" } },
        { "V24ExtendedHeaderFlagWithoutAPlausibleHeader", Tag(4, a, 50, 0x40), { u"a" } },
        { "V23UnsynchronisationIsUndone", Tag(3, Concat({ unsynchronised, { 0, 0 } }), 0, 0x80), { u"A" } },
        { "V24FrameSizesAreSevenBitsPerByte",
            Tag(4,
                Concat({ Frame("TIT2", TextBody(std::string(200, 'x')), 0, SizeStyle::Syncsafe),
                    Frame("TALB", TextBody("b"), 0, SizeStyle::Syncsafe) }),
                20),
            { WideString(200, u'x'), u"b" } },
        { "V23CompressedEncryptedGroupedFramesAreKept",
            Tag(3,
                Concat({ Frame("TIT2", { 0, 0, 0, 9, 0x78, 0x9C, 1, 2, 3 }, 0x0080),
                    Frame("TALB", TextBody("x"), 0x0040), Frame("TPE1", TextBody("y"), 0x0020),
                    Frame("TCON", TextBody("z"), 0xC000) })),
            { kept, kept, kept, u"z" } },
        { "V24UnsynchronisedFramesAreDecodedOthersKept",
            Tag(4,
                Concat({ Frame("TIT2", TextBody("a"), 0x0040), Frame("TALB", TextBody("b"), 0x0008),
                    Frame("TPE1", TextBody("c"), 0x0004), Frame("TCON", TextBody("d"), 0x0002),
                    Frame("TYER", TextBody("e"), 0x0001), Frame("TRCK", TextBody("f"), 0x0080) })),
            { kept, kept, kept, u"d", kept, u"f" } },
    };
    // A plain size of 384 (00 00 01 80) read 7 bits per byte would end on the zero byte at 256.
    cases.push_back({ "V24PlainSizeWithATopBitIsReadPlain",
        Tag(4,
            Concat(
                { Frame("TIT2", Concat({ TextBody(std::string(255, 'x')), TextBody(std::string(127, 'y')) })),
                    b })),
        { WideString(255, u'x'), u"b" } });
    // A 7-bit size of 200 (00 00 01 48) ending on padding wins over its plain reading (328) that
    // would end on a frame.
    cases.push_back({ "V24SevenBitSizeEndingOnPadding",
        Tag(4,
            Concat({ Frame("TIT2", TextBody(std::string(199, 'x')), 0, SizeStyle::Syncsafe), Bytes(128, 0),
                b })),
        { WideString(199, u'x') } });
    // Written so by iTunes: the plain reading is taken when a size byte has its top bit set, or when
    // only it leads to the next frame.
    for (const std::size_t size : { 50, 127, 200, 299, 1000, 70000 }) {
        cases.push_back({ "V24PlainSize" + std::to_string(size),
            Tag(4, Concat({ Frame("TIT2", TextBody(std::string(size, 'x'))), b }), 20),
            { WideString(size, u'x'), u"b" } });
    }
    return cases;
}

class ID3v2Reader : public testing::TestWithParam<ReadCase> { };

TEST_P(ID3v2Reader, ReadsTheFramesOfTheTag)
{
    EXPECT_EQ(Texts(GetParam().Tag), GetParam().Texts);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, ID3v2Reader, testing::ValuesIn(ReadCases()), [](const auto& info) { return info.param.Name; });

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
