// The ways a save could lose what the user did not ask to change, each on real files: another
// program's edits between reading and saving, two rows that are one file, names like a save's own,
// the longest names, what a file is besides its bytes, and a save killed at any moment.
#include "WorkspaceFixture.h"
#include "platform/Error.h"
#include "platform/SaveLeftovers.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"
#include "tags/ID3v2Class.h"
#include "workspace/SaveChanges.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <gmock/gmock.h>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace vennart::workspace {
namespace {

using namespace std::string_literals;
using test::Bytes;
using testing::AllOf;
using testing::ElementsAre;
using testing::HasSubstr;
using Path = std::filesystem::path;

class SaveSafety : public WorkspaceFixture {
protected:
    SaveSafety()
    {
        test::WriteMp3(folder, "a.mp3", test::Titled("a"));
        test::WriteMp3(folder, "b.mp3", test::Titled("b"));
    }
};

// One of two ways a test runs; On is true where the row's name says the case is so.
struct Variant {
    const char* Name;
    bool On;
};

VENNART_PRINT_ROW_AS(Variant, row.Name)

// What another program does to a.mp3 between the scan and the save.
struct OtherWriter {
    const char* Name;
    void (*Write)(const Path& song);
};

VENNART_PRINT_ROW_AS(OtherWriter, row.Name)

const OtherWriter kOtherWriters[] {
    // The title's last letter changed in the same file and the old modification time put back, as
    // taggers that keep file times do: neither the size nor the time tells.
    { "EditsTheTagInPlaceKeepingSizeAndTime",
        [](const Path& song) {
            const auto time = std::filesystem::last_write_time(song);
            Bytes bytes = test::ReadFileBytes(song);
            bytes[10 + 10 + 1] = 'z';
            test::WriteFileBytes(song, bytes);
            std::filesystem::last_write_time(song, time);
        } },
    { "AddsAFrame",
        [](const Path& song) {
            const Bytes frames = test::Concat(
                { test::Frame("TIT2", test::TextBody("a")), test::Frame("APIC", Bytes(3000, 1)) });
            test::WriteFileBytes(song, test::Concat({ test::Tag(3, frames), test::Audio(3) }));
        } },
    { "ReplacesTheFileWithAnotherSong",
        [](const Path& song) {
            test::TempDir other;
            std::filesystem::rename(test::WriteMp3(other, "x.mp3", test::Titled("x")), song);
        } },
};

class ChangedSinceRead : public SaveSafety, public testing::WithParamInterface<OtherWriter> { };

TEST_P(ChangedSinceRead, IsNotWrittenAndKeepsTheEditsInMemory)
{
    Scan();
    EditTitle(0, u"mine");
    GetParam().Write(folder / "a.mp3");
    const Bytes theirs = test::ReadFileBytes(folder / "a.mp3");

    EXPECT_THAT(test::ErrorOf([&] { SaveChanges(workspace); }),
        HasSubstr((folder / "a.mp3").string() + ": it changed since it was read; read the folder again"));

    EXPECT_EQ(test::ReadFileBytes(folder / "a.mp3"), theirs);
    EXPECT_TRUE(workspace.IsRowMarked(0));
    EXPECT_EQ(GetFrameText(workspace.File(0), "TIT2", 1200), u"mine");
}

INSTANTIATE_TEST_SUITE_P(
    Writers, ChangedSinceRead, testing::ValuesIn(kOtherWriters), testing::PrintToStringParamName());

class RowsOfOneFile : public SaveSafety, public testing::WithParamInterface<Variant> { };

TEST_P(RowsOfOneFile, AreKnownAtTheScanAndTheLaterIsNotWrittenOverTheEarlier)
{
    const bool hardLink = GetParam().On;
    if (hardLink)
        std::filesystem::create_hard_link(folder / "a.mp3", folder / "link.mp3");
    else
        std::filesystem::create_symlink("a.mp3", folder / "link.mp3");
    Scan();
    ASSERT_EQ(workspace.FileCount(), 3);
    EXPECT_EQ(workspace.SameFileAs(2), 0);
    EXPECT_EQ(workspace.SameFileAs(1), std::nullopt);
    EditTitle(0, u"first");
    EditTitle(2, u"stale");

    EXPECT_THAT(test::ErrorOf([&] { SaveChanges(workspace); }),
        HasSubstr((folder / "link.mp3").string() + ": not saved: it is the same file as "
            + (folder / "a.mp3").string()));

    EXPECT_EQ(TitleOnDisk(folder / "a.mp3"), u"first");
    EXPECT_EQ(std::filesystem::is_symlink(folder / "link.mp3"), !hardLink);
    EXPECT_EQ(std::filesystem::hard_link_count(folder / "a.mp3"), hardLink ? 2u : 1u);
    EXPECT_TRUE(std::filesystem::equivalent(folder / "a.mp3", folder / "link.mp3"));
}

INSTANTIATE_TEST_SUITE_P(Links, RowsOfOneFile,
    testing::Values(Variant { "HardLink", true }, Variant { "SymbolicLink", false }),
    testing::PrintToStringParamName());

// What stat and the extended attributes say of a file, besides its bytes.
using FileNature = std::tuple<mode_t, uid_t, gid_t, nlink_t, std::map<std::string, std::string>>;

FileNature NatureOf(const Path& path)
{
    struct stat status { };
    EXPECT_EQ(stat(path.c_str(), &status), 0);
    std::map<std::string, std::string> attributes;
    char names[4096];
    char value[4096];
    const ssize_t length = listxattr(path.c_str(), names, sizeof names);
    for (ssize_t at = 0; at < length; at += static_cast<ssize_t>(std::strlen(names + at)) + 1) {
        const ssize_t size = getxattr(path.c_str(), names + at, value, sizeof value);
        attributes[names + at] = std::string(value, static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
    }
    return { status.st_mode, status.st_uid, status.st_gid, status.st_nlink, attributes };
}

// An access ACL as the kernel stores it, little-endian: version 2, then (tag, permissions, id)
// entries: owner rw, the user 4242 rw, group r, mask rw, others r.
const std::string kAccessAcl
    = "\x02\0\0\0\x01\0\x06\0\xFF\xFF\xFF\xFF\x02\0\x06\0\x92\x10\0\0\x04\0\x04\0\xFF\xFF\xFF\xFF"
      "\x10\0\x06\0\xFF\xFF\xFF\xFF\x20\0\x04\0\xFF\xFF\xFF\xFF"s;

// Replaced by a new copy, and, with another hard link, rewritten in place.
class KeepsWhatTheFileIs : public SaveSafety, public testing::WithParamInterface<Variant> { };

TEST_P(KeepsWhatTheFileIs, OwnerModeExtendedAttributesAclAndHardLinks)
{
    const Path song = folder / "a.mp3";
    if (GetParam().On)
        std::filesystem::create_hard_link(song, folder / "a.mp3.bak");
    if (geteuid() == 0) {
        ASSERT_EQ(chown(song.c_str(), 12345, 23456), 0);
    }
    ASSERT_EQ(chmod(song.c_str(), 02751), 0);
    const std::string note = "keep me";
    if (setxattr(song.c_str(), "user.note", note.data(), note.size(), 0) != 0)
        GTEST_SKIP() << "this file system has no extended attributes";
    ASSERT_EQ(setxattr(song.c_str(), "system.posix_acl_access", kAccessAcl.data(), kAccessAcl.size(), 0), 0);
    const FileNature before = NatureOf(song);
    ASSERT_EQ(std::get<4>(before).size(), 2u);
    Scan();
    EditTitle(0, u"saved");

    SaveChanges(workspace);

    EXPECT_EQ(TitleOnDisk(song), u"saved");
    EXPECT_EQ(NatureOf(song), before);
    EXPECT_TRUE(prompts.Errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Saves, KeepsWhatTheFileIs,
    testing::Values(Variant { "HardLinkedInPlace", true }, Variant { "NewCopy", false }),
    testing::PrintToStringParamName());

// One save of several files: the longest name saves, the user's files named like an old temporary
// file stay, the folder is flushed once, and what the scan showed is not shown again after it.
TEST_F(SaveSafety, TheLongestNameSavesUsersFilesStayTheFolderIsFlushedOnceAndScanProblemsShowOnce)
{
    const std::string longest = std::string(251, 'x') + ".mp3";
    test::WriteMp3(folder, longest, test::Titled("long"));
    test::WriteFileBytes(folder / (longest.substr(0, 251) + ".$$$"), test::BytesOf("user's"));
    // A frame that claims more bytes than the file holds.
    test::WriteFileBytes(folder / "damaged.mp3",
        test::Concat(
            { test::TagHeader(3, 20), test::BytesOf("TIT2"), { 0, 0, 0x10, 0, 0, 0 }, Bytes(10, 'x') }));
    const std::string leftover = ".vennart-0123456789abcdef.old";
    test::WriteFileBytes(folder / leftover, test::BytesOf("copy"));
    Scan();
    ASSERT_EQ(workspace.FileCount(), 3);
    ASSERT_EQ(prompts.Errors.size(), 1u);
    EXPECT_THAT(prompts.Warnings,
        ElementsAre(
            AllOf(HasSubstr("An interrupted save left these files in"), HasSubstr("\n" + leftover + "\n"))));
    EditTitle(0, u"one");
    EditTitle(1, u"two");
    EditTitle(2, u"saved");
    workspace.SetRowName(1, u"renamed.mp3");
    const int folderOpens = fileSystem.FolderOpens();

    SaveChanges(workspace);

    EXPECT_EQ(fileSystem.FolderOpens() - folderOpens, 1);
    EXPECT_EQ(std::tuple(prompts.Errors.size(), prompts.Warnings.size()), std::tuple(1u, 1u));
    EXPECT_EQ(std::tuple(TitleOnDisk(folder / "a.mp3"), TitleOnDisk(folder / "renamed.mp3"),
                  TitleOnDisk(folder / longest)),
        std::tuple(u"one", u"two", u"saved"));
    EXPECT_EQ(test::FolderNames(folder.Path()),
        (std::vector<std::string> {
            leftover, "a.mp3", "damaged.mp3", "renamed.mp3", longest.substr(0, 251) + ".$$$", longest }));
    Scan();
    EXPECT_EQ(std::tuple(prompts.Errors.size(), prompts.Warnings.size()), std::tuple(2u, 2u));
}

// Runs save in a child process; kills it after `killAfter`, or lets it finish.
void SaveInChild(const std::function<void()>& save, std::optional<std::chrono::microseconds> killAfter)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(test::ErrorOf(save) == "(no error)" ? 0 : 1);
    if (killAfter) {
        std::this_thread::sleep_for(*killAfter);
        kill(child, SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!killAfter) {
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
}

constexpr int kKillAudioFrames = 30000; // 12.5 MB
constexpr int kKills = 16;

class SaveKilled : public WorkspaceFixture, public testing::WithParamInterface<Variant> { };

TEST_P(SaveKilled, LeavesTheOriginalOldOrNewAndNothingTheScanDoesNotReport)
{
    const Path song = test::WriteMp3(folder, "song.mp3", test::Titled("old", {}, kKillAudioFrames));
    const Bytes old = test::ReadFileBytes(song);
    const auto save = [&] {
        test::FaultyFileSystem fileSystem;
        if (GetParam().On)
            fileSystem.RefuseNamelessFiles();
        tags::TID3v2Class tag(song, fileSystem);
        SetFrameText(tag, "TIT2", u"new", 1200);
        tag.Save();
    };
    const auto started = std::chrono::steady_clock::now();
    SaveInChild(save, std::nullopt);
    const auto duration
        = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
    const Bytes saved = test::ReadFileBytes(song);
    ASSERT_NE(saved, old);

    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("killed after " + std::to_string(kill) + "/" + std::to_string(kKills) + " of a save");
        test::WriteFileBytes(song, old);
        SaveInChild(save, duration * kill / kKills);
        const Bytes now = test::ReadFileBytes(song);
        EXPECT_TRUE(now == old || now == saved);
        prompts.Warnings.clear();
        Scan();
        EXPECT_EQ(workspace.FileCount(), 1);
        for (const std::string& name : test::FolderNames(folder.Path())) {
            if (name == "song.mp3")
                continue;
            EXPECT_TRUE(platform::IsLeftoverName(name)) << name;
            ASSERT_EQ(prompts.Warnings.size(), 1u);
            EXPECT_THAT(prompts.Warnings[0], HasSubstr("\n" + name + "\n"));
            std::filesystem::remove(folder / name);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(NewFiles, SaveKilled,
    testing::Values(Variant { "HiddenName", true }, Variant { "Nameless", false }),
    testing::PrintToStringParamName());

} // namespace
} // namespace vennart::workspace
