// Code page conversions, the encoding catalogue, and the tables the program ships.
#include "platform/CaseMapping.h"
#include "platform/CodePageService.h"
#include "platform/SystemCodePage.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"
#include "text/PlainText.h"
#include "text/Translit.h"
#include "text/UStringConvert.h"

#include <gtest/gtest.h>
#include <set>

namespace vennart::text {
namespace {

using test::ErrorOf;

// "Привет" and letters only some of the pages have.
const std::tuple<uint32_t, AnsiString, WideString> kDefaultSet[] {
    { 1251, "\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8\xB2\xBA", u"Привет ЁёІє" },
    { 20866, "\xF0\xD2\xC9\xD7\xC5\xD4 \xB3\xA3", u"Привет Ёё" },
    { 21866, "\xF0\xD2\xC9\xD7\xC5\xD4 \xA4\xA6\xA7\xAD\xB4", u"Привет єіїґЄ" },
    { 866, "\x8F\xE0\xA8\xA2\xA5\xE2 \xF0\xF1", u"Привет Ёё" },
    { 65001, "\xD0\x9F\xD1\x80\xD0\xB8 \xF0\x9F\x8E\xB5", u"При 🎵" }
};

// The letters only some of the pages have as the page defines them, then every byte of an 8-bit page
// that maps back from what it decodes to. UTF-8 is ICU's own; a character beyond the BMP is enough.
TEST(DefaultCodePages, DecodeAndEncodeAsTheyDefineAndEveryByteComesBack)
{
    for (const auto& [codePage, bytes, text] : kDefaultSet) {
        SCOPED_TRACE(codePage);
        EXPECT_EQ(CodePageToWide(bytes, codePage), text);
        EXPECT_EQ(WideToCodePage(text, codePage), bytes);
        EXPECT_EQ(ReinterpretWide(WidenSystem(bytes), codePage), text);
        if (codePage == kUtf8CodePage)
            continue;
        int mapped = 0;
        for (int value = 1; value < 256; ++value) {
            const AnsiString byte(1, static_cast<char>(value));
            const WideString character = CodePageToWide(byte, codePage);
            EXPECT_EQ(character.size(), 1u) << value;
            if (character == u"\uFFFD")
                continue;
            ++mapped;
            EXPECT_EQ(WideToCodePage(character, codePage), byte) << value;
        }
        EXPECT_GE(mapped, 250);
    }
}

TEST(Conversions, StopAtTheFirstNulAndGiveEmptyTextInAnUnknownCodePageOrTheSubstitute)
{
    const AnsiString bytes("A\0B", 3);
    const WideString text(u"A\0B", 3);
    EXPECT_EQ(std::tuple(CodePageToWide(bytes, 1251), WideToCodePage(text, 1251), ReinterpretWide(text, 866),
                  CodePageToWide(AnsiString("\0B", 2), 65001)),
        std::tuple(u"A", "A", u"A", u""));
    EXPECT_EQ(
        std::tuple(CodePageToWide("abc", 4242), WideToCodePage(u"abc", 4242), ReinterpretWide(u"abc", 4242)),
        std::tuple(u"", "", u""));
    // What a code page cannot represent becomes "?".
    EXPECT_EQ(WideToCodePage(u"Жук €", 866), "\x86\xE3\xAA ?");
    // Reinterpreting leaves UTF-16 as it is and loses what the system code page lacks.
    const WideString wide(u"Ж\0😀\u00FF", 5);
    EXPECT_EQ(std::tuple(ReinterpretWide(wide, kUtf16CodePage), ReinterpretWide(u"aЖb", 1251)),
        std::tuple(wide, u"a?b"));
}

// The entries as "name=code page", one after the other.
std::string Names(const std::vector<CodePageName>& entries)
{
    std::string names;
    for (const CodePageName& entry : entries)
        names += entry.name + "=" + std::to_string(entry.codePage) + ";";
    return names;
}

TEST(EncodingCatalogue, AcceptsOnlyLinesWhoseCodePageIsAnIntegerAndNamesAMissingFile)
{
    EncodingCatalogue catalogue;
    // A mark at the start and blanks around fields stay part of the fields.
    catalogue.AddCatalogueLines(
        "\xEF\xBB\xBF Cyrillic ; Windows ;1251\r\n\r\nWord;x;twelve\nThree;a;b;866\r"
        "KOI8-R;;20866\n  65001  \nOnly name;28591\nSecond;dup; 1251\t\nNegative;;-1");
    EXPECT_EQ(Names(catalogue.EncodingNames()),
        "\xEF\xBB\xBF Cyrillic =1251;KOI8-R=20866;=65001;Only name=28591;Second=1251;Negative=4294967295;");
    EXPECT_EQ(
        catalogue.EncodingDescriptions(), (std::vector<AnsiString> { " Windows ", "", "", "", "dup", "" }));
    EXPECT_EQ(std::pair(catalogue.IndexOfCodePage(1251), catalogue.IndexOfCodePage(866)), std::pair(0, -1));
    // Names are shown as UTF-8 when they are, and through the system code page otherwise.
    EXPECT_EQ(std::tuple(CatalogueText("\xD0\x9A\xD0\xB8\xD1\x80"), CatalogueText("Caf\xE9"),
                  CatalogueText("plain")),
        std::tuple(u"Кир", u"Café", u"plain"));
    // A missing file is an error with its full path (a relative one made whole); an unreadable one fails
    // in ReadWholeFile.
    test::TempDir folder;
    const std::filesystem::path current = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const std::string relative = ErrorOf([&] { catalogue.LoadEncodingTables("none.dat"); });
    std::filesystem::current_path(current);
    EXPECT_EQ(relative,
        "File " + (folder / "none.dat").string() + " does not exists - could not init encoding tables");
}

// UTF-16 is offered for ID3v2 only; a repeated code page takes the first catalogue name each time.
TEST(ActiveEncodings, FollowTheSettingByCatalogueNamesAndKeepTheLastGoodOneOnAnError)
{
    EncodingCatalogue catalogue;
    catalogue.AddCatalogueLines("Cyrillic (Windows-1251);;1251\nKOI8-R;;20866\nDOS;;866\nUTF-8;;65001\n"
                                "UTF-16;;1200\nOther 1251;;1251\n");
    const std::string cyrillic = "Cyrillic (Windows-1251)=1251;";
    for (const auto& [setting, eightBit] : std::vector<std::pair<std::string, std::string>> {
             { "", cyrillic + "KOI8-R=20866;UNKKOWN - 21866=21866;DOS=866;UTF-8=65001;" },
             { "\" 1251 \", 1251,\"4242\",1200", cyrillic + cyrillic + "UNKKOWN - 4242=4242;" } }) {
        catalogue.BuildActiveEncodings(setting);
        EXPECT_EQ(Names(catalogue.ActiveEncodingsV1()), eightBit) << setting;
        EXPECT_EQ(Names(catalogue.ActiveEncodingsV2()), eightBit + "UTF-16=1200;") << setting;
    }
    catalogue.BuildActiveEncodings("866");
    for (const auto& [setting, message] : std::vector<std::pair<std::string, std::string>> {
             { "1251,abc", "'abc' is not a valid integer value" },
             { "1251,,866", "'' is not a valid integer value" } }) {
        EXPECT_EQ(ErrorOf([&] { catalogue.BuildActiveEncodings(setting); }), message);
        EXPECT_EQ(Names(catalogue.ActiveEncodingsV2()), "DOS=866;") << setting;
    }
}

const std::filesystem::path kDataDir = VENNART_DATA_DIR;

TEST(ShippedEncodingTables, NameEveryOfferedCodePageOnceAndIcuHasThemAll)
{
    // An empty path is the copy the build puts beside every program, this test included.
    EncodingCatalogue catalogue;
    catalogue.LoadEncodingTables({});
    std::set<uint32_t> codePages;
    for (std::size_t i = 0; i < catalogue.EncodingNames().size(); ++i) {
        const CodePageName& entry = catalogue.EncodingNames()[i];
        EXPECT_FALSE(entry.name.empty()) << entry.codePage;
        EXPECT_FALSE(catalogue.EncodingDescriptions()[i].empty()) << entry.codePage;
        EXPECT_TRUE(codePages.insert(entry.codePage).second) << "twice: " << entry.codePage;
        if (entry.codePage != kUtf16CodePage) {
            EXPECT_TRUE(platform::CodePageService::Shared().Supports(entry.codePage)) << entry.codePage;
        }
    }
    for (const uint32_t required : { 1250u, 1251u, 1252u, 1253u, 1254u, 1255u, 1256u, 1257u, 1258u, 20866u,
             21866u, 866u, 437u, 850u, 874u, 932u, 936u, 949u, 950u, 10000u, 65001u, 1200u })
        EXPECT_TRUE(codePages.contains(required)) << required;
    for (uint32_t iso = 28591; iso <= 28605; ++iso)
        EXPECT_EQ(codePages.contains(iso), platform::CodePageService::Shared().Supports(iso)) << iso;
    // The default set gets catalogue names.
    catalogue.BuildActiveEncodings("");
    for (const CodePageName& entry : catalogue.ActiveEncodingsV2())
        EXPECT_FALSE(entry.name.starts_with(kUnknownCodePagePrefix)) << entry.codePage;
    // Loading appends.
    catalogue.LoadEncodingTables(kDataDir / "EncodingTables.dat");
    EXPECT_EQ(catalogue.EncodingNames().size(), 2 * codePages.size());
}

TEST(ShippedTranslitTable, FollowsIcaoWithOneLowerCaseCharacterAndAnAsciiReplacementPerLine)
{
    const TranslitTable table = LoadTranslitTable(kDataDir / "translit.tab");
    std::set<WideString> folded;
    for (const WideString& line : table.Lines()) {
        const std::u16string_view name = NameOfLine(line);
        const std::u16string_view value = ValueOfLine(line);
        ASSERT_EQ(name.size(), 1u) << "line " << folded.size();
        EXPECT_GE(name[0], 128u);
        // Lower case, except for a capital whose only lower-case form is ASCII (İ).
        const char16_t lower = platform::LowerCaseUnit(name[0]);
        EXPECT_TRUE(lower == name[0] || lower < 128) << "line " << folded.size();
        EXPECT_FALSE(value.empty());
        for (const char16_t unit : value)
            EXPECT_LT(unit, 128u) << "line " << folded.size();
        EXPECT_TRUE(folded.insert(platform::FoldCase(name)).second) << "line " << folded.size();
    }
    // The ICAO system, with a replacement for every Russian, Ukrainian and Belarusian letter.
    for (const auto& [text, latin] :
        std::vector<std::pair<WideString, WideString>> { { u"Щукин Пётр Ильич", u"Shchukin Petr Il'ich" },
            { u"Юрий Гагарин", u"Iurii Gagarin" }, { u"Хор Цветаевой: Чайка", u"Khor Tsvetaevoi: Chaika" },
            { u"Объект Эхо Мыши Яна", u"Obieekt Ekho Myshi Iana" },
            { u"Їжак Євген Ґудзик, Київ", u"Izhak Ievgen Gudzik, Kiiv" }, { u"Ўладзімір", u"Uladzimir" },
            { u"Mötley Crüe — Björk", u"Motley Crue _ Bjork" },
            { u"Straße Þór Ærø Łódź Œuvre", u"Strasse Thor Aero Lodz Oeuvre" },
            { u"Dvořák Şişli İstanbul Sigur Rós", u"Dvorak Sisli Istanbul Sigur Ros" },
            { u"Don’t", u"Don't" } })
        EXPECT_EQ(table.Transliterate(text), latin);
    const WideString letters = u"абвгдеёжзийклмнопрстуфхцчшщъыьэюяєіїґў";
    const WideString all = letters + platform::UpperCase(letters);
    EXPECT_EQ(table.Transliterate(all).find(u'_'), WideString::npos) << "no replacement in " << all.size();
}

} // namespace
} // namespace vennart::text
