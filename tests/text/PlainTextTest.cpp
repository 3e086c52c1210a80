// Plain text rules the settings and lists are read with (trimming, integers, lines, comma text and
// code page lists), text files of lines in any encoding, and the transliteration table kept in one.
#include "text/PlainText.h"

#include "platform/SystemCodePage.h"
#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"
#include "text/CodePageList.h"
#include "text/CommaText.h"
#include "text/TextFile.h"
#include "text/Translit.h"

#include <gtest/gtest.h>

namespace vennart::text {
namespace {

using namespace std::literals;
using test::BytesOf;
using test::ErrorOf;
using test::Utf16LE;

TEST(TrimControls, RemovesBlanksAndControlCharactersAtBothEnds)
{
    EXPECT_EQ(TrimControls(std::string_view(" \t\r\n 1251 \x01\x1F ")), "1251");
    EXPECT_EQ(TrimControls(std::string_view("\x7F\xA0")), "\x7F\xA0");
    EXPECT_EQ(TrimControls(std::u16string_view(u" a b\u0000")), u"a b");
    EXPECT_EQ(TrimControls(std::u16string_view(u"\u00A0x")), u"\u00A0x");
}

TEST(ParseInteger, TakesSignedDecimalsOnly)
{
    for (const auto& [text, value] : std::vector<std::pair<std::string_view, std::optional<int>>> {
             { "1251", 1251 }, { "+866", 866 }, { "-1", -1 }, { "007", 7 }, { "2147483647", 2147483647 } })
        EXPECT_EQ(ParseInteger(text), value) << text;
    for (const char* bad :
        { "", "+", "-", "+-1", "12a", "a12", " 12", "12 ", "0x10", "$10", "2147483648", "1e3" })
        EXPECT_EQ(ParseInteger(bad), std::nullopt) << bad;
    EXPECT_EQ(std::pair(ParseInteger(u"65001"), ParseInteger(u"\u0661\u0662")),
        std::pair(std::optional(65001), std::optional<int>()));
}

// A line separator ends a line of wide text only.
TEST(SplitLines, EndsLinesAtEveryUsualBreak)
{
    for (const auto& [text, lines] : std::vector<std::pair<std::string_view, std::vector<AnsiString>>> {
             { "a\r\nb\nc\rd", { "a", "b", "c", "d" } }, { "a\r\n", { "a" } },
             { "a\n\nb\n\n", { "a", "", "b", "" } }, { "\n\r", { "", "" } }, { "", {} },
             { "a\u2028b", { "a\u2028b" } } })
        EXPECT_EQ(SplitLines(text), lines) << text;
    EXPECT_EQ(
        SplitLines(std::u16string_view(u"a\u2028b\r\nc")), (std::vector<WideString> { u"a", u"b", u"c" }));
}

TEST(CommaText, GivesTheEntriesOfNarrowAndWideText)
{
    for (const auto& [text, entries] :
        std::vector<std::pair<std::string, std::vector<std::string>>> { { "", {} }, { "   ", {} },
            { "1251,20866,866", { "1251", "20866", "866" } }, { "a,,b", { "a", "", "b" } },
            { "a,", { "a", "" } }, { ",a", { "", "a" } }, { ",,", { "", "", "" } }, { "a, ", { "a" } },
            { " a , b ", { "a", "b" } }, { "a b\tc", { "a", "b", "c" } }, { "\"a b\",c", { "a b", "c" } },
            { "\"say \"\"hi\"\"\"", { "say \"hi\"" } }, { "\"open", { "open" } }, { "\"a\"b", { "a", "b" } },
            { "a\"b", { "a\"b" } }, { "\"\",x", { "", "x" } },
            { std::string("a,b\0c,d", 7), { "a", "b" } } }) {
        std::vector<WideString> wide;
        for (const std::string& entry : entries)
            wide.push_back(WidenSystem(entry));
        EXPECT_EQ(SplitCommaText(text), entries) << text;
        EXPECT_EQ(SplitCommaText(WidenSystem(text)), wide) << text;
    }
}

TEST(CodePageLists, ChangeAsMultisetsAndWithoutAnEightBitEntryAreTheDefaultSet)
{
    EXPECT_FALSE(CodePageListChanged("1200,866,1251", "1251,866,1200"));
    EXPECT_TRUE(CodePageListChanged("1251,866,1251", "1251,866"));
    EXPECT_TRUE(CodePageListChanged("1251", "1251,1251"));
    // Entries are compared as text.
    EXPECT_TRUE(CodePageListChanged("01251", "1251"));
    // The default set takes the place of a list without an 8-bit code page.
    for (const std::string_view value : { "", "1200", "1200, 1200" })
        EXPECT_EQ(EffectiveCodePages(value), "1251,20866,21866,866,65001,1200") << value;
    // An entry that is no integer stays, for building the lists to report it.
    for (const std::string_view value : { "866", "1200,65001", "1200,abc", "1200," })
        EXPECT_EQ(EffectiveCodePages(value), value) << value;
}

std::string_view Chars(const test::Bytes& bytes)
{
    return { reinterpret_cast<const char*>(bytes.data()), bytes.size() };
}

TEST(DecodeTextLines, GivesTheLinesOfTextInAnyEncoding)
{
    for (const auto& [name, bytes, lines] :
        std::vector<std::tuple<const char*, test::Bytes, std::vector<WideString>>> {
            { "Utf16LittleEndian", Utf16LE(u"a=Ж\r\nb"), { u"a=Ж", u"b" } },
            { "Utf16BigEndian", BytesOf("\xFE\xFF\0a\0=\x04\x16\0\n"sv), { u"a=Ж" } },
            { "Utf8WithMark", BytesOf("\xEF\xBB\xBF\xD0\x96=zh\r\n\xC3\x9F=ss"), { u"Ж=zh", u"ß=ss" } },
            { "Utf8WithoutMark", BytesOf("\xD0\x96=zh\n"), { u"Ж=zh" } },
            { "EightBitWithoutMark", BytesOf("\xE9=e\r\n\xDF=ss"), { u"é=e", u"ß=ss" } },
            { "InvalidUtf8AfterMark", BytesOf("\xEF\xBB\xBF\xFF=x"), { u"\uFFFD=x" } },
            { "NulEndsTheText", BytesOf("a\nb\0c\nd"sv), { u"a", u"b" } },
            { "Utf16NulEndsTheText", Utf16LE(u"a\0b"sv), { u"a" } },
            { "OddByteLeavesATrace", test::Concat({ Utf16LE(u"a"), { 'b' } }), { u"a\uFFFD" } },
            { "LoneSurrogatesSurvive", Utf16LE(u"\xD800x"), { u"\xD800x" } },
            { "MarkOnly", Utf16LE(u""), {} }, { "Empty", {}, {} } })
        EXPECT_EQ(DecodeTextLines(Chars(bytes)), lines) << name;
}

TEST(EncodeTextLines, WritesUtf16LittleEndianWithMarkAndCrLfAndDecodesBack)
{
    EXPECT_EQ(EncodeTextLines({ u"a", u"Ж", u"" }), Chars(Utf16LE(u"a\r\nЖ\r\n\r\n")));
    EXPECT_EQ(EncodeTextLines({}), "\xFF\xFE");
    const std::vector<WideString> lines { u"CurrentDir=/home/ü/Музыка", u"", u"x=\U0001F600",
        u"\xDC00 lone" };
    EXPECT_EQ(DecodeTextLines(EncodeTextLines(lines)), lines);
}

// Through a link the target is replaced, and the link stays.
TEST(WriteTextLines, CreatesTheFolderAndTheFileThenReplacesItKeepingItsPermissionsAndLinks)
{
    test::TempDir folder;
    const std::filesystem::path file = folder / "config/vennart/vennart.ini";
    WriteTextLines(file, { u"a=b" });
    EXPECT_EQ(ReadTextLines(file), std::vector<WideString> { u"a=b" });
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    std::filesystem::create_symlink("vennart/vennart.ini", folder / "config/link.ini");
    WriteTextLines(folder / "config/link.ini", { u"ж=zh" });
    EXPECT_EQ(ReadTextLines(file), std::vector<WideString> { u"ж=zh" });
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "config/link.ini"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1);
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

TEST(TranslitTable, RewritesEveryUnitAbove127AndKeepsItsLinesAsGiven)
{
    const TranslitTable table { { u"ж=zh", u"у=u", u"к=k", u"щ=SHCH", u"ß=ss", u"é=e", u"ь=", u"Ж=j", u"ǆ=dz",
        u"=orphan", u"no equals", u"\U0001F600=smile", u"ё=yo=!" } };
    for (const auto& [input, output] : std::vector<std::pair<WideString, WideString>> { { u"жук", u"zhuk" },
             { u"Жук", u"Zhuk" }, { u"ЖУК", u"ZhUK" },
             // A replacement stored in upper case stays so for lower-case letters.
             { u"щЩ", u"SHCHSHCH" },
             // Lower-case letters without a one-character upper-case form keep the stored text.
             { u"Straße", u"Strasse" }, { u"STRAẞE", u"STRASsE" }, { u"Café", u"Cafe" }, { u"CAFÉ", u"CAFE" },
             // No line, or a line with an empty replacement: one underscore.
             { u"Ω", u"_" }, { u"мь", u"__" },
             // Each half of a pair is looked up alone, so no line can match it.
             { u"a😀b", u"a__b" },
             // A title-case letter differs from its upper-case form: stored text.
             { u"ǅ", u"dz" }, { u"Ǆ", u"Dz" }, { u"ё", u"yo=!" },
             { u"Hello, World! 123 \x7F", u"Hello, World! 123 \x7F" }, { u"\u0080\u00A0", u"__" },
             { u"", u"" } })
        EXPECT_EQ(table.Transliterate(input), output) << test::Ascii(output);
    // Lines it cannot use are kept, so that saving the table loses none of them; no table gives
    // underscores.
    const std::vector<WideString> lines { u"ж=zh", u"", u"garbage", u"ж=again" };
    EXPECT_EQ(TranslitTable(lines).Lines(), lines);
    EXPECT_EQ(TranslitTable().Transliterate(u"Café Жук"), u"Caf_ ___");
}

// The file is written and read as any text file of lines (EncodeTextLines, DecodeTextLines); a missing
// one is an empty table, and reading one that cannot be read fails as ReadWholeFile does.
TEST(TranslitFile, IsSavedAndLoadedBackAndAFailedSaveGivesThePath)
{
    test::TempDir folder;
    const std::filesystem::path file = folder / "translit.tab";
    EXPECT_TRUE(LoadTranslitTable(file).Lines().empty());
    SaveTranslitTable(TranslitTable({ u"ж=zh", u"é=e" }), file);
    EXPECT_EQ(LoadTranslitTable(file).Transliterate(u"Жé"), u"Zhe");
    // A file where its folder should be.
    const std::filesystem::path blocked = file / "translit.tab";
    EXPECT_EQ(ErrorOf([&] { SaveTranslitTable(TranslitTable({ u"ж=zh" }), blocked); }),
        "Cannot create file " + blocked.string());
}

TEST(TranslitEditorRows, BecomeTheTableLines)
{
    using Rows = std::vector<TranslitRow>;
    for (const auto& [name, rows, lines] :
        std::vector<std::tuple<const char*, Rows, std::vector<WideString>>> {
            { "InRowOrder", { { u"ж", u"zh" }, { u"ш", u"sh" } }, { u"ж=zh", u"ш=sh" } },
            { "LaterCaseVariantTakesTheEarlierPlace", { { u"ж", u"zh" }, { u"ш", u"sh" }, { u"Ж", u"j" } },
                { u"Ж=j", u"ш=sh" } },
            { "EmptyReplacementDropsTheEarlierRow", { { u"ж", u"zh" }, { u"ш", u"sh" }, { u"Ж", u"" } },
                { u"ш=sh" } },
            { "EmptyReplacementAloneAddsNothing", { { u"ж", u"" } }, {} },
            { "BlankCharacterRowsAreLeftOut",
                { { u"", u"x" }, { u" ", u"y" }, { u"\t\r", u"z" }, { u"ж", u"zh" }, { u"", u"" } },
                { u"ж=zh" } },
            { "DuplicateRowsKeepTheLastReplacement", { { u"ж", u"zh" }, { u"ж", u"zh2" }, { u"ж", u"zh3" } },
                { u"ж=zh3" } },
            { "AReAddedCharacterGoesToTheEnd",
                { { u"ж", u"zh" }, { u"ш", u"sh" }, { u"ж", u"" }, { u"ж", u"z" } }, { u"ш=sh", u"ж=z" } },
            { "NoRows", {}, {} } })
        EXPECT_EQ(TranslitLinesFromRows(rows), lines) << name;
}

} // namespace
} // namespace vennart::text
