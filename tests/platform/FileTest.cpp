#include "platform/File.h"

#include "platform/Error.h"
#include "platform/Rename.h"
#include "platform/SafeReplace.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"
#include "support/TextTestSupport.h"

#include <fcntl.h>
#include <functional>
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

// With nameless files and, where the file system lacks them, with a hidden named one.
class ReplaceFileContentTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        WriteFileBytes(target, kOld);
        WriteFileBytes(usersFile, kUsers);
        if (GetParam())
            fs.RefuseNamelessFiles();
    }

    void Replace(const std::function<void(File&)>& write)
    {
        ReplaceFileContent(fs, target, { .mode = 0640 }, write);
    }

    std::vector<std::string> ExpectedNames() const { return { "song.mp3", "song.mp3.$$$" }; }

    const Bytes kOld { 'o', 'l', 'd' };
    const Bytes kUsers { 'u', 's', 'e', 'r' };
    test::TempDir dir;
    FaultyFileSystem fs;
    std::filesystem::path target = dir / "song.mp3";
    // Named as earlier versions named their temporary file: it is the user's, and stays.
    std::filesystem::path usersFile = dir / "song.mp3.$$$";
};

TEST_P(ReplaceFileContentTest, PutsTheNewContentInPlaceWithTheGivenModeAndLeavesOtherFilesAlone)
{
    Replace([](File& replacement) { replacement.WriteAt(Counting(5000), 0); });
    EXPECT_EQ(ReadFileBytes(target), Counting(5000));
    EXPECT_EQ(std::filesystem::status(target).permissions(), static_cast<std::filesystem::perms>(0640));
    EXPECT_EQ(test::FolderNames(dir.Path()), ExpectedNames());
    EXPECT_EQ(ReadFileBytes(usersFile), kUsers);
}

TEST_P(ReplaceFileContentTest, AFailureWhileWritingLeavesTheOriginalAndNothingBesideIt)
{
    EXPECT_THROW(Replace([](File&) { throw Error("writing failed"); }), Error);
    EXPECT_EQ(ReadFileBytes(target), kOld);
    EXPECT_EQ(test::FolderNames(dir.Path()), ExpectedNames());
}

TEST_P(ReplaceFileContentTest, AFolderThatRefusesNewFilesGivesTheCaptionAndLeavesTheOriginal)
{
    fs.DenyCreatingIn(dir.Path());
    EXPECT_THAT(ErrorOf([&] { Replace([](File&) {}); }),
        AllOf(StartsWith("Could not create temporary file."), HasSubstr(dir.Path().string())));
    EXPECT_EQ(ReadFileBytes(target), kOld);
}

INSTANTIATE_TEST_SUITE_P(NamelessAndNamed, ReplaceFileContentTest, testing::Bool(),
    [](const auto& info) { return info.param ? "HiddenName" : "Nameless"; });

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
