// One open file, the safe replacement of a file's content and the rename that never replaces a file.
// The sweep of every failing operation of a write is the workspace's WriteFaultSweep; here are the
// single faults each function must handle itself.
#include "platform/File.h"

#include "platform/Error.h"
#include "platform/Rename.h"
#include "platform/SafeReplace.h"
#include "support/FaultyFileSystem.h"
#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"

#include <fcntl.h>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vennart::platform {
namespace {

using test::Bytes;
using test::ErrorOf;
using test::FaultyFileSystem;
using test::Pattern;
using test::ReadFileBytes;
using test::WriteFileBytes;
using testing::AllOf;
using testing::HasSubstr;
using testing::StartsWith;

// The second way of each function, taken where the file system lacks what the first one needs.
struct Way {
    const char* Name;
    void (FaultyFileSystem::*Refuse)();
};

VENNART_PRINT_ROW_AS(Way, row.Name)

class FileTest : public testing::Test {
protected:
    test::TempDir dir;
    FaultyFileSystem fs;
};

// Short writes are continued until everything is stored.
TEST_F(FileTest, ReadAtStopsOnlyWhereTheFileEndsWritesAreWholeAndOpenFailuresNameTheFileAndTheCause)
{
    WriteFileBytes(dir / "a", Pattern(100));
    File file(fs, dir / "a", O_RDONLY);
    Bytes buffer(64);
    EXPECT_EQ(std::tuple(file.ReadAt(buffer, 0), file.ReadAt(buffer, 90), file.ReadAt(buffer, 500)),
        std::tuple(64u, 10u, 0u));
    EXPECT_THAT(ErrorOf([&] { File missing(fs, dir / "missing.mp3", O_RDONLY); }),
        AllOf(HasSubstr("missing.mp3"), HasSubstr("No such file")));

    File written(fs, dir / "b", O_RDWR | O_CREAT, 0600);
    fs.FailOperation(1, FaultyFileSystem::Fault::ShortWrite);
    written.WriteAt(Pattern(1000), 0);
    EXPECT_EQ(fs.FaultsInjected(), 1);
    written.Close();
    EXPECT_EQ(ReadFileBytes(dir / "b"), Pattern(1000));
}

class EachWay : public FileTest, public testing::WithParamInterface<Way> {
protected:
    void SetUp() override
    {
        if (GetParam().Refuse)
            (fs.*GetParam().Refuse)();
    }
};

using CopyFrom = EachWay;

// A source that ends before the range does fails the copy.
TEST_P(CopyFrom, CopiesTheRangeAfterWhatTheFileHoldsAndFailsWhereTheSourceEndsEarly)
{
    const Bytes source = Pattern(3 * File::kCopyBlockSize + 123);
    WriteFileBytes(dir / "src", source);
    File in(fs, dir / "src", O_RDONLY);
    File out(fs, dir / "dst", O_RDWR | O_CREAT, 0600);
    out.WriteAt(Bytes { 1, 2, 3 }, 0);
    out.CopyFrom(in, 5, static_cast<std::int64_t>(source.size() - 5), 3);
    EXPECT_THROW(out.CopyFrom(in, 5, static_cast<std::int64_t>(source.size() - 4), 3), Error);
    out.Close();
    Bytes expected { 1, 2, 3 };
    expected.insert(expected.end(), source.begin() + 5, source.end());
    EXPECT_EQ(ReadFileBytes(dir / "dst"), expected);
}

INSTANTIATE_TEST_SUITE_P(Ways, CopyFrom,
    testing::Values(
        Way { "InTheKernel", nullptr }, Way { "ThroughBlocks", &FaultyFileSystem::RefuseKernelCopy }),
    testing::PrintToStringParamName());

class ReplaceFileContentTest : public EachWay {
protected:
    void Replace(const std::function<void(File&)>& write)
    {
        WriteFileBytes(target, Bytes { 'o', 'l', 'd' });
        // Named as earlier versions named their temporary file: it is the user's, and stays.
        WriteFileBytes(dir / "song.mp3.$$$", Bytes { 'u' });
        ReplaceFileContent(fs, target, { .mode = 0640 }, write);
    }

    std::filesystem::path target = dir / "song.mp3";
};

TEST_P(ReplaceFileContentTest, PutsTheNewContentInPlaceWithTheGivenModeAndLeavesOtherFilesAlone)
{
    Replace([](File& replacement) { replacement.WriteAt(Pattern(5000), 0); });
    EXPECT_EQ(ReadFileBytes(target), Pattern(5000));
    EXPECT_EQ(std::filesystem::status(target).permissions(), static_cast<std::filesystem::perms>(0640));
    EXPECT_EQ(test::FolderNames(dir.Path()), (std::vector<std::string> { "song.mp3", "song.mp3.$$$" }));
    EXPECT_EQ(ReadFileBytes(dir / "song.mp3.$$$"), Bytes { 'u' });
}

TEST_P(ReplaceFileContentTest, AFolderThatRefusesNewFilesGivesTheCaptionAndLeavesTheOriginal)
{
    fs.DenyCreatingIn(dir.Path());
    EXPECT_THAT(ErrorOf([&] { Replace([](File&) {}); }),
        AllOf(StartsWith("Could not create temporary file."), HasSubstr(dir.Path().string())));
    EXPECT_EQ(ReadFileBytes(target), (Bytes { 'o', 'l', 'd' }));
}

INSTANTIATE_TEST_SUITE_P(Ways, ReplaceFileContentTest,
    testing::Values(
        Way { "Nameless", nullptr }, Way { "HiddenName", &FaultyFileSystem::RefuseNamelessFiles }),
    testing::PrintToStringParamName());

class RenameWithoutReplacingTest : public EachWay { };

TEST_P(RenameWithoutReplacingTest, RenamesToAFreeNameAndNeverReplacesAFile)
{
    WriteFileBytes(dir / "a", Bytes { 'a' });
    WriteFileBytes(dir / "b", Bytes { 'b' });
    EXPECT_THROW(RenameWithoutReplacing(fs, dir / "a", dir / "b"), Error);
    EXPECT_EQ(ReadFileBytes(dir / "b"), Bytes { 'b' });
    RenameWithoutReplacing(fs, dir / "a", dir / "c");
    EXPECT_EQ(test::FolderNames(dir.Path()), (std::vector<std::string> { "b", "c" }));
    EXPECT_EQ(ReadFileBytes(dir / "c"), Bytes { 'a' });
}

// Each operation failing in turn: the file keeps one name, the old one when the rename failed
// (a fallback that cannot remove the old name takes back the new one).
TEST_P(RenameWithoutReplacingTest, AFailingOperationLeavesTheFileUnderOneName)
{
    WriteFileBytes(dir / "a", Bytes { 'a' });
    fs.FailOperation(0);
    RenameWithoutReplacing(fs, dir / "a", dir / "c");
    const int operations = fs.OperationCount();
    for (int k = 1; k <= operations; ++k) {
        SCOPED_TRACE("operation " + std::to_string(k));
        std::filesystem::remove(dir / "c");
        WriteFileBytes(dir / "a", Bytes { 'a' });
        fs.FailOperation(k);
        EXPECT_THROW(RenameWithoutReplacing(fs, dir / "a", dir / "c"), Error);
        EXPECT_EQ(fs.FaultsInjected(), 1);
        EXPECT_EQ(test::FolderNames(dir.Path()), std::vector<std::string> { "a" });
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, RenameWithoutReplacingTest,
    testing::Values(
        Way { "NoReplace", nullptr }, Way { "LinkAndUnlink", &FaultyFileSystem::RefuseNoReplace }),
    testing::PrintToStringParamName());

} // namespace
} // namespace vennart::platform
