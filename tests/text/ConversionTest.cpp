#include "platform/SystemCodePage.h"
#include "support/TestNames.h"
#include "text/UStringConvert.h"

#include <gtest/gtest.h>

namespace vennart::text {
namespace {

struct KnownText {
    uint32_t codePage;
    AnsiString bytes;
    WideString text;
};

VENNART_PRINT_ROW_AS(KnownText, "code page " << row.codePage)

class KnownBytes : public testing::TestWithParam<KnownText> { };

TEST_P(KnownBytes, DecodeAndEncodeAsTheCodePageDefines)
{
    EXPECT_EQ(CodePageToWide(GetParam().bytes, GetParam().codePage), GetParam().text);
    EXPECT_EQ(WideToCodePage(GetParam().text, GetParam().codePage), GetParam().bytes);
    EXPECT_EQ(ReinterpretWide(WidenSystem(GetParam().bytes), GetParam().codePage), GetParam().text);
}

// "Привет" and letters only some of the pages have.
INSTANTIATE_TEST_SUITE_P(DefaultSet, KnownBytes,
    testing::Values(KnownText { 1251, "\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8\xB2\xBA", u"Привет ЁёІє" },
        KnownText { 20866, "\xF0\xD2\xC9\xD7\xC5\xD4 \xB3\xA3", u"Привет Ёё" },
        KnownText { 21866, "\xF0\xD2\xC9\xD7\xC5\xD4 \xA4\xA6\xA7\xAD\xB4", u"Привет єіїґЄ" },
        KnownText { 866, "\x8F\xE0\xA8\xA2\xA5\xE2 \xF0\xF1", u"Привет Ёё" },
        KnownText { 65001, "\xD0\x9F\xD1\x80\xD0\xB8 \xF0\x9F\x8E\xB5", u"При 🎵" }));

class DefaultEightBitCodePage : public testing::TestWithParam<uint32_t> { };

TEST_P(DefaultEightBitCodePage, EveryByteThatMapsComesBack)
{
    int mapped = 0;
    for (int value = 1; value < 256; ++value) {
        const AnsiString byte(1, static_cast<char>(value));
        const WideString character = CodePageToWide(byte, GetParam());
        ASSERT_EQ(character.size(), 1u) << value;
        if (character[0] == u'\uFFFD')
            continue;
        ++mapped;
        EXPECT_EQ(WideToCodePage(character, GetParam()), byte) << value;
    }
    EXPECT_GE(mapped, 250);
}

INSTANTIATE_TEST_SUITE_P(DefaultSet, DefaultEightBitCodePage, testing::Values(1251, 20866, 21866, 866),
    testing::PrintToStringParamName());

TEST(Utf8CodePage, EveryCharacterComesBack)
{
    WideString everything;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c < 0xD800 || c > 0xDFFF)
            everything.push_back(static_cast<char16_t>(c));
    }
    everything += u"\U00010000\U0001F600\U0010FFFD";
    const AnsiString bytes = WideToCodePage(everything, kUtf8CodePage);
    EXPECT_EQ(CodePageToWide(bytes, kUtf8CodePage), everything);
    EXPECT_EQ(ReinterpretWide(WidenSystem(bytes), kUtf8CodePage), everything);
}

TEST(Conversions, StopAtTheFirstNul)
{
    EXPECT_EQ(CodePageToWide(AnsiString("A\0B", 3), 1251), u"A");
    EXPECT_EQ(WideToCodePage(WideString(u"A\0B", 3), 1251), "A");
    EXPECT_EQ(CodePageToWide(AnsiString("\0B", 2), 65001), u"");
    EXPECT_EQ(ReinterpretWide(WideString(u"A\0B", 3), 866), u"A");
}

TEST(Conversions, UnknownCodePageGivesEmptyText)
{
    EXPECT_EQ(CodePageToWide("abc", 4242), u"");
    EXPECT_EQ(WideToCodePage(u"abc", 4242), "");
    EXPECT_EQ(ReinterpretWide(u"abc", 4242), u"");
}

TEST(Conversions, UnrepresentableCharactersGiveTheSubstitute)
{
    EXPECT_EQ(WideToCodePage(u"Жук €", 866), "\x86\xE3\xAA ?");
    EXPECT_EQ(WideToCodePage(u"a😀b", 1251), "a?b");
}

TEST(Conversions, ReinterpretLeavesUtf16AsItIsAndLosesWhatTheSystemCodePageLacks)
{
    const WideString text(u"Ж\0😀\u00FF", 5);
    EXPECT_EQ(ReinterpretWide(text, kUtf16CodePage), text);
    EXPECT_EQ(ReinterpretWide(u"aЖb", 1251), u"a?b");
}

} // namespace
} // namespace vennart::text
