// The folder scan and the rows it builds: order, progress, unreadable files, names, tag cells,
// changed marks and selections.
#include "WorkspaceFixture.h"
#include "platform/Error.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vennart::workspace {
namespace {

using test::ID3v1Fields;
using Texts = std::vector<std::u16string>;

class RecordingObserver final : public WorkspaceObserver {
public:
    void FileListAboutToReset() override { events.push_back("about to reset"); }
    void FileListReset() override { events.push_back("reset"); }
    void RowsChanged(int first, int last) override
    {
        events.push_back("rows " + std::to_string(first) + "-" + std::to_string(last));
    }
    void TagColumnsChanged(TagGrid grid) override
    {
        events.push_back(grid == TagGrid::ID3v1 ? "tags v1" : "tags v2");
    }
    std::vector<std::string> events;
};

class WorkspaceScan : public WorkspaceFixture {
protected:
    Texts RowNames() const
    {
        Texts names;
        for (int row = 0; row < workspace.FileCount(); ++row)
            names.push_back(workspace.RowName(row));
        return names;
    }

    // Columns 1 to 5 of a row: the name column holds no tag text, then title, artist, album, year.
    Texts TagCells(TagGrid grid, int row) const
    {
        Texts cells;
        for (int column = 1; column <= 5; ++column)
            cells.push_back(workspace.TagCellText(grid, row, column));
        return cells;
    }
};

// A folder without an MP3 file shows no progress and no rows, and selects none.
TEST_F(WorkspaceScan, ListsMp3FilesOfAnyCaseSortedByNameIgnoringCase)
{
    for (const char* name : { "notes.txt", "song.mp3.bak", "mp3" })
        test::WriteMp3(folder, name);
    std::filesystem::create_directory(folder / "folder.mp3");
    ASSERT_EQ(mkfifo((folder / "pipe.mp3").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder / "b.mp3", folder / "Link.mp3");
    std::filesystem::create_symlink(folder / "missing", folder / "dangling.mp3");
    Scan();
    EXPECT_EQ(workspace.FileCount(), 0);
    EXPECT_TRUE(progress.Statuses.empty());
    EXPECT_TRUE(progress.BarMaximums.empty());
    EXPECT_TRUE(workspace.Selection(TagGrid::ID3v1).IsEmpty());
    EXPECT_TRUE(workspace.Selection(TagGrid::ID3v2).IsEmpty());
    EXPECT_FALSE(workspace.SelectAllFiles());

    for (const char* name : { "b.mp3", "A.MP3", "Ünïcode.Mp3", ".hidden.mp3" })
        test::WriteMp3(folder, name);
    Scan();

    EXPECT_EQ(RowNames(), (Texts { u".hidden.mp3", u"A.MP3", u"b.mp3", u"Link.mp3", u"Ünïcode.Mp3" }));
    EXPECT_TRUE(prompts.Errors.empty());
    EXPECT_EQ(progress.Statuses.front(), "Reading 0 of 5");
    EXPECT_EQ(progress.Statuses.back(), "Idle");
    EXPECT_EQ(progress.BarMaximums, std::vector<int> { 5 });
    EXPECT_EQ(progress.BarPositions, (std::vector<int> { 1, 2, 3, 4, 5, 0 }));
    EXPECT_FALSE(progress.BarVisible);
    EXPECT_EQ(workspace.File(1).FileName, folder / "A.MP3");
}

TEST_F(WorkspaceScan, UnreadableFilesAreLeftOutAndNamedInOneErrorBox)
{
    test::WriteMp3(folder, "a.mp3");
    // The frame claims more bytes than the whole file holds.
    test::WriteFileBytes(folder / "b.mp3",
        test::Concat({ test::TagHeader(3, 20), test::BytesOf("TIT2"), { 0, 0, 0x10, 0, 0, 0 },
            test::Bytes(10, 'x') }));
    test::WriteMp3(folder, "c.mp3");
    test::WriteMp3(folder, "d.mp3");
    // Locked, as another program saving it would hold it.
    const int locked = open((folder / "c.mp3").c_str(), O_RDONLY);
    ASSERT_EQ(flock(locked, LOCK_EX), 0);

    Scan();

    close(locked);

    EXPECT_EQ(RowNames(), (Texts { u"a.mp3", u"d.mp3" }));
    EXPECT_EQ(prompts.Errors,
        std::vector { "Could not read 2 file(s):\n" + (folder / "b.mp3").string()
            + ": the file is damaged: the frame TIT2 at byte 10 runs past the end of the file\n"
            + (folder / "c.mp3").string() + ": the file is in use by another program" });
    EXPECT_EQ(progress.Statuses[4], "Reading 4 of 4");
}

TEST_F(WorkspaceScan, TagCellsShowEachGridsTagThroughItsViewCodePage)
{
    const std::string cyrillic1251 = "\xCF\xE5\xF1\xED\xFF"; // "Песня"
    test::WriteMp3(folder, "a.mp3",
        { .frames = test::Concat({ test::Frame("TIT2", test::Utf16Body(u"Заголовок")),
              test::Frame("TPE1", test::TextBody(cyrillic1251)),
              test::Frame("TYER", test::TextBody("1999")) }),
            .record
            = ID3v1Fields { .Title = cyrillic1251, .Artist = "Band", .Album = "LP", .Year = "2001" } });
    test::WriteMp3(folder, "b.mp3");
    Scan();
    workspace.SetViewCodePage(TagGrid::ID3v1, 1251);
    workspace.SetViewCodePage(TagGrid::ID3v2, 1200);

    EXPECT_EQ(TagCells(TagGrid::ID3v1, 0), (Texts { u"", u"Песня", u"Band", u"LP", u"2001" }));
    EXPECT_EQ(TagCells(TagGrid::ID3v2, 0),
        (Texts { u"", u"Заголовок", u"\u00CF\u00E5\u00F1\u00ED\u00FF", u"", u"1999" }));
    EXPECT_EQ(TagCells(TagGrid::ID3v1, 1), Texts(5));
    EXPECT_EQ(TagCells(TagGrid::ID3v2, 1), Texts(5));
}

// A folder that cannot be listed changes neither the current folder nor the rows nor their marks.
TEST_F(WorkspaceScan, MarksGoToOneGridOrBothSetTheChangedFlagAndLastUntilTheFolderIsReadAgain)
{
    for (const char* name : { "a.mp3", "b.mp3", "c.mp3" })
        test::WriteMp3(folder, name);
    Scan();
    RecordingObserver observer;
    workspace.AddObserver(&observer);

    workspace.MarkRowChanged(-1);
    workspace.MarkRowChanged(3);
    EXPECT_FALSE(workspace.Changed());

    workspace.MarkRowChanged(0, TagGrid::ID3v1);
    workspace.MarkRowChanged(1, TagGrid::ID3v2);
    workspace.MarkRowChanged(2);
    EXPECT_THROW(workspace.OpenFolder(folder / "gone"), Error);
    EXPECT_EQ(workspace.CurrentDir(), folder.Path());

    EXPECT_TRUE(workspace.Changed());
    EXPECT_EQ(Marks(), (std::vector<std::string> { "1", "2", "12" }));
    EXPECT_EQ(observer.events, (std::vector<std::string> { "rows 0-0", "rows 1-1", "rows 2-2" }));

    Scan();

    EXPECT_FALSE(workspace.Changed());
    EXPECT_EQ(Marks(), (std::vector<std::string> { "", "", "" }));
    EXPECT_EQ(std::vector(observer.events.end() - 2, observer.events.end()),
        (std::vector<std::string> { "about to reset", "reset" }));
    workspace.RemoveObserver(&observer);
}

TEST_F(WorkspaceScan, EachGridKeepsItsOwnSelectionUntilSelectAllAndNoneReachesPastTheRowsOrOutlivesTheFolder)
{
    for (const char* name : { "a.mp3", "b.mp3", "c.mp3", "d.mp3" })
        test::WriteMp3(folder, name);
    Scan();
    EXPECT_EQ(workspace.Selection(TagGrid::ID3v1), (RowRange { 0, 0 }));
    EXPECT_EQ(workspace.Selection(TagGrid::ID3v2), (RowRange { 0, 0 }));

    workspace.SetSelection(TagGrid::ID3v1, { 1, 2 });
    workspace.SetSelection(TagGrid::ID3v2, { 3, 3 });
    workspace.SetActiveGrid(TagGrid::ID3v2);
    EXPECT_EQ(workspace.ActiveSelection(), (RowRange { 3, 3 }));
    workspace.SetActiveGrid(TagGrid::ID3v1);
    EXPECT_EQ(workspace.ActiveSelection(), (RowRange { 1, 2 }));
    workspace.SetSelection(TagGrid::ID3v2, { -3, 9 });
    EXPECT_EQ(workspace.Selection(TagGrid::ID3v2), (RowRange { 0, 3 }));

    EXPECT_TRUE(workspace.SelectAllFiles());
    EXPECT_EQ(workspace.Selection(TagGrid::ID3v1), (RowRange { 0, 3 }));
    EXPECT_EQ(workspace.Selection(TagGrid::ID3v2), (RowRange { 0, 3 }));

    // Reading the same folder again keeps the selection within the rows; another starts at the first.
    workspace.SetSelection(TagGrid::ID3v1, { 2, 3 });
    std::filesystem::remove(folder / "d.mp3");
    workspace.ScanFolder();
    EXPECT_EQ(workspace.Selection(TagGrid::ID3v1), (RowRange { 2, 2 }));
    test::TempDir other;
    test::WriteMp3(other, "x.mp3");
    workspace.OpenFolder(other.Path());
    EXPECT_EQ(workspace.Selection(TagGrid::ID3v1), (RowRange { 0, 0 }));
}

} // namespace
} // namespace vennart::workspace
