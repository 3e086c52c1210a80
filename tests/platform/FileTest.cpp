#include "platform/File.h"

#include "platform/Error.h"
#include "platform/Rename.h"
#include "platform/SafeReplace.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"
#include "support/TextTestSupport.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vennart::platform {
namespace {

using test::ErrorOf;
using test::FaultyFileSystem;
using test::ReadFileBytes;
using test::WriteFileBytes;
using testing::AllOf;
using testing::HasSubstr;
using testing::StartsWith;
using Bytes = std::vector<unsigned char>;

Bytes Counting(std::size_t size)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + i / 251);
    return bytes;
}

TEST(File, ReadAtStopsOnlyWhereTheFileEnds)
{
    test::TempDir dir;
    WriteFileBytes(dir / "a", Counting(100));
    File file(SystemFileSystem(), dir / "a", O_RDONLY);
    Bytes buffer(64);
    EXPECT_EQ(file.ReadAt(buffer, 0), 64u);
    EXPECT_EQ(file.ReadAt(buffer, 90), 10u);
    EXPECT_EQ(file.ReadAt(buffer, 500), 0u);
}

TEST(File, OpenFailureNamesTheFileAndTheCause)
{
    test::TempDir dir;
    EXPECT_THAT(ErrorOf([&] { File file(SystemFileSystem(), dir / "missing.mp3", O_RDONLY); }),
        AllOf(HasSubstr("missing.mp3"), HasSubstr("No such file")));
}

TEST(File, ShortWritesAreContinuedUntilEverythingIsStored)
{
    test::TempDir dir;
    FaultyFileSystem fs;
    File file(fs, dir / "a", O_RDWR | O_CREAT, 0600);
    fs.FailOperation(1, FaultyFileSystem::Fault::ShortWrite);
    file.WriteAt(Counting(1000), 0);
    file.Close();
    EXPECT_EQ(ReadFileBytes(dir / "a"), Counting(1000));
}

class CopyFrom : public testing::TestWithParam<bool> { };

TEST_P(CopyFrom, CopiesTheRangeInTheKernelOrThroughBlocks)
{
    test::TempDir dir;
    const Bytes source = Counting(3 * File::kCopyBlockSize + 123);
    WriteFileBytes(dir / "src", source);
    FaultyFileSystem fs;
    if (GetParam())
        fs.RefuseKernelCopy();
    File in(fs, dir / "src", O_RDONLY);
    File out(fs, dir / "dst", O_RDWR | O_CREAT, 0600);
    out.WriteAt(Bytes { 1, 2, 3 }, 0);
    out.CopyFrom(in, 5, static_cast<std::int64_t>(source.size() - 5), 3);
    out.Close();
    Bytes expected { 1, 2, 3 };
    expected.insert(expected.end(), source.begin() + 5, source.end());
    EXPECT_EQ(ReadFileBytes(dir / "dst"), expected);
}

INSTANTIATE_TEST_SUITE_P(KernelAndFallback, CopyFrom, testing::Bool());

TEST(File, CopyFromASourceThatEndsEarlyFails)
{
    test::TempDir dir;
    WriteFileBytes(dir / "src", Counting(10));
    File in(SystemFileSystem(), dir / "src", O_RDONLY);
    File out(SystemFileSystem(), dir / "dst", O_RDWR | O_CREAT, 0600);
    EXPECT_THROW(out.CopyFrom(in, 0, 20, 0), Error);
}

class ReplaceFileContentTest : public testing::Test {
protected:
    void SetUp() override { WriteFileBytes(target, kOld); }

    void Replace(FileSystem& fs, const Bytes& content, mode_t mode = 0640)
    {
        ReplaceFileContent(fs, target, mode, [&](File& temporary) { temporary.WriteAt(content, 0); });
    }

    const Bytes kOld { 'o', 'l', 'd' };
    const Bytes kNew { 'n', 'e', 'w' };
    test::TempDir dir;
    std::filesystem::path target = dir / "song.mp3";
    std::filesystem::path temporary = dir / "song.mp3.$$$";
};

TEST_F(ReplaceFileContentTest, PutsTheNewContentInPlaceWithTheGivenPermissionsOverAStaleTemporaryFile)
{
    WriteFileBytes(temporary, Bytes { 's', 't', 'a', 'l', 'e' });
    Replace(SystemFileSystem(), Counting(5000), 0640);
    EXPECT_EQ(ReadFileBytes(target), Counting(5000));
    EXPECT_EQ(std::filesystem::status(target).permissions(), static_cast<std::filesystem::perms>(0640));
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST_F(ReplaceFileContentTest, AFailureWhileWritingLeavesTheOriginalAndNoTemporaryFile)
{
    EXPECT_THROW(
        ReplaceFileContent(SystemFileSystem(), target, 0644, [](File&) { throw Error("writing failed"); }),
        Error);
    EXPECT_EQ(ReadFileBytes(target), kOld);
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

// A folder that refuses new files is a save test's case; here the name cannot be freed.
TEST_F(ReplaceFileContentTest, ATemporaryFileThatCannotBeCreatedGivesTheCaptionAndLeavesTheOriginal)
{
    std::filesystem::create_directories(temporary / "inside");
    EXPECT_THAT(ErrorOf([&] { Replace(SystemFileSystem(), kNew); }),
        AllOf(StartsWith("Could not create temporary file."), HasSubstr("song.mp3.$$$")));
    EXPECT_EQ(ReadFileBytes(target), kOld);
}

class RenameWithoutReplacingTest : public testing::TestWithParam<bool> { };

TEST_P(RenameWithoutReplacingTest, RenamesToAFreeNameAndNeverReplacesAFile)
{
    test::TempDir dir;
    FaultyFileSystem fs;
    if (GetParam())
        fs.RefuseNoReplace();
    WriteFileBytes(dir / "a", Bytes { 'a' });
    WriteFileBytes(dir / "b", Bytes { 'b' });
    EXPECT_THROW(RenameWithoutReplacing(fs, dir / "a", dir / "b"), Error);
    EXPECT_EQ(ReadFileBytes(dir / "b"), Bytes { 'b' });
    RenameWithoutReplacing(fs, dir / "a", dir / "c");
    EXPECT_FALSE(std::filesystem::exists(dir / "a"));
    EXPECT_EQ(ReadFileBytes(dir / "c"), Bytes { 'a' });
}

INSTANTIATE_TEST_SUITE_P(NoReplaceAndLinkFallback, RenameWithoutReplacingTest, testing::Bool());

TEST(RenameWithoutReplacing, AFallbackThatCannotRemoveTheOldNameTakesBackTheNewOne)
{
    test::TempDir dir;
    FaultyFileSystem fs;
    fs.RefuseNoReplace();
    WriteFileBytes(dir / "a", Bytes { 'a' });
    fs.FailOperation(3); // renameat2, link, then the unlink of the old name
    EXPECT_THROW(RenameWithoutReplacing(fs, dir / "a", dir / "c"), Error);
    EXPECT_EQ(ReadFileBytes(dir / "a"), Bytes { 'a' });
    EXPECT_FALSE(std::filesystem::exists(dir / "c"));
}

} // namespace
} // namespace vennart::platform
