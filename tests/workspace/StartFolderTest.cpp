// The folder the window opens with when the stored one is empty, present or gone.
#include "workspace/StartFolder.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vennart::workspace {
namespace {

TEST(StartFolder, IsTheStoredFolderTheCurrentOneWhenNoneIsStoredOrTheNearestExistingParent)
{
    const test::TempDir current;
    const test::TempDir home;
    const test::TempDir music;
    const auto resolve = [&](const std::filesystem::path& stored) {
        return ResolveStartFolder(stored, current.Path(), home.Path());
    };
    std::filesystem::create_directories(music / "Artist" / "Album");
    EXPECT_EQ(resolve(""), current.Path());
    EXPECT_EQ(resolve(music / "Artist" / "Album"), music / "Artist" / "Album");
    // A missing folder gives its nearest existing parent, else home.
    test::WriteFileBytes(music / "song.mp3", {});
    EXPECT_EQ(resolve(music / "Artist" / "Album" / "Gone" / "Deeper"), music / "Artist" / "Album");
    EXPECT_EQ(resolve(music / "Artist" / "Album" / "Gone" / ".." / "Also gone"), music / "Artist" / "Album");
    // A file in place of the folder gives the folder holding it.
    EXPECT_EQ(resolve(music / "song.mp3"), music.Path());
    EXPECT_EQ(resolve("/vennart-no-such-folder/sub"), "/");
    // A relative path has no existing parent to fall back on.
    EXPECT_EQ(resolve("relative/folder"), home.Path());
}

} // namespace
} // namespace vennart::workspace
