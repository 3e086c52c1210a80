#include "text/CodePageList.h"

#include "support/TestNames.h"

#include <gtest/gtest.h>

namespace vennart::text {
namespace {

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
