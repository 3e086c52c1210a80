// Each frame kind read from hand-written bytes, checked field by field, and written back to exact bytes.
#include "platform/SystemCodePage.h"
#include "support/Id3Builder.h"
#include "support/TestNames.h"
#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/FrameFactory.h"
#include "tags/ID3v2Types.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"

#include <gtest/gtest.h>
#include <set>
#include <typeindex>

namespace vennart::tags {
namespace {

using namespace std::literals;
using test::Bytes;
using test::BytesOf;
using test::Frame;
using Fields = std::vector<WideString>;

WideString Widen(const HeldBytes& held)
{
    const SharedBytes bytes = held.Load();
    return WidenSystem(AnsiString(bytes.begin(), bytes.end()));
}

WideString Number(int value)
{
    return WidenSystem(std::to_string(value));
}

// The frame's kind and every field it holds, 8-bit and binary fields widened byte for byte.
Fields FieldsOf(const TTag& frame)
{
    if (const auto* f = dynamic_cast<const TTxxxTag*>(&frame)) {
        Fields fields { u"text", Number(f->Encoding), f->Text };
        fields.insert(fields.end(), f->MoreStrings.begin(), f->MoreStrings.end());
        return fields;
    }
    if (const auto* f = dynamic_cast<const TWURLTag*>(&frame))
        return { u"url", WidenSystem(f->URL) };
    if (const auto* f = dynamic_cast<const TWXXXTag*>(&frame))
        return { u"wxxx", Number(f->Encoding), f->Description, f->URL };
    if (const auto* f = dynamic_cast<const TCOMMTag*>(&frame))
        return { u"comment", Number(f->Encoding), WidenSystem(f->Language), f->Description, f->Text };
    if (const auto* f = dynamic_cast<const TAPICTag*>(&frame)) {
        return { u"picture", Number(f->Encoding), WidenSystem(f->MIMEType), Number(f->PictureType),
            f->Description, Widen(f->PictureData) };
    }
    if (const auto* f = dynamic_cast<const TPRIVTag*>(&frame))
        return { u"private", WidenSystem(f->Owner), Widen(f->PrivateData) };
    if (const auto* f = dynamic_cast<const TUnknownTag*>(&frame))
        return { u"unknown", Widen(f->RawData) };
    return { u"?" };
}

struct FrameCase {
    const char* Name;
    Bytes Input; // a whole frame as a file holds it
    Fields Expected;
    Bytes Written = {}; // when it differs from Input
};

VENNART_PRINT_ROW_AS(FrameCase, row.Name)

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
    EXPECT_EQ(FieldsOf(*frame), c.Expected);
    ByteWriter writer;
    frame->SaveToStream(writer, FrameSizeFormat::Plain);
    const Bytes& expected = c.Written.empty() ? c.Input : c.Written;
    EXPECT_EQ(writer.Data(), expected);
    EXPECT_EQ(frame->GetSize(), expected.size());
}

// Frame of an identifier and a body spelled as bytes.
Bytes F(std::string_view id, std::string_view body, std::uint16_t flags = 0)
{
    return Frame(id, BytesOf(body), flags);
}

const FrameCase kCases[] = {
    { "TextUtf16", F("TIT2", "\1\xFF\xFE\x41\0\x42\0"sv), { u"text", u"1", u"AB" } },
    { "TextUtf16BigEndianIsWrittenLowByteFirst", F("TIT2", "\1\xFE\xFF\0A\0B"sv), { u"text", u"1", u"AB" },
        F("TIT2", "\1\xFF\xFE\x41\0\x42\0"sv) },
    { "TextKeepsStringsAfterTheFirst", F("TPE1", "\0AB\0C"sv), { u"text", u"0", u"AB", u"C" } },
    { "TextTrailingTerminatorIsDropped", F("TALB", "\0abc\0\0"sv), { u"text", u"0", u"abc" },
        F("TALB", "\0abc"sv) },
    { "TextMultipleValuesWithAnEmptyOne", F("TCOM", "\3a\0\0b"sv), { u"text", u"3", u"a", u"", u"b" } },
    { "TextUnknownEncodingIsWrittenAsFF", F("TYER", "\7year"), { u"text", u"4", u"year" },
        F("TYER", "\xFFyear") },
    { "TextEmptyBody", F("TRCK", ""), { u"text", u"0", u"" }, F("TRCK", "\0"sv) },
    { "TxxxDescriptionAndValue", F("TXXX", "\0REPLAYGAIN\0-6.5 dB"sv),
        { u"text", u"0", u"REPLAYGAIN", u"-6.5 dB" } },
    { "TxxxUtf16", F("TXXX", "\1\xFF\xFEq\0\0\0\xFF\xFE\x16\x04"sv), { u"text", u"1", u"q", u"\u0416" } },
    { "TextUtf16BE", F("TIT2", "\2\x04\x16\0A"sv), { u"text", u"2", u"\u0416A" } },
    { "UrlKeepsEveryByte", F("WOAR", "http\0"sv), { u"url", u"http\0"s } },
    { "Wxxx", F("WXXX", "\0home\0http://x.org"sv), { u"wxxx", u"0", u"home", u"http://x.org" } },
    { "WxxxUtf16UrlIsReadAndWrittenAsLatin1", F("WXXX", "\1\xFF\xFE\0\0\xFF\xFEu\0"sv),
        { u"wxxx", u"1", u"", u"u" }, F("WXXX", "\1\xFF\xFE\0\0u"sv) },
    { "Comment", F("COMM", "\0engdesc\0text"sv), { u"comment", u"0", u"eng", u"desc", u"text" } },
    { "CommentUtf16", F("COMM", "\1\0\0\0\xFF\xFE\0\0\xFF\xFEh\0i\0"sv),
        { u"comment", u"1", u"\0\0\0"s, u"", u"hi" } },
    { "CommentTooShortForItsLanguage", F("COMM", "\0e"sv), { u"comment", u"0", u"e\0\0"s, u"", u"" },
        F("COMM", "\0e\0\0\0"sv) },
    { "Picture", F("APIC", "\0image/png\0\3cover\0\x89P\0\xFF"sv),
        { u"picture", u"0", u"image/png", u"3", u"cover", u"\x89P\0\xFF"s } },
    { "PictureTypeAbove20BecomesZero", F("APIC", "\0x\0\x19\0\xAA"sv),
        { u"picture", u"0", u"x", u"0", u"", u"\xAA" }, F("APIC", "\0x\0\0\0\xAA"sv) },
    { "PictureWithoutData", F("APIC", "\1x\0\1\xFF\xFEq\0\0\0"sv),
        { u"picture", u"1", u"x", u"1", u"q", u"" } },
    { "PictureDescriptionWithoutTerminatorLeavesNoData", F("APIC", "\0x\0\1abc"sv),
        { u"picture", u"0", u"x", u"1", u"abc", u"" }, F("APIC", "\0x\0\1abc\0"sv) },
    { "Private", F("PRIV", "owner\0\1\0\2"sv), { u"private", u"owner", u"\1\0\2"s } },
    { "UnknownKeepsBodyAndFlags", F("USLT", "\0eng\0la"sv, 0x4000), { u"unknown", u"\0eng\0la"s } },
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

TEST(FrameCodec, AFrameReadTakesItsNamesFromTheTable)
{
    const auto frame = Load(kCases[0].Input);
    EXPECT_EQ(frame->ShortName, "Title");
    EXPECT_EQ(frame->LongName, "Title/songname/content description");
}

TEST(FrameFactory, IdentifiersOutsideTheTableSelectTheKindByTheirFirstLetter)
{
    for (const auto& [id, kind] : { std::pair<const char*, std::type_index> { "TZZZ", typeid(TTxxxTag) },
             { "W000", typeid(TWURLTag) }, { "GEOB", typeid(TUnknownTag) } }) {
        const auto frame = CreateFrame(id);
        EXPECT_EQ(std::type_index(typeid(*frame)), kind) << id;
        EXPECT_EQ(frame->ID, id);
    }
}

TEST(FrameSetters, MarkChangedOnlyWhenTheValueDiffers)
{
    auto text = TTxxxTag::CreateWithText("TIT2", u"Song");
    EXPECT_EQ(text->Encoding, teUTF16);
    text->SetText(u"Song");
    EXPECT_FALSE(text->Changed);
    text->SetText(u"song");
    EXPECT_TRUE(text->Changed);

    auto url = TWURLTag::CreateWithURL("WOAR", "http://a");
    url->SetURL("http://a");
    EXPECT_FALSE(url->Changed);

    TCOMMTag comment;
    comment.SetText(u"");
    EXPECT_FALSE(comment.Changed);
    comment.SetLanguage("eng");
    EXPECT_TRUE(comment.Changed);
    EXPECT_EQ(comment.Language, "eng");
}

} // namespace
} // namespace vennart::tags
