// The folder the window opens with when the stored one is empty, present or gone.
#include "workspace/StartFolder.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vennart::workspace {
namespace {

class StartFolder : public testing::Test {
protected:
    std::filesystem::path Resolve(const std::filesystem::path& stored) const
    {
        return ResolveStartFolder(stored, current.Path(), home.Path());
    }

    test::TempDir current;
    test::TempDir home;
    test::TempDir music;
};

TEST_F(StartFolder, IsTheStoredFolderTheCurrentOneWhenNoneIsStoredOrTheNearestExistingParent)
{
    std::filesystem::create_directories(music / "Artist" / "Album");
    EXPECT_EQ(Resolve(""), current.Path());
    EXPECT_EQ(Resolve(music / "Artist" / "Album"), music / "Artist" / "Album");
    // A missing folder gives its nearest existing parent, else home.
    test::WriteFileBytes(music / "song.mp3", {});
    EXPECT_EQ(Resolve(music / "Artist" / "Album" / "Gone" / "Deeper"), music / "Artist" / "Album");
    EXPECT_EQ(Resolve(music / "Artist" / "Album" / "Gone" / ".." / "Also gone"), music / "Artist" / "Album");
    // A file in place of the folder gives the folder holding it.
    EXPECT_EQ(Resolve(music / "song.mp3"), music.Path());
    EXPECT_EQ(Resolve("/vennart-no-such-folder/sub"), "/");
    // A relative path has no existing parent to fall back on.
    EXPECT_EQ(Resolve("relative/folder"), home.Path());
}

} // namespace
} // namespace vennart::workspace
