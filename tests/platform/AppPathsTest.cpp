#include "platform/AppPaths.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vennart::platform {
namespace {

// The settings file is named after the executable.
TEST(AppPaths, APortableProgramKeepsEverythingBesideItselfAnInstalledOneUsesTheUsersConfigFolder)
{
    const AppPaths paths = AppPaths::Locate("/opt/tools/vennart", true, "/xdg", "/home/user");
    EXPECT_EQ(paths.ConfigDir(), "/opt/tools");
    EXPECT_EQ(paths.DataDir(), "/opt/tools");
    EXPECT_EQ(paths.SettingsFile(), "/opt/tools/vennart.ini");

    const AppPaths installed = AppPaths::Locate("/usr/bin/vennart", false, "/xdg", "/home/user");
    EXPECT_EQ(installed.ConfigDir(), "/xdg/vennart");
    EXPECT_EQ(installed.DataDir(), "/usr/share/vennart");
    EXPECT_EQ(installed.EncodingTablesFile(), "/usr/share/vennart/EncodingTables.dat");
    // An unset or relative XDG_CONFIG_HOME means ~/.config; without any home, the program's folder.
    for (const char* xdg : { "", "relative/config" })
        EXPECT_EQ(AppPaths::Locate("/usr/bin/vennart", false, xdg, "/home/user").ConfigDir(),
            "/home/user/.config/vennart");
    EXPECT_EQ(AppPaths::Locate("/usr/bin/vennart", false, "", "").ConfigDir(), "/usr/bin");
    EXPECT_EQ(AppPaths::Locate("/x/tagger.bin", true, "", "").SettingsFile(), "/x/tagger.ini");
}

TEST(AppPaths, TheUsersTranslitTableWinsOverTheShippedOne)
{
    test::TempDir config;
    test::TempDir data;
    const AppPaths paths(config.Path(), data.Path(), "vennart.ini");
    EXPECT_EQ(paths.TranslitTableFile(), data / "translit.tab");
    test::WriteFileBytes(config / "translit.tab", {});
    EXPECT_EQ(paths.TranslitTableFile(), config / "translit.tab");
    EXPECT_EQ(paths.TranslitTableSaveFile(), config / "translit.tab");
}

TEST(AppPaths, ThisProgramIsFoundThroughProc)
{
    EXPECT_EQ(ExecutablePath().filename(), "vennart_platform_tests");
    EXPECT_EQ(AppPaths::ForThisProgram().SettingsFile().filename(), "vennart_platform_tests.ini");
}

} // namespace
} // namespace vennart::platform
