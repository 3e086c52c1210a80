#include "platform/File.h"

#include "platform/Error.h"
#include "platform/Rename.h"
#include "platform/SafeReplace.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <gtest/gtest.h>

namespace vennart::platform {
namespace {

using test::FaultyFileSystem;
using test::ReadFileBytes;
using test::WriteFileBytes;
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
    try {
        File file(SystemFileSystem(), dir / "missing.mp3", O_RDONLY);
        FAIL();
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("missing.mp3"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("No such file"), std::string::npos);
    }
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
    void SetUp() override { WriteFileBytes(target, Bytes { 'o', 'l', 'd' }); }

    void Replace(FileSystem& fs, const Bytes& content, mode_t mode = 0640)
    {
        ReplaceFileContent(fs, target, mode, [&](File& temporary) { temporary.WriteAt(content, 0); });
    }

    test::TempDir dir;
    std::filesystem::path target = dir / "song.mp3";
    std::filesystem::path temporary = dir / "song.mp3.$$$";
};

TEST_F(ReplaceFileContentTest, PutsTheNewContentInPlaceWithTheGivenPermissions)
{
    Replace(SystemFileSystem(), Counting(5000), 0640);
    EXPECT_EQ(ReadFileBytes(target), Counting(5000));
    EXPECT_EQ(std::filesystem::status(target).permissions(), static_cast<std::filesystem::perms>(0640));
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST_F(ReplaceFileContentTest, RemovesAStaleTemporaryFileFirst)
{
    WriteFileBytes(temporary, Bytes { 's', 't', 'a', 'l', 'e' });
    Replace(SystemFileSystem(), Bytes { 'n', 'e', 'w' });
    EXPECT_EQ(ReadFileBytes(target), (Bytes { 'n', 'e', 'w' }));
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST_F(ReplaceFileContentTest, AFailureWhileWritingLeavesTheOriginalAndNoTemporaryFile)
{
    EXPECT_THROW(
        ReplaceFileContent(SystemFileSystem(), target, 0644, [](File&) { throw Error("writing failed"); }),
        Error);
    EXPECT_EQ(ReadFileBytes(target), (Bytes { 'o', 'l', 'd' }));
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST_F(ReplaceFileContentTest, ATemporaryNameThatCannotBeFreedGivesTheCaptionAndLeavesTheOriginal)
{
    std::filesystem::create_directories(temporary / "inside");
    try {
        Replace(SystemFileSystem(), Bytes { 'n', 'e', 'w' });
        FAIL();
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Could not create temporary file.", 0), 0u);
        EXPECT_NE(std::string(error.what()).find("song.mp3.$$$"), std::string::npos);
    }
    EXPECT_EQ(ReadFileBytes(target), (Bytes { 'o', 'l', 'd' }));
}

TEST_F(ReplaceFileContentTest, AFolderThatRefusesNewFilesGivesTheCaption)
{
    FaultyFileSystem fs;
    fs.DenyCreatingIn(dir.Path());
    try {
        Replace(fs, Bytes { 'n', 'e', 'w' });
        FAIL();
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Could not create temporary file.", 0), 0u);
        EXPECT_NE(std::string(error.what()).find("Permission denied"), std::string::npos);
    }
    EXPECT_EQ(ReadFileBytes(target), (Bytes { 'o', 'l', 'd' }));
}

TEST_F(ReplaceFileContentTest, EveryFailingOperationLeavesTheOriginalAndNoTemporaryFile)
{
    FaultyFileSystem fs;
    Replace(fs, Bytes { 'n', 'e', 'w' });
    const int operations = fs.OperationCount();
    for (int k = 1; k <= operations; ++k) {
        WriteFileBytes(target, Bytes { 'o', 'l', 'd' });
        fs.FailOperation(k);
        try {
            Replace(fs, Bytes { 'n', 'e', 'w' });
            EXPECT_EQ(ReadFileBytes(target), (Bytes { 'n', 'e', 'w' })) << "operation " << k;
        } catch (const Error&) {
            EXPECT_EQ(ReadFileBytes(target), (Bytes { 'o', 'l', 'd' })) << "operation " << k;
        }
        EXPECT_FALSE(std::filesystem::exists(temporary)) << "operation " << k;
    }
}

class RenameWithoutReplacingTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam())
            fs.RefuseNoReplace();
        WriteFileBytes(dir / "a", Bytes { 'a' });
    }

    test::TempDir dir;
    FaultyFileSystem fs;
};

TEST_P(RenameWithoutReplacingTest, RenamesToAFreeName)
{
    RenameWithoutReplacing(fs, dir / "a", dir / "b");
    EXPECT_FALSE(std::filesystem::exists(dir / "a"));
    EXPECT_EQ(ReadFileBytes(dir / "b"), Bytes { 'a' });
}

TEST_P(RenameWithoutReplacingTest, NeverReplacesAnExistingFile)
{
    WriteFileBytes(dir / "b", Bytes { 'b' });
    EXPECT_THROW(RenameWithoutReplacing(fs, dir / "a", dir / "b"), Error);
    EXPECT_EQ(ReadFileBytes(dir / "a"), Bytes { 'a' });
    EXPECT_EQ(ReadFileBytes(dir / "b"), Bytes { 'b' });
}

INSTANTIATE_TEST_SUITE_P(NoReplaceAndLinkFallback, RenameWithoutReplacingTest, testing::Bool());

} // namespace
} // namespace vennart::platform
