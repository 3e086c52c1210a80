// The file information rows for no file, one file and several files, and their text helpers.
#include "workspace/FileInfo.h"

#include "Mp3Folder.h"
#include "support/WorkspaceFakes.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

namespace vennart::workspace {
namespace {

using test::ID3v1Fields;
using test::MPEGFrameSpec;

// MPEG 1 Layer III bitrate indices.
constexpr std::uint8_t k32Kbps = 1;
constexpr std::uint8_t k128Kbps = 9;
constexpr std::uint8_t k192Kbps = 11;
constexpr std::uint8_t k320Kbps = 14;

// Bytes of audio after the first header that a 128 kbit/s file plays per second.
constexpr std::size_t kBytesPerSecondAt128 = 16000;
// The audio size counts from 2 bytes past the first header.
constexpr std::size_t kHeaderAndGap = 6;

struct PlaytimeCase {
    std::int64_t seconds;
    const char* text;
};

class Playtime : public testing::TestWithParam<PlaytimeCase> { };

TEST_P(Playtime, ShowsMinutesAndSecondsWithHoursFromOneHourOn)
{
    EXPECT_EQ(FormatPlaytime(GetParam().seconds), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Seconds, Playtime,
    testing::Values(PlaytimeCase { 0, "00:00" }, PlaytimeCase { 59, "00:59" }, PlaytimeCase { 245, "04:05" },
        PlaytimeCase { 3599, "59:59" }, PlaytimeCase { 3600, "1:00:00" }, PlaytimeCase { 3725, "1:02:05" },
        PlaytimeCase { 36061, "10:01:01" }));

struct DistinctCase {
    const char* before;
    const char* value;
    const char* after;
};

class Distinct : public testing::TestWithParam<DistinctCase> { };

TEST_P(Distinct, AddsAValueOnlyWhenTheTextDoesNotHoldItAlready)
{
    std::string text = GetParam().before;
    AddDistinct(GetParam().value, text);
    EXPECT_EQ(text, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Values, Distinct,
    testing::Values(DistinctCase { "", "128", "128" }, DistinctCase { "128", "192", "128,192" },
        DistinctCase { "128,192", "128", "128,192" }, DistinctCase { "128", "28", "128" },
        DistinctCase { "28", "128", "28,128" }, DistinctCase { "ID3v1.1", "ID3v1.0", "ID3v1.1,ID3v1.0" }));

class FileInformation : public testing::Test {
protected:
    // A file without tags whose first frame has the given bitrate index and whose audio plays
    // `seconds` at 128 kbit/s.
    void AddFile(const std::string& name, std::uint8_t bitrateIndex, std::size_t seconds)
    {
        test::WriteMp3(folder, name,
            { .frames = std::nullopt,
                .audio = test::AudioBlock(MPEGFrameSpec { .BitrateIndex = bitrateIndex },
                    seconds * kBytesPerSecondAt128 + kHeaderAndGap) });
    }

    void Scan()
    {
        workspace.SetCurrentDir(folder.Path());
        workspace.ScanFolder();
    }

    FileInfoRows Show(TagGrid grid, RowRange selection)
    {
        workspace.SetActiveGrid(grid);
        workspace.SetSelection(grid, selection);
        return ShowFileInfo(workspace);
    }

    static std::vector<std::string> Values(const FileInfoRows& rows)
    {
        std::vector<std::string> values;
        for (const FileInfoRow& row : rows)
            values.push_back(row.value);
        return values;
    }

    test::TempDir folder;
    test::RecordingProgress progress;
    test::ScriptedPrompts prompts;
    Workspace workspace { progress, prompts };
};

TEST_F(FileInformation, NoFileListedShowsZerosAndEmptyRows)
{
    Scan();

    const FileInfoRows rows = ShowFileInfo(workspace);

    EXPECT_EQ(rows[0].title, "Files");
    EXPECT_EQ(Values(rows),
        (std::vector<std::string> {
            "0", "0.00", "00:00", "0", "", "", "", "", "", "", "", "", "", "", "", "", "" }));
}

TEST_F(FileInformation, OneFileShowsItsNameAndEveryFactOnce)
{
    AddFile("song.mp3", k128Kbps, 60);
    Scan();

    const FileInfoRows rows = Show(TagGrid::ID3v2, { 0, 0 });

    std::vector<std::string> titles;
    for (const FileInfoRow& row : rows)
        titles.push_back(row.title);
    EXPECT_EQ(titles,
        (std::vector<std::string> { "Filename", "File(s) size, Mb", "Playtime (only CBR)", "Frames",
            "Tag Version", "MPEG Version", "MPEG Layer", "Bitrate, kbps", "Sampling rate", "Channel mode",
            "Mod Extension (only JS)", "Emphasis", "Protected", "Padding", "Privat", "Copyright",
            "Original" }));
    // 960006 bytes; 960000 bytes of audio in frames of 418 bytes.
    EXPECT_EQ(Values(rows),
        (std::vector<std::string> { "song.mp3", "0.92", "01:00", "2297", "ID3v2.0.0", "1", "Layer III", "128",
            "44100", "Stereo", "0", "none", "no", "no", "no", "no", "no" }));
}

TEST_F(FileInformation, SeveralFilesSumSizesAndPlaytimesAndListDistinctValuesInRowOrder)
{
    AddFile("1.mp3", k128Kbps, 60);
    AddFile("2.mp3", k192Kbps, 0);
    AddFile("3.mp3", k128Kbps, 185);
    Scan();

    const FileInfoRows rows = Show(TagGrid::ID3v1, { 0, 2 });

    EXPECT_EQ(rows[0].title, "Files");
    EXPECT_EQ(rows[0].value, "3");
    // 960006 + 6 + 2960006 bytes.
    EXPECT_EQ(rows[1].value, "3.74");
    EXPECT_EQ(rows[2].value, "04:05");
    EXPECT_EQ(rows[3].value, "");
    EXPECT_EQ(rows[7].value, "128,192");
    EXPECT_EQ(rows[8].value, "44100");
}

TEST_F(FileInformation, TwoRowsOfASelectionAreNotOneFile)
{
    AddFile("1.mp3", k128Kbps, 1);
    AddFile("2.mp3", k128Kbps, 1);
    AddFile("3.mp3", k128Kbps, 1);
    Scan();

    const FileInfoRows rows = Show(TagGrid::ID3v2, { 1, 2 });

    EXPECT_EQ(rows[0].title, "Files");
    EXPECT_EQ(rows[0].value, "2");
    EXPECT_EQ(rows[2].value, "00:02");
}

TEST_F(FileInformation, AValueContainedInAnEarlierOneIsNotAddedAgain)
{
    AddFile("a.mp3", k320Kbps, 1);
    AddFile("b.mp3", k32Kbps, 1);
    AddFile("c.mp3", k320Kbps, 1);
    Scan();

    EXPECT_EQ(Show(TagGrid::ID3v2, { 0, 1 })[7].value, "320");
    EXPECT_EQ(Show(TagGrid::ID3v2, { 1, 2 })[7].value, "32,320");
}

TEST_F(FileInformation, TagVersionFollowsTheVisibleTab)
{
    test::WriteMp3(folder, "1.mp3",
        { .frames = test::Frame("TIT2", test::Latin1Body("a")), .record = ID3v1Fields { .Track = 3 } });
    test::WriteMp3(folder, "2.mp3", { .frames = std::nullopt, .record = ID3v1Fields {} });
    test::WriteMp3(folder, "3.mp3");
    test::WriteMp3(folder, "4.mp3", { .frames = test::Frame("TIT2", test::Latin1Body("a")), .major = 4 });
    Scan();

    EXPECT_EQ(Show(TagGrid::ID3v1, { 0, 3 })[4].value, "ID3v1.1,ID3v1.0");
    EXPECT_EQ(Show(TagGrid::ID3v2, { 0, 3 })[4].value, "ID3v2.3.0,ID3v2.0.0,ID3v2.4.0");
    EXPECT_EQ(Show(TagGrid::ID3v1, { 2, 2 })[4].value, "");
    EXPECT_EQ(Show(TagGrid::ID3v2, { 2, 2 })[4].value, "ID3v2.0.0");
}

TEST_F(FileInformation, AFileWithoutAudioFramesShowsTheZeroHeader)
{
    test::WriteMp3(folder, "silence.mp3", { .frames = std::nullopt, .audio = test::Bytes(500, 0x00) });
    Scan();

    const FileInfoRows rows = Show(TagGrid::ID3v2, { 0, 0 });

    EXPECT_EQ(Values(rows),
        (std::vector<std::string> { "silence.mp3", "0.00", "00:00", "0", "ID3v2.0.0", "2.5", "RES", "free",
            "0", "Stereo", "0", "none", "no", "no", "no", "no", "no" }));
}

} // namespace
} // namespace vennart::workspace
