#include "tags/TextEncoding.h"

#include "platform/SystemCodePage.h"

#include <algorithm>
#include <cstring>

namespace vennart::tags {
namespace {

constexpr std::uint8_t kUnknownEncodingByte = 0xFF;
constexpr char16_t kByteOrderMark = 0xFEFF;
constexpr char16_t kSwappedByteOrderMark = 0xFFFE;

bool IsWide(TTextEncoding encoding)
{
    return encoding == teUTF16 || encoding == teUTF16NoBOM;
}

// Each byte becomes the character of the same number, as WidenSystem does, straight into text.
std::size_t Read8BitString(ByteReader& reader, std::size_t maxLength, WideString& text, bool& terminated)
{
    const std::span<const std::uint8_t> available = reader.Peek(maxLength);
    const auto* zero = available.empty()
        ? nullptr
        : static_cast<const std::uint8_t*>(std::memchr(available.data(), 0, available.size()));
    terminated = zero != nullptr;
    const auto length = terminated ? static_cast<std::size_t>(zero - available.data()) : available.size();
    text = WideString(available.begin(), available.begin() + static_cast<std::ptrdiff_t>(length));
    return reader.Take(length + (terminated ? 1 : 0)).size();
}

char16_t Unit(std::span<const std::uint8_t> pair, bool bigEndian)
{
    return bigEndian ? static_cast<char16_t>(pair[0] << 8 | pair[1])
                     : static_cast<char16_t>(pair[1] << 8 | pair[0]);
}

// The text is found first and then made at its exact size: a folder's worth of frames keeps it.
std::size_t Read16BitString(
    ByteReader& reader, std::size_t maxLength, WideString& text, TTextEncoding encoding, bool& terminated)
{
    const std::span<const std::uint8_t> bytes = reader.Peek(maxLength & ~std::size_t { 1 });
    bool bigEndian = encoding == teUTF16NoBOM;
    std::size_t start = 0;
    if (encoding == teUTF16 && bytes.size() >= 2) {
        const char16_t first = Unit(bytes.first(2), bigEndian);
        if (first == kByteOrderMark || first == kSwappedByteOrderMark) {
            bigEndian = first == kSwappedByteOrderMark;
            start = 2;
        }
    }
    std::size_t end = start;
    while (end + 1 < bytes.size() && (bytes[end] | bytes[end + 1]) != 0)
        end += 2;
    terminated = end + 1 < bytes.size();
    text = WideString((end - start) / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = Unit(bytes.subspan(start + 2 * i, 2), bigEndian);
    return reader.Take(end + (terminated ? 2 : 0)).size();
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
