#include "tags/TextEncoding.h"

#include "support/Id3Builder.h"

#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

using test::Bytes;

struct ReadCase {
    const char* Name;
    Bytes Input;
    TTextEncoding Encoding;
    std::ptrdiff_t MaxLength;
    WideString Text;
    std::size_t Consumed;
    bool Terminated;
};

void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.Name;
}

class ReadStringTest : public testing::TestWithParam<ReadCase> { };

TEST_P(ReadStringTest, ReadsTextAndConsumesWhatItSays)
{
    const ReadCase& c = GetParam();
    ByteReader reader(c.Input);
    WideString text = u"stale";
    bool terminated = !c.Terminated;
    EXPECT_EQ(ReadString(reader, c.MaxLength, text, c.Encoding, &terminated), c.Consumed);
    EXPECT_EQ(text, c.Text);
    EXPECT_EQ(terminated, c.Terminated);
    EXPECT_EQ(reader.Position(), c.Consumed);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadStringTest,
    testing::Values(
        ReadCase { "Latin1StopsAtZero", { 0x41, 0x42, 0x00, 0x43 }, teISO88591, 10, u"AB", 3, true },
        ReadCase { "Latin1BytesAreCharacters", { 0xE9, 0xFF, 0x80 }, teISO88591, 10, u"\u00E9\u00FF\u0080", 3,
            false },
        ReadCase { "Utf8BytesAreNotDecoded", { 0xC3, 0xA9 }, teUTF8, 10, u"\u00C3\u00A9", 2, false },
        ReadCase { "UnknownIsEightBit", { 0x41, 0x00 }, teUnknown, 10, u"A", 2, true },
        ReadCase { "MaxLengthStops", { 0x41, 0x42, 0x43 }, teISO88591, 2, u"AB", 2, false },
        ReadCase { "NonPositiveMaxReadsNothing", { 0x41 }, teISO88591, 0, u"", 0, false },
        ReadCase { "NoMarkIsLowByteFirst", { 0x41, 0x04, 0x00, 0x00 }, teUTF16, 20, u"\u0441", 4, true },
        ReadCase {
            "MarkOnlyWhereTheStringStarts", { 0xFF, 0xFE, 0xFF, 0xFE }, teUTF16, 20, u"\uFEFF", 4, false },
        ReadCase { "WideMaxRoundedDownToEven", { 0x41, 0x00, 0x42, 0x00 }, teUTF16, 3, u"A", 2, false },
        ReadCase { "OddTrailingByteIsLeft", { 0x41, 0x00, 0x42 }, teUTF16, 10, u"A", 2, false },
        ReadCase { "Utf16BEWithoutMark", { 0x04, 0x41, 0xFF, 0xFE, 0x00, 0x00 }, teUTF16NoBOM, 10,
            u"\u0441\uFFFE", 6, true }),
    [](const auto& info) { return std::string(info.param.Name); });

struct WriteCase {
    const char* Name;
    WideString Text;
    TTextEncoding Encoding;
    Bytes Expected;
};

void PrintTo(const WriteCase& c, std::ostream* out)
{
    *out << c.Name;
}

class WriteStringTest : public testing::TestWithParam<WriteCase> { };

TEST_P(WriteStringTest, WritesExactBytesAndTheirSize)
{
    const WriteCase& c = GetParam();
    ByteWriter writer;
    EXPECT_EQ(WriteString(writer, c.Text, c.Encoding), c.Expected.size());
    EXPECT_EQ(writer.Data(), c.Expected);
    EXPECT_EQ(StringSize(c.Text, c.Encoding), c.Expected.size());
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteStringTest,
    testing::Values(WriteCase { "Latin1", u"A\u00E9", teISO88591, { 0x41, 0xE9 } },
        WriteCase { "AboveLatin1BecomesQuestionMark", u"\u0416", teUTF8, { 0x3F } }),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace vennart::tags
