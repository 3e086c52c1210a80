// Each frame kind read from hand-written bytes, checked field by field, and written back to exact bytes.
#include "support/Id3Builder.h"
#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/FrameFactory.h"
#include "tags/ID3v2Types.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <typeindex>

namespace vennart::tags {
namespace {

using test::Bytes;
using test::BytesOf;
using test::Concat;
using test::Frame;
using test::Utf16LE;

struct FrameCase {
    const char* Name;
    Bytes Input; // a whole frame as a file holds it
    std::function<void(const TTag&)> Check;
    Bytes Written = {}; // when it differs from Input
};

template <class T> const T& As(const TTag& frame)
{
    const auto* typed = dynamic_cast<const T*>(&frame);
    if (!typed)
        throw std::runtime_error("frame " + frame.ID + " has the wrong kind");
    return *typed;
}

std::unique_ptr<TTag> Load(const Bytes& input)
{
    auto frame = CreateFrame(AnsiString(input.begin(), input.begin() + 4));
    ByteReader reader(input);
    frame->LoadFromStream(reader, FrameSizeFormat::Plain);
    EXPECT_TRUE(reader.AtEnd());
    return frame;
}

class FrameCodec : public testing::TestWithParam<FrameCase> { };

TEST_P(FrameCodec, ReadsFieldsAndWritesExactBytes)
{
    const FrameCase& c = GetParam();
    const auto frame = Load(c.Input);
    EXPECT_FALSE(frame->Changed);
    c.Check(*frame);
    ByteWriter writer;
    frame->SaveToStream(writer, FrameSizeFormat::Plain);
    const Bytes& expected = c.Written.empty() ? c.Input : c.Written;
    EXPECT_EQ(writer.Data(), expected);
    EXPECT_EQ(frame->GetSize(), expected.size());
}

const FrameCase kCases[] = {
    { "TextUtf16", Frame("TIT2", { 0x01, 0xFF, 0xFE, 0x41, 0x00, 0x42, 0x00 }),
        [](const TTag& f) {
            EXPECT_EQ(As<TTxxxTag>(f).Encoding, teUTF16);
            EXPECT_EQ(As<TTxxxTag>(f).Text, u"AB");
            EXPECT_EQ(f.ShortName, "Title");
            EXPECT_EQ(f.LongName, "Title/songname/content description");
        } },
    { "TextUtf16BigEndianIsWrittenLowByteFirst", Frame("TIT2", { 0x01, 0xFE, 0xFF, 0x00, 0x41, 0x00, 0x42 }),
        [](const TTag& f) { EXPECT_EQ(As<TTxxxTag>(f).Text, u"AB"); },
        Frame("TIT2", { 0x01, 0xFF, 0xFE, 0x41, 0x00, 0x42, 0x00 }) },
    { "TextKeepsStringsAfterTheFirst",
        Frame("TPE1", Concat({ { 0x00 }, BytesOf("AB"), { 0x00 }, BytesOf("C") })),
        [](const TTag& f) {
            EXPECT_EQ(As<TTxxxTag>(f).Text, u"AB");
            EXPECT_EQ(As<TTxxxTag>(f).MoreStrings, std::vector<WideString> { u"C" });
        } },
    { "TextTrailingTerminatorIsDropped", Frame("TALB", Concat({ { 0x00 }, BytesOf("abc"), { 0x00, 0x00 } })),
        [](const TTag& f) { EXPECT_TRUE(As<TTxxxTag>(f).MoreStrings.empty()); },
        Frame("TALB", Concat({ { 0x00 }, BytesOf("abc") })) },
    { "TextMultipleValuesWithAnEmptyOne",
        Frame("TCOM", Concat({ { 0x03 }, BytesOf("a"), { 0, 0 }, BytesOf("b") })),
        [](const TTag& f) {
            EXPECT_EQ(As<TTxxxTag>(f).MoreStrings, (std::vector<WideString> { u"", u"b" }));
        } },
    { "TextUnknownEncodingIsWrittenAsFF", Frame("TYER", Concat({ { 0x07 }, BytesOf("1999") })),
        [](const TTag& f) {
            EXPECT_EQ(As<TTxxxTag>(f).Encoding, teUnknown);
            EXPECT_EQ(As<TTxxxTag>(f).Text, u"1999");
        },
        Frame("TYER", Concat({ { 0xFF }, BytesOf("1999") })) },
    { "TextEmptyBody", Frame("TRCK", {}),
        [](const TTag& f) {
            EXPECT_EQ(As<TTxxxTag>(f).Encoding, teISO88591);
            EXPECT_EQ(As<TTxxxTag>(f).Text, u"");
        },
        Frame("TRCK", { 0x00 }) },
    { "TxxxDescriptionAndValue",
        Frame("TXXX", Concat({ { 0x00 }, BytesOf("REPLAYGAIN"), { 0x00 }, BytesOf("-6.5 dB") })),
        [](const TTag& f) {
            EXPECT_EQ(As<TTxxxTag>(f).Text, u"REPLAYGAIN");
            EXPECT_EQ(As<TTxxxTag>(f).MoreStrings, std::vector<WideString> { u"-6.5 dB" });
        } },
    { "TxxxUtf16", Frame("TXXX", Concat({ { 0x01 }, Utf16LE(u"d"), { 0, 0 }, Utf16LE(u"\u0416") })),
        [](const TTag& f) {
            EXPECT_EQ(As<TTxxxTag>(f).MoreStrings, std::vector<WideString> { u"\u0416" });
        } },
    { "TextUtf16BE", Frame("TIT2", { 0x02, 0x04, 0x16, 0x00, 0x41 }),
        [](const TTag& f) { EXPECT_EQ(As<TTxxxTag>(f).Text, u"\u0416A"); } },
    { "UrlKeepsEveryByte", Frame("WOAR", BytesOf(std::string_view("http\0", 5))),
        [](const TTag& f) { EXPECT_EQ(As<TWURLTag>(f).URL, AnsiString("http\0", 5)); } },
    { "Wxxx", Frame("WXXX", Concat({ { 0x00 }, BytesOf("home"), { 0x00 }, BytesOf("http://x.org") })),
        [](const TTag& f) {
            EXPECT_EQ(As<TWXXXTag>(f).Description, u"home");
            EXPECT_EQ(As<TWXXXTag>(f).URL, u"http://x.org");
        } },
    { "WxxxUtf16", Frame("WXXX", Concat({ { 0x01 }, Utf16LE(u""), { 0, 0 }, Utf16LE(u"u") })),
        [](const TTag& f) { EXPECT_EQ(As<TWXXXTag>(f).URL, u"u"); } },
    { "Comment",
        Frame("COMM", Concat({ { 0x00 }, BytesOf("eng"), BytesOf("desc"), { 0x00 }, BytesOf("text") })),
        [](const TTag& f) {
            const auto& comm = As<TCOMMTag>(f);
            EXPECT_EQ(comm.Language, "eng");
            EXPECT_EQ(comm.Description, u"desc");
            EXPECT_EQ(comm.Text, u"text");
        } },
    { "CommentUtf16",
        Frame("COMM", Concat({ { 0x01 }, { 0, 0, 0 }, Utf16LE(u""), { 0, 0 }, Utf16LE(u"hi") })),
        [](const TTag& f) {
            EXPECT_EQ(As<TCOMMTag>(f).Language, AnsiString(3, '\0'));
            EXPECT_EQ(As<TCOMMTag>(f).Text, u"hi");
        } },
    { "CommentTooShortForItsLanguage", Frame("COMM", { 0x00, 0x65 }),
        [](const TTag& f) { EXPECT_EQ(As<TCOMMTag>(f).Language, AnsiString("e\0\0", 3)); },
        Frame("COMM", { 0x00, 0x65, 0x00, 0x00, 0x00 }) },
    { "Picture",
        Frame("APIC",
            Concat({ { 0x00 }, BytesOf("image/png"), { 0x00, 0x03 }, BytesOf("cover"),
                { 0x00, 0x89, 0x50, 0x00, 0xFF } })),
        [](const TTag& f) {
            const auto& apic = As<TAPICTag>(f);
            EXPECT_EQ(apic.MIMEType, "image/png");
            EXPECT_EQ(apic.PictureType, 3);
            EXPECT_EQ(apic.Description, u"cover");
            EXPECT_EQ(apic.PictureData.ToVector(), (ByteVector { 0x89, 0x50, 0x00, 0xFF }));
        } },
    { "PictureTypeAbove20BecomesZero",
        Frame("APIC", Concat({ { 0x00 }, BytesOf("x"), { 0x00, 25, 0x00, 0xAA, 0xBB } })),
        [](const TTag& f) { EXPECT_EQ(As<TAPICTag>(f).PictureType, 0); },
        Frame("APIC", Concat({ { 0x00 }, BytesOf("x"), { 0x00, 0, 0x00, 0xAA, 0xBB } })) },
    { "PictureWithoutData",
        Frame("APIC", Concat({ { 0x01 }, BytesOf("x"), { 0x00, 0x01 }, test::Utf16LE(u"d"), { 0, 0 } })),
        [](const TTag& f) {
            EXPECT_EQ(As<TAPICTag>(f).Description, u"d");
            EXPECT_TRUE(As<TAPICTag>(f).PictureData.empty());
        } },
    { "PictureDescriptionWithoutTerminatorLeavesNoData",
        Frame("APIC", Concat({ { 0x00 }, BytesOf("x"), { 0x00, 0x01 }, BytesOf("abc") })),
        [](const TTag& f) {
            EXPECT_EQ(As<TAPICTag>(f).Description, u"abc");
            EXPECT_TRUE(As<TAPICTag>(f).PictureData.empty());
        },
        Frame("APIC", Concat({ { 0x00 }, BytesOf("x"), { 0x00, 0x01 }, BytesOf("abc"), { 0x00 } })) },
    { "Private", Frame("PRIV", Concat({ BytesOf("owner"), { 0x00, 0x01, 0x00, 0x02 } })),
        [](const TTag& f) {
            EXPECT_EQ(As<TPRIVTag>(f).Owner, "owner");
            EXPECT_EQ(As<TPRIVTag>(f).PrivateData.ToVector(), (ByteVector { 0x01, 0x00, 0x02 }));
        } },
    { "UnknownKeepsTheBody", Frame("USLT", { 0x00, 'e', 'n', 'g', 0x00, 'l', 'a' }, 0x4000),
        [](const TTag& f) {
            EXPECT_EQ(
                As<TUnknownTag>(f).RawData.ToVector(), (ByteVector { 0x00, 'e', 'n', 'g', 0x00, 'l', 'a' }));
            EXPECT_EQ(f.Flags, 0x4000);
            EXPECT_EQ(f.ShortName, "Unsync Lyrics");
        } },
};

INSTANTIATE_TEST_SUITE_P(EveryKind, FrameCodec, testing::ValuesIn(kCases),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FrameCodec, EveryFrameKindHasARow)
{
    std::set<std::type_index> covered;
    for (const FrameCase& c : kCases)
        covered.insert(typeid(*Load(c.Input)));
    for (const TagListRecord& row : TagListRecords())
        EXPECT_TRUE(covered.contains(typeid(*CreateFrame(AnsiString(row.ID))))) << row.ID;
}

TEST(FrameFactory, IdentifierSelectsTheKind)
{
    EXPECT_NE(dynamic_cast<TTxxxTag*>(CreateFrame("TXXX").get()), nullptr);
    EXPECT_NE(dynamic_cast<TTxxxTag*>(CreateFrame("TZZZ").get()), nullptr);
    EXPECT_NE(dynamic_cast<TWXXXTag*>(CreateFrame("WXXX").get()), nullptr);
    EXPECT_NE(dynamic_cast<TWURLTag*>(CreateFrame("WCOM").get()), nullptr);
    EXPECT_NE(dynamic_cast<TWURLTag*>(CreateFrame("W000").get()), nullptr);
    EXPECT_NE(dynamic_cast<TUnknownTag*>(CreateFrame("USLT").get()), nullptr);
    EXPECT_NE(dynamic_cast<TUnknownTag*>(CreateFrame("GEOB").get()), nullptr);
    EXPECT_EQ(CreateFrame("GEOB")->ID, "GEOB");
}

TEST(FrameSetters, MarkChangedOnlyWhenTheValueDiffers)
{
    auto text = TTxxxTag::CreateWithText("TIT2", u"Song");
    EXPECT_FALSE(text->Changed);
    EXPECT_EQ(text->Encoding, teUTF16);
    text->SetText(u"Song");
    EXPECT_FALSE(text->Changed);
    text->SetText(u"song");
    EXPECT_TRUE(text->Changed);

    auto url = TWURLTag::CreateWithURL("WOAR", "http://a");
    url->SetURL("http://a");
    EXPECT_FALSE(url->Changed);
    EXPECT_EQ(url->ShortName, "Artist webpage");

    TCOMMTag comment;
    EXPECT_EQ(comment.ShortName, "Comment");
    comment.SetText(u"");
    EXPECT_FALSE(comment.Changed);
    comment.SetLanguage("eng");
    EXPECT_TRUE(comment.Changed);
    EXPECT_EQ(comment.Language, "eng");
}

TEST(FrameSetters, ASyncsafeHeaderIsWrittenSevenBitsPerByte)
{
    auto frame = TTxxxTag::CreateWithText("TIT2", WideString(200, u'x'));
    frame->Encoding = teISO88591;
    ByteWriter writer;
    frame->SaveToStream(writer, FrameSizeFormat::Syncsafe);
    EXPECT_EQ(Bytes(writer.Data().begin(), writer.Data().begin() + 10),
        (Bytes { 'T', 'I', 'T', '2', 0x00, 0x00, 0x01, 0x49, 0x00, 0x00 }));
}

} // namespace
} // namespace vennart::tags
