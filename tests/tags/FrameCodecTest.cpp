// Each frame kind, the ID3v1 record and the text strings inside frames: read from hand-written bytes,
// checked field by field, and written back to exact bytes.
#include "TagChecks.h"
#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/FrameFactory.h"
#include "tags/ID3v1Genre.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Types.h"
#include "tags/TextEncoding.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"

#include <gtest/gtest.h>
#include <set>
#include <typeindex>

namespace vennart::tags {
namespace {

using namespace std::literals;
using namespace test;

struct FrameCase {
    const char* Name;
    Bytes Input; // a whole frame as a file holds it
    WideString Expected;
    Bytes Written = {}; // when it differs from Input
};

std::unique_ptr<TTag> Load(const Bytes& input)
{
    auto frame = CreateFrame(AnsiString(input.begin(), input.begin() + 4));
    ByteReader reader(input);
    frame->LoadFromStream(reader, FrameSizeFormat::Plain);
    EXPECT_TRUE(reader.AtEnd());
    return frame;
}

Bytes Written(const TTag& frame)
{
    ByteWriter writer;
    frame.SaveToStream(writer, FrameSizeFormat::Plain);
    return writer.Data();
}

// Frame of an identifier and a body spelled as bytes.
Bytes F(std::string_view id, std::string_view body, std::uint16_t flags = 0)
{
    return Frame(id, BytesOf(body), flags);
}

const FrameCase kCases[] = {
    { "TextUtf16", F("TIT2", "\1\xFF\xFE\x41\0\x42\0"sv), u"text|1|AB" },
    { "TextUtf16BigEndianIsWrittenLowByteFirst", F("TIT2", "\1\xFE\xFF\0A\0B"sv), u"text|1|AB",
        F("TIT2", "\1\xFF\xFE\x41\0\x42\0"sv) },
    { "TextKeepsStringsAfterTheFirst", F("TPE1", "\0AB\0C"sv), u"text|0|AB|C" },
    { "TextTrailingTerminatorIsDropped", F("TALB", "\0abc\0\0"sv), u"text|0|abc", F("TALB", "\0abc"sv) },
    { "TextMultipleValuesWithAnEmptyOne", F("TCOM", "\3a\0\0b"sv), u"text|3|a||b" },
    { "TextUnknownEncodingIsWrittenAsFF", F("TYER", "\7year"), u"text|4|year", F("TYER", "\xFFyear") },
    { "TextEmptyBody", F("TRCK", ""), u"text|0|", F("TRCK", "\0"sv) },
    { "TxxxUtf16", F("TXXX", "\1\xFF\xFEq\0\0\0\xFF\xFE\x16\x04"sv), u"text|1|q|\u0416" },
    { "TextUtf16BE", F("TIT2", "\2\x04\x16\0A"sv), u"text|2|\u0416A" },
    { "UrlKeepsEveryByte", F("WOAR", "http\0"sv), u"url|http\0"s },
    { "Wxxx", F("WXXX", "\0home\0http://x.org"sv), u"wxxx|0|home|http://x.org" },
    { "WxxxUtf16DescriptionLatin1Url", F("WXXX", "\1\xFF\xFE\x64\0\0\0http://\xE9.org"sv),
        u"wxxx|1|d|http://\xE9.org" },
    // ж, é, 日 and 😀 in UTF-16, written as Latin-1 with the rest percent-encoded as UTF-8.
    { "WxxxUtf16UrlIsReadAndWrittenAsLatin1",
        F("WXXX", "\1\xFF\xFE\0\0\xFF\xFE\x36\x04\xE9\0\xE5\x65\x3D\xD8\0\xDE"sv),
        u"wxxx|1||\u0436\u00E9\u65E5\U0001F600",
        F("WXXX", "\1\xFF\xFE\0\0%D0%B6\xE9%E6%97%A5%F0%9F%98%80"sv) },
    { "Comment", F("COMM", "\0engdesc\0text"sv), u"comment|0|eng|desc|text" },
    { "CommentUtf16", F("COMM", "\1\0\0\0\xFF\xFE\0\0\xFF\xFEh\0i\0"sv), u"comment|1|\0\0\0||hi"s },
    { "CommentTooShortForItsLanguage", F("COMM", "\0e"sv), u"comment|0|e\0\0||"s, F("COMM", "\0e\0\0\0"sv) },
    { "Picture", F("APIC", "\0image/png\0\3cover\0\x89P\0\xFF"sv),
        u"picture|0|image/png|3|cover|\x89P\0\xFF"s },
    { "PictureTypeAbove20BecomesZero", F("APIC", "\0x\0\x19\0\xAA"sv), u"picture|0|x|0||\xAA",
        F("APIC", "\0x\0\0\0\xAA"sv) },
    { "PictureWithoutData", F("APIC", "\1x\0\1\xFF\xFEq\0\0\0"sv), u"picture|1|x|1|q|" },
    { "PictureDescriptionWithoutTerminatorLeavesNoData", F("APIC", "\0x\0\1abc"sv), u"picture|0|x|1|abc|",
        F("APIC", "\0x\0\1abc\0"sv) },
    { "Private", F("PRIV", "owner\0\1\0\2"sv), u"private|owner|\1\0\2"s },
    // Identifiers outside the table select the kind by their first letter.
    { "UnlistedTIsText", F("TZZZ", "\0z"sv), u"text|0|z" },
    { "UnlistedWIsUrl", F("W000", "u"), u"url|u" },
    { "UnknownKeepsBodyAndFlags", F("USLT", "\0eng\0la"sv, 0x4000), u"unknown|\0eng\0la"s },
};

TEST(FrameCodec, EveryKindReadsItsFieldsAndWritesExactBytesAndUnknownOnesGoByTheirFirstLetter)
{
    std::set<std::type_index> covered;
    for (const FrameCase& c : kCases) {
        SCOPED_TRACE(c.Name);
        const auto frame = Load(c.Input);
        covered.insert(typeid(*frame));
        EXPECT_FALSE(frame->Changed);
        EXPECT_EQ(FieldsOf(*frame), c.Expected);
        const Bytes& written = c.Written.empty() ? c.Input : c.Written;
        EXPECT_EQ(Written(*frame), written);
        EXPECT_EQ(frame->GetSize(), written.size());
    }
    // Every frame kind has a row, and frames take their names from the table.
    for (const TagListRecord& row : TagListRecords())
        EXPECT_TRUE(covered.contains(typeid(*CreateFrame(AnsiString(row.ID))))) << row.ID;
    const auto frame = Load(kCases[0].Input);
    EXPECT_EQ(std::tuple(frame->ShortName(), frame->LongName()),
        std::tuple("Title", "Title/songname/content description"));
    // The lookup of the table ignores case only where it should.
    AnsiString shortName = "x", description = "y";
    EXPECT_EQ(FindTagListRecord("tit2", shortName, description), 35);
    EXPECT_EQ(shortName, "Title");
    EXPECT_EQ(FindTagListRecord("TIT", shortName, description), -1);
    EXPECT_EQ(std::tuple(shortName, description), std::tuple(AnsiString(), AnsiString()));
    EXPECT_EQ(FindTagListRecord("TIT22", shortName, description), -1);
    EXPECT_EQ(FindTagListRecordExact("tit2"), nullptr);
}

struct StringCase {
    const char* Name;
    Bytes Input;
    TTextEncoding Encoding;
    std::ptrdiff_t MaxLength;
    WideString Text;
    std::size_t Consumed;
    bool Terminated;
};

const StringCase kStrings[] {
    { "Latin1StopsAtZero", { 0x41, 0x42, 0x00, 0x43 }, teISO88591, 10, u"AB", 3, true },
    { "Latin1BytesAreCharacters", { 0xE9, 0xFF, 0x80 }, teISO88591, 10, u"\u00E9\u00FF\u0080", 3, false },
    { "Utf8BytesAreNotDecoded", { 0xC3, 0xA9 }, teUTF8, 10, u"\u00C3\u00A9", 2, false },
    { "UnknownIsEightBit", { 0x41, 0x00 }, teUnknown, 10, u"A", 2, true },
    { "MaxLengthStops", { 0x41, 0x42, 0x43 }, teISO88591, 2, u"AB", 2, false },
    { "NonPositiveMaxReadsNothing", { 0x41 }, teISO88591, 0, u"", 0, false },
    { "NoMarkIsLowByteFirst", { 0x41, 0x04, 0x00, 0x00 }, teUTF16, 20, u"\u0441", 4, true },
    { "MarkOnlyWhereTheStringStarts", { 0xFF, 0xFE, 0xFF, 0xFE }, teUTF16, 20, u"\uFEFF", 4, false },
    { "WideMaxRoundedDownToEven", { 0x41, 0x00, 0x42, 0x00 }, teUTF16, 3, u"A", 2, false },
    { "OddTrailingByteIsLeft", { 0x41, 0x00, 0x42 }, teUTF16, 10, u"A", 2, false },
    { "Utf16BEWithoutMark", { 0x04, 0x41, 0xFF, 0xFE, 0x00, 0x00 }, teUTF16NoBOM, 10, u"\u0441\uFFFE", 6,
        true },
};

TEST(TextEncoding, ReadStringConsumesWhatItSaysAndWriteStringWritesLatin1)
{
    for (const StringCase& c : kStrings) {
        SCOPED_TRACE(c.Name);
        ByteReader reader(c.Input);
        WideString text = u"stale";
        bool terminated = !c.Terminated;
        EXPECT_EQ(ReadString(reader, c.MaxLength, text, c.Encoding, &terminated), c.Consumed);
        EXPECT_EQ(
            std::tuple(text, terminated, reader.Position()), std::tuple(c.Text, c.Terminated, c.Consumed));
    }
    // Latin-1 is written as bytes, characters beyond it as question marks; both 8-bit encodings alike.
    ByteWriter writer;
    EXPECT_EQ(WriteString(writer, u"A\u00E9\u0416", teUTF8), 3u);
    EXPECT_EQ(writer.Data(), (Bytes { 0x41, 0xE9, 0x3F }));
    EXPECT_EQ(StringSize(u"A\u00E9\u0416", teUTF8), 3u);
}

std::unique_ptr<TID3v1Tag> ReadRecord(const Bytes& record, bool reads = true)
{
    auto tag = std::make_unique<TID3v1Tag>();
    ByteReader reader(record);
    EXPECT_EQ(tag->LoadFromStream(reader, FrameSizeFormat::Plain), reads);
    return tag;
}

// A record, bytes at an offset overwritten, read as these fields and written back as it was read.
struct RecordCase {
    const char* Name;
    ID3v1Fields Fields;
    std::size_t At;
    std::string_view Overwrite;
    WideString Expected;
};

const RecordCase kRecords[] {
    { "Version11", { "Title", "Artist", "Album", "1999", "Comment", 5, 17 }, 0, "",
        u"v1.1|Title|Artist|Album|1999|Comment|5|17" },
    { "Version11OfFullWidthFields",
        { "A title of exactly thirty char", "Artist", "Album", "2024", "c", 12, 80 }, 0, "",
        u"v1.1|A title of exactly thirty char|Artist|Album|2024|c|12|80" },
    { "Version10WithAThirtyCharacterComment", { "T", "A", "B", "1", "A comment thirty characters...", -1, 3 },
        0, "", u"v1.0|T|A|B|1|A comment thirty characters...|0|3" },
    { "ZeroTrackByteIsVersion10", {}, 0, "", u"v1.0||||||0|0" },
    { "NonZeroByte125IsVersion10", {}, 97, "cccccccccccccccccccccccccccc\x41\x05",
        u"v1.0|||||cccccccccccccccccccccccccccc"
        u"A|0|0" },
    { "FieldsEndAtZero", {}, 3, "Hello\0\0xy"sv, u"v1.0|Hello|||||0|0" },
    { "FieldsLoseBlanksAndControlsAtBothEnds", {}, 33, "                              \t Album \x01",
        u"v1.0|||Album|||0|0" },
};

TEST(ID3v1Record, GivesEveryFieldAndWritesTheRecordItReadAndWithoutTagReadsNothing)
{
    for (const RecordCase& c : kRecords) {
        SCOPED_TRACE(c.Name);
        Bytes record = ID3v1Record(c.Fields);
        std::ranges::copy(c.Overwrite, record.begin() + static_cast<std::ptrdiff_t>(c.At));
        const auto tag = ReadRecord(record);
        EXPECT_EQ(FieldsOf(*tag), c.Expected);
        if (c.Overwrite.empty()) {
            EXPECT_EQ(Written(*tag), record);
        }
    }
    // Without TAG nothing is read and the fields stay as they are.
    Bytes record = ID3v1Record({ "T" });
    record[0] = 'X';
    for (const Bytes& bytes : { record, Bytes { 'T', 'A', 'G' } })
        EXPECT_EQ(FieldsOf(*ReadRecord(bytes, false)), FieldsOf(TID3v1Tag()));
}

// A version 1.1 record holds 28 characters of comment and a track, a version 1.0 record 30 and none.
TEST(ID3v1Record, TextsAreCutToTheirFieldWidthAndVersion10HasNoTrack)
{
    TID3v1Tag tag;
    tag.Title = std::string(40, 't');
    tag.Year = "199999";
    EXPECT_EQ(Written(tag),
        ID3v1Record({ .Title = std::string(30, 't'), .Year = "1999", .Genre = TID3v1Tag::kNoGenre }));
    tag.SetComment(std::string(35, 'c'));
    EXPECT_EQ(std::tuple(tag.Comment.size(), tag.Changed), std::tuple(28u, true));
    tag.SetV11(false);
    tag.SetComment(std::string(35, 'd'));
    tag.Changed = false;
    tag.SetTrack(7);
    EXPECT_EQ(std::tuple(tag.Comment.size(), tag.Track, tag.Changed), std::tuple(30u, 0, true));
    tag.SetV11(true);
    tag.SetTrack(7);
    EXPECT_EQ(std::tuple(tag.Comment.size(), tag.Track), std::tuple(28u, 7));
    auto v11 = ReadRecord(ID3v1Record({ "T", "", "", "", "short", 9, 0 }));
    v11->SetV11(false);
    EXPECT_EQ(Written(*v11), ID3v1Record({ "T", "", "", "", "short" }));
}

TEST(Setters, MarkChangedOnlyWhenTheValueDiffers)
{
    auto text = TTxxxTag::CreateWithText("TIT2", u"Song");
    auto url = TWURLTag::CreateWithURL("WOAR", "http://a");
    TCOMMTag comment;
    auto record = ReadRecord(ID3v1Record({ "Title", "", "", "", "c", 3, 9 }));
    text->SetText(u"Song");
    url->SetURL("http://a");
    comment.SetText(u"");
    record->SetComment("c");
    record->SetGenre(9);
    record->SetTrack(3);
    record->SetV11(true);
    EXPECT_EQ(std::tuple(text->Encoding, text->Changed, url->Changed, comment.Changed, record->Changed),
        std::tuple(teUTF16, false, false, false, false));
    text->SetText(u"song");
    comment.SetLanguage("english");
    record->SetTitle("title");
    EXPECT_EQ(std::tuple(text->Changed, comment.Changed, comment.Language, record->Changed),
        std::tuple(true, true, "eng", true));
}

TEST(ID3v1Genre, NamesAndIndices)
{
    const TID3v1Genre genres;
    EXPECT_EQ(std::vector({ genres.GetGenreName(17), genres.GetGenreName(67), genres.GetGenreName(141),
                  genres.GetGenreName(148), genres.GetGenreName(149), genres.FormatGenre(17),
                  genres.FormatGenre(255) }),
        std::vector<WideString>(
            { u"Rock", u"Psychadelic", u"Cristian Rock", u"Unknown", u"", u"(17)", u"(255)" }));
    EXPECT_EQ(std::vector<int>({ genres.GetGenreIndex(u"rock"), genres.GetGenreIndex(u"Polka "),
                  genres.GetGenreIndex(u"R&B") }),
        std::vector<int>({ 17, 148, 14 }));
    std::vector<WideString> list;
    genres.FillGenreList(list);
    ASSERT_EQ(list.size(), 149u);
    EXPECT_EQ(
        std::tuple(list.front(), list.back()), std::tuple(WideString(u"Blues"), WideString(u"Unknown")));
}

} // namespace
} // namespace vennart::tags
