// Tags other programs wrote: ID3v2.2, compressed and unsynchronised frames, plain sizes in 2.4, WXXX
// URLs, frames no 2.3 tag can hold, and tag sizes that claim more than the frames or the file hold.
#include "platform/SystemCodePage.h"
#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "support/TextTestSupport.h"
#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/FrameBody.h"
#include "tags/ID3v2Class.h"
#include "tags/ID3v2Writer.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zlib.h>

namespace vennart::tags {
namespace {

using namespace std::string_literals;
using test::Audio;
using test::Bytes;
using test::BytesOf;
using test::Concat;
using test::Frame;
using test::SizeStyle;
using test::Tag;
using test::TextBody;

Bytes Compressed(const Bytes& plain)
{
    uLongf size = compressBound(plain.size());
    Bytes packed(size);
    EXPECT_EQ(compress(packed.data(), &size, plain.data(), plain.size()), Z_OK);
    packed.resize(size);
    return packed;
}

Bytes BigEndian32(std::uint32_t value)
{
    return { static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
        static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value) };
}

Bytes V22Frame(std::string_view id, const Bytes& body)
{
    const auto size = static_cast<std::uint32_t>(body.size());
    return Concat({ BytesOf(id),
        { static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 8),
            static_cast<std::uint8_t>(size) },
        body });
}

// Each frame as identifier, flags and the text of its main field (a picture: MIME type and data).
std::string Describe(const TTag& frame)
{
    std::string main = "<kept>";
    if (const auto* text = dynamic_cast<const TTxxxTag*>(&frame))
        main = NarrowSystem(text->Text);
    else if (const auto* comment = dynamic_cast<const TCOMMTag*>(&frame))
        main = NarrowSystem(comment->Text);
    else if (const auto* url = dynamic_cast<const TWXXXTag*>(&frame))
        main = NarrowSystem(url->Description) + "|" + NarrowSystem(url->URL);
    else if (const auto* picture = dynamic_cast<const TAPICTag*>(&frame)) {
        const SharedBytes data = picture->PictureData.Load();
        main = picture->MIMEType + "|" + std::string(data.begin(), data.end());
    }
    return frame.ID + " " + std::to_string(frame.Flags) + " " + main;
}

std::vector<std::string> Describe(const TID3v2Class& tag)
{
    std::vector<std::string> frames;
    for (const auto& frame : tag.Frames)
        frames.push_back(Describe(*frame));
    return frames;
}

struct ForeignCase {
    std::string Name;
    Bytes Tag;
    std::vector<std::string> Frames;
};

void PrintTo(const ForeignCase& c, std::ostream* out)
{
    *out << c.Name;
}

std::vector<ForeignCase> ForeignCases()
{
    const Bytes title = TextBody("Title");
    const Bytes longTitle = TextBody(std::string(299, 'x'));
    const Bytes pic
        = Concat({ { 0 }, BytesOf("PNG"), { 3 }, BytesOf("cover"), { 0 }, { 0x89, 'P', 0, 0xFF } });
    const Bytes comment = Concat({ { 0 }, BytesOf("engdesc"), { 0 }, BytesOf("text") });
    Bytes unsynchronised = Concat({ { 0 }, BytesOf("a"), { 0xFF, 0x00, 0xE0 } });
    return {
        { "V22FramesBecomeTheir23Counterparts",
            Tag(2,
                Concat({ V22Frame("TT2", title), V22Frame("TP1", TextBody("Artist")),
                    V22Frame("COM", comment), V22Frame("PIC", pic), V22Frame("CRM", BytesOf("secret")) })),
            { "TIT2 0 Title", "TPE1 0 Artist", "COMM 0 text", "APIC 0 image/png|\x89P\0\xFF"s,
                "CRM 0 <kept>" } },
        { "V23ZlibCompressedTitle",
            Tag(3, Frame("TIT2", Concat({ BigEndian32(title.size()), Compressed(title) }), 0x0080)),
            { "TIT2 0 Title" } },
        { "V24ZlibCompressedTitleWithDataLength",
            Tag(4, Frame("TIT2", Concat({ { 0, 0, 0, 6 }, Compressed(title) }), 0x4009, SizeStyle::Syncsafe)),
            { "TIT2 16384 Title" } },
        { "V24UnsynchronisedFrame", Tag(4, Frame("TIT2", unsynchronised, 0x0002, SizeStyle::Syncsafe)),
            { "TIT2 0 a\xFF\xE0" } },
        { "V24PlainSizeAbove127", Tag(4, Concat({ Frame("TIT2", longTitle), Frame("TALB", TextBody("b")) })),
            { "TIT2 0 " + std::string(299, 'x'), "TALB 0 b" } },
        { "DamagedZlibDataStayOpaque",
            Tag(3, Frame("TIT2", Concat({ BigEndian32(6), { 0x78, 0x9C, 1 } }), 0x0080)),
            { "TIT2 128 <kept>" } },
        { "EncryptedFrameStaysOpaque", Tag(3, Frame("TIT2", Concat({ { 1 }, title }), 0x0040)),
            { "TIT2 64 <kept>" } },
        { "WxxxUtf16DescriptionLatin1Url",
            Tag(3,
                Frame("WXXX", Concat({ { 1 }, test::Utf16LE(u"d"), { 0, 0 }, BytesOf("http://\xE9.org") }))),
            { "WXXX 0 d|http://\xE9.org" } },
        { "WxxxUtf16Url",
            Tag(3,
                Frame("WXXX", Concat({ { 1 }, test::Utf16LE(u"d"), { 0, 0 }, test::Utf16LE(u"http://x") }))),
            { "WXXX 0 d|http://x" } },
    };
}

class ForeignTag : public testing::TestWithParam<ForeignCase> {
protected:
    test::TempDir dir;
    std::filesystem::path file = dir / "song.mp3";
};

TEST_P(ForeignTag, IsReadAndSavedWithEveryValue)
{
    test::WriteFileBytes(file, Concat({ GetParam().Tag, Audio(2) }));
    TID3v2Class tag(file);
    EXPECT_EQ(Describe(tag), GetParam().Frames);
    tag.Save();
    const TID3v2Class saved(file);
    std::vector<std::string> expected;
    const std::vector<AnsiString> lost = UnwritableFrames(tag.Frames);
    for (const auto& frame : tag.Frames) {
        if (std::ranges::find(lost, frame->ID) == lost.end())
            expected.push_back(Describe(*frame));
    }
    EXPECT_EQ(Describe(saved), expected);
    EXPECT_EQ(saved.Version >> 8, GetParam().Tag[3] == 2 ? 3 : GetParam().Tag[3]);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ForeignTag, testing::ValuesIn(ForeignCases()), [](const auto& info) { return info.param.Name; });

TEST(Inflate, StopsAtItsLimit)
{
    const Bytes packed = Compressed(Bytes(5000, 'x'));
    EXPECT_EQ(Inflate(packed, 5000), ByteVector(5000, 'x'));
    EXPECT_EQ(Inflate(packed, 4999), std::nullopt);
}

TEST(UnwritableFrames, ARawV22FrameIsNamedAndLeftOutOfTheRenderedTag)
{
    FrameList frames;
    auto kept = std::make_unique<TUnknownTag>();
    kept->ID = "CRM";
    frames.push_back(std::move(kept));
    frames.push_back(TTxxxTag::CreateWithText("TIT2", u"t"));
    EXPECT_EQ(UnwritableFrames(frames), std::vector<AnsiString> { "CRM" });
    const ByteVector rendered = RenderID3v2Tag(ID3v2Header {}, frames, "a.mp3");
    EXPECT_EQ(std::string(rendered.begin() + 10, rendered.begin() + 14), "TIT2");
}

TEST(WxxxUrl, CharactersBeyondLatin1AreWrittenPercentEncodedAsUtf8)
{
    TWXXXTag url;
    url.Encoding = teUTF16;
    url.URL = u"http://ж.ru/é";
    ByteWriter writer;
    url.SaveToStream(writer, FrameSizeFormat::Plain);
    const std::string written(writer.Data().begin() + 10, writer.Data().end());
    EXPECT_EQ(written, "\x01\xFF\xFE\0\0http://%D0%B6.ru/\xE9"s);
    EXPECT_EQ(url.GetSize(), writer.Data().size());
}

struct SizeCase {
    std::string Name;
    Bytes Tag;
};

void PrintTo(const SizeCase& c, std::ostream* out)
{
    *out << c.Name;
}

class UntrustedTagSize : public testing::TestWithParam<SizeCase> {
protected:
    test::TempDir dir;
    std::filesystem::path file = dir / "song.mp3";
};

// What follows the frames is audio the size field wrongly claimed: it is copied, byte for byte.
TEST_P(UntrustedTagSize, EndsTheTagAtItsLastFrameAndCopiesTheRest)
{
    const Bytes frames = Frame("TIT2", TextBody("t"));
    const Bytes audio = Audio(3);
    test::WriteFileBytes(file, Concat({ GetParam().Tag, frames, audio }));
    TID3v2Class tag(file);
    EXPECT_EQ(tag.AudioStart(), static_cast<std::int64_t>(10 + frames.size()));
    tag.Save();
    const Bytes saved = test::ReadFileBytes(file);
    const TID3v2Class again(file);
    EXPECT_EQ(Bytes(saved.begin() + again.AudioStart(), saved.end()), audio);
    EXPECT_EQ(again.FrameCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, UntrustedTagSize,
    testing::Values(SizeCase { "ClaimsMoreThanTheFileHolds", test::TagHeader(3, 256 * 1024 * 1024 - 1) },
        SizeCase { "ClaimsTheAudioAfterItsFrames", test::TagHeader(3, 11 + 2 * test::kAudioFrameLength) }),
    [](const auto& info) { return info.param.Name; });

TEST(UntrustedTagSize, AnUnsynchronisedTagClaimingMoreThanTheFileIsNotSaved)
{
    const test::TempDir dir;
    const auto file = dir / "song.mp3";
    test::WriteFileBytes(
        file, Concat({ test::TagHeader(3, 1 << 20, 0x80), Frame("TIT2", TextBody("t")), Audio(2) }));
    TID3v2Class tag(file);
    const Bytes before = test::ReadFileBytes(file);
    EXPECT_THAT(test::ErrorOf([&] { tag.Save(); }), testing::HasSubstr(file.string()));
    EXPECT_EQ(test::ReadFileBytes(file), before);
}

} // namespace
} // namespace vennart::tags
