#include "tags/TextEncoding.h"

#include "platform/SystemCodePage.h"

namespace vennart::tags {
namespace {

constexpr std::uint8_t kUnknownEncodingByte = 0xFF;
constexpr char16_t kByteOrderMark = 0xFEFF;
constexpr char16_t kSwappedByteOrderMark = 0xFFFE;

bool IsWide(TTextEncoding encoding)
{
    return encoding == teUTF16 || encoding == teUTF16NoBOM;
}

std::size_t Read8BitString(ByteReader& reader, std::size_t maxLength, WideString& text, bool& terminated)
{
    AnsiString bytes;
    std::size_t consumed = 0;
    while (consumed < maxLength && !reader.AtEnd()) {
        const std::uint8_t byte = reader.TakeByte();
        ++consumed;
        if (byte == 0) {
            terminated = true;
            break;
        }
        bytes.push_back(static_cast<char>(byte));
    }
    text = WidenSystem(bytes);
    return consumed;
}

char16_t Unit(std::span<const std::uint8_t> pair, bool bigEndian)
{
    return bigEndian ? static_cast<char16_t>(pair[0] << 8 | pair[1])
                     : static_cast<char16_t>(pair[1] << 8 | pair[0]);
}

std::size_t Read16BitString(
    ByteReader& reader, std::size_t maxLength, WideString& text, TTextEncoding encoding, bool& terminated)
{
    const std::size_t limit = maxLength & ~std::size_t { 1 };
    bool bigEndian = encoding == teUTF16NoBOM;
    bool first = encoding == teUTF16;
    std::size_t consumed = 0;
    while (consumed < limit && reader.Remaining() >= 2) {
        const char16_t unit = Unit(reader.Take(2), bigEndian);
        consumed += 2;
        if (first && (unit == kByteOrderMark || unit == kSwappedByteOrderMark)) {
            bigEndian = unit == kSwappedByteOrderMark;
            first = false;
            continue;
        }
        first = false;
        if (unit == 0) {
            terminated = true;
            break;
        }
        text.push_back(unit);
    }
    return consumed;
}

} // namespace

TTextEncoding EncodingFromByte(std::uint8_t value)
{
    return value <= teUTF8 ? static_cast<TTextEncoding>(value) : teUnknown;
}

std::uint8_t EncodingToByte(TTextEncoding encoding)
{
    return encoding <= teUTF8 ? static_cast<std::uint8_t>(encoding) : kUnknownEncodingByte;
}

std::size_t CharSize(TTextEncoding encoding)
{
    return IsWide(encoding) ? 2 : 1;
}

std::size_t ReadString(
    ByteReader& reader, std::ptrdiff_t maxLength, WideString& text, TTextEncoding encoding, bool* terminated)
{
    text.clear();
    bool foundTerminator = false;
    std::size_t consumed = 0;
    if (maxLength > 0) {
        const auto limit = static_cast<std::size_t>(maxLength);
        consumed = IsWide(encoding) ? Read16BitString(reader, limit, text, encoding, foundTerminator)
                                    : Read8BitString(reader, limit, text, foundTerminator);
    }
    if (terminated)
        *terminated = foundTerminator;
    return consumed;
}

std::size_t WriteString(ByteWriter& writer, const WideString& text, TTextEncoding encoding)
{
    if (!IsWide(encoding)) {
        const AnsiString bytes = NarrowSystem(text);
        writer.Bytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        return bytes.size();
    }
    const bool bigEndian = encoding == teUTF16NoBOM;
    auto unit = [&](char16_t value) {
        const auto high = static_cast<std::uint8_t>(value >> 8);
        const auto low = static_cast<std::uint8_t>(value);
        writer.Byte(bigEndian ? high : low);
        writer.Byte(bigEndian ? low : high);
    };
    if (encoding == teUTF16)
        unit(kByteOrderMark);
    for (const char16_t c : text)
        unit(c);
    return StringSize(text, encoding);
}

void WriteTerminator(ByteWriter& writer, TTextEncoding encoding)
{
    writer.Zeros(CharSize(encoding));
}

std::size_t StringSize(const WideString& text, TTextEncoding encoding)
{
    if (!IsWide(encoding))
        return text.size();
    return 2 * text.size() + (encoding == teUTF16 ? 2 : 0);
}

} // namespace vennart::tags
