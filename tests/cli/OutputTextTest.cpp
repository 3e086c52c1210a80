// What the tool prints of tag text: nothing in a tag may steer the terminal, a lone surrogate still
// gives UTF-8, and JSON strings stay strings whatever the text holds.
#include "cli/OutputText.h"

#include <gtest/gtest.h>

namespace vennart::test {
namespace {

struct PrintedCase {
    std::string name;
    std::u16string text;
    std::string printable; // on a terminal
    std::string json; // as a JSON string
};

const PrintedCase kPrintedCases[] = {
    { "Cyrillic", u"Привет", "Привет", "\"Привет\"" },
    { "ColourEscape", u"a\x1b[31mb", "a\\u001b[31mb", "\"a\\u001b[31mb\"" },
    { "C1ControlSequenceIntroducer", u"\u009b2J", "\\u009b2J", "\"\u009b2J\"" },
    { "QuoteBackslashNewline", u"\"\\\n", "\"\\\\u000a", "\"\\\"\\\\\\n\"" },
    { "LoneSurrogate", std::u16string(1, char16_t(0xD800)) + u"x", "\uFFFDx", "\"\uFFFDx\"" },
    { "SurrogatePair", u"\U0001F3B5", "\U0001F3B5", "\"\U0001F3B5\"" },
};

TEST(OutputTextTest, PrintsSafely)
{
    for (const PrintedCase& row : kPrintedCases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(cli::Printable(row.text), row.printable);
        cli::JsonObject object;
        object.Add("k", std::u16string_view(row.text));
        EXPECT_EQ(object.Line(), "{\"k\":" + row.json + "}\n");
    }
}

} // namespace
} // namespace vennart::test
