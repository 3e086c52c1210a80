// The platform's code pages: the converters of the code page service and the system code page.
#include "platform/CodePageService.h"

#include "platform/SystemCodePage.h"

#include <gtest/gtest.h>

namespace vennart::platform {
namespace {

// Unknown code pages are remembered as unsupported.
TEST(CodePageService, ConvertersAreOpenedOncePerCodePage)
{
    CodePageService service;
    for (const uint32_t codePage : { 0u, 28602u, 4294967295u }) {
        EXPECT_FALSE(service.Supports(codePage)) << codePage;
        EXPECT_EQ(service.Converter(codePage), nullptr) << codePage;
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
    EXPECT_EQ(service.Encode(u"A\u00E9\U0001F600", 65001), "A\xC3\xA9\xF0\x9F\x98\x80");
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

} // namespace
} // namespace vennart::platform
