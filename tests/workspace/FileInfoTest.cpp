// The file information rows for no file, one file and several files, and their text helpers.
#include "workspace/FileInfo.h"

#include "WorkspaceFixture.h"
#include "workspace/FieldEditing.h"
#include "workspace/FrameText.h"

#include <tuple>

namespace vennart::workspace {
namespace {

using test::ID3v1Fields;

TEST(FormatPlaytime, ShowsMinutesAndSecondsWithHoursFromOneHourOn)
{
    for (const auto& [seconds, text] :
        std::vector<std::pair<std::int64_t, std::string>> { { 0, "00:00" }, { 59, "00:59" }, { 245, "04:05" },
            { 3599, "59:59" }, { 3600, "1:00:00" }, { 3725, "1:02:05" }, { 36061, "10:01:01" } })
        EXPECT_EQ(FormatPlaytime(seconds), text) << seconds;
}

class FileInformation : public WorkspaceFixture {
protected:
    FileInfoRows Show(TagGrid grid, RowRange selection)
    {
        Select(grid, selection);
        return ShowFileInfo(workspace);
    }

    // The rows' values, or of another member, '|' between them.
    template <class Text = std::string>
    static std::string Values(const FileInfoRows& rows, Text FileInfoRow::*member = &FileInfoRow::value)
    {
        std::string values;
        for (const FileInfoRow& row : rows)
            values.append(&row == rows.data() ? "" : "|").append(row.*member);
        return values;
    }
};

// No file listed shows zeros and empty rows; a file without a frame header says so.
TEST_F(FileInformation, OneFileShowsItsNameAndEveryFactSeveralSumAndListDistinctValuesInRowOrder)
{
    Scan();
    EXPECT_EQ(Values(ShowFileInfo(workspace)), "0|0.00|00:00|0|||||||||||||");

    // Files without tags: a first frame of the bitrate index (MPEG 1 Layer III: 14 is 320 kbit/s, 1 is
    // 32, 9 is 128, 11 is 192, 0 free format), then audio that plays the seconds at 128 kbit/s, counted
    // from 2 bytes past the first header.
    const std::pair<std::uint8_t, std::size_t> files[] { { 14, 1 }, { 1, 1 }, { 9, 60 }, { 11, 0 },
        { 9, 185 }, { 0, 0 } };
    for (int i = 0; const auto& [bitrateIndex, seconds] : files) {
        const std::uint32_t header = test::MPEGHeaderWord({ .BitrateIndex = bitrateIndex });
        test::Bytes audio(seconds * 16000 + 6, 0x55);
        for (int b = 0; b < 4; ++b)
            audio[b] = static_cast<std::uint8_t>(header >> (24 - 8 * b));
        test::WriteMp3(folder, std::to_string(i++) + ".mp3", { .frames = std::nullopt, .audio = audio });
    }
    // Syncs whose headers have a reserved version, layer, bitrate and sampling rate.
    test::WriteMp3(folder, "reserved.mp3",
        { .frames = std::nullopt,
            .audio = { 0xFF, 0xEB, 0x90, 0x64, 0xFF, 0xF9, 0x90, 0x64, 0xFF, 0xFB, 0xF0, 0x64, 0xFF, 0xFB,
                0x9C, 0x64 } });
    // 1225 frames of 1152 samples at 44100 Hz play 32 seconds; 640000 bytes in them make 160 kbit/s.
    test::WriteMp3(folder, "vbr.mp3",
        { .audio = test::Concat({ test::XingFrame({}, "Xing", 1225, 640000), test::Audio(3) }) });
    test::WriteMp3(folder, "vbri.mp3",
        { .audio = test::Concat(
              { test::VBRIFrame({ .Version = 2, .BitrateIndex = 8 }, 1225, 256000), test::Audio(3) }) });
    Scan();

    const FileInfoRows one = Show(TagGrid::ID3v2, { 2, 2 });
    EXPECT_EQ(Values(one, &FileInfoRow::title),
        "Filename|File(s) size, Mb|Playtime (only CBR)|Frames|Tag Version|MPEG Version|MPEG Layer|"
        "Bitrate, kbps|Sampling rate|Channel mode|Mod Extension (only JS)|Emphasis|Protected|Padding|"
        "Privat|Copyright|Original");
    // 960006 bytes; 960000 bytes of audio in frames of 418 bytes.
    EXPECT_EQ(Values(one), "2.mp3|0.92|01:00|2297||1|Layer III|128|44100|Stereo|0|none|no|no|no|no|no");

    const FileInfoRows rows = Show(TagGrid::ID3v1, { 2, 4 });

    EXPECT_EQ(rows[0].title, "Files");
    // 960006 + 6 + 2960006 bytes.
    EXPECT_EQ(Values(rows), "3|3.74|04:05|||1|Layer III|128,192|44100|Stereo|0|none|no|no|no|no|no");
    // A value contained in an earlier one is not added again.
    EXPECT_EQ(Show(TagGrid::ID3v2, { 0, 1 })[7].value, "320");
    EXPECT_EQ(Show(TagGrid::ID3v2, { 1, 2 })[7].value, "32,128");
    EXPECT_EQ(Show(TagGrid::ID3v2, { 5, 5 })[7].value, "free");

    EXPECT_EQ(
        Values(Show(TagGrid::ID3v2, { 6, 6 })), "reserved.mp3|0.00|00:00|0||no MPEG audio found|||||||||||");
    // A VBR header gives the frames, the length and the average bitrate.
    const FileInfoRows vbr = Show(TagGrid::ID3v2, { 7, 7 });
    EXPECT_EQ(
        std::tuple(vbr[2].value, vbr[3].value, vbr[7].value), std::tuple("00:32", "1225", "160 (average)"));
    const FileInfoRows both = Show(TagGrid::ID3v2, { 7, 8 });
    EXPECT_EQ(std::tuple(both[2].value, both[7].value), std::tuple("01:04", "160 (average),64 (average)"));
}

TEST_F(FileInformation, TagVersionFollowsTheVisibleTabAndCountsOnlyTagsOfTheFile)
{
    test::WriteMp3(folder, "1.mp3", test::Song("TIT2=a", ID3v1Fields { .Track = 3 }));
    test::WriteMp3(folder, "2.mp3", { .frames = std::nullopt, .record = ID3v1Fields {} });
    test::WriteMp3(folder, "3.mp3");
    test::WriteMp3(folder, "4.mp3", { .frames = test::TextFrames("TIT2=a"), .major = 4 });
    Scan();

    EXPECT_EQ(Show(TagGrid::ID3v1, { 0, 3 })[4].value, "ID3v1.1,ID3v1.0");
    EXPECT_EQ(Show(TagGrid::ID3v2, { 0, 3 })[4].value, "ID3v2.3.0,ID3v2.4.0");
    // Tags made in memory for the file without any are no tags of the file yet.
    EnsureID3v1(workspace.FileToSave(2)).SetTitle("typed");
    SetFrameText(workspace.FileToSave(2), "TIT2", u"typed", 1200);
    EXPECT_EQ(Show(TagGrid::ID3v1, { 2, 2 })[4].value, "");
    EXPECT_EQ(Show(TagGrid::ID3v2, { 2, 2 })[4].value, "");
}

} // namespace
} // namespace vennart::workspace
