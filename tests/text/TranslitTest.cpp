#include "text/Translit.h"

#include "platform/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vennart::text {
namespace {

std::vector<unsigned char> Bytes(std::string_view text)
{
    return { text.begin(), text.end() };
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

TEST(TranslitTable, EmptyTableTurnsEveryNonAsciiUnitIntoAnUnderscore)
{
    const TranslitTable empty;
    EXPECT_EQ(empty.Transliterate(u"Café Жук"), u"Caf_ ___");
}

TEST(TranslitTable, KeepsItsLinesAsGiven)
{
    const std::vector<WideString> lines { u"ж=zh", u"", u"garbage", u"ж=again" };
    EXPECT_EQ(TranslitTable(lines).Lines(), lines);
}

TEST(LoadTranslitTable, MissingFileGivesAnEmptyTable)
{
    test::TempDir folder;
    EXPECT_TRUE(LoadTranslitTable(folder / "translit.tab").Lines().empty());
}

TEST(LoadTranslitTable, ReadsEveryEncodingTheFileMayHave)
{
    test::TempDir folder;
    const std::filesystem::path file = folder / "translit.tab";
    for (const std::string_view bytes : { std::string_view("\xC3\xA9=e\n\xD0\xB6=zh\n"),
             std::string_view("\xEF\xBB\xBF\xC3\xA9=e\r\n\xD0\xB6=zh"),
             std::string_view("\xFF\xFE\xE9\0=\0e\0\r\0\n\0\x36\x04=\0z\0h\0", 20) }) {
        test::WriteFileBytes(file, Bytes(bytes));
        EXPECT_EQ(LoadTranslitTable(file).Transliterate(u"Жé"), u"Zhe");
    }
    test::WriteFileBytes(file, Bytes("\xE9=e\r\n"));
    EXPECT_EQ(LoadTranslitTable(file).Lines(), std::vector<WideString> { u"é=e" });
}

TEST(LoadTranslitTable, UnreadableFileIsAnError)
{
    test::TempDir folder;
    std::filesystem::create_directory(folder / "translit.tab");
    try {
        LoadTranslitTable(folder / "translit.tab");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + (folder / "translit.tab").string());
    }
}

TEST(SaveTranslitTable, WritesUtf16LittleEndianWithMarkAndCrLf)
{
    test::TempDir folder;
    SaveTranslitTable(TranslitTable({ u"ж=zh", u"é=e" }), folder / "translit.tab");
    EXPECT_EQ(test::ReadFileBytes(folder / "translit.tab"),
        Bytes(std::string_view("\xFF\xFE\x36\x04=\0z\0h\0\r\0\n\0\xE9\0=\0e\0\r\0\n\0", 24)));
}

TEST(SaveTranslitTable, FailureGivesTheMessageWithThePath)
{
    test::TempDir folder;
    test::WriteFileBytes(folder / "file", Bytes("x"));
    const std::filesystem::path file = folder / "file/translit.tab";
    try {
        SaveTranslitTable(TranslitTable({ u"ж=zh" }), file);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + file.string());
    }
}

struct RowsCase {
    std::string name;
    std::vector<TranslitRow> rows;
    std::vector<WideString> lines;
};

void PrintTo(const RowsCase& c, std::ostream* out)
{
    *out << c.name;
}

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
