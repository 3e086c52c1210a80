// Text files of lines in any encoding, and the transliteration table kept in one.
#include "text/TextFile.h"

#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"
#include "text/Translit.h"

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

VENNART_PRINT_ROW_AS(DecodeCase, row.name)

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

struct TranslitCase {
    WideString input;
    WideString output;
};

void PrintTo(const TranslitCase& c, std::ostream* out)
{
    for (const char16_t unit : c.input)
        *out << "U+" << std::hex << static_cast<int>(unit) << ' ';
}

class TransliterateCase : public testing::TestWithParam<TranslitCase> {
protected:
    const TranslitTable table { { u"ж=zh", u"у=u", u"к=k", u"щ=SHCH", u"ß=ss", u"é=e", u"ь=", u"Ж=j", u"ǆ=dz",
        u"=orphan", u"no equals", u"\U0001F600=smile", u"ё=yo=!" } };
};

TEST_P(TransliterateCase, RewritesEveryUnitAbove127)
{
    EXPECT_EQ(table.Transliterate(GetParam().input), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(Rules, TransliterateCase,
    testing::Values(TranslitCase { u"жук", u"zhuk" }, TranslitCase { u"Жук", u"Zhuk" },
        TranslitCase { u"ЖУК", u"ZhUK" },
        // A replacement stored in upper case stays so for lower-case letters.
        TranslitCase { u"щЩ", u"SHCHSHCH" },
        // Lower-case letters without a one-character upper-case form keep the stored text.
        TranslitCase { u"Straße", u"Strasse" }, TranslitCase { u"STRAẞE", u"STRASsE" },
        TranslitCase { u"Café", u"Cafe" }, TranslitCase { u"CAFÉ", u"CAFE" },
        // No line, or a line with an empty replacement: one underscore.
        TranslitCase { u"Ω", u"_" }, TranslitCase { u"мь", u"__" },
        // Each half of a pair is looked up alone, so no line can match it.
        TranslitCase { u"a😀b", u"a__b" },
        // A title-case letter differs from its upper-case form: stored text.
        TranslitCase { u"ǅ", u"dz" }, TranslitCase { u"Ǆ", u"Dz" }, TranslitCase { u"ё", u"yo=!" },
        TranslitCase { u"Hello, World! 123 \x7F", u"Hello, World! 123 \x7F" },
        TranslitCase { u"\u0080\u00A0", u"__" }, TranslitCase { u"", u"" }));

// Lines it cannot use are kept, so that saving the table loses none of them.
TEST(TranslitTable, KeepsItsLinesAsGivenAndWithoutLinesGivesUnderscores)
{
    const std::vector<WideString> lines { u"ж=zh", u"", u"garbage", u"ж=again" };
    EXPECT_EQ(TranslitTable(lines).Lines(), lines);
    EXPECT_EQ(TranslitTable().Transliterate(u"Café Жук"), u"Caf_ ___");
}

// The file is read as any text file of lines (DecodeTextLines); a missing one is an empty table.
TEST(LoadTranslitTable, ReadsTheLinesOfItsFile)
{
    test::TempDir folder;
    const std::filesystem::path file = folder / "translit.tab";
    EXPECT_TRUE(LoadTranslitTable(file).Lines().empty());
    test::WriteFileBytes(file, BytesOf("\xEF\xBB\xBF\xC3\xA9=e\r\n\xD0\xB6=zh"));
    EXPECT_EQ(LoadTranslitTable(file).Transliterate(u"Жé"), u"Zhe");
}

TEST(TranslitFile, FailuresGiveTheMessageWithThePath)
{
    test::TempDir folder;
    std::filesystem::create_directory(folder / "translit.tab");
    EXPECT_EQ(ErrorOf([&] { LoadTranslitTable(folder / "translit.tab"); }),
        "Cannot open file " + (folder / "translit.tab").string());
    test::WriteFileBytes(folder / "file", BytesOf("x"));
    const std::filesystem::path file = folder / "file/translit.tab";
    EXPECT_EQ(ErrorOf([&] { SaveTranslitTable(TranslitTable({ u"ж=zh" }), file); }),
        "Cannot create file " + file.string());
}

TEST(SaveTranslitTable, WritesUtf16LittleEndianWithMarkAndCrLf)
{
    test::TempDir folder;
    SaveTranslitTable(TranslitTable({ u"ж=zh", u"é=e" }), folder / "translit.tab");
    EXPECT_EQ(test::ReadFileBytes(folder / "translit.tab"), test::Utf16LE(u"ж=zh\r\né=e\r\n"));
}

struct RowsCase {
    std::string name;
    std::vector<TranslitRow> rows;
    std::vector<WideString> lines;
};

VENNART_PRINT_ROW_AS(RowsCase, row.name)

class EditorRows : public testing::TestWithParam<RowsCase> { };

TEST_P(EditorRows, BecomeTheTableLines)
{
    EXPECT_EQ(TranslitLinesFromRows(GetParam().rows), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Rule, EditorRows,
    testing::Values(RowsCase { "InRowOrder", { { u"ж", u"zh" }, { u"ш", u"sh" } }, { u"ж=zh", u"ш=sh" } },
        RowsCase { "LaterCaseVariantTakesTheEarlierPlace",
            { { u"ж", u"zh" }, { u"ш", u"sh" }, { u"Ж", u"j" } }, { u"Ж=j", u"ш=sh" } },
        RowsCase { "EmptyReplacementDropsTheEarlierRow", { { u"ж", u"zh" }, { u"ш", u"sh" }, { u"Ж", u"" } },
            { u"ш=sh" } },
        RowsCase { "EmptyReplacementAloneAddsNothing", { { u"ж", u"" } }, {} },
        RowsCase { "BlankCharacterRowsAreLeftOut",
            { { u"", u"x" }, { u" ", u"y" }, { u"\t\r", u"z" }, { u"ж", u"zh" }, { u"", u"" } },
            { u"ж=zh" } },
        RowsCase { "DuplicateRowsKeepTheLastReplacement",
            { { u"ж", u"zh" }, { u"ж", u"zh2" }, { u"ж", u"zh3" } }, { u"ж=zh3" } },
        RowsCase { "AReAddedCharacterGoesToTheEnd",
            { { u"ж", u"zh" }, { u"ш", u"sh" }, { u"ж", u"" }, { u"ж", u"z" } }, { u"ш=sh", u"ж=z" } },
        RowsCase { "NoRows", {}, {} }),
    [](const testing::TestParamInfo<RowsCase>& info) { return info.param.name; });

} // namespace
} // namespace vennart::text
