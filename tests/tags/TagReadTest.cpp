// Reading whole files into a tag object: tags other programs wrote (ID3v2.2, compressed and
// unsynchronised frames, plain sizes in 2.4, extended headers) and bad inputs; each read file is
// saved and read again with every frame the save can write.
#include "TagChecks.h"
#include "platform/SystemCodePage.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"
#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/FrameBody.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Writer.h"
#include "tags/TextFrame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tuple>

namespace vennart::tags {
namespace {

using namespace std::string_literals;
using namespace test;
using testing::AllOf;
using testing::HasSubstr;

Bytes V22Frame(std::string_view id, const Bytes& body)
{
    const auto size = static_cast<std::uint8_t>(body.size());
    return Concat({ BytesOf(id), { 0, 0, size }, body });
}

Bytes WithFrameSize(Bytes frame, std::uint32_t size)
{
    for (int i = 0; i < 4; ++i)
        frame[4 + i] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
    return frame;
}

// A frame as Describe gives it: an ISO-8859-1 text frame, or a frame kept byte for byte.
WideString Text(std::string_view id, std::u16string_view text, int flags = 0)
{
    return WidenSystem(std::string(id) + " " + std::to_string(flags) + " text|0|") + WideString(text);
}

WideString Kept(std::string_view id, int flags, std::string_view body)
{
    return WidenSystem(std::string(id) + " " + std::to_string(flags) + " unknown|" + std::string(body));
}

struct FileCase {
    std::string Name;
    Bytes File;
    std::vector<WideString> Frames;
    bool Damaged = false;
    std::vector<AnsiString> Unwritable = {};
};

VENNART_PRINT_ROW_AS(FileCase, row.Name)

std::vector<FileCase> FileCases()
{
    const Bytes a = Frame("TIT2", TextBody("a"));
    const Bytes b = Frame("TALB", TextBody("b"));
    const WideString readA = Text("TIT2", u"a");
    const WideString readB = Text("TALB", u"b");
    const Bytes title = TextBody("Title");
    // The frame's size counts its bytes after the unsynchronisation is undone.
    Bytes unsynchronised = Frame("TIT2", { 0x01, 0xFF, 0xFE, 0x41, 0x00 });
    unsynchronised.insert(unsynchronised.begin() + 12, 0x00);
    const Bytes pic
        = Concat({ { 0 }, BytesOf("PNG"), { 3 }, BytesOf("cover"), { 0 }, { 0x89, 'P', 0, 0xFF } });
    const Bytes wxxx = Concat({ { 1 }, Utf16LE(u"d"), { 0, 0 } });
    std::vector<FileCase> cases {
        { "Empty", {}, {} },
        { "NoTags", Audio(3), {} },
        { "ShorterThanATagHeader", BytesOf("ID3\3\1"), {} },
        { "OnlyARecord", ID3v1Record({ "t" }), { u"TAG 0 v1.0|t|||||0|0" } },
        { "RecordFirstThenTheFramesUpToThePadding",
            Concat({ Tag(3, Concat({ Frame("TIT2", title), Frame("TPE1", TextBody("Artist")) }), 100),
                ID3v1Record({ .Title = "v1", .Track = 2 }) }),
            { u"TAG 0 v1.1|v1|||||2|0", Text("TIT2", u"Title"), Text("TPE1", u"Artist") } },
        { "TagClaimsRecordBytes", Concat({ TagHeader(3, 150), a, ID3v1Record({}) }),
            { u"TAG 0 v1.0||||||0|0", readA } },
        { "LastFrameEndsExactlyAtTheTagsEnd", Tag(3, Concat({ a, b })), { readA, readB } },
        { "EmptyBodyThenTheNextFrame", Tag(3, Concat({ Frame("TIT2", {}), b }), 10),
            { Text("TIT2", u""), readB } },
        { "ShorterThanARecord", Concat({ TagHeader(3, 50), a, Bytes(40, 0) }), { readA } },
        // Nothing is allocated beyond what the file holds, whatever the size field claims.
        { "TagLargerThanTheFile", Concat({ TagHeader(3, 0x0FFFFFFF), a, Bytes(5, 0) }), { readA } },
        { "FramePastTheTagEndsTheList",
            Concat({ TagHeader(3, 20), a, Frame("TALB", TextBody("longer")), Audio(1) }), { readA } },
        { "GarbageAfterTheLastFrameEndsTheList",
            Concat({ Tag(3, Concat({ a, BytesOf("\x01garbage") }), 20), Audio(1) }), { readA } },
        { "NoMPEGSync", Concat({ Tag(3, a, 20), Bytes(3000, 0x7F) }), { readA } },
        { "V23ExtendedHeaderSkippedByItsPlainSize",
            Tag(3, Concat({ { 0, 0, 0, 6, 0, 0, 0, 0, 0, 0 }, a }), 0, 0x40), { readA } },
        { "V24ExtendedHeaderSizeCountsItself",
            Tag(4, Concat({ { 0, 0, 0, 12, 1, 0x20, 5, 8, 0x3A, 0x3B, 6, 7 }, a }), 0, 0x40), { readA } },
        { "V23ExtendedHeaderFlagWithoutAPlausibleHeader", Tag(3, a, 50, 0x40), { readA } },
        { "V24ExtendedHeaderFlagWithoutAPlausibleHeader", Tag(4, a, 50, 0x40), { readA } },
        { "V23UnsynchronisationIsUndone", Tag(3, Concat({ unsynchronised, { 0, 0 } }), 0, 0x80),
            { u"TIT2 0 text|1|A" } },
        { "V24FrameSizesAreSevenBitsPerByte",
            Tag(4,
                Concat({ Frame("TIT2", TextBody(std::string(200, 'x')), 0, SizeStyle::Syncsafe),
                    Frame("TALB", TextBody("b"), 0, SizeStyle::Syncsafe) }),
                20),
            { Text("TIT2", WideString(200, u'x')), readB } },
        { "V23EncryptedGroupedAndBrokenCompressedFramesAreKept",
            Tag(3,
                Concat({ Frame("TIT2", { 0, 0, 0, 9, 0x78, 0x9C, 1, 2, 3 }, 0x0080),
                    Frame("TALB", TextBody("x"), 0x0040), Frame("TPE1", TextBody("y"), 0x0020),
                    Frame("TCON", TextBody("z"), 0xC000) })),
            { Kept("TIT2", 128, "\0\0\0\x09\x78\x9C\1\2\3"s), Kept("TALB", 64, "\0x"s),
                Kept("TPE1", 32, "\0y"s), Text("TCON", u"z", 0xC000) } },
        { "V24UnsynchronisedFramesAreDecodedOthersKept",
            Tag(4,
                Concat({ Frame("TIT2", TextBody("a"), 0x0040), Frame("TALB", TextBody("b"), 0x0008),
                    Frame("TPE1", TextBody("c"), 0x0004), Frame("TCON", TextBody("d"), 0x0002),
                    Frame("TYER", TextBody("e"), 0x0001), Frame("TRCK", TextBody("f"), 0x0080) })),
            { Kept("TIT2", 64, "\0a"s), Kept("TALB", 8, "\0b"s), Kept("TPE1", 4, "\0c"s), Text("TCON", u"d"),
                Kept("TYER", 1, "\0e"s), Text("TRCK", u"f", 128) } },
        { "V24UnsynchronisedFrame",
            Tag(4,
                Frame("TIT2", Concat({ { 0 }, BytesOf("a"), { 0xFF, 0x00, 0xE0 } }), 0x0002,
                    SizeStyle::Syncsafe)),
            { Text("TIT2", u"a\xFF\xE0") } },
        // A plain size of 384 (00 00 01 80) read 7 bits per byte would end on the zero byte at 256.
        { "V24PlainSizeWithATopBitIsReadPlain",
            Tag(4,
                Concat({ Frame("TIT2",
                             Concat({ TextBody(std::string(255, 'x')), TextBody(std::string(127, 'y')) })),
                    b })),
            { Text("TIT2", WideString(255, u'x') + u"|" + WideString(127, u'y')), readB } },
        // A 7-bit size of 200 (00 00 01 48) ending on padding wins over its plain reading (328) that
        // would end on a frame.
        { "V24SevenBitSizeEndingOnPadding",
            Tag(4,
                Concat({ Frame("TIT2", TextBody(std::string(199, 'x')), 0, SizeStyle::Syncsafe),
                    Bytes(128, 0), b })),
            { Text("TIT2", WideString(199, u'x')) } },
        { "V22FramesBecomeTheir23Counterparts",
            Tag(2,
                Concat({ V22Frame("TT2", title), V22Frame("TP1", TextBody("Artist")),
                    V22Frame("COM", Concat({ { 0 }, BytesOf("engdesc"), { 0 }, BytesOf("text") })),
                    V22Frame("PIC", pic), V22Frame("CRM", BytesOf("secret")) })),
            { Text("TIT2", u"Title"), Text("TPE1", u"Artist"), u"COMM 0 comment|0|eng|desc|text",
                u"APIC 0 picture|0|image/png|3|cover|\x89P\0\xFF"s, u"CRM 0 unknown|secret" },
            false, { "CRM" } },
        { "V23ZlibCompressedTitle",
            Tag(3, Frame("TIT2", Concat({ { 0, 0, 0, 6 }, Compressed(title) }), 0x0080)),
            { Text("TIT2", u"Title") } },
        { "V24ZlibCompressedTitleWithDataLength",
            Tag(4, Frame("TIT2", Concat({ { 0, 0, 0, 6 }, Compressed(title) }), 0x4009, SizeStyle::Syncsafe)),
            { Text("TIT2", u"Title", 0x4000) } },
        { "WxxxUtf16DescriptionLatin1Url",
            Tag(3, Frame("WXXX", Concat({ wxxx, BytesOf("http://\xE9.org") }))),
            { u"WXXX 0 wxxx|1|d|http://\xE9.org" } },
        { "WxxxUtf16Url", Tag(3, Frame("WXXX", Concat({ wxxx, Utf16LE(u"http://x") }))),
            { u"WXXX 0 wxxx|1|d|http://x" } },
    };
    // Written so by iTunes: the plain reading is taken when a size byte has its top bit set, or when
    // only it leads to the next frame.
    for (const std::size_t size : { 50, 127, 200, 299, 1000, 70000 }) {
        cases.push_back({ "V24PlainSize" + std::to_string(size),
            Tag(4, Concat({ Frame("TIT2", TextBody(std::string(size, 'x'))), b }), 20),
            { Text("TIT2", WideString(size, u'x')), readB } });
    }
    for (const std::uint8_t major : { 3, 4 }) {
        const std::string version = major == 3 ? "In23" : "In24";
        cases.push_back({ "FrameSizeAllOnes" + version,
            Concat({ TagHeader(major, 100), WithFrameSize(a, 0xFFFFFFFF), Bytes(200, 0) }), {}, true });
        cases.push_back({ "FramePastTheFileEnd" + version,
            Concat({ TagHeader(major, 0x7FFF), Frame("TPE1", TextBody("b")), WithFrameSize(a, 0x100) }), {},
            true });
    }
    return cases;
}

class TagFile : public testing::TestWithParam<FileCase> {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "song.mp3";
};

// Every one either reads what can be read or fails with an error naming the file; none crashes.
TEST_P(TagFile, ReadsItsFramesAndKeepsThemThroughASave)
{
    const FileCase& c = GetParam();
    WriteFileBytes(file, c.File);
    if (c.Damaged) {
        EXPECT_THAT(
            ErrorOf([&] { TID3v2Class tag(file); }), AllOf(HasSubstr("song.mp3"), HasSubstr("damaged")));
        return;
    }
    TID3v2Class tag(file);
    EXPECT_EQ(Describe(tag), c.Frames);
    EXPECT_GE(tag.AudioSize, 0);
    EXPECT_EQ(UnwritableFrames(tag.Frames), c.Unwritable);
    const std::vector<WideString> written = DescribeWritable(tag);
    tag.Save();
    EXPECT_EQ(Describe(TID3v2Class(file)), written);
}

INSTANTIATE_TEST_SUITE_P(
    Files, TagFile, testing::ValuesIn(FileCases()), [](const auto& info) { return info.param.Name; });

TEST_F(TagFile, FramesAreFoundByIdentifierOrKindCountingFromOne)
{
    const Bytes comment = Frame("COMM", Concat({ { 0x00 }, BytesOf("eng"), { 0x00 } }));
    WriteFileBytes(file,
        Concat({ Tag(3, Concat({ Frame("TIT2", TextBody("a")), comment, comment })), ID3v1Record({}) }));
    const TID3v2Class tag(file);
    EXPECT_EQ(std::vector<const TTag*>({ tag.FindFrameByID("COMM", 2), tag.FindFrameByID("COMM", 3),
                  tag.FindFrameByID("comm", 1), tag.FindFrameByID("COM", 1),
                  tag.FindFrameByClass<TCOMMTag>(2), tag.FindFrameByClass<TTag>(4),
                  tag.FindFrameByClass<TID3v1Tag>(1), tag.FindFrameByClass<TAPICTag>(1) }),
        std::vector<const TTag*>({ tag.GetFrame(3), nullptr, nullptr, nullptr, tag.GetFrame(3),
            tag.GetFrame(3), tag.GetFrame(0), nullptr }));
}

TEST_F(TagFile, TheFirstMPEGHeaderIsSearchedAfterTheTag)
{
    const Bytes tagBytes = Tag(3, Frame("TIT2", TextBody("\xFF\xFB\x90\x64")), 10);
    WriteFileBytes(file, Concat({ tagBytes, { 0x00, 0x20 }, Audio(5), ID3v1Record({}) }));
    const TID3v2Class tag(file);
    const TMPEGHeaderInfo i = tag.GetMPEGInfo();
    const auto fileSize = static_cast<std::int64_t>(tagBytes.size() + 2 + 5 * 417 + 128);
    EXPECT_EQ(std::tuple(i.Version, i.SamplingRate, i.FrameLength, i.FileSize, i.FrameCount, tag.AudioSize),
        std::tuple(3, 44100u, 418, fileSize, 5, 5 * 417 - 4 - 2));
}

TEST_F(TagFile, AFileThatCannotBeOpenedIsAnErrorNamingIt)
{
    EXPECT_THAT(ErrorOf([&] { TID3v2Class tag(dir / "missing.mp3"); }), HasSubstr("missing.mp3"));
    std::filesystem::create_directory(dir / "folder.mp3");
    EXPECT_THAT(ErrorOf([&] { TID3v2Class tag(dir / "folder.mp3"); }), HasSubstr("folder.mp3"));
}

// A small compressed body may claim to inflate to anything; the inflation stops at its limit.
TEST(Inflate, StopsAtItsLimit)
{
    const Bytes packed = Compressed(Bytes(5000, 'x'));
    EXPECT_EQ(Inflate(packed, 5000), ByteVector(5000, 'x'));
    EXPECT_EQ(Inflate(packed, 4999), std::nullopt);
}

} // namespace
} // namespace vennart::tags
