#include "text/TextFile.h"

#include "platform/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vennart::text {
namespace {

std::vector<unsigned char> Bytes(std::string_view text)
{
    return { text.begin(), text.end() };
}

struct DecodeCase {
    std::string name;
    std::string bytes;
    std::vector<WideString> lines;
};

void PrintTo(const DecodeCase& c, std::ostream* out)
{
    *out << c.name;
}

class DecodeTextLinesCase : public testing::TestWithParam<DecodeCase> { };

TEST_P(DecodeTextLinesCase, GivesTheLines)
{
    EXPECT_EQ(DecodeTextLines(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Marks, DecodeTextLinesCase,
    testing::Values(DecodeCase { "Utf16LittleEndian",
                        std::string("\xFF\xFE"
                                    "a\0=\0\x16\x04\r\0\n\0b\0",
                            14),
                        { u"a=Ж", u"b" } },
        DecodeCase { "Utf16BigEndian", std::string("\xFE\xFF\0a\0=\x04\x16\0\n", 10), { u"a=Ж" } },
        DecodeCase { "Utf8WithMark", "\xEF\xBB\xBF\xD0\x96=zh\r\n\xC3\x9F=ss", { u"Ж=zh", u"ß=ss" } },
        DecodeCase { "Utf8WithoutMark", "\xD0\x96=zh\n", { u"Ж=zh" } },
        DecodeCase { "EightBitWithoutMark", "\xE9=e\r\n\xDF=ss", { u"é=e", u"ß=ss" } },
        DecodeCase { "InvalidUtf8AfterMark", "\xEF\xBB\xBF\xFF=x", { u"\uFFFD=x" } },
        DecodeCase { "NulEndsTheText", std::string("a\nb\0c\nd", 7), { u"a", u"b" } },
        DecodeCase { "Utf16NulEndsTheText",
            std::string("\xFF\xFE"
                        "a\0\0\0b\0",
                8),
            { u"a" } },
        DecodeCase { "OddByteLeavesATrace",
            std::string("\xFF\xFE"
                        "a\0b",
                5),
            { u"a\uFFFD" } },
        DecodeCase { "LineSeparatorEndsALine",
            std::string("\xFF\xFE"
                        "a\0\x28\x20"
                        "b\0",
                8),
            { u"a", u"b" } },
        DecodeCase { "LoneSurrogatesSurvive", std::string("\xFF\xFE\x00\xD8x\0", 6), { u"\xD800x" } },
        DecodeCase { "MarkOnly", "\xFF\xFE", {} }, DecodeCase { "Empty", "", {} },
        DecodeCase { "EmptyLinesStay", "\n\nx\n", { u"", u"", u"x" } }),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

TEST(EncodeTextLines, WritesUtf16LittleEndianWithMarkAndCrLf)
{
    EXPECT_EQ(EncodeTextLines({ u"a", u"Ж", u"" }),
        std::string("\xFF\xFE"
                    "a\0\r\0\n\0\x16\x04\r\0\n\0\r\0\n\0",
            18));
    EXPECT_EQ(EncodeTextLines({}), "\xFF\xFE");
}

TEST(EncodeTextLines, DecodingGivesTheSameLines)
{
    const std::vector<WideString> lines { u"CurrentDir=/home/ü/Музыка", u"", u"x=\U0001F600",
        u"\xDC00 lone" };
    EXPECT_EQ(DecodeTextLines(EncodeTextLines(lines)), lines);
}

TEST(WriteTextLines, CreatesTheFolderAndTheFile)
{
    test::TempDir folder;
    const std::filesystem::path file = folder / "config/vennart/vennart.ini";
    WriteTextLines(file, { u"a=b" });
    EXPECT_EQ(ReadTextLines(file), std::vector<WideString> { u"a=b" });
    EXPECT_FALSE(std::filesystem::exists(folder / "config/vennart/vennart.ini.$$$"));
}

TEST(WriteTextLines, ReplacesTheFileKeepingItsPermissions)
{
    test::TempDir folder;
    const std::filesystem::path file = folder / "translit.tab";
    test::WriteFileBytes(file, Bytes("old content"));
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    WriteTextLines(file, { u"ж=zh" });
    EXPECT_EQ(ReadTextLines(file), std::vector<WideString> { u"ж=zh" });
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
}

TEST(WriteTextLines, WritesThroughALinkToItsTarget)
{
    test::TempDir folder;
    test::WriteFileBytes(folder / "real.ini", Bytes("x"));
    std::filesystem::create_symlink("real.ini", folder / "vennart.ini");
    WriteTextLines(folder / "vennart.ini", { u"k=v" });
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "vennart.ini"));
    EXPECT_EQ(ReadTextLines(folder / "real.ini"), std::vector<WideString> { u"k=v" });
}

TEST(WriteTextLines, FailureNamesTheFileAndLeavesNothingBehind)
{
    test::TempDir folder;
    test::WriteFileBytes(folder / "blocker", Bytes("a file, not a folder"));
    const std::filesystem::path file = folder / "blocker/vennart.ini";
    try {
        WriteTextLines(file, { u"a=b" });
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos) << error.what();
    }
    EXPECT_EQ(test::ReadFileBytes(folder / "blocker"), Bytes("a file, not a folder"));
}

TEST(ReadWholeFile, AFolderIsNoReadableFile)
{
    test::TempDir folder;
    try {
        ReadWholeFile(folder.Path());
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + folder.Path().string());
    }
    EXPECT_THROW(ReadWholeFile(folder / "missing"), Error);
}

} // namespace
} // namespace vennart::text
