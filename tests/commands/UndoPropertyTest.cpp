// Every batch command applied through the undo history over a folder of real-world files (the shared
// corpus, when present) and of built ones, then undone: each row is again what it was byte for byte
// (its ID3v2 tag as a save renders it, its ID3v1 record, the frames a save would rewrite, its name
// cell and marks), and so are the view code pages and whether there is anything to save. Redone, the
// command gives again exactly what it gave the first time.
#include "commands/ConvertDetected.h"
#include "commands/CopyTags.h"
#include "commands/FileNamesFromTags.h"
#include "commands/History.h"
#include "commands/ID3v1Version.h"
#include "commands/Reencode.h"
#include "commands/TagsFromFileNames.h"
#include "commands/Transliterate.h"
#include "support/TestNames.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Writer.h"
#include "text/Translit.h"
#include "workspace/WorkspaceFixture.h"

#include <array>
#include <functional>
#include <numeric>
#include <tuple>

namespace vennart::commands {
namespace {

using workspace::TagGrid;

const std::filesystem::path kCorpus = VENNART_CORPUS_DIR;
// "Привет", "Шансон", "Кино" in code page 1251.
constexpr const char* kPrivet1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";
constexpr const char* kShanson1251 = "\xD8\xE0\xED\xF1\xEE\xED";
constexpr const char* kKino1251 = "\xCA\xE8\xED\xEE";

// Per row: its ID3v2 tag as a save renders it, its ID3v1 record, which frames a save would rewrite,
// its name cell and its marks; of the folder: whether there is anything to save, the view code pages.
using RowState = std::tuple<tags::ByteVector, tags::ByteVector, std::vector<bool>, WideString, bool, bool>;

struct FolderState {
    std::vector<RowState> rows;
    std::tuple<bool, uint32_t, uint32_t> folder;
    bool operator==(const FolderState&) const = default;
};

FolderState StateOf(const workspace::Workspace& w)
{
    FolderState state { {}, { w.Changed(), w.ViewCodePage(TagGrid::ID3v1), w.ViewCodePage(TagGrid::ID3v2) } };
    for (int row = 0; row < w.FileCount(); ++row) {
        const tags::TID3v2Class& file = w.File(row);
        std::vector<bool> changed;
        for (const auto& frame : file.Frames)
            changed.push_back(frame->Changed);
        tags::ByteWriter record;
        if (const auto* v1 = file.FindFrameByClass<tags::TID3v1Tag>(1))
            v1->SaveToStream(record, tags::FrameSizeFormat::Plain);
        state.rows.emplace_back(tags::RenderID3v2Tag(tags::ID3v2Header {}, file.Frames, file.FileName),
            record.Data(), changed, w.RowName(row), w.IsRowMarked(row, TagGrid::ID3v1),
            w.IsRowMarked(row, TagGrid::ID3v2));
    }
    return state;
}

// Fails naming the rows that differ by file name.
void ExpectSame(
    const workspace::Workspace& w, const FolderState& actual, const FolderState& expected, const char* what)
{
    std::string names;
    for (std::size_t row = 0; row < std::min(actual.rows.size(), expected.rows.size()); ++row) {
        if (actual.rows[row] != expected.rows[row])
            names += " " + w.File(static_cast<int>(row)).FileName.filename().string();
    }
    EXPECT_TRUE(actual == expected) << what << (names.empty() ? " (changed flag or view code page)" : names);
}

using Rows = std::vector<int>;

struct CommandCase {
    const char* name;
    TagGrid tab; // the visible tab, whose view code page and rows the command takes
    uint32_t viewCodePage;
    std::function<ChangeSet(const workspace::Workspace&, const Rows&)> command;
};
VENNART_PRINT_ROW_AS(CommandCase, row.name)

const text::TranslitTable& Table()
{
    static const text::TranslitTable table = text::LoadTranslitTable(VENNART_DATA_DIR "/translit.tab");
    return table;
}

TagsFromNameOptions TitleAndTrackFromName()
{
    TagsFromNameOptions options;
    options.Rule("TIT2")->checked = true;
    options.Rule("TRCK")->checked = true;
    return options;
}

// As a user confirms detection in a mixed folder: each row from a code page of its own, some left alone.
std::vector<std::optional<uint32_t>> MixedSources(const Rows& rows)
{
    std::vector<std::optional<uint32_t>> sources;
    for (const int row : rows)
        sources.push_back(std::array<std::optional<uint32_t>, 3> { 1251, 20866, std::nullopt }[row % 3]);
    return sources;
}

const CommandCase kCommands[] = {
    { "ReencodeID3v1From1251To866", TagGrid::ID3v1, 1251,
        [](auto& w, auto& r) { return Reencode(w, TagGrid::ID3v1, r, 866).set; } },
    { "ReencodeID3v2From1200To1251", TagGrid::ID3v2, 1200,
        [](auto& w, auto& r) { return Reencode(w, TagGrid::ID3v2, r, 1251).set; } },
    { "ReencodeID3v2From1251To1200", TagGrid::ID3v2, 1251,
        [](auto& w, auto& r) { return Reencode(w, TagGrid::ID3v2, r, 1200).set; } },
    { "ConvertDetectedOnID3v1", TagGrid::ID3v1, 1251,
        [](auto& w, auto& r) { return ConvertFromDetected(w, TagGrid::ID3v1, r, MixedSources(r)); } },
    { "ConvertDetectedOnID3v2", TagGrid::ID3v2, 1200,
        [](auto& w, auto& r) { return ConvertFromDetected(w, TagGrid::ID3v2, r, MixedSources(r)); } },
    { "TransliterateID3v1", TagGrid::ID3v1, 1251,
        [](auto& w, auto& r) { return TransliterateTags(w, TagGrid::ID3v1, r, Table()); } },
    { "TransliterateID3v2", TagGrid::ID3v2, 1251,
        [](auto& w, auto& r) { return TransliterateTags(w, TagGrid::ID3v2, r, Table()); } },
    { "TransliterateFileNames", TagGrid::ID3v2, 1200,
        [](auto& w, auto& r) { return TransliterateFileNames(w, r, Table()); } },
    { "CopyID3v1ToID3v2", TagGrid::ID3v2, 1200,
        [](auto& w, auto& r) { return CopyTags(w, TagGrid::ID3v2, r); } },
    { "CopyID3v2ToID3v1", TagGrid::ID3v1, 1251,
        [](auto& w, auto& r) { return CopyTags(w, TagGrid::ID3v1, r); } },
    { "ID3v1Version10", TagGrid::ID3v1, 1251, [](auto& w, auto& r) { return SetID3v1Version(w, r, false); } },
    { "ID3v1Version11", TagGrid::ID3v1, 1251, [](auto& w, auto& r) { return SetID3v1Version(w, r, true); } },
    { "TagsFromNamesOnID3v1", TagGrid::ID3v1, 1251,
        [](auto& w, auto& r) { return TagsFromFileNames(w, r, TitleAndTrackFromName()); } },
    { "TagsFromNamesOnID3v2", TagGrid::ID3v2, 1200,
        [](auto& w, auto& r) { return TagsFromFileNames(w, r, TitleAndTrackFromName()); } },
    { "NamesFromTagsOnID3v1", TagGrid::ID3v1, 1251,
        [](auto& w, auto& r) { return FileNamesFromTags(w, r, u"%vvar - %vvtt"); } },
    { "NamesFromTagsOnID3v2", TagGrid::ID3v2, 1200,
        [](auto& w, auto& r) { return FileNamesFromTags(w, r, u"%vvtr %vvtt (%vvab)"); } },
};

// The built files cover what the corpus may lack: 8-bit and UTF-16 text, a genre of the user's own
// and one of the table, a picture, user frames, no ID3v2 tag, no ID3v1 record, both record versions.
void WriteBuiltFiles(const test::TempDir& folder)
{
    using namespace test;
    const Bytes zero { 0 };
    const Bytes comment = Concat({ Bytes { 0, 'r', 'u', 's', 0 }, BytesOf(kPrivet1251) });
    const Bytes picture = Concat({ zero, BytesOf("image/png"), Bytes { 0, 3, 0 }, Bytes(300, 0x89) });
    const Bytes userUrl = Concat({ zero, BytesOf("site"), zero, BytesOf("http://x") });
    WriteMp3(folder, "Кино - Группа крови.mp3",
        { .frames = Concat({ Frame("TIT2", TextBody(kPrivet1251)), Frame("TPE1", TextBody(kKino1251)),
              Frame("TCON", TextBody(kShanson1251)), Frame("TRCK", TextBody("3/12")),
              Frame("COMM", comment) }),
            .record = ID3v1Fields {
                .Title = kPrivet1251, .Artist = kKino1251, .Comment = "c", .Track = 3, .Genre = 17 } });
    WriteMp3(folder, "02 Unicode.mp3",
        { .frames = Concat({ Frame("TIT2", Utf16Body(u"Ελλάδα")), Frame("TPE1", Utf16Body(u"Привет")),
              Frame("TCON", Utf16Body(u"Post-Rock")), Frame("TXXX", Utf16Body(u"key")),
              Frame("APIC", picture) }),
            .record = ID3v1Fields { .Title = "Plain", .Comment = std::string(30, 'x') } });
    WriteMp3(
        folder, "No ID3v2.mp3", { .frames = std::nullopt, .record = ID3v1Fields { .Artist = kKino1251 } });
    WriteMp3(folder, "No record.mp3",
        { .frames = Concat(
              { Frame("TIT2", TextBody("Rock")), Frame("TCON", TextBody("(17)")), Frame("WXXX", userUrl) }),
            .record = std::nullopt });
}

// Each corpus file under a name of its own that the scan lists.
void CopyCorpus(const test::TempDir& folder)
{
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(kCorpus, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file() || it->path().filename() == "MANIFEST.txt")
            continue;
        std::string name = std::filesystem::relative(it->path(), kCorpus).string();
        std::ranges::replace(name, '/', '_');
        if (!name.ends_with(".mp3"))
            name += ".mp3";
        std::filesystem::copy_file(it->path(), folder / name);
    }
}

class CommandFolder : public workspace::WorkspaceFixture {
protected:
    void SetUp() override
    {
        WriteBuiltFiles(folder);
        CopyCorpus(folder);
        Scan();
        ASSERT_GE(workspace.FileCount(), 4);
        rows.resize(static_cast<std::size_t>(workspace.FileCount()));
        std::iota(rows.begin(), rows.end(), 0);
    }

    std::vector<int> rows;
    History history { workspace };
};

class UndoOfEveryCommand : public CommandFolder, public testing::WithParamInterface<CommandCase> { };

TEST_P(UndoOfEveryCommand, RestoresEveryByteAndRedoGivesTheResultAgain)
{
    // The command's tab over every row, in the code page it is run under.
    workspace.SetActiveGrid(GetParam().tab);
    workspace.SelectAllFiles();
    workspace.SetViewCodePage(GetParam().tab, GetParam().viewCodePage);
    const FolderState original = StateOf(workspace);

    history.Do(GetParam().command(workspace, rows));
    const FolderState applied = StateOf(workspace);
    ASSERT_FALSE(applied == original) << "the command changed nothing to undo";
    history.Undo();
    ExpectSame(workspace, StateOf(workspace), original, "undo left rows changed:");
    history.Redo();
    ExpectSame(workspace, StateOf(workspace), applied, "redo differs from the first run:");
}

INSTANTIATE_TEST_SUITE_P(Commands, UndoOfEveryCommand, testing::ValuesIn(kCommands), test::ByName);

// Steps that build on each other: undone from the newest, they lead back to the folder as read.
TEST_F(CommandFolder, AllCommandsInSequenceUndoneLeadBackToTheFolderAsRead)
{
    const FolderState original = StateOf(workspace);
    for (const CommandCase& command : kCommands) {
        workspace.SetActiveGrid(command.tab);
        history.Do(command.command(workspace, rows));
    }
    const FolderState applied = StateOf(workspace);
    while (history.CanUndo())
        history.Undo();
    ExpectSame(workspace, StateOf(workspace), original, "undone, rows differ from the folder as read:");
    EXPECT_FALSE(workspace.Changed());
    while (history.CanRedo())
        history.Redo();
    ExpectSame(workspace, StateOf(workspace), applied, "redone, rows differ:");
}

} // namespace
} // namespace vennart::commands
