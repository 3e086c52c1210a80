// Every file operation of a write made to fail, or to store only half, one at a time, for each way
// the program writes a file: the write either reports the failure with every file of the folder as
// it was and the edits still pending, or completes exactly as it does without a fault. Nothing is
// left behind but what the scan reports, since a leftover file would show in the folder's contents.
// This is the one sweep of the original surviving every failure; other tests name single faults.
#include "Mp3Folder.h"
#include "platform/Error.h"
#include "platform/SafeReplace.h"
#include "platform/SaveLeftovers.h"
#include "support/FaultyFileSystem.h"
#include "support/TestNames.h"
#include "support/WorkspaceFakes.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Class.h"
#include "workspace/FrameText.h"
#include "workspace/SaveChanges.h"
#include "workspace/Workspace.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace vennart::workspace {
namespace {

using test::ContentOf;
using test::FaultyFileSystem;
using test::FolderContent;

// One write, ready to run against the folder it prepared; after a failed run, whether the edits are
// still there to be saved again (a record edit forgotten would be lost on the next try).
struct PendingWrite {
    std::function<void()> Run;
    std::function<bool()> EditsPending = [] { return true; };
};

// One run of a write: its folder, its file system, and the workspace of the writes that save through one.
struct Attempt {
    test::TempDir folder;
    FaultyFileSystem fs;
    test::RecordingProgress progress;
    test::ScriptedPrompts prompts;
    Workspace workspace { progress, prompts, fs };
    PendingWrite write;
};

PendingWrite ReplaceContent(Attempt& attempt)
{
    const std::filesystem::path file = attempt.folder / "settings.ini";
    test::WriteFileBytes(file, test::BytesOf("old"));
    // Named as earlier versions named their temporary file: it is the user's, and stays.
    test::WriteFileBytes(attempt.folder / "settings.ini.$$$", test::BytesOf("user's"));
    return { [file, &fs = attempt.fs] {
        platform::ReplaceFileContent(fs, file, { .mode = 0640 },
            [](platform::File& replacement) { replacement.WriteAt(test::Audio(20), 0); });
    } };
}

PendingWrite TagSave(Attempt& attempt, int audioFrames)
{
    const auto tag = std::make_shared<tags::TID3v2Class>(
        test::WriteMp3(attempt.folder, "song.mp3",
            test::Titled("old", test::ID3v1Fields { .Title = "old" }, audioFrames)),
        attempt.fs);
    SetFrameText(*tag, "TIT2", u"new", 1200);
    tag->FindFrameByClass<tags::TID3v1Tag>(1)->SetTitle("new");
    return { [tag] { tag->Save(); }, [tag] { return tag->FindFrameByClass<tags::TID3v1Tag>(1)->Changed; } };
}

// A file with another hard link is rewritten in place, after a complete copy is put beside it.
PendingWrite LinkedTagSave(Attempt& attempt)
{
    PendingWrite save = TagSave(attempt, 3);
    std::filesystem::create_hard_link(attempt.folder / "song.mp3", attempt.folder / "link.mp3");
    return save;
}

PendingWrite FolderSave(Attempt& attempt)
{
    for (const char* name : { "a.mp3", "b.mp3" })
        test::WriteMp3(attempt.folder, name, test::Titled("old", test::ID3v1Fields { .Title = "old" }));
    Workspace& workspace = attempt.workspace;
    workspace.OpenFolder(attempt.folder.Path());
    SetFrameText(workspace.FileToSave(1), "TIT2", u"new", 1200);
    workspace.FileToSave(1).FindFrameByClass<tags::TID3v1Tag>(1)->SetTitle("new");
    workspace.MarkRowChanged(1);
    return { [&workspace] { SaveChanges(workspace); },
        [&workspace] { return workspace.IsRowMarked(1) && workspace.Changed(); } };
}

struct WriteCase {
    const char* Name;
    PendingWrite (*Prepare)(Attempt&);
    // What the file system of this row cannot do, so that the program's other way is taken.
    void (FaultyFileSystem::*Refuse)() = nullptr;
};

VENNART_PRINT_ROW_AS(WriteCase, row.Name)

const WriteCase kWrites[] {
    { "ReplaceFileContent", ReplaceContent },
    { "ReplaceFileContentThroughAHiddenName", ReplaceContent, &FaultyFileSystem::RefuseNamelessFiles },
    { "TagSave", [](Attempt& attempt) { return TagSave(attempt, 3); } },
    // Enough audio frames for a copy through blocks to take more than one.
    { "TagSaveThroughBlockCopies", [](Attempt& attempt) { return TagSave(attempt, 3000); },
        &FaultyFileSystem::RefuseKernelCopy },
    { "HardLinkedTagSave", LinkedTagSave },
    { "SaveChanges", FolderSave },
};

class WriteFaultSweep : public testing::TestWithParam<std::tuple<WriteCase, FaultyFileSystem::Fault>> {
protected:
    std::unique_ptr<Attempt> Prepare() const
    {
        auto attempt = std::make_unique<Attempt>();
        const WriteCase& row = std::get<0>(GetParam());
        if (row.Refuse)
            (attempt->fs.*row.Refuse)();
        attempt->write = row.Prepare(*attempt);
        return attempt;
    }
};

TEST_P(WriteFaultSweep, EndsWithTheFolderAsItWasOrAsAFaultlessWriteLeavesIt)
{
    const auto reference = Prepare();
    const FolderContent before = ContentOf(reference->folder);
    reference->fs.FailOperation(0);
    reference->write.Run();
    const int operations = reference->fs.OperationCount();
    const FolderContent written = ContentOf(reference->folder);
    ASSERT_NE(written, before);
    ASSERT_GT(operations, 3);

    int failures = 0;
    for (int k = 1; k <= operations; ++k) {
        SCOPED_TRACE("operation " + std::to_string(k));
        const auto attempt = Prepare();
        attempt->fs.FailOperation(k, std::get<1>(GetParam()));
        try {
            attempt->write.Run();
            // The old copy of a linked file that could not be removed is left for the scan to report;
            // it is the only thing a save may leave behind.
            FolderContent content = ContentOf(attempt->folder);
            std::erase_if(content, [](const auto& entry) { return platform::IsLeftoverName(entry.first); });
            EXPECT_EQ(content, written);
        } catch (const Error&) {
            ++failures;
            EXPECT_EQ(ContentOf(attempt->folder), before);
            EXPECT_TRUE(attempt->write.EditsPending());
        }
        EXPECT_EQ(attempt->fs.FaultsInjected(), 1);
    }
    EXPECT_GT(failures, 0);
}

INSTANTIATE_TEST_SUITE_P(WritePaths, WriteFaultSweep,
    testing::Combine(testing::ValuesIn(kWrites),
        testing::Values(FaultyFileSystem::Fault::Fail, FaultyFileSystem::Fault::ShortWrite)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).Name) + "_"
            + testing::PrintToString(std::get<1>(info.param));
    });

} // namespace
} // namespace vennart::workspace
