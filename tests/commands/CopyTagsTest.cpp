// Copying the main fields between the ID3v1 record and the ID3v2 frames of one file, and setting
// the record's version.
#include "commands/CopyTags.h"

#include "commands/ID3v1Version.h"
#include "support/TestNames.h"
#include "tags/ID3v1Tag.h"
#include "tags/TextFrame.h"
#include "workspace/FrameText.h"
#include "workspace/Mp3Folder.h"

#include <gtest/gtest.h>

namespace vennart::commands {
namespace {

constexpr uint32_t kUtf16 = 1200;
constexpr uint32_t kCyrillic = 1251;
constexpr const char* kPrivet1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";

WideString StoredText(const tags::TID3v2Class& file, const char* id)
{
    const auto* frame = dynamic_cast<const tags::TTxxxTag*>(file.FindFrameByID(id, 1));
    return frame == nullptr ? u"<none>" : frame->Text;
}

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
    EXPECT_EQ(StoredText(file, GetParam().id), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Fields, CopyToID3v2,
    testing::Values(ToID3v2Case { "Genre17", { .Genre = 17 }, "TCON", u"(17)" },
        ToID3v2Case { "Genre255", { .Genre = 255 }, "TCON", u"(148)" },
        ToID3v2Case { "Track0", { .Track = 0 }, "TRCK", u"0" },
        ToID3v2Case { "EmptyTitleEmpties", {}, "TIT2", u"" },
        ToID3v2Case { "CyrillicArtist", { .Artist = kPrivet1251 }, "TPE1", u"Привет" }),
    [](const testing::TestParamInfo<ToID3v2Case>& info) { return std::string(info.param.name); });

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
    [](const testing::TestParamInfo<ToID3v1Case>& info) { return std::string(info.param.name); });

TEST(CopyWithoutRecord, ToID3v1CreatesOneToID3v2ChangesNothing)
{
    test::TempDir folder;
    tags::TID3v2Class file(test::WriteMp3(
        folder, "a.mp3", { .frames = test::Frame("TIT2", test::TextBody("Song")), .record = std::nullopt }));

    EXPECT_FALSE(CopyID3v1ToID3v2(file, kCyrillic, kUtf16));
    EXPECT_FALSE(file.FindFrameByID("TIT2", 1)->Changed);
    EXPECT_FALSE(SetID3v1Version(file, false));

    CopyID3v2ToID3v1(file, kCyrillic, kUtf16);
    const tags::TID3v1Tag* record = file.FindFrameByClass<tags::TID3v1Tag>(1);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Title, "Song");
    EXPECT_TRUE(record->Changed);
}

TEST(SetID3v1Version, ChangesOnlyTheOtherVersion)
{
    test::TempDir folder;
    tags::TID3v2Class file(test::WriteMp3(folder, "a.mp3", { .frames = std::nullopt, .record = test::ID3v1Fields { .Track = 3 } }));
    EXPECT_FALSE(SetID3v1Version(file, true));
    EXPECT_TRUE(SetID3v1Version(file, false));
    EXPECT_FALSE(file.FindFrameByClass<tags::TID3v1Tag>(1)->IsV11);
}

} // namespace
} // namespace vennart::commands
