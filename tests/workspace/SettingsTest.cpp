#include "workspace/Settings.h"

#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"

#include <gtest/gtest.h>

namespace vennart::workspace {
namespace {

using test::BytesOf;
using test::Utf16LE;

// FE FF and the text in UTF-16 high byte first.
test::Bytes Utf16BigEndian(std::u16string_view text)
{
    test::Bytes bytes = Utf16LE(text);
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return bytes;
}

TEST(Settings, KeysInAnotherCaseAreUnderstoodAndRewrittenInTheProgramsSpelling)
{
    Settings settings({ u"currentdir=/music", u"DEFAULTV1ENCODING=866", u"other=1" });
    EXPECT_EQ(settings.Read(kCurrentDirKey), u"/music");
    EXPECT_EQ(settings.ReadCodePage(kDefaultV1EncodingKey, kDefaultV1Encoding), 866u);
    settings.Write(kCurrentDirKey, u"/new");
    settings.Write(kDefaultV1EncodingKey, u"1251");
    EXPECT_EQ(settings.Lines(),
        (std::vector<WideString> { u"CurrentDir=/new", u"DefaultV1Encoding=1251", u"other=1" }));
}

TEST(Settings, UnknownLinesStayInPlaceThroughLoadAndSaveAndNewKeysAreAppended)
{
    test::TempDir folder;
    const std::filesystem::path file = folder / "vennart.ini";
    test::WriteFileBytes(
        file, Utf16LE(u"[odd section]\r\nCurrentDir=/a\r\n\r\nno equals sign\r\nZoom=3\r\n"));
    Settings settings;
    settings.Load(file);
    settings.Write(kCurrentDirKey, u"/home/user/Музыка");
    settings.Write(kFileMaskKey, u"%a - %t");
    settings.Save(file);
    EXPECT_EQ(test::ReadFileBytes(file),
        Utf16LE(
            u"[odd section]\r\nCurrentDir=/home/user/Музыка\r\n\r\nno equals sign\r\nZoom=3\r\nFileMask=%a - "
            u"%t\r\n"));
}

TEST(Settings, AnEmptyValueDeletesTheFirstLineAndReadingTakesTheFirstLineUntrimmed)
{
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
    EXPECT_EQ(reading.ReadOr(kTagEditListKey, kDefaultTagEditList), kDefaultTagEditList);
    EXPECT_EQ(reading.ReadOr(kFileMaskKey, u"x"), u" %a=%t ");

    // A code page that is no integer falls back to the default.
    for (const char16_t* value : { u"abc", u"12x", u"", u"99999999999" }) {
        const Settings settings({ WideString(u"DefaultV2Encoding=") + value });
        EXPECT_EQ(settings.ReadCodePage(kDefaultV2EncodingKey, kDefaultV2Encoding), kDefaultV2Encoding);
    }
    EXPECT_EQ(Settings({ u"DefaultV2Encoding= 65001 " }).ReadCodePage(kDefaultV2EncodingKey, 1200), 65001u);
}

struct FileCase {
    std::string name;
    test::Bytes bytes;
};

VENNART_PRINT_ROW_AS(FileCase, row.name)

class SettingsFileEncoding : public testing::TestWithParam<FileCase> { };

TEST_P(SettingsFileEncoding, IsReadAndWrittenBackAsUtf16)
{
    test::TempDir folder;
    const std::filesystem::path file = folder / "vennart.ini";
    test::WriteFileBytes(file, GetParam().bytes);
    Settings settings;
    settings.Load(file);
    EXPECT_EQ(settings.Read(kCurrentDirKey), u"/home/jörg");
    EXPECT_EQ(settings.Read(kCodePagesKey), u"1251,866");
    settings.Save(file);
    EXPECT_EQ(test::ReadFileBytes(file), Utf16LE(u"CurrentDir=/home/jörg\r\nCodePages=1251,866\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Encodings, SettingsFileEncoding,
    testing::Values(FileCase { "Utf8WithMark",
                        BytesOf("\xEF\xBB\xBF"
                                "CurrentDir=/home/j\xC3\xB6rg\r\nCodePages=1251,866\r\n") },
        FileCase { "Utf8WithoutMark", BytesOf("CurrentDir=/home/j\xC3\xB6rg\nCodePages=1251,866\n") },
        FileCase { "EightBit", BytesOf("CurrentDir=/home/j\xF6rg\r\nCodePages=1251,866") },
        FileCase { "Utf16BigEndian", Utf16BigEndian(u"CurrentDir=/home/jörg\nCodePages=1251,866") }),
    [](const testing::TestParamInfo<FileCase>& info) { return info.param.name; });

TEST(Settings, MissingFileGivesAnEmptyListAndAFailedSaveNamesTheFile)
{
    test::TempDir folder;
    Settings settings({ u"stale=1" });
    settings.Load(folder / "vennart.ini");
    EXPECT_TRUE(settings.Lines().empty());
    test::WriteFileBytes(folder / "file", BytesOf("x"));
    const std::filesystem::path file = folder / "file/vennart.ini";
    const std::string error = test::ErrorOf([&] { Settings({ u"a=b" }).Save(file); });
    EXPECT_NE(error.find(file.string()), std::string::npos) << error;
}

} // namespace
} // namespace vennart::workspace
