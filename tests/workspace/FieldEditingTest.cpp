// The editing panel's logic on both tabs: common values, storing typed text into one file and into
// the selection, the ID3v1 record's rules, and the value lists.
#include "workspace/FieldEditing.h"

#include "WorkspaceFixture.h"
#include "commands/EditField.h"
#include "commands/Selection.h"
#include "commands/TagsFromFileNames.h"
#include "platform/SystemCodePage.h"
#include "tags/TagChecks.h"
#include "workspace/FrameText.h"
#include "workspace/SaveChanges.h"

namespace vennart::workspace {
namespace {

using test::Frame;
using test::ID3v1Fields;
using test::TextBody;
using test::Utf16Body;

const WideString kDoNotChangeText(kDoNotChange);

class FieldEditing : public WorkspaceFixture {
protected:
    const TagField& Field(std::string_view id) const
    {
        return *std::find_if(fields.begin(), fields.end(), [&](const TagField& f) { return f.id == id; });
    }

    std::vector<WideString> CommonValues(std::initializer_list<std::string_view> ids)
    {
        std::vector<WideString> values;
        for (const std::string_view id : ids)
            values.push_back(CommonFieldValue(workspace, Field(id)));
        return values;
    }

    // The ID3v2 title of every row.
    std::vector<WideString> Titles() const
    {
        std::vector<WideString> titles;
        for (int row = 0; row < workspace.FileCount(); ++row)
            titles.push_back(GetFrameText(workspace.File(row), "TIT2", 1200));
        return titles;
    }

    const tags::TID3v1Tag* Record(int row) const
    {
        return workspace.File(row).FindFrameByClass<tags::TID3v1Tag>(1);
    }

    // Typing into one file, or into the selection, on the visible tab.
    bool ApplyToFile(int row, const TagField& field, const WideString& typed)
    {
        const TagGrid grid = workspace.ActiveGrid();
        return ApplyFieldToFile(workspace.FileToSave(row), grid, workspace.ViewCodePage(grid), field, typed);
    }
    void ApplyToSelection(const TagField& field, const WideString& typed)
    {
        const TagGrid grid = workspace.ActiveGrid();
        commands::Apply(
            workspace, commands::EditField(workspace, grid, commands::SelectedRows(workspace), field, typed));
    }

    const std::vector<TagField> fields = BuildTagFields(BuildTagList(Settings {}));
};

TEST_F(FieldEditing, CommonValueIsTheSharedValueOrDoNotChangeOnBothTabs)
{
    for (const auto& [name, title] : { std::pair { "a.mp3", "One" }, std::pair { "b.mp3", "Two" } }) {
        test::WriteMp3(folder, name,
            { .frames = test::Concat({ Frame("TIT2", TextBody(title)), Frame("TPE1", Utf16Body(u"Группа")) }),
                .record = ID3v1Fields { .Title = title, .Artist = "Band", .Track = 4, .Genre = 17 } });
    }
    Scan();
    workspace.SetViewCodePage(TagGrid::ID3v2, 1200);

    Select(TagGrid::ID3v2, { 0, 1 });
    EXPECT_EQ(CommonValues({ "TPE1", "TIT2", "TALB", "TCON" }),
        (std::vector<WideString> { u"Группа", kDoNotChangeText, u"", u"" }));
    Select(TagGrid::ID3v1, { 0, 1 });
    EXPECT_EQ(CommonValues({ "TPE1", "TIT2", "TCON", "TRCK" }),
        (std::vector<WideString> { u"Band", kDoNotChangeText, u"Rock", u"4" }));

    // Letter case counts: "One" and "one" differ.
    SetFrameText(workspace.FileToSave(1), "TIT2", u"one", 1200);
    Select(TagGrid::ID3v2, { 0, 1 });
    EXPECT_EQ(CommonFieldValue(workspace, Field("TIT2")), kDoNotChangeText);
}

// A file without a record shows a new record's values; it gets one, in memory, only when a field is
// stored, and frames beyond the main seven have no ID3v1 field.
TEST_F(FieldEditing, ApplyingToAFileStoresIntoTheVisibleTabsTagOnlyAndSaysWhetherTheValueDiffered)
{
    const auto path = test::WriteMp3(folder, "a.mp3", { .frames = Frame("TIT2", TextBody("Old")) });
    const test::Bytes before = test::ReadFileBytes(path);
    Scan();
    workspace.SetViewCodePage(TagGrid::ID3v1, 1251);
    workspace.SetViewCodePage(TagGrid::ID3v2, 1251);

    Select(TagGrid::ID3v2, { 0, 0 });
    EXPECT_EQ(std::vector({ ApplyToFile(0, Field("TIT2"), u"Новое"), ApplyToFile(0, Field("TIT2"), u"Новое"),
                  ApplyToFile(0, Field("TCOM"), u"Composer") }),
        std::vector({ true, false, true }));
    EXPECT_EQ(Record(0), nullptr);
    Select(TagGrid::ID3v1, { 0, 0 });
    EXPECT_EQ(CommonValues({ "TIT2", "TRCK" }), (std::vector<WideString> { u"", u"0" }));
    EXPECT_EQ(Record(0), nullptr);
    EXPECT_EQ(std::vector({ ApplyToFile(0, Field("TCOM"), u"Composer"),
                  ApplyToFile(0, Field("TIT2"), u"Песня"), ApplyToFile(0, Field("TIT2"), u"Песня") }),
        std::vector({ false, true, false }));

    // "Новое" and "Песня" in code page 1251.
    EXPECT_EQ(tags::Describe(workspace.File(0)),
        (std::vector<WideString> { u"TIT2 0 text|0|\u00CD\u00EE\u00E2\u00EE\u00E5", u"TCOM 0 text|0|Composer",
            u"TAG 0 v1.1|\u00CF\u00E5\u00F1\u00ED\u00FF|||||0|255" }));
    EXPECT_TRUE(Record(0)->Changed);
    EXPECT_EQ(workspace.TagCellText(TagGrid::ID3v1, 0, 2), u"Песня");
    EXPECT_EQ(workspace.TagCellText(TagGrid::ID3v2, 0, 2), u"Новое");
    EXPECT_EQ(test::ReadFileBytes(path), before);
}

// A record made for a file without one carries no genre the user never chose: its genre byte is FF.
TEST_F(FieldEditing, ARecordMadeByTypingOrFromTheFileNameIsWrittenWithoutAGenre)
{
    for (const char* name : { "Song.mp3", "Typed.mp3" })
        test::WriteMp3(folder, name);
    Scan();
    Select(TagGrid::ID3v1, { 0, 1 });
    commands::TagsFromNameOptions options;
    options.Rule("TIT2")->checked = true;

    commands::Apply(workspace, commands::TagsFromFileNames(workspace, std::vector { 0 }, options));
    commands::Apply(workspace,
        commands::EditField(workspace, TagGrid::ID3v1, std::vector { 1 }, Field("TIT2"), u"Title"));
    SaveChanges(workspace);

    for (const auto& [name, title] :
        { std::pair { "Song.mp3", "Song" }, std::pair { "Typed.mp3", "Title" } }) {
        const test::Bytes bytes = test::ReadFileBytes(folder / name);
        EXPECT_EQ(
            test::Bytes(bytes.end() - 128, bytes.end()), test::ID3v1Record({ .Title = title, .Genre = 0xFF }))
            << name;
    }
    EXPECT_EQ(CommonValues({ "TIT2", "TCON" }), (std::vector<WideString> { kDoNotChangeText, u"" }));
}

// Each field typed into a record of its own: 1.1 records keep a track, 1.0 records a longer comment.
TEST_F(FieldEditing, TypingIntoTheRecordAppliesItsOwnCuttingRules)
{
    const struct {
        const char* name;
        bool isV11;
        int tag;
        const char16_t* typed;
        const char16_t* shown;
    } cases[] { { "CommentOfV11Keeps28", true, TagComment, u"123456789012345678901234567890123",
                    u"1234567890123456789012345678" },
        { "CommentOfV10Keeps30", false, TagComment, u"123456789012345678901234567890123",
            u"123456789012345678901234567890" },
        { "TrackOfV11", true, TagTrack, u"12", u"12" },
        { "TrackOfV10StaysZero", false, TagTrack, u"12", u"0" },
        { "GenreByNameIgnoringCase", true, TagGenre, u"hard ROCK", u"Hard Rock" },
        { "YearAsTyped", true, TagYear, u"1984", u"1984" } };
    for (int row = 0; const auto& c : cases) {
        test::WriteMp3(folder, std::to_string(row++) + ".mp3",
            { .frames = std::nullopt,
                .record = ID3v1Fields { .Title = "t", .Track = c.isV11 ? 5 : -1, .Genre = 3 } });
    }
    Scan();
    workspace.SetActiveGrid(TagGrid::ID3v1);
    for (int row = 0; const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TagField& field = fields[static_cast<std::size_t>(c.tag - 2)];
        ApplyToFile(row, field, c.typed);
        EXPECT_EQ(FieldValue(workspace, row++, field), c.shown);
    }
}

TEST(TrackNumber, IsTheDecimalValueOfTheLeadingDigitsModulo256)
{
    for (const auto& [typed, number] :
        std::vector<std::pair<WideString, int>> { { u"", 0 }, { u"7", 7 }, { u"007", 7 }, { u"255", 255 },
            { u"256", 0 }, { u"300", 44 }, { u"99999999999999999999", 255 }, { u"3/12", 3 } })
        EXPECT_EQ(TrackNumber(typed), number) << NarrowSystem(typed);
}

TEST_F(FieldEditing, ApplyingToTheSelectionMarksChangedRowsInTheVisibleGridOnly)
{
    for (const auto& [name, title] : { std::pair { "a.mp3", "Same" }, std::pair { "b.mp3", "Other" },
             std::pair { "c.mp3", "Other" }, std::pair { "d.mp3", "Outside" } })
        test::WriteMp3(folder, name, test::Titled(title));
    Scan();
    Select(TagGrid::ID3v2, { 0, 2 });
    workspace.SetViewCodePage(TagGrid::ID3v2, 1200);

    ApplyToSelection(Field("TIT2"), u"Same");

    EXPECT_EQ(Marks(), (std::vector<std::string> { "", "2", "2", "" }));
    EXPECT_EQ(Titles(), (std::vector<WideString> { u"Same", u"Same", u"Same", u"Outside" }));
    EXPECT_TRUE(workspace.Changed());

    Select(TagGrid::ID3v1, { 3, 3 });
    ApplyToSelection(Field("TPE1"), u"Artist");
    EXPECT_EQ(Marks(), (std::vector<std::string> { "", "2", "2", "1" }));
}

TEST_F(FieldEditing, DoNotChangeChangesNothingAndTextTypedNextToItIsTakenWithoutIt)
{
    test::WriteMp3(folder, "a.mp3", { .frames = Frame("TIT2", TextBody("One")) });
    test::WriteMp3(folder, "b.mp3", { .frames = std::nullopt, .record = ID3v1Fields { .Title = "Two" } });
    Scan();

    for (TagGrid grid : { TagGrid::ID3v1, TagGrid::ID3v2 }) {
        Select(grid, { 0, 1 });
        for (const TagField& field : fields)
            ApplyToSelection(field, kDoNotChangeText);
    }
    EXPECT_FALSE(workspace.Changed());
    EXPECT_EQ(Titles(), (std::vector<WideString> { u"One", u"" }));
    EXPECT_EQ(tags::Describe(workspace.File(1)), std::vector<WideString> { u"TAG 0 v1.0|Two|||||0|0" });
    EXPECT_FALSE(Record(1)->Changed);

    ApplyToSelection(Field("TRCK"), kDoNotChangeText + u"5");
    ApplyToSelection(Field("TIT2"), u"Live " + kDoNotChangeText);
    EXPECT_EQ(GetFrameText(workspace.File(0), "TRCK", 1200), u"5");
    EXPECT_EQ(GetFrameText(workspace.File(1), "TRCK", 1200), u"5");
    EXPECT_EQ(Titles(), (std::vector<WideString> { u"Live ", u"Live " }));
}
// The ID3v1 lists skip blank texts and leave files without a record without one.
TEST_F(FieldEditing, ValueListsHoldEveryListedFilesValuesSortedIgnoringCaseButNoGenresOrID3v1Tracks)
{
    const std::pair<const char16_t*, std::optional<ID3v1Fields>> files[] {
        { u"beta", ID3v1Fields { .Title = "zeta", .Track = 2 } },
        { u"Alpha", ID3v1Fields { .Title = "   ", .Track = 3 } },
        { u"alpha", ID3v1Fields { .Title = "\xC0\xE1\xE2", .Track = 4 } }, { u"", {} }, { u"Beta", {} },
        { u"gamma", {} }, { u"Delta", {} }
    };
    for (int i = 0; const auto& [artist, record] : files) {
        test::WriteMp3(folder, "f" + std::to_string(i++) + ".mp3",
            { .frames = test::Concat({ Frame("TPE1", Utf16Body(artist)), Frame("TCON", TextBody("(17)")) }),
                .record = record });
    }
    Scan();
    workspace.SetViewCodePage(TagGrid::ID3v1, 1251);
    workspace.SetViewCodePage(TagGrid::ID3v2, 1200);

    Select(TagGrid::ID3v2, { 0, 0 });
    EXPECT_EQ(FillValueList(workspace, Field("TPE1")),
        (std::vector<WideString> { u"Alpha", u"beta", u"Delta", u"gamma" }));
    EXPECT_TRUE(FillValueList(workspace, Field("TCON")).empty());
    Select(TagGrid::ID3v1, { 0, 0 });
    EXPECT_EQ(FillValueList(workspace, Field("TIT2")), (std::vector<WideString> { u"zeta", u"Абв" }));
    EXPECT_TRUE(FillValueList(workspace, Field("TRCK")).empty());
    EXPECT_EQ(Record(3), nullptr);
}

} // namespace
} // namespace vennart::workspace
