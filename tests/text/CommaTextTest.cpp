#include "text/CommaText.h"

#include "platform/SystemCodePage.h"
#include "support/TestNames.h"

#include <gtest/gtest.h>

namespace vennart::text {
namespace {

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

} // namespace
} // namespace vennart::text
