#include "text/TextFile.h"

#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "support/TextTestSupport.h"

#include <gtest/gtest.h>

namespace vennart::text {
namespace {

using namespace std::literals;
using test::BytesOf;
using test::ErrorOf;
using test::Utf16LE;

std::string_view Chars(const test::Bytes& bytes)
{
    return { reinterpret_cast<const char*>(bytes.data()), bytes.size() };
}

struct DecodeCase {
    std::string name;
    test::Bytes bytes;
    std::vector<WideString> lines;
};

void PrintTo(const DecodeCase& c, std::ostream* out)
{
    *out << c.name;
}

class DecodeTextLinesCase : public testing::TestWithParam<DecodeCase> { };

TEST_P(DecodeTextLinesCase, GivesTheLines)
{
    EXPECT_EQ(DecodeTextLines(Chars(GetParam().bytes)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Marks, DecodeTextLinesCase,
    testing::Values(DecodeCase { "Utf16LittleEndian", Utf16LE(u"a=Ж\r\nb"), { u"a=Ж", u"b" } },
        DecodeCase { "Utf16BigEndian", BytesOf("\xFE\xFF\0a\0=\x04\x16\0\n"sv), { u"a=Ж" } },
        DecodeCase {
            "Utf8WithMark", BytesOf("\xEF\xBB\xBF\xD0\x96=zh\r\n\xC3\x9F=ss"), { u"Ж=zh", u"ß=ss" } },
        DecodeCase { "Utf8WithoutMark", BytesOf("\xD0\x96=zh\n"), { u"Ж=zh" } },
        DecodeCase { "EightBitWithoutMark", BytesOf("\xE9=e\r\n\xDF=ss"), { u"é=e", u"ß=ss" } },
        DecodeCase { "InvalidUtf8AfterMark", BytesOf("\xEF\xBB\xBF\xFF=x"), { u"\uFFFD=x" } },
        DecodeCase { "NulEndsTheText", BytesOf("a\nb\0c\nd"sv), { u"a", u"b" } },
        DecodeCase { "Utf16NulEndsTheText", Utf16LE(u"a\0b"sv), { u"a" } },
        DecodeCase { "OddByteLeavesATrace", test::Concat({ Utf16LE(u"a"), { 'b' } }), { u"a\uFFFD" } },
        DecodeCase { "LineSeparatorEndsALine", Utf16LE(u"a\u2028b"), { u"a", u"b" } },
        DecodeCase { "LoneSurrogatesSurvive", Utf16LE(u"\xD800x"), { u"\xD800x" } },
        DecodeCase { "MarkOnly", Utf16LE(u""), {} }, DecodeCase { "Empty", {}, {} },
        DecodeCase { "EmptyLinesStay", BytesOf("\n\nx\n"), { u"", u"", u"x" } }),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

TEST(EncodeTextLines, WritesUtf16LittleEndianWithMarkAndCrLfAndDecodesBack)
{
    EXPECT_EQ(EncodeTextLines({ u"a", u"Ж", u"" }), Chars(Utf16LE(u"a\r\nЖ\r\n\r\n")));
    EXPECT_EQ(EncodeTextLines({}), "\xFF\xFE");
    const std::vector<WideString> lines { u"CurrentDir=/home/ü/Музыка", u"", u"x=\U0001F600",
        u"\xDC00 lone" };
    EXPECT_EQ(DecodeTextLines(EncodeTextLines(lines)), lines);
}

TEST(WriteTextLines, CreatesTheFolderAndTheFileThenReplacesItKeepingItsPermissions)
{
    test::TempDir folder;
    const std::filesystem::path file = folder / "config/vennart/vennart.ini";
    WriteTextLines(file, { u"a=b" });
    EXPECT_EQ(ReadTextLines(file), std::vector<WideString> { u"a=b" });
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    WriteTextLines(file, { u"ж=zh" });
    EXPECT_EQ(ReadTextLines(file), std::vector<WideString> { u"ж=zh" });
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1);
}

TEST(WriteTextLines, WritesThroughALinkToItsTarget)
{
    test::TempDir folder;
    test::WriteFileBytes(folder / "real.ini", BytesOf("x"));
    std::filesystem::create_symlink("real.ini", folder / "vennart.ini");
    WriteTextLines(folder / "vennart.ini", { u"k=v" });
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "vennart.ini"));
    EXPECT_EQ(ReadTextLines(folder / "real.ini"), std::vector<WideString> { u"k=v" });
}

TEST(WriteTextLines, FailureNamesTheFileAndLeavesNothingBehind)
{
    test::TempDir folder;
    test::WriteFileBytes(folder / "blocker", BytesOf("a file, not a folder"));
    const std::filesystem::path file = folder / "blocker/vennart.ini";
    const std::string error = ErrorOf([&] { WriteTextLines(file, { u"a=b" }); });
    EXPECT_NE(error.find(file.string()), std::string::npos) << error;
    EXPECT_EQ(test::ReadFileBytes(folder / "blocker"), BytesOf("a file, not a folder"));
}

TEST(ReadWholeFile, AFolderOrAMissingFileIsNoReadableFile)
{
    test::TempDir folder;
    EXPECT_EQ(ErrorOf([&] { ReadWholeFile(folder.Path()); }), "Cannot open file " + folder.Path().string());
    EXPECT_THROW(ReadWholeFile(folder / "missing"), Error);
}

} // namespace
} // namespace vennart::text
