// "Make Filenames from Tags" without a window: which new names the preview marks as unusable, and
// why. What a mask expands to is in the table of batch commands.
#include "commands/FileNamesFromTags.h"

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

const WideString kLongest = WideString(125, u'\u0416') + u".mp3"; // 250 + 4 bytes in UTF-8
const WideString kTooLong = WideString(126, u'\u0416') + u".mp3";

const NameCheckCase kNameCases[] = {
    { "TwoFilesToOneName", { u"a.mp3", u"b.mp3", u"a.mp3" }, {},
        { SameAsAnotherNewName, std::nullopt, SameAsAnotherNewName } },
    { "NameOfAnUntouchedFile", { u"a.mp3" }, { u"a.mp3" }, { SameAsAnotherFile } },
    { "CaseMakesNamesDiffer", { u"A.mp3" }, { u"a.mp3" }, { std::nullopt } },
    { "SlashOfAnArtist", { u"AC/DC - Title.mp3" }, {}, { ForbiddenCharacter } },
    { "ControlCharacter", { u"a\tb.mp3" }, {}, { ForbiddenCharacter } },
    { "EmptyButExtension", { u".mp3" }, {}, { NothingButExtension } },
    { "LongestNameFits", { kLongest }, {}, { std::nullopt } },
    { "OverLongInUtf8", { kTooLong }, {}, { TooLong } },
};

TEST(UnusableNames, AreMarkedWithTheirReason)
{
    for (const NameCheckCase& row : kNameCases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CheckNewNames(row.names, row.others), row.expected);
    }
}

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
