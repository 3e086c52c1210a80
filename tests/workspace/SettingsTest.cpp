#include "workspace/Settings.h"

#include "support/Id3Builder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vennart::workspace {
namespace {

using test::Utf16LE;

// A missing file is no error: the program starts with no settings.
TEST(Settings, UnknownLinesStayInPlaceThroughLoadAndSaveNewKeysAreAppendedAndAMissingFileHoldsNone)
{
    test::TempDir folder;
    const std::filesystem::path file = folder / "vennart.ini";
    Settings settings({ u"stale=1" });
    settings.Load(file);
    EXPECT_TRUE(settings.Lines().empty());
    test::WriteFileBytes(
        file, Utf16LE(u"[odd section]\r\nCurrentDir=/a\r\n\r\nno equals sign\r\nZoom=3\r\n"));
    settings.Load(file);
    settings.Write(kCurrentDirKey, u"/home/user/Музыка");
    settings.Write(kFileMaskKey, u"%a - %t");
    settings.Save(file);
    EXPECT_EQ(test::ReadFileBytes(file),
        Utf16LE(
            u"[odd section]\r\nCurrentDir=/home/user/Музыка\r\n\r\nno equals sign\r\nZoom=3\r\nFileMask=%a - "
            u"%t\r\n"));
}

// Keys in another case are understood and rewritten in the program's spelling.
TEST(Settings, AnEmptyValueDeletesTheFirstLineAndReadingTakesTheFirstLineUntrimmedInAnyCase)
{
    Settings mixedCase({ u"currentdir=/music", u"DEFAULTV1ENCODING=866", u"other=1" });
    EXPECT_EQ(mixedCase.Read(kCurrentDirKey), u"/music");
    EXPECT_EQ(mixedCase.ReadCodePage(kDefaultV1EncodingKey, kDefaultV1Encoding), 866u);
    mixedCase.Write(kCurrentDirKey, u"/new");
    mixedCase.Write(kDefaultV1EncodingKey, u"1251");
    EXPECT_EQ(mixedCase.Lines(),
        (std::vector<WideString> { u"CurrentDir=/new", u"DefaultV1Encoding=1251", u"other=1" }));

    Settings settings({ u"a=1", u"CurrentDir=/x", u"b=2", u"currentdir=/y" });
    settings.Write(kCurrentDirKey, u"");
    EXPECT_EQ(settings.Lines(), (std::vector<WideString> { u"a=1", u"b=2", u"currentdir=/y" }));
    settings.Write(u"absent", u"");
    EXPECT_EQ(settings.Lines().size(), 3u);

    const Settings reading(
        { u" CurrentDir=/spaced", u"FileMask= %a=%t ", u"FileMask=second", u"CodePages=" });
    EXPECT_EQ(reading.Read(kCurrentDirKey), u"");
    EXPECT_EQ(reading.Read(kFileMaskKey), u" %a=%t ");
    EXPECT_EQ(reading.Read(u"Absent"), u"");
    EXPECT_EQ(reading.ReadOr(kCodePagesKey, kDefaultCodePages), kDefaultCodePages);
    EXPECT_EQ(reading.ReadOr(kFileMaskKey, u"x"), u" %a=%t ");

    // A code page that is no integer, or a negative one, falls back to the default.
    for (const char16_t* value : { u"abc", u"12x", u"", u"99999999999", u"-1251" }) {
        const Settings invalid({ WideString(u"DefaultV2Encoding=") + value });
        EXPECT_EQ(invalid.ReadCodePage(kDefaultV2EncodingKey, kDefaultV2Encoding), kDefaultV2Encoding);
    }
    EXPECT_EQ(Settings({ u"DefaultV2Encoding= 65001 " }).ReadCodePage(kDefaultV2EncodingKey, 1200), 65001u);
}

} // namespace
} // namespace vennart::workspace
