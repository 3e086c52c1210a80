#include "support/Id3Builder.h"
#include "tags/ID3v1Genre.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Types.h"

#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

using test::Bytes;
using test::ID3v1Fields;
using test::ID3v1Record;

std::unique_ptr<TID3v1Tag> Read(const Bytes& record, bool* found = nullptr)
{
    auto tag = std::make_unique<TID3v1Tag>();
    ByteReader reader(record);
    const bool result = tag->LoadFromStream(reader, FrameSizeFormat::Plain);
    if (found)
        *found = result;
    return tag;
}

Bytes Write(const TID3v1Tag& tag)
{
    ByteWriter writer;
    tag.SaveToStream(writer, FrameSizeFormat::Plain);
    return writer.Data();
}

TEST(ID3v1Record, ReadsEveryFieldOfAVersion11Record)
{
    const auto tag = Read(ID3v1Record({ "Title", "Artist", "Album", "1999", "Comment", 5, 17 }));
    EXPECT_EQ(tag->Title, "Title");
    EXPECT_EQ(tag->Artist, "Artist");
    EXPECT_EQ(tag->Album, "Album");
    EXPECT_EQ(tag->Year, "1999");
    EXPECT_EQ(tag->Comment, "Comment");
    EXPECT_EQ(tag->Track, 5);
    EXPECT_EQ(tag->Genre, 17);
    EXPECT_TRUE(tag->IsV11);
}

TEST(ID3v1Record, VersionFollowsBytes125And126)
{
    Bytes record = ID3v1Record({});
    record[125] = 0;
    record[126] = 0;
    EXPECT_FALSE(Read(record)->IsV11);
    EXPECT_EQ(Read(record)->Track, 0);
    std::fill_n(record.begin() + 97, 28, 'c');
    record[125] = 0x41;
    record[126] = 5;
    const auto v10 = Read(record);
    EXPECT_FALSE(v10->IsV11);
    EXPECT_EQ(v10->Track, 0);
    EXPECT_EQ(v10->Comment, std::string(28, 'c') + "A");
}

TEST(ID3v1Record, FieldsEndAtZeroAndLoseBlanksAtBothEnds)
{
    Bytes record = ID3v1Record({ "Hello\0\0xy", "", "", "", "" });
    std::copy_n("Hello\0\0xy", 9, record.begin() + 3);
    std::fill_n(record.begin() + 33, 30, ' ');
    std::copy_n("\t Album \x01", 9, record.begin() + 63);
    const auto tag = Read(record);
    EXPECT_EQ(tag->Title, "Hello");
    EXPECT_EQ(tag->Artist, "");
    EXPECT_EQ(tag->Album, "Album");
}

TEST(ID3v1Record, WithoutTagTheFieldsStayAsTheyAre)
{
    Bytes record = ID3v1Record({ "T" });
    record[0] = 'X';
    bool found = true;
    const auto tag = Read(record, &found);
    EXPECT_FALSE(found);
    EXPECT_EQ(tag->Title, "");
    EXPECT_TRUE(tag->IsV11);
    Read(Bytes { 'T', 'A', 'G' }, &found);
    EXPECT_FALSE(found);
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
    const Bytes record = Write(tag);
    ASSERT_EQ(record.size(), 128u);
    EXPECT_EQ(Read(record)->Title, std::string(30, 't'));
    EXPECT_EQ(Read(record)->Year, "1999");
}

TEST(ID3v1Record, Version10OverVersion11WithAShortCommentReadsBackAs10)
{
    auto tag = Read(ID3v1Record({ "T", "", "", "", "short", 9, 0 }));
    tag->SetV11(false);
    const Bytes record = Write(*tag);
    EXPECT_EQ(record[126], 0);
    EXPECT_FALSE(Read(record)->IsV11);
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

TEST(ID3v1Tag, NewRecordIsAnEmptyVersion11)
{
    const TID3v1Tag tag;
    EXPECT_EQ(tag.ID, AnsiString("TAG\0", 4));
    EXPECT_EQ(tag.ShortName, "ID3v1 Tag");
    EXPECT_EQ(tag.LongName, "ID3v1 Tag");
    EXPECT_TRUE(tag.IsV11);
    EXPECT_EQ(tag.GetSize(), 0u);
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
