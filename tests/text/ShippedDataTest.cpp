#include "platform/CaseMapping.h"
#include "platform/CodePageService.h"
#include "support/TextTestSupport.h"
#include "text/PlainText.h"
#include "text/Translit.h"
#include "text/UStringConvert.h"

#include <gtest/gtest.h>
#include <set>

namespace vennart::text {
namespace {

const std::filesystem::path kDataDir = VENNART_DATA_DIR;

TEST(ShippedEncodingTables, NameEveryOfferedCodePageOnceAndIcuHasThemAll)
{
    EncodingCatalogue catalogue;
    catalogue.LoadEncodingTables(kDataDir / "EncodingTables.dat");
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
}

class ShippedTranslitTable : public testing::Test {
protected:
    const TranslitTable table = LoadTranslitTable(kDataDir / "translit.tab");
};

TEST_F(ShippedTranslitTable, HoldsOneLowerCaseCharacterPerLineWithAnAsciiReplacement)
{
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
}

TEST_F(ShippedTranslitTable, EveryRussianUkrainianAndBelarusianLetterHasAReplacement)
{
    const WideString letters = u"абвгдеёжзийклмнопрстуфхцчшщъыьэюяєіїґў";
    const WideString all = letters + platform::UpperCase(letters);
    EXPECT_EQ(table.Transliterate(all).find(u'_'), WideString::npos) << "no replacement in " << all.size();
}

struct Sample {
    WideString text;
    WideString latin;
};

void PrintTo(const Sample& c, std::ostream* out)
{
    *out << test::Ascii(c.latin);
}

class ShippedTranslitSample : public ShippedTranslitTable, public testing::WithParamInterface<Sample> { };

TEST_P(ShippedTranslitSample, FollowsTheIcaoSystem)
{
    EXPECT_EQ(table.Transliterate(GetParam().text), GetParam().latin);
}

INSTANTIATE_TEST_SUITE_P(Names, ShippedTranslitSample,
    testing::Values(Sample { u"Щукин Пётр Ильич", u"Shchukin Petr Il'ich" },
        Sample { u"Юрий Гагарин", u"Iurii Gagarin" },
        Sample { u"Хор Цветаевой: Чайка", u"Khor Tsvetaevoi: Chaika" },
        Sample { u"Объект Эхо Мыши Яна", u"Obieekt Ekho Myshi Iana" },
        Sample { u"Їжак Євген Ґудзик, Київ", u"Izhak Ievgen Gudzik, Kiiv" },
        Sample { u"Ўладзімір", u"Uladzimir" }, Sample { u"Mötley Crüe — Björk", u"Motley Crue _ Bjork" },
        Sample { u"Straße Þór Ærø Łódź Œuvre", u"Strasse Thor Aero Lodz Oeuvre" },
        Sample { u"Dvořák Şişli İstanbul Sigur Rós", u"Dvorak Sisli Istanbul Sigur Ros" },
        Sample { u"Don’t", u"Don't" }));

} // namespace
} // namespace vennart::text
