#include "tags/UrlFrames.h"

#include <algorithm>
#include <string>

namespace vennart::tags {
namespace {

constexpr std::uint8_t kByteOrderMark[2][2] = { { 0xFF, 0xFE }, { 0xFE, 0xFF } };

// Some writers stored the URL of a UTF-16 WXXX frame in UTF-16 too, always after a byte-order mark.
bool StartsWithByteOrderMark(const ByteReader& reader)
{
    const auto start = reader.Peek(2);
    return start.size() == 2 && std::ranges::any_of(kByteOrderMark, [&](const auto& mark) {
        return std::ranges::equal(mark, start);
    });
}

std::string CodePointToUtf8(char32_t code)
{
    if (code < 0x800)
        return { static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F)) };
    if (code < 0x10000)
        return { static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | (code >> 6 & 0x3F)),
            static_cast<char>(0x80 | (code & 0x3F)) };
    return { static_cast<char>(0xF0 | code >> 18), static_cast<char>(0x80 | (code >> 12 & 0x3F)),
        static_cast<char>(0x80 | (code >> 6 & 0x3F)), static_cast<char>(0x80 | (code & 0x3F)) };
}

// A URL is ISO-8859-1; a character beyond it is written percent-encoded as UTF-8.
AnsiString UrlBytes(const WideString& url)
{
    AnsiString bytes;
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] <= 0xFF) {
            bytes.push_back(static_cast<char>(url[i]));
            continue;
        }
        const bool pair = i + 1 < url.size() && url[i] >= 0xD800 && url[i] < 0xDC00 && url[i + 1] >= 0xDC00
            && url[i + 1] < 0xE000;
        const char32_t code = pair ? 0x10000 + ((url[i] - 0xD800) << 10) + (url[i + 1] - 0xDC00) : url[i];
        i += pair ? 1 : 0;
        constexpr std::string_view kHexDigits = "0123456789ABCDEF";
        for (const char byte : CodePointToUtf8(code)) {
            const auto value = static_cast<unsigned char>(byte);
            bytes += { '%', kHexDigits[value >> 4], kHexDigits[value & 0x0F] };
        }
    }
    return bytes;
}

} // namespace

std::unique_ptr<TWURLTag> TWURLTag::CreateWithURL(const AnsiString& id, const AnsiString& url)
{
    auto frame = std::make_unique<TWURLTag>();
    frame->ID = id;
    frame->LookupNames();
    frame->URL = url;
    return frame;
}

std::size_t TWURLTag::GetSize() const
{
    return kFrameHeaderSize + URL.size();
}

bool TWURLTag::LoadFromStream(ByteReader& reader, FrameSizeFormat format)
{
    ReadHeader(reader, format);
    const auto body = reader.Take(reader.Remaining());
    URL.assign(body.begin(), body.end());
    Changed = false;
    return true;
}

bool TWURLTag::SaveToStream(ByteWriter& writer, FrameSizeFormat format) const
{
    WriteHeader(writer, BodySize(), format);
    writer.Bytes(std::span(reinterpret_cast<const std::uint8_t*>(URL.data()), URL.size()));
    return true;
}

void TWURLTag::SetURL(const AnsiString& url)
{
    SetField(URL, url);
}

TWXXXTag::TWXXXTag()
{
    ID = "WXXX";
    LookupNames();
}

std::size_t TWXXXTag::GetSize() const
{
    return kFrameHeaderSize + 1 + StringSize(Description, Encoding) + CharSize(Encoding)
        + UrlBytes(URL).size();
}

bool TWXXXTag::LoadFromStream(ByteReader& reader, FrameSizeFormat format)
{
    ReadHeader(reader, format);
    Encoding = EncodingFromByte(reader.TakeByte(teISO88591));
    ReadString(reader, static_cast<std::ptrdiff_t>(reader.Remaining()), Description, Encoding);
    const TTextEncoding urlEncoding
        = Encoding == teUTF16 && StartsWithByteOrderMark(reader) ? teUTF16 : teISO88591;
    ReadString(reader, static_cast<std::ptrdiff_t>(reader.Remaining()), URL, urlEncoding);
    reader.SkipRest();
    Changed = false;
    return true;
}

bool TWXXXTag::SaveToStream(ByteWriter& writer, FrameSizeFormat format) const
{
    WriteHeader(writer, BodySize(), format);
    writer.Byte(EncodingToByte(Encoding));
    WriteString(writer, Description, Encoding);
    WriteTerminator(writer, Encoding);
    const AnsiString url = UrlBytes(URL);
    writer.Bytes(std::span(reinterpret_cast<const std::uint8_t*>(url.data()), url.size()));
    return true;
}

void TWXXXTag::SetURL(const WideString& url)
{
    SetField(URL, url);
}

} // namespace vennart::tags
