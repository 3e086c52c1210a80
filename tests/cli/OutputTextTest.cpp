// What the tool prints of tag text: nothing in a tag may steer the terminal, a lone surrogate still
// gives UTF-8, and JSON strings stay strings whatever the text holds.
#include "cli/OutputText.h"

#include "support/TestNames.h"

#include <gtest/gtest.h>

namespace vennart::test {
namespace {

struct PrintedCase {
    std::string name;
    std::u16string text;
    std::string printable; // on a terminal
    std::string json; // as a JSON string
};
VENNART_PRINT_ROW_AS(PrintedCase, row.name)

class OutputTextTest : public testing::TestWithParam<PrintedCase> { };

TEST_P(OutputTextTest, PrintsSafely)
{
    EXPECT_EQ(cli::Printable(GetParam().text), GetParam().printable);
    cli::JsonObject object;
    object.Add("k", std::u16string_view(GetParam().text));
    EXPECT_EQ(object.Text(), "{\"k\":" + GetParam().json + "}");
}

INSTANTIATE_TEST_SUITE_P(Texts, OutputTextTest,
    testing::Values(PrintedCase { "Cyrillic", u"Привет", "Привет", "\"Привет\"" },
        PrintedCase { "ColourEscape", u"a\x1b[31mb", "a\\u001b[31mb", "\"a\\u001b[31mb\"" },
        PrintedCase { "C1ControlSequenceIntroducer",
            u"\x9b"
            u"2J",
            "\\u009b2J", "\"\u009b2J\"" },
        PrintedCase { "QuoteBackslashNewline", u"\"\\\n", "\"\\\\u000a", "\"\\\"\\\\\\n\"" },
        PrintedCase { "LoneSurrogate", std::u16string(1, char16_t(0xD800)) + u"x", "\uFFFDx", "\"\uFFFDx\"" },
        PrintedCase { "SurrogatePair", u"\U0001F3B5", "\U0001F3B5", "\"\U0001F3B5\"" }),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace vennart::test
