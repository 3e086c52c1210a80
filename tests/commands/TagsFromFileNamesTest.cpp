// "Make Tags from Filenames" without a window: what the rules cut out of each file name, what the
// replacement rows and case options make of it, and what is stored on either tab.
#include "commands/TagsFromFileNames.h"

#include "commands/TagsFromFileNamesRuleText.h"
#include "platform/Error.h"
#include "platform/SystemCodePage.h"
#include "support/TestNames.h"
#include "workspace/WorkspaceFixture.h"

namespace vennart::commands {
namespace {

using workspace::TagGrid;
using enum workspace::TagGrid;

TagBound Pos(const char* position = "")
{
    return { .position = position };
}

TagBound Sym(const char16_t* symbol, const char* count = "")
{
    return { .mode = BoundMode::Symbol, .symbol = symbol, .count = count };
}

struct RuleRow {
    const char* id;
    TagBound from = Pos();
    TagBound to = Pos();
};

enum class Case { Plain, Initial, LowerEachWord };

struct CommandCase {
    const char* name;
    const char* fileName;
    std::vector<RuleRow> rules;
    const char16_t* expected; // each rule's field as shown after the command: "TPE1=Artist TIT2=Title"
    Case letterCase = Case::Plain;
    std::vector<Replacement> replacements = {};
    // Shown in the view code page the workspace starts with: 1251 for ID3v1, 1200 for ID3v2.
    TagGrid grid = ID3v2;
    const char16_t* editedName = nullptr; // typed into the name cell, unsaved
};

VENNART_PRINT_ROW_AS(CommandCase, row.name)

TagsFromNameOptions OptionsOf(const CommandCase& row)
{
    TagsFromNameOptions options;
    for (const auto& rule : row.rules)
        *options.Rule(rule.id) = { .FrameID = rule.id, .checked = true, .from = rule.from, .to = rule.to };
    options.replacements = row.replacements;
    options.firstLetterUpper = row.letterCase == Case::Initial;
    options.eachWordUpper = row.letterCase != Case::Plain;
    options.lowerCase = row.letterCase == Case::LowerEachWord;
    return options;
}

const CommandCase kCommandCases[] = {
    { "ArtistDashTitle", "Artist - Title.mp3", { { "TPE1", Pos(), Sym(u" - ") }, { "TIT2", Sym(u" - ") } },
        u"TPE1=Artist TIT2=Title", Case::Initial },
    { "TrackAndTitleWithUnderscoreReplaced", "01_some_song.mp3",
        { { "TRCK", Pos(), Sym(u"_") }, { "TIT2", Sym(u"_", "1") } }, u"TRCK=01 TIT2=Some Song",
        Case::Initial, { { u"_", u" " } } },
    { "CountFiveStartsAfterTheLastFound", "a_b_c.mp3", { { "TIT2", Sym(u"_", "5") } }, u"TIT2=c" },
    { "CountFiveEndsBeforeTheLastFound", "a_b_c.mp3", { { "TIT2", Pos(), Sym(u"_", "5") } }, u"TIT2=a_b" },
    { "CountZeroSearchesNothing", "a_b_c.mp3", { { "TIT2", Sym(u"_", "0"), Sym(u"_", "0") } },
        u"TIT2=a_b_c" },
    { "AbsentSymbolTakesTheWholeName", "a_b_c.mp3", { { "TIT2", Sym(u"-"), Sym(u"-") } }, u"TIT2=a_b_c" },
    { "EmptySymbolIsNoSpace", "a b.mp3", { { "TIT2", Sym(u""), Sym(u"") } }, u"TIT2=a b" },
    { "FromAfterToRunsToTheEnd", "abcdefgh.mp3", { { "TIT2", Pos("5"), Pos("3") } }, u"TIT2=efgh" },
    { "TypedOneThenZeroIsTen", "abcdefghijkl.mp3", { { "TIT2", Pos("10") } }, u"TIT2=jkl" },
    { "PositionPastTheEndEmptiesTheField", "abcdefgh.mp3", { { "TIT2", Pos("20") } }, u"TIT2=" },
    { "NotANumberIsTheDefault", "abcdefgh.mp3", { { "TIT2", Pos("x"), Pos("2x") } }, u"TIT2=abcdefgh" },
    { "OnlyTheLastExtensionGoes", "a.b.mp3", { { "TIT2" } }, u"TIT2=a.b" },
    { "LowerThenEachWordKeepsDoubleSpace", "JOHN  SMITH.mp3", { { "TPE1" } }, u"TPE1=John  Smith",
        Case::LowerEachWord },
    { "OnlySpaceStartsAWord", "rock-n-roll_x.y.mp3", { { "TIT2" } }, u"TIT2=Rock-n-roll_x.y",
        Case::LowerEachWord },
    { "RepeatedReplacementShrinks", "aaaa.mp3", { { "TIT2" } }, u"TIT2=a", Case::Plain, { { u"aa", u"a" } } },
    { "ReplacementDoublingWhatEnds", "aaa.mp3", { { "TIT2" } }, u"TIT2=aaaaaa", Case::Plain,
        { { u"a", u"aa" } } },
    { "ReplacementRowsRunInOrder", "a-b.mp3", { { "TIT2" } }, u"TIT2=a+b", Case::Plain,
        { { u"-", u"_" }, { u"", u"x" }, { u"_", u"+" } } },
    { "ID3v1TrackNumbers", "07 x 300.mp3",
        { { "TRCK", Pos(), Sym(u" ") }, { "TIT2", Sym(u" "), Sym(u" ", "2") }, { "TALB", Sym(u" ", "2") } },
        u"TRCK=7 TIT2=x TALB=300", Case::Plain, {}, ID3v1 },
    { "ID3v1TrackNotANumberIsZero", "x.mp3", { { "TRCK" } }, u"TRCK=0", Case::Plain, {}, ID3v1 },
    { "ID3v1TrackKeepsTheLowByte", "300.mp3", { { "TRCK" } }, u"TRCK=44", Case::Plain, {}, ID3v1 },
    { "ID3v1ThroughTheViewCodePage", "\xD0\x90\xD0\xB1.mp3", { { "TPE1" } }, u"TPE1=\u0410\u0431",
        Case::Plain, {}, ID3v1 },
    { "ReadsTheNameOnDiskNotTheEditedCell", "Disk.mp3", { { "TIT2" } }, u"TIT2=Disk", Case::Plain, {}, ID3v1,
        u"Edited.mp3" },
};

class MakeTags : public workspace::WorkspaceFixture, public testing::WithParamInterface<CommandCase> { };

TEST_P(MakeTags, StoresWhatTheRulesCutFromTheName)
{
    const auto& row = GetParam();
    test::WriteMp3(
        folder, row.fileName, { .frames = std::nullopt, .record = test::ID3v1Fields { .Track = 1 } });
    Scan();
    if (row.editedName)
        workspace.SetRowName(0, row.editedName);
    Select(row.grid, { 0, 0 });

    Apply(workspace, TagsFromFileNames(workspace, { 0 }, OptionsOf(row)));

    WideString shown;
    for (const auto& rule : row.rules) {
        shown += (shown.empty() ? u"" : u" ") + WidenSystem(rule.id) + u"="
            + ShownFieldText(workspace.File(0), row.grid, workspace.ViewCodePage(row.grid), rule.id);
    }
    EXPECT_EQ(shown, row.expected);
    EXPECT_EQ(Marks(), std::vector<std::string> { row.grid == ID3v1 ? "1" : "2" });
}

INSTANTIATE_TEST_SUITE_P(Rules, MakeTags, testing::ValuesIn(kCommandCases), test::ByName);

struct SeparatorCase {
    const char* name;
    const char16_t* fileName;
    TagBound bound;
    bool lacks;
};

const SeparatorCase kSeparatorCases[] = {
    { "Found", u"A - B", Sym(u" - "), false },
    { "Absent", u"A_B", Sym(u" - "), true },
    { "FewerThanCount", u"a_b", Sym(u"_", "2"), true },
    { "OccurrencesDoNotOverlap", u"aaa", Sym(u"aa", "2"), true },
    { "EmptySymbolSearchesNothing", u"ab", Sym(u""), false },
    { "PositionSearchesNothing", u"ab", Pos("9"), false },
};

TEST(MissingSeparator, MarksNamesTheRulesDoNotFit)
{
    for (const SeparatorCase& row : kSeparatorCases) {
        SCOPED_TRACE(row.name);
        TagsFromNameOptions options;
        *options.Rule("TPE1") = { .FrameID = "TPE1", .checked = true, .to = row.bound };
        EXPECT_EQ(LacksSeparator(row.fileName, options), row.lacks);
        options.Rule("TPE1")->checked = false;
        EXPECT_FALSE(LacksSeparator(row.fileName, options));
    }
}

struct RuleTextCase {
    const char* name;
    const char16_t* text;
    std::optional<TTagToCreate> expected; // none: the text is refused
};

const RuleTextCase kRuleTextCases[] = {
    { "ToSymbol", u"TPE1=..' - '", TTagToCreate { "TPE1", true, Pos(), Sym(u" - ") } },
    { "Positions", u"trck=1..2", TTagToCreate { "TRCK", true, Pos("1"), Pos("2") } },
    { "SymbolWithCount", u"COMM='_'#2..", TTagToCreate { "COMM", true, Sym(u"_", "2"), Pos() } },
    { "DoubledQuote", u"TIT2='''s'..", TTagToCreate { "TIT2", true, Sym(u"'s"), Pos() } },
    { "UnknownFrame", u"TCON=..", std::nullopt },
    { "ShortText", u"TI", std::nullopt },
    { "UnclosedQuote", u"TIT2='_..", std::nullopt },
    { "CountWithoutDigits", u"TIT2='_'#..", std::nullopt },
    { "TrailingText", u"TIT2=..3x", std::nullopt },
    { "NoRange", u"TIT2=3", std::nullopt },
};

TEST(RuleText, DescribesOneRule)
{
    for (const RuleTextCase& row : kRuleTextCases) {
        SCOPED_TRACE(row.name);
        if (row.expected)
            EXPECT_EQ(ParseTagRule(row.text), *row.expected);
        else
            EXPECT_THROW(ParseTagRule(row.text), Error);
    }
}

} // namespace
} // namespace vennart::commands
