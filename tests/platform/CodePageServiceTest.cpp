// The platform's text services: the converters of the code page service, the system code page and
// the case mapping.
#include "platform/CodePageService.h"

#include "platform/CaseMapping.h"
#include "platform/SystemCodePage.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace vennart::platform {
namespace {

// Unknown code pages are remembered as unsupported.
TEST(CodePageService, ConvertersAreOpenedOncePerCodePage)
{
    CodePageService service;
    for (const uint32_t codePage : { 0u, 28602u, 4294967295u }) {
        EXPECT_FALSE(service.Supports(codePage)) << codePage;
    }
    CodePageConverter* first = service.Converter(1251);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(service.Converter(1251), first);
}

// Ignorable characters a code page lacks are dropped.
TEST(CodePageService, Converts)
{
    CodePageService service;
    EXPECT_EQ(service.Encode(u"a\u200Bb\U000E0100c\U0001F600", 1251), "abc?");
    EXPECT_EQ(service.Encode(u"\xD800x\xDC00", 1251), "?x?");
    // Code pages of several bytes a character.
    EXPECT_EQ(service.Decode("\x93\xFA\x96\x7B", 932), u"\u65E5\u672C");
    EXPECT_EQ(service.Encode(u"\u65E5\u672C", 932), "\x93\xFA\x96\x7B");
    EXPECT_EQ(service.Decode("A\xFF\x42", 65001), u"A\uFFFDB");
    EXPECT_EQ(service.Encode(u"A\u00E9", 1201), std::string("\0A\0\xE9", 4));
}

TEST(SystemCodePage, EveryByteSurvivesWideningAndNarrowing)
{
    AnsiString all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const WideString wide = WidenSystem(all);
    ASSERT_EQ(wide.size(), 256u);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(wide[b], static_cast<char16_t>(b));
    EXPECT_EQ(NarrowSystem(wide), all);
    // Characters above Latin-1 narrow to a question mark.
    EXPECT_EQ(NarrowSystem(u"A\u0416B\U0001F600"), "A?B??");
}

TEST(CaseMapping, MapsEachUnitOnItsOwn)
{
    EXPECT_EQ(UpperCase(u"stra\u00DFe \u043F\u0440\u0438\u0432\u0435\u0442"),
        u"STRA\u00DFE \u041F\u0420\u0418\u0412\u0415\u0422");
    EXPECT_EQ(LowerCase(u"\u0401\u0416 ABC \u0130"), u"\u0451\u0436 abc i");
    // A pair's halves are no letters on their own: Deseret letters keep their case.
    EXPECT_EQ(UpperCase(u"\U00010428"), u"\U00010428");
    EXPECT_EQ(UpperCaseUnit(u'\u01C6'), u'\u01C4');
    // Lower case letters by category: title case (U+01C5) is none.
    EXPECT_EQ(std::vector({ IsLowerCaseLetter(u'\u00DF'), IsLowerCaseLetter(u'\u0436'),
                  IsLowerCaseLetter(u'\u0416'), IsLowerCaseLetter(u'\u01C5'), IsLowerCaseLetter(u'1') }),
        std::vector({ true, true, false, false, false }));
}

TEST(CaseMapping, ComparisonIgnoresCaseByFullFoldingAndSortsIgnoringIt)
{
    EXPECT_EQ(std::vector({ EqualNoCase(u"Stra\u00DFe", u"STRASSE"),
                  EqualNoCase(u"\u0401\u043B\u043A\u0430", u"\u0451\u041B\u041A\u0410"),
                  EqualNoCase(u"a", u"b"), EqualNoCase(u"a", u"a "), EqualNoCase(std::u16string_view(), u"a"),
                  EqualNoCase(std::u16string_view(), u"") }),
        std::vector({ true, true, false, false, false, true }));
    EXPECT_EQ(FoldCase(std::u16string_view()), u"");
    EXPECT_LT(CompareNoCase(u"apple", u"Banana"), 0);
    EXPECT_GT(CompareNoCase(u"b", u"A"), 0);
    EXPECT_EQ(FoldCase(u"\u0390").size(), 3u);
    EXPECT_EQ(FoldCase(u"\u1E9E"), u"ss");

    // A sorted set keeps one spelling of each value.
    std::set<WideString, LessNoCase> values;
    for (const char16_t* value : { u"b", u"A", u"a", u"B", u"\u0416", u"\u0436", u"c" })
        values.insert(value);
    EXPECT_EQ(std::vector<WideString>(values.begin(), values.end()),
        (std::vector<WideString> { u"A", u"b", u"c", u"\u0416" }));
    EXPECT_TRUE(values.contains(std::u16string_view(u"C")));
}

} // namespace
} // namespace vennart::platform
