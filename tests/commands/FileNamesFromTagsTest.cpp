// "Make Filenames from Tags" without a window: which new names the preview marks as unusable, and
// why. What a mask expands to is in the table of batch commands.
#include "commands/FileNamesFromTags.h"

#include "support/TestNames.h"
#include "workspace/WorkspaceFixture.h"

namespace vennart::commands {
namespace {

using enum workspace::TagGrid;
using enum NameProblem;

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

class NamesFromTags : public workspace::WorkspaceFixture { };

TEST_F(NamesFromTags, PreviewMarksOnlyRenamedRowsAndCountsThem)
{
    for (const char* name : { "a.mp3", "b.mp3", "keep.mp3", "other.mp3" })
        test::WriteMp3(folder, name, test::Titled(name[0] == 'k' ? "keep" : "other"));
    Scan();
    Select(ID3v2, { 0, 2 });

    const auto preview = PreviewFileNames(workspace, { 0, 1, 2 }, u"%vvtt");

    EXPECT_EQ(preview.names, (std::vector<WideString> { u"other.mp3", u"other.mp3", u"keep.mp3" }));
    EXPECT_EQ(preview.renamed, (std::vector<bool> { true, true, false }));
    EXPECT_EQ(preview.problems,
        (std::vector<std::optional<NameProblem>> {
            SameAsAnotherNewName, SameAsAnotherNewName, std::nullopt }));
    EXPECT_EQ(preview.UnusableCount(), 2);
}

} // namespace
} // namespace vennart::commands
