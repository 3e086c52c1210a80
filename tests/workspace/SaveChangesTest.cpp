// Saving on real files in a folder of the test's own: tags on disk, audio untouched, renames that
// never replace another file, failed saves that change nothing, and the questions that guard edits.
#include "workspace/SaveChanges.h"

#include "WorkspaceFixture.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"
#include "tags/ID3v1Tag.h"
#include "workspace/FieldEditing.h"
#include "workspace/FrameText.h"

namespace vennart::workspace {
namespace {

using test::Bytes;
using test::ID3v1Fields;

// What follows the ID3v2 tag on disk: the audio and the ID3v1 record.
Bytes AfterTag(const std::filesystem::path& file)
{
    const Bytes bytes = test::ReadFileBytes(file);
    return Bytes(bytes.begin() + tags::TID3v2Class(file).AudioStart(), bytes.end());
}

// One error box naming the one file that kept its old name.
void ExpectRenameReport(const std::vector<std::string>& errors, const std::filesystem::path& file)
{
    ASSERT_EQ(errors.size(), 1u);
    const std::string heading = "1 file(s) could not be renamed:\n";
    EXPECT_EQ(errors[0].rfind(heading + file.string() + ": ", 0), 0u) << errors[0];
    EXPECT_EQ(errors[0].find('\n', heading.size()), std::string::npos) << errors[0];
}

class SaveChangesTest : public WorkspaceFixture {
protected:
    SaveChangesTest()
    {
        for (const std::string name : { "a.mp3", "b.mp3", "c.mp3" })
            test::WriteMp3(
                folder, name, test::Titled("title of " + name, ID3v1Fields { .Title = name, .Track = 1 }, 5));
        test::WriteMp3(folder, "no-tags.mp3");
        Scan();
    }

    void Rename(int row, const WideString& name)
    {
        workspace.SetRowName(row, name);
        workspace.MarkRowChanged(row);
    }
};

TEST_F(SaveChangesTest, WritesBothTagsOfTheMarkedFilesKeepsTheirAudioAndReadsTheFolderAgain)
{
    const auto kept = [&] {
        return std::tuple(
            AfterTag(folder / "a.mp3"), AfterTag(folder / "c.mp3"), test::ReadFileBytes(folder / "b.mp3"));
    };
    const auto before = kept();
    EditTitle(0, u"Первая");
    EditTitle(2, u"Третья");
    // A file marked in the ID3v1 grid only gets its new ID3v2 tag as well.
    SetFrameText(workspace.FileToSave(3), "TIT2", u"v2 title", 1200);
    EnsureID3v1(workspace.FileToSave(3)).SetTitle("v1 title");
    workspace.MarkRowChanged(3, TagGrid::ID3v1);

    SaveChanges(workspace);

    EXPECT_EQ(OnDisk(), u"a.mp3=Первая|b.mp3=title of b.mp3|c.mp3=Третья|no-tags.mp3=v2 title");
    EXPECT_EQ(kept(), before);
    const tags::TID3v2Class saved(folder / "no-tags.mp3");
    const auto* record = saved.FindFrameByClass<tags::TID3v1Tag>(1);
    EXPECT_EQ(record ? record->Title : "(none)", "v1 title");
    // After the statuses of the first scan.
    EXPECT_EQ(std::vector(progress.Statuses.begin() + 6, progress.Statuses.end()),
        (std::vector<std::string> { "Saving 0 of 3", "Saving 1 of 3", "Saving 2 of 3", "Saving 3 of 3",
            "Idle", "Reading 0 of 4", "Reading 1 of 4", "Reading 2 of 4", "Reading 3 of 4", "Reading 4 of 4",
            "Idle" }));
    EXPECT_FALSE(progress.BarVisible);
    EXPECT_FALSE(workspace.Changed());
    EXPECT_EQ(Marks(), std::vector<std::string>(4));
    EXPECT_EQ(workspace.TagCellText(TagGrid::ID3v2, 0, 2), u"Первая");
    EXPECT_TRUE(prompts.Errors.empty());
}

TEST_F(SaveChangesTest, RenamesFilesToTheirEditedNamesTrimmedAndForLetterCaseAlone)
{
    const std::string legacyName = "\xCF\xE5\xF1\xED\xFF.mp3"; // "Песня.mp3" in code page 1251
    test::WriteMp3(folder, legacyName);
    workspace.ScanFolder();
    ASSERT_EQ(workspace.File(4).FileName, folder / legacyName);
    Rename(0, u"  Новое имя.mp3 \t");
    Rename(1, u"b.txt");
    Rename(2, u"C.MP3");
    // A name that is no UTF-8 keeps its bytes when only the file's tags are saved.
    EditTitle(4, u"Песня");

    SaveChanges(workspace);

    EXPECT_EQ(OnDisk(),
        u"C.MP3=title of c.mp3|b.txt=title of b.mp3|no-tags.mp3=|Ïåñíÿ.mp3=Песня|Новое имя.mp3=title of "
        u"a.mp3");
    EXPECT_EQ(workspace.FileCount(), 4);
    EXPECT_EQ(workspace.RowName(0), u"C.MP3");
    EXPECT_EQ(workspace.RowName(2), u"Новое имя.mp3");
    EXPECT_TRUE(prompts.Errors.empty());
}

class RefusedName : public SaveChangesTest, public testing::WithParamInterface<WideString> { };

// Row 0 takes the name first.mp3 before row 1 is given the row's name.
TEST_P(RefusedName, IsReportedWhileTheTagIsSavedAndEveryOtherFileStaysAsItWas)
{
    const Bytes cBefore = test::ReadFileBytes(folder / "c.mp3");
    Rename(0, u"first.mp3");
    EditTitle(1, u"New title");
    Rename(1, GetParam());

    SaveChanges(workspace);

    EXPECT_EQ(OnDisk(), u"b.mp3=New title|c.mp3=title of c.mp3|first.mp3=title of a.mp3|no-tags.mp3=");
    EXPECT_EQ(test::ReadFileBytes(folder / "c.mp3"), cBefore);
    ExpectRenameReport(prompts.Errors, folder / "b.mp3");
}

// An existing file's name, the name an earlier file of the same save took, then names no file can
// have, the last one byte too long for Linux.
INSTANTIATE_TEST_SUITE_P(Names, RefusedName,
    testing::Values(u"c.mp3", u"first.mp3", u"", u" \t ", u"sub/a.mp3", u"/a.mp3", u".", u"..",
        WideString(252, u'x') + u".mp3"));

// Written files keep their new names when a later one fails, and saving again finds them there.
TEST_F(SaveChangesTest, AFileThatCannotBeWrittenStopsTheSaveThereAndSavingAgainWritesTheRest)
{
    EditTitle(0, u"Renamed and saved");
    Rename(0, u"a2.mp3");
    EditTitle(1, u"Written");
    Rename(1, u"no-tags.mp3");
    EditTitle(2, u"Not written");
    EditTitle(3, u"Not reached");
    fileSystem.DenyWriting(folder / "c.mp3");
    const auto before = test::ContentOf(folder);

    const std::string error = test::ErrorOf([&] { SaveChanges(workspace); });

    EXPECT_NE(error.find("c.mp3"), std::string::npos) << error;
    EXPECT_EQ(OnDisk(), u"a2.mp3=Renamed and saved|b.mp3=Written|c.mp3=title of c.mp3|no-tags.mp3=");
    EXPECT_EQ(test::ReadFileBytes(folder / "c.mp3"), before.at("c.mp3"));
    EXPECT_EQ(test::ReadFileBytes(folder / "no-tags.mp3"), before.at("no-tags.mp3"));
    EXPECT_TRUE(workspace.Changed());
    EXPECT_EQ(Marks(), (std::vector<std::string> { "12", "12", "2", "2" }));
    EXPECT_EQ(progress.Statuses.back(), "Idle");
    EXPECT_FALSE(progress.BarVisible);
    EXPECT_EQ(GetFrameText(workspace.File(3), "TIT2", 1200), u"Not reached");
    ExpectRenameReport(prompts.Errors, folder / "b.mp3");

    fileSystem.DenyWriting({});
    EditTitle(0, u"Changed after the rename");
    SaveChanges(workspace);

    EXPECT_EQ(
        OnDisk(), u"a2.mp3=Changed after the rename|b.mp3=Written|c.mp3=Not written|no-tags.mp3=Not reached");
    EXPECT_EQ(prompts.Errors.size(), 2u);
    EXPECT_FALSE(workspace.Changed());
}

// The question asked before edits would be lost, on leaving the folder or on closing, and what its
// answer does: whether the program goes on, and whether the edits are saved first. Without edits
// nothing is asked. A save that fails on leaving stays with the edits: the window test locks the
// file for that.
struct EditsQuestion {
    const char* name;
    bool (*confirm)(Workspace&);
    Answer answer;
    bool goesOn;
    bool saved;
};

VENNART_PRINT_ROW_AS(EditsQuestion, row.name)

class AskedAboutEdits : public SaveChangesTest, public testing::WithParamInterface<EditsQuestion> { };

TEST_P(AskedAboutEdits, OnlyWithEditsAndTheAnswerSaysWhetherToGoOnAndToSaveFirst)
{
    EXPECT_TRUE(GetParam().confirm(workspace));
    EditTitle(0, u"Edited");
    prompts.QueueAnswer(GetParam().answer);

    EXPECT_EQ(GetParam().confirm(workspace), GetParam().goesOn);

    const bool leaving = GetParam().confirm == ConfirmLeaveFolder;
    EXPECT_EQ(prompts.Questions,
        std::vector<std::string> { leaving ? "Changes was not saved! Do you want to save changes?"
                                           : "Changes was not saved! Close anyway?" });
    EXPECT_EQ(TitleOnDisk(folder / "a.mp3"), GetParam().saved ? u"Edited" : u"title of a.mp3");
    EXPECT_EQ(workspace.Changed(), !GetParam().saved);
}

// Only No keeps the window open.
INSTANTIATE_TEST_SUITE_P(Answers, AskedAboutEdits,
    testing::Values(EditsQuestion { "LeavingCancelStays", ConfirmLeaveFolder, Answer::Cancel, false, false },
        EditsQuestion { "LeavingNoGoesWithoutSaving", ConfirmLeaveFolder, Answer::No, true, false },
        EditsQuestion { "LeavingYesSavesFirst", ConfirmLeaveFolder, Answer::Yes, true, true },
        EditsQuestion { "ClosingNoStays", ConfirmClose, Answer::No, false, false },
        EditsQuestion { "ClosingYesClosesWithoutSaving", ConfirmClose, Answer::Yes, true, false },
        EditsQuestion { "ClosingCancelCloses", ConfirmClose, Answer::Cancel, true, false }),
    test::ByName);

} // namespace
} // namespace vennart::workspace
