// "Make Filenames from Tags" without a window: what a mask expands to on both tabs, which rows take
// their new name, and which new names the preview marks as unusable.
#include "commands/FileNamesFromTags.h"

#include "support/TestNames.h"
#include "workspace/WorkspaceFixture.h"

namespace vennart::commands {
namespace {

using test::Frame;
using test::ID3v1Fields;
using test::TextBody;
using workspace::TagGrid;
using enum workspace::TagGrid;
using enum NameProblem;

const ID3v1Fields kRecord { .Title = "V1 Title", .Artist = "V1 Artist", .Track = 7 };

struct MaskCase {
    const char* name;
    TagGrid grid;
    const char16_t* mask;
    const char16_t* expected; // "-": the row keeps its name
    std::optional<ID3v1Fields> record = kRecord;
    const char* fileName = "Old Name.mp3";
    const char* track = "5/12";
    const char16_t* editedName = nullptr; // typed into the name cell, unsaved
};

VENNART_PRINT_ROW_AS(MaskCase, row.name)

// The ID3v2 frames every file of the table has.
test::Bytes Frames(const char* track = "5/12")
{
    return test::Concat(
        { Frame("TIT2", TextBody("Title")), Frame("TPE1", TextBody("Artist")), Frame("TRCK", TextBody(track)),
            Frame("TCOM", TextBody("Composer")), Frame("TALB", TextBody("\xC0\xEB\xFC\xE1\xEE\xEC")) });
}

const MaskCase kMaskCases[] = {
    { "ArtistDashTitle", ID3v2, u"%vvar - %vvtt", u"Artist - Title.mp3" },
    { "TrailingMp3RemovedBeforeExpansion", ID3v2, u"%vvtt.MP3", u"Title.mp3" },
    { "UpperCaseCodes", ID3v2, u"%VVTT", u"Title.mp3" },
    { "FrameCodeOnID3v2", ID3v2, u"%TCOM", u"Composer.mp3" },
    { "FrameCodeIsExactCase", ID3v2, u"x%tcom", u"x.mp3" },
    { "FrameCodeOnID3v1GivesNothing", ID3v1, u"x%TCOM", u"x.mp3" },
    { "ShortPercentAtTheEndDisappears", ID3v2, u"%vvtt%ab", u"Title.mp3" },
    { "TrackOfTotalStays", ID3v2, u"%vvtr", u"5/12.mp3" },
    { "OneDigitTrackPadded", ID3v2, u"%vvtr", u"05.mp3", std::nullopt, "Old Name.mp3", "5" },
    { "TwoDigitTrackStays", ID3v2, u"%vvtr", u"12.mp3", std::nullopt, "Old Name.mp3", "12" },
    { "ID3v1TrackPadded", ID3v1, u"%vvtr %vvtt", u"07 V1 Title.mp3" },
    { "ID3v1TrackZeroPadded", ID3v1, u"%vvtr", u"00.mp3", ID3v1Fields { .Track = 0 } },
    { "ID3v1TextThroughViewCodePage", ID3v1, u"%vvar", u"\u0410\u043b\u044c\u0431\u043e\u043c.mp3",
        ID3v1Fields { .Artist = "\xC0\xEB\xFC\xE1\xEE\xEC" } },
    { "ID3v2TextThroughViewCodePage", ID3v2, u"%vvab", u"\u0410\u043b\u044c\u0431\u043e\u043c.mp3" },
    { "OldNameWithoutExtension", ID3v2, u"%vvfn (%vvtt)", u"Old Name (Title).mp3" },
    { "NameDifferingOnlyInCaseIsLeftAlone", ID3v2, u"old name", u"-" },
    { "FileWithoutRecordOnID3v1IsLeftAlone", ID3v1, u"%vvtt", u"-", std::nullopt },
    { "OldNameIsTheEditedCell", ID3v2, u"%vvfn 2", u"Edited 2.mp3", kRecord, "a.mp3", "5/12", u"Edited.mp3" },
    { "EditedCellUnchangedIsLeftAlone", ID3v2, u"%vvfn", u"-", kRecord, "a.mp3", "5/12", u"Edited.mp3" },
};

class NamesFromTags : public workspace::WorkspaceFixture { };

class NewFileName : public workspace::WorkspaceFixture, public testing::WithParamInterface<MaskCase> { };

TEST_P(NewFileName, ExpandsTheMaskOfTheActiveTab)
{
    const auto& row = GetParam();
    test::WriteMp3(folder, row.fileName, { .frames = Frames(row.track), .record = row.record });
    Scan();
    if (row.editedName)
        workspace.SetRowName(0, row.editedName);
    workspace.SetViewCodePage(ID3v1, 1251);
    workspace.SetViewCodePage(ID3v2, 1251);
    Select(row.grid, { 0, 0 });

    auto preview = PreviewFileNames(workspace, { 0 }, row.mask);

    EXPECT_EQ(preview.renamed[0] ? preview.names[0] : u"-", row.expected);
}

INSTANTIATE_TEST_SUITE_P(Masks, NewFileName, testing::ValuesIn(kMaskCases), test::ByName);

struct NameCheckCase {
    const char* name;
    std::vector<WideString> names;
    std::vector<WideString> others;
    std::vector<std::optional<NameProblem>> expected;
};

VENNART_PRINT_ROW_AS(NameCheckCase, row.name)

class UnusableNames : public testing::TestWithParam<NameCheckCase> { };

TEST_P(UnusableNames, AreMarkedWithTheirReason)
{
    const auto& row = GetParam();
    EXPECT_EQ(CheckNewNames(row.names, row.others), row.expected);
}

const WideString kLongest = WideString(125, u'\u0416') + u".mp3"; // 250 + 4 bytes in UTF-8
const WideString kTooLong = WideString(126, u'\u0416') + u".mp3";

INSTANTIATE_TEST_SUITE_P(Names, UnusableNames,
    testing::Values(NameCheckCase { "TwoFilesToOneName", { u"a.mp3", u"b.mp3", u"a.mp3" }, {},
                        { SameAsAnotherNewName, std::nullopt, SameAsAnotherNewName } },
        NameCheckCase { "NameOfAnUntouchedFile", { u"a.mp3" }, { u"a.mp3" }, { SameAsAnotherFile } },
        NameCheckCase { "CaseMakesNamesDiffer", { u"A.mp3" }, { u"a.mp3" }, { std::nullopt } },
        NameCheckCase { "SlashOfAnArtist", { u"AC/DC - Title.mp3" }, {}, { ForbiddenCharacter } },
        NameCheckCase { "ControlCharacter", { u"a\tb.mp3" }, {}, { ForbiddenCharacter } },
        NameCheckCase { "EmptyButExtension", { u".mp3" }, {}, { NothingButExtension } },
        NameCheckCase { "LongestNameFits", { kLongest }, {}, { std::nullopt } },
        NameCheckCase { "OverLongInUtf8", { kTooLong }, {}, { TooLong } }),
    test::ByName);

TEST_F(NamesFromTags, PreviewMarksOnlyRenamedRowsAndCountsThem)
{
    for (const char* name : { "a.mp3", "b.mp3", "keep.mp3", "other.mp3" })
        test::WriteMp3(folder, name,
            { .frames = test::Concat({ Frame("TIT2", TextBody(name[0] == 'k' ? "keep" : "other")) }) });
    Scan();
    Select(ID3v2, { 0, 2 });

    const auto preview = PreviewFileNames(workspace, { 0, 1, 2 }, u"%vvtt");

    EXPECT_EQ(preview.renamed, (std::vector<bool> { true, true, false }));
    EXPECT_EQ(preview.problems[0], SameAsAnotherNewName);
    EXPECT_EQ(preview.problems[2], std::nullopt);
    EXPECT_EQ(preview.UnusableCount(), 2);
}

} // namespace
} // namespace vennart::commands
