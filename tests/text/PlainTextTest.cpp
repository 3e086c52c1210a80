// Plain text rules the settings and lists are read with: trimming, integers, lines, comma text and
// code page lists.
#include "text/PlainText.h"

#include "platform/SystemCodePage.h"
#include "support/TestNames.h"
#include "text/CodePageList.h"
#include "text/CommaText.h"

#include <gtest/gtest.h>

namespace vennart::text {
namespace {

TEST(TrimControls, RemovesBlanksAndControlCharactersAtBothEnds)
{
    EXPECT_EQ(TrimControls(std::string_view(" \t\r\n 1251 \x01\x1F ")), "1251");
    EXPECT_EQ(TrimControls(std::string_view("\x7F\xA0")), "\x7F\xA0");
    EXPECT_EQ(TrimControls(std::u16string_view(u" a b\u0000")), u"a b");
    EXPECT_EQ(TrimControls(std::u16string_view(u"\u00A0x")), u"\u00A0x");
}

TEST(ParseInteger, TakesSignedDecimalsOnly)
{
    EXPECT_EQ(ParseInteger("1251"), 1251);
    EXPECT_EQ(ParseInteger("+866"), 866);
    EXPECT_EQ(ParseInteger("-1"), -1);
    EXPECT_EQ(ParseInteger("007"), 7);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    for (const char* bad :
        { "", "+", "-", "+-1", "12a", "a12", " 12", "12 ", "0x10", "$10", "2147483648", "1e3" })
        EXPECT_EQ(ParseInteger(bad), std::nullopt) << bad;
    EXPECT_EQ(ParseInteger(u"65001"), 65001);
    EXPECT_EQ(ParseInteger(u"\u0661\u0662"), std::nullopt);
}

TEST(SplitLines, EndsLinesAtEveryUsualBreak)
{
    EXPECT_EQ(SplitLines(std::string_view("a\r\nb\nc\rd")), (std::vector<AnsiString> { "a", "b", "c", "d" }));
    EXPECT_EQ(SplitLines(std::string_view("a\r\n")), std::vector<AnsiString> { "a" });
    EXPECT_EQ(SplitLines(std::string_view("a\n\nb\n\n")), (std::vector<AnsiString> { "a", "", "b", "" }));
    EXPECT_EQ(SplitLines(std::string_view("\n\r")), (std::vector<AnsiString> { "", "" }));
    EXPECT_TRUE(SplitLines(std::string_view("")).empty());
    EXPECT_EQ(SplitLines(std::string_view("a\xE2\x80\xA8"
                                          "b")),
        std::vector<AnsiString> { "a\xE2\x80\xA8"
                                  "b" });
    EXPECT_EQ(
        SplitLines(std::u16string_view(u"a\u2028b\r\nc")), (std::vector<WideString> { u"a", u"b", u"c" }));
}

TEST(NameValueLines, SplitAtTheFirstEqualsSign)
{
    EXPECT_EQ(NameOfLine(u"FileMask=%a=%b"), u"FileMask");
    EXPECT_EQ(ValueOfLine(u"FileMask=%a=%b"), u"%a=%b");
    EXPECT_EQ(NameOfLine(u"==x"), u"");
    EXPECT_EQ(ValueOfLine(u"==x"), u"=x");
    EXPECT_EQ(NameOfLine(u"no equals"), u"");
    EXPECT_EQ(ValueOfLine(u"no equals"), u"");
    EXPECT_EQ(ValueOfLine(u"key="), u"");
}

struct CommaCase {
    std::string text;
    std::vector<std::string> entries;
};

VENNART_PRINT_ROW_AS(CommaCase, '"' << row.text << '"')

class CommaTextSplit : public testing::TestWithParam<CommaCase> { };

TEST_P(CommaTextSplit, GivesTheEntries)
{
    EXPECT_EQ(SplitCommaText(GetParam().text), GetParam().entries);
}

TEST_P(CommaTextSplit, WideTextSplitsTheSameWay)
{
    std::vector<WideString> expected;
    for (const std::string& entry : GetParam().entries)
        expected.push_back(WidenSystem(entry));
    EXPECT_EQ(SplitCommaText(WidenSystem(GetParam().text)), expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, CommaTextSplit,
    testing::Values(CommaCase { "", {} }, CommaCase { "   ", {} },
        CommaCase { "1251,20866,866", { "1251", "20866", "866" } }, CommaCase { "a,,b", { "a", "", "b" } },
        CommaCase { "a,", { "a", "" } }, CommaCase { ",a", { "", "a" } }, CommaCase { ",,", { "", "", "" } },
        CommaCase { "a, ", { "a" } }, CommaCase { " a , b ", { "a", "b" } },
        CommaCase { "a b\tc", { "a", "b", "c" } }, CommaCase { "\"a b\",c", { "a b", "c" } },
        CommaCase { "\"say \"\"hi\"\"\"", { "say \"hi\"" } }, CommaCase { "\"open", { "open" } },
        CommaCase { "\"a\"b", { "a", "b" } }, CommaCase { "a\"b", { "a\"b" } },
        CommaCase { "\"\",x", { "", "x" } }, CommaCase { std::string("a,b\0c,d", 7), { "a", "b" } }));

struct ListCase {
    std::string name;
    std::string oldValue;
    std::string newValue;
    bool changed;
};

VENNART_PRINT_ROW_AS(ListCase, row.name)

class CodePageLists : public testing::TestWithParam<ListCase> { };

TEST_P(CodePageLists, ChangeOnlyWhenTheMultisetsDiffer)
{
    EXPECT_EQ(CodePageListChanged(GetParam().oldValue, GetParam().newValue), GetParam().changed);
}

INSTANTIATE_TEST_SUITE_P(CodePages, CodePageLists,
    testing::Values(ListCase { "OtherOrder", "1200,866,1251", "1251,866,1200", false },
        ListCase { "RepeatDropped", "1251,866,1251", "1251,866", true },
        ListCase { "RepeatAdded", "1251", "1251,1251", true },
        ListCase { "EntriesComparedAsText", "01251", "1251", true }),
    [](const auto& info) { return info.param.name; });

TEST(EffectiveCodePages, DefaultSetWhenNoEntryIsAnEightBitCodePage)
{
    for (const std::string_view value : { "", "1200", "1200, 1200" })
        EXPECT_EQ(EffectiveCodePages(value), "1251,20866,21866,866,65001,1200") << value;
    // An entry that is no integer stays, for building the lists to report it.
    for (const std::string_view value : { "866", "1200,65001", "1200,abc", "1200," })
        EXPECT_EQ(EffectiveCodePages(value), value) << value;
}

} // namespace
} // namespace vennart::text
