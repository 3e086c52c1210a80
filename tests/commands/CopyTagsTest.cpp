// Copying the main fields between the ID3v1 record and the ID3v2 frames, and setting the record's
// version: per field on one file, then over a selection whose middle file has no ID3v1 record.
#include "commands/CopyTags.h"

#include "commands/ID3v1Version.h"
#include "support/TestNames.h"
#include "tags/ID3v1Tag.h"
#include "tags/TextFrame.h"
#include "workspace/FrameText.h"
#include "workspace/WorkspaceFixture.h"

namespace vennart::commands {
namespace {

using workspace::TagGrid;

constexpr uint32_t kUtf16 = 1200;
constexpr uint32_t kCyrillic = 1251;
constexpr const char* kPrivet1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";

struct ToID3v2Case {
    const char* name;
    test::ID3v1Fields record;
    const char* id;
    WideString stored;
};
VENNART_PRINT_ROW_AS(ToID3v2Case, row.name)

class CopyToID3v2 : public testing::TestWithParam<ToID3v2Case> { };

TEST_P(CopyToID3v2, StoresTheFrame)
{
    test::TempDir folder;
    tags::TID3v2Class file(test::WriteMp3(folder, "a.mp3",
        { .frames = test::Frame("TIT2", test::TextBody("old")), .record = GetParam().record }));
    ASSERT_TRUE(CopyID3v1ToID3v2(file, kCyrillic, kUtf16));
    const auto* frame = dynamic_cast<const tags::TTxxxTag*>(file.FindFrameByID(GetParam().id, 1));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Text, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Fields, CopyToID3v2,
    testing::Values(ToID3v2Case { "Genre17", { .Genre = 17 }, "TCON", u"(17)" },
        ToID3v2Case { "Genre255", { .Genre = 255 }, "TCON", u"(148)" },
        ToID3v2Case { "Track0", { .Track = 0 }, "TRCK", u"0" },
        ToID3v2Case { "EmptyTitleEmpties", {}, "TIT2", u"" },
        ToID3v2Case { "CyrillicArtist", { .Artist = kPrivet1251 }, "TPE1", u"Привет" }),
    test::ByName);

struct ToID3v1Case {
    const char* name;
    const char* track;
    const char* genre;
    bool v11;
    int expectedTrack;
    int expectedGenre;
};
VENNART_PRINT_ROW_AS(ToID3v1Case, row.name)

class CopyToID3v1 : public testing::TestWithParam<ToID3v1Case> { };

TEST_P(CopyToID3v1, ConvertsTrackAndGenre)
{
    const ToID3v1Case& row = GetParam();
    test::Bytes frames = test::Frame("TPE1", test::Utf16Body(u"Привет"));
    if (*row.track != '\0')
        frames = test::Concat({ frames, test::Frame("TRCK", test::TextBody(row.track)) });
    if (*row.genre != '\0')
        frames = test::Concat({ frames, test::Frame("TCON", test::TextBody(row.genre)) });
    test::TempDir folder;
    tags::TID3v2Class file(test::WriteMp3(folder, "a.mp3",
        { .frames = frames, .record = test::ID3v1Fields { .Title = "old", .Track = row.v11 ? 9 : -1 } }));

    CopyID3v2ToID3v1(file, kCyrillic, kUtf16);
    const tags::TID3v1Tag& record = *file.FindFrameByClass<tags::TID3v1Tag>(1);
    EXPECT_EQ(record.Track, row.expectedTrack);
    EXPECT_EQ(record.Genre, row.expectedGenre);
    EXPECT_EQ(record.Artist, kPrivet1251);
    EXPECT_EQ(record.Title, "");
}

INSTANTIATE_TEST_SUITE_P(Fields, CopyToID3v1,
    testing::Values(ToID3v1Case { "TrackOfTotal", "5/12", "(17)", true, 5, 17 },
        ToID3v1Case { "TrackLow8Bits", "300", "17", true, 44, 17 },
        ToID3v1Case { "TrackLettersKept", "x1", "Rock", true, 9, 17 },
        ToID3v1Case { "TrackNegativeKept", "-3", "200", true, 9, 148 },
        ToID3v1Case { "NoFramesVersion10", "", "", false, 0, 148 },
        ToID3v1Case { "Version10StoresZero", "5", "(0)", false, 0, 0 }),
    test::ByName);

const std::vector<int> kAllThree = { 0, 1, 2 };

class MiddleFileWithoutRecord : public workspace::WorkspaceFixture {
protected:
    void SetUp() override
    {
        const test::Bytes title = test::Frame("TIT2", test::TextBody("v2 title"));
        test::WriteMp3(folder, "1.mp3", { .frames = title, .record = test::ID3v1Fields { .Title = "one" } });
        test::WriteMp3(folder, "2.mp3", { .frames = title, .record = std::nullopt });
        test::WriteMp3(
            folder, "3.mp3", { .frames = title, .record = test::ID3v1Fields { .Title = "three" } });
        Scan();
    }

    const tags::TID3v1Tag* RecordOf(int row) const
    {
        return workspace.File(row).FindFrameByClass<tags::TID3v1Tag>(1);
    }
    WideString TitleOf(int row) const { return workspace::GetFrameText(workspace.File(row), "TIT2", kUtf16); }
};

TEST_F(MiddleFileWithoutRecord, CopyToID3v2GoesOnPastIt)
{
    Apply(workspace, CopyTags(workspace, TagGrid::ID3v2, kAllThree));
    EXPECT_EQ(Marks(), (std::vector<std::string> { "2", "", "2" }));
    EXPECT_EQ(TitleOf(0), u"one");
    EXPECT_EQ(TitleOf(1), u"v2 title");
    EXPECT_FALSE(workspace.File(1).FindFrameByID("TIT2", 1)->Changed);
    EXPECT_EQ(TitleOf(2), u"three");
}

TEST_F(MiddleFileWithoutRecord, CopyToID3v1GivesItARecordThatTheNextSaveWrites)
{
    Apply(workspace, CopyTags(workspace, TagGrid::ID3v1, kAllThree));
    EXPECT_EQ(Marks(), (std::vector<std::string> { "1", "1", "1" }));
    ASSERT_NE(RecordOf(1), nullptr);
    EXPECT_TRUE(RecordOf(1)->Changed);
    EXPECT_EQ(RecordOf(1)->Title, "v2 title");
    EXPECT_EQ(RecordOf(2)->Title, "v2 title");
}

TEST_F(MiddleFileWithoutRecord, VersionSkipsItAndRecordsOfThatVersionAlready)
{
    Apply(workspace, SetID3v1Version(workspace, kAllThree, true));
    EXPECT_EQ(Marks(), (std::vector<std::string> { "1", "", "1" }));
    EXPECT_TRUE(RecordOf(0)->IsV11 && RecordOf(2)->IsV11);
    EXPECT_EQ(RecordOf(1), nullptr);
    EXPECT_TRUE(SetID3v1Version(workspace, kAllThree, true).IsEmpty());
}

} // namespace
} // namespace vennart::commands
