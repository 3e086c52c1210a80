#include "platform/SystemCodePage.h"

#include <gtest/gtest.h>

namespace vennart {
namespace {

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

} // namespace
} // namespace vennart
