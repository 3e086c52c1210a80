#include "support/Id3Builder.h"
#include "tags/ID3v1Genre.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Types.h"

#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

using test::Bytes;
using test::ID3v1Record;

std::unique_ptr<TID3v1Tag> Read(const Bytes& record)
{
    auto tag = std::make_unique<TID3v1Tag>();
    ByteReader reader(record);
    EXPECT_TRUE(tag->LoadFromStream(reader, FrameSizeFormat::Plain));
    return tag;
}

Bytes Write(const TID3v1Tag& tag)
{
    ByteWriter writer;
    tag.SaveToStream(writer, FrameSizeFormat::Plain);
    return writer.Data();
}

// Every field of the record, the version as "1.0" or "1.1".
std::vector<std::string> FieldsOf(const TID3v1Tag& tag)
{
    return { tag.Title, tag.Artist, tag.Album, tag.Year, tag.Comment, std::to_string(tag.Track),
        tag.IsV11 ? "1.1" : "1.0", std::to_string(tag.Genre) };
}

TEST(ID3v1Record, ReadsEveryFieldOfAVersion11Record)
{
    EXPECT_EQ(FieldsOf(*Read(ID3v1Record({ "Title", "Artist", "Album", "1999", "Comment", 5, 17 }))),
        (std::vector<std::string> { "Title", "Artist", "Album", "1999", "Comment", "5", "1.1", "17" }));
}

TEST(ID3v1Record, VersionFollowsBytes125And126)
{
    Bytes record = ID3v1Record({}); // bytes 125 and 126 both zero
    EXPECT_EQ(FieldsOf(*Read(record)), (std::vector<std::string> { "", "", "", "", "", "0", "1.0", "0" }));
    std::fill_n(record.begin() + 97, 28, 'c');
    record[125] = 0x41;
    record[126] = 5;
    EXPECT_EQ(FieldsOf(*Read(record)),
        (std::vector<std::string> { "", "", "", "", std::string(28, 'c') + "A", "0", "1.0", "0" }));
}

TEST(ID3v1Record, FieldsEndAtZeroAndLoseBlanksAtBothEnds)
{
    Bytes record = ID3v1Record({});
    std::copy_n("Hello\0\0xy", 9, record.begin() + 3);
    std::fill_n(record.begin() + 33, 30, ' ');
    std::copy_n("\t Album \x01", 9, record.begin() + 63);
    EXPECT_EQ(FieldsOf(*Read(record)),
        (std::vector<std::string> { "Hello", "", "Album", "", "", "0", "1.0", "0" }));
}

TEST(ID3v1Record, WithoutTagNothingIsReadAndTheFieldsStayAsTheyAre)
{
    Bytes record = ID3v1Record({ "T" });
    record[0] = 'X';
    for (const Bytes& bytes : { record, Bytes { 'T', 'A', 'G' } }) {
        TID3v1Tag tag;
        ByteReader reader(bytes);
        EXPECT_FALSE(tag.LoadFromStream(reader, FrameSizeFormat::Plain));
        EXPECT_EQ(FieldsOf(tag), FieldsOf(TID3v1Tag()));
    }
}

TEST(ID3v1Record, WritesTheRecordItReads)
{
    const Bytes v11
        = ID3v1Record({ "A title of exactly thirty char", "Artist", "Album", "2024", "c", 12, 80 });
    EXPECT_EQ(Write(*Read(v11)), v11);
    const Bytes v10 = ID3v1Record({ "T", "A", "B", "1", "A comment thirty characters...", -1, 3 });
    EXPECT_EQ(Write(*Read(v10)), v10);
}

TEST(ID3v1Record, TextsAreCutToTheirFieldWidth)
{
    TID3v1Tag tag;
    tag.Title = std::string(40, 't');
    tag.Year = "199999";
    EXPECT_EQ(Write(tag),
        ID3v1Record({ .Title = std::string(30, 't'), .Year = "1999", .Genre = TID3v1Tag::kNoGenre }));
}

TEST(ID3v1Record, Version10OverVersion11WithAShortCommentHasNoTrack)
{
    auto tag = Read(ID3v1Record({ "T", "", "", "", "short", 9, 0 }));
    tag->SetV11(false);
    EXPECT_EQ(Write(*tag), ID3v1Record({ "T", "", "", "", "short" }));
}

TEST(ID3v1Setters, FollowTheRecordVersion)
{
    TID3v1Tag tag;
    tag.SetComment(std::string(35, 'c'));
    EXPECT_EQ(tag.Comment.size(), 28u);
    EXPECT_TRUE(tag.Changed);

    tag.SetV11(false);
    tag.SetComment(std::string(35, 'd'));
    EXPECT_EQ(tag.Comment.size(), 30u);

    tag.Changed = false;
    tag.SetTrack(7);
    EXPECT_EQ(tag.Track, 0);
    EXPECT_TRUE(tag.Changed);

    tag.SetV11(true);
    EXPECT_EQ(tag.Comment.size(), 28u);
    tag.SetTrack(7);
    EXPECT_EQ(tag.Track, 7);
}

TEST(ID3v1Setters, EqualValuesChangeNothing)
{
    auto tag = Read(ID3v1Record({ "Title", "", "", "", "", 3, 9 }));
    tag->SetTitle("Title");
    tag->SetGenre(9);
    tag->SetTrack(3);
    tag->SetV11(true);
    EXPECT_FALSE(tag->Changed);
    tag->SetTitle("title");
    EXPECT_TRUE(tag->Changed);
}

TEST(ID3v1Genre, NamesAndIndices)
{
    const TID3v1Genre genres;
    EXPECT_EQ(genres.GetGenreName(17), u"Rock");
    EXPECT_EQ(genres.GetGenreName(67), u"Psychadelic");
    EXPECT_EQ(genres.GetGenreName(141), u"Cristian Rock");
    EXPECT_EQ(genres.GetGenreName(148), u"Unknown");
    EXPECT_EQ(genres.GetGenreName(149), u"");
    EXPECT_EQ(genres.GetGenreName(255), u"");
    EXPECT_EQ(genres.GetGenreIndex(u"rock"), 17);
    EXPECT_EQ(genres.GetGenreIndex(u"Polka "), 148);
    EXPECT_EQ(genres.GetGenreIndex(u"R&B"), 14);
    EXPECT_EQ(genres.FormatGenre(17), u"(17)");
    EXPECT_EQ(genres.FormatGenre(255), u"(255)");
    std::vector<WideString> list;
    genres.FillGenreList(list);
    ASSERT_EQ(list.size(), 149u);
    EXPECT_EQ(list.front(), u"Blues");
    EXPECT_EQ(list.back(), u"Unknown");
}

TEST(ID3v2Types, LookupIgnoresCaseOnlyWhereItShould)
{
    AnsiString shortName = "x", description = "y";
    EXPECT_EQ(FindTagListRecord("tit2", shortName, description), 35);
    EXPECT_EQ(shortName, "Title");
    EXPECT_EQ(FindTagListRecord("TIT", shortName, description), -1);
    EXPECT_EQ(shortName, "");
    EXPECT_EQ(description, "");
    EXPECT_EQ(FindTagListRecord("TIT22", shortName, description), -1);
    EXPECT_EQ(FindTagListRecordExact("tit2"), nullptr);
    ASSERT_EQ(TagListRecords().size(), 74u);
    EXPECT_EQ(TagListRecords()[14].ID, "PRIV");
    EXPECT_EQ(TagListRecords()[54].ShortName, "Recorded in ");
    EXPECT_EQ(TagListRecords()[73].ID, "WXXX");
}

} // namespace
} // namespace vennart::tags
