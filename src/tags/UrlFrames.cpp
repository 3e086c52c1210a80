#include "tags/UrlFrames.h"

namespace vennart::tags {

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
        + StringSize(URL, Encoding);
}

bool TWXXXTag::LoadFromStream(ByteReader& reader, FrameSizeFormat format)
{
    ReadHeader(reader, format);
    Encoding = EncodingFromByte(reader.TakeByte(teISO88591));
    ReadString(reader, static_cast<std::ptrdiff_t>(reader.Remaining()), Description, Encoding);
    ReadString(reader, static_cast<std::ptrdiff_t>(reader.Remaining()), URL, Encoding);
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
    WriteString(writer, URL, Encoding);
    return true;
}

void TWXXXTag::SetURL(const WideString& url)
{
    SetField(URL, url);
}

} // namespace vennart::tags
