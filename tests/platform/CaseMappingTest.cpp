#include "platform/CaseMapping.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace vennart::platform {
namespace {

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
