#include "text/PlainText.h"

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

} // namespace
} // namespace vennart::text
