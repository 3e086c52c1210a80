// Every file operation of a write made to fail, or to store only half, one at a time, for each way
// the program writes a file: the write either reports the failure with every file of the folder as
// it was and the edits still pending, or completes exactly as it does without a fault. Nothing is
// left behind but what the scan reports, since a leftover file would show in the folder's contents.
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
#include <map>
#include <memory>

namespace vennart::workspace {
namespace {

using test::Bytes;
using test::FaultyFileSystem;

using FolderContent = std::map<std::string, Bytes>;

FolderContent ContentOf(const test::TempDir& folder)
{
    FolderContent content;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        content[entry.path().filename().string()] = test::ReadFileBytes(entry.path());
    return content;
}

// After a save that succeeded, the old copy of a linked file that could not be removed is left for
// the scan to report; it is the only thing a save may leave behind.
FolderContent WithoutLeftovers(FolderContent content)
{
    std::erase_if(content, [](const auto& entry) { return platform::IsLeftoverName(entry.first); });
    return content;
}

// Enough audio frames for a copy through blocks to take more than one.
constexpr int kLongAudio = 3000;

test::Mp3Content OldSong(int audioFrames)
{
    return { .frames = test::Frame("TIT2", test::TextBody("old")),
        .record = test::ID3v1Fields { .Title = "old" },
        .audio = test::Audio(audioFrames) };
}

// One write, ready to run against the folder it prepared.
class PendingWrite {
public:
    virtual ~PendingWrite() = default;
    virtual void Run() = 0;
    // After a failed write: whether the edits are still there to be saved again.
    virtual bool EditsPending() const { return true; }
};

class ReplaceContent final : public PendingWrite {
public:
    ReplaceContent(const test::TempDir& folder, FaultyFileSystem& fs)
        : file_(folder / "settings.ini")
        , fs_(fs)
    {
        test::WriteFileBytes(file_, test::BytesOf("old"));
    }
    void Run() override
    {
        platform::ReplaceFileContent(fs_, file_, { .mode = 0640 },
            [](platform::File& replacement) { replacement.WriteAt(test::Audio(20), 0); });
    }

private:
    std::filesystem::path file_;
    FaultyFileSystem& fs_;
};

template <int AudioFrames> class TagSave final : public PendingWrite {
public:
    TagSave(const test::TempDir& folder, FaultyFileSystem& fs)
        : tag_(test::WriteMp3(folder, "song.mp3", OldSong(AudioFrames)), fs)
    {
        SetFrameText(tag_, "TIT2", u"new", 1200);
        tag_.FindFrameByClass<tags::TID3v1Tag>(1)->SetTitle("new");
    }
    void Run() override { tag_.Save(); }
    // A record edit forgotten after a failed save would be lost on the next try.
    bool EditsPending() const override { return tag_.FindFrameByClass<tags::TID3v1Tag>(1)->Changed; }

private:
    tags::TID3v2Class tag_;
};

// A file with another hard link is rewritten in place, after a complete copy is put beside it.
class LinkedTagSave final : public PendingWrite {
public:
    LinkedTagSave(const test::TempDir& folder, FaultyFileSystem& fs)
        : save_(folder, fs)
    {
        std::filesystem::create_hard_link(folder / "song.mp3", folder / "link.mp3");
    }
    void Run() override { save_.Run(); }
    bool EditsPending() const override { return save_.EditsPending(); }

private:
    TagSave<3> save_;
};

class FolderSave final : public PendingWrite {
public:
    FolderSave(const test::TempDir& folder, FaultyFileSystem& fs)
        : workspace_(progress_, prompts_, fs)
    {
        test::WriteMp3(folder, "a.mp3", OldSong(3));
        test::WriteMp3(folder, "b.mp3", OldSong(3));
        workspace_.SetCurrentDir(folder.Path());
        workspace_.ScanFolder();
        SetFrameText(workspace_.FileToSave(1), "TIT2", u"new", 1200);
        workspace_.File(1).FindFrameByClass<tags::TID3v1Tag>(1)->SetTitle("new");
        workspace_.MarkRowChanged(1);
    }
    void Run() override { SaveChanges(workspace_); }
    bool EditsPending() const override { return workspace_.IsRowMarked(1) && workspace_.Changed(); }

private:
    test::RecordingProgress progress_;
    test::ScriptedPrompts prompts_;
    Workspace workspace_;
};

struct WriteCase {
    const char* Name;
    std::function<std::unique_ptr<PendingWrite>(const test::TempDir&, FaultyFileSystem&)> Prepare;
    bool KernelCopy = true;
};

VENNART_PRINT_ROW_AS(WriteCase, row.Name)

template <typename Write> WriteCase Case(const char* name, bool kernelCopy = true)
{
    return { name,
        [](const test::TempDir& folder, FaultyFileSystem& fs) { return std::make_unique<Write>(folder, fs); },
        kernelCopy };
}

const WriteCase kWrites[] { Case<ReplaceContent>("ReplaceFileContent"), Case<TagSave<3>>("TagSave"),
    Case<TagSave<kLongAudio>>("TagSaveThroughBlockCopies", false), Case<LinkedTagSave>("HardLinkedTagSave"),
    Case<FolderSave>("SaveChanges") };

class WriteFaultSweep : public testing::TestWithParam<std::tuple<WriteCase, FaultyFileSystem::Fault>> {
protected:
    struct Attempt {
        test::TempDir folder;
        FaultyFileSystem fs;
        std::unique_ptr<PendingWrite> write;
    };

    std::unique_ptr<Attempt> Prepare() const
    {
        auto attempt = std::make_unique<Attempt>();
        if (!std::get<0>(GetParam()).KernelCopy)
            attempt->fs.RefuseKernelCopy();
        attempt->write = std::get<0>(GetParam()).Prepare(attempt->folder, attempt->fs);
        return attempt;
    }
};

TEST_P(WriteFaultSweep, EndsWithTheFolderAsItWasOrAsAFaultlessWriteLeavesIt)
{
    const auto reference = Prepare();
    const FolderContent before = ContentOf(reference->folder);
    reference->fs.FailOperation(0);
    reference->write->Run();
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
            attempt->write->Run();
            EXPECT_EQ(WithoutLeftovers(ContentOf(attempt->folder)), written);
        } catch (const Error&) {
            ++failures;
            EXPECT_EQ(ContentOf(attempt->folder), before);
            EXPECT_TRUE(attempt->write->EditsPending());
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
