#include "tags/BinaryFrames.h"

#include "platform/SystemCodePage.h"

namespace vennart::tags {
namespace {

// The MIME type and the owner are 8-bit strings of the bytes read.
AnsiString Read8BitField(ByteReader& reader, std::ptrdiff_t maxLength)
{
    WideString text;
    ReadString(reader, maxLength, text, teISO88591);
    return NarrowSystem(text);
}

void Write8BitField(ByteWriter& writer, const AnsiString& text)
{
    writer.Bytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    writer.Byte(0);
}

HeldBytes TakeRest(ByteReader& reader)
{
    return reader.TakeHeld(reader.Remaining());
}

std::uint8_t ValidPictureType(std::uint8_t type)
{
    return type <= TAPICTag::kMaxPictureType ? type : 0;
}

} // namespace

TAPICTag::TAPICTag()
{
    ID = "APIC";
    LookupNames();
}

std::size_t TAPICTag::GetSize() const
{
    return kFrameHeaderSize + 3 + MIMEType.size() + StringSize(Description, Encoding) + CharSize(Encoding)
        + PictureData.size();
}

bool TAPICTag::LoadFromStream(ByteReader& reader, FrameSizeFormat format)
{
    const auto bodySize = static_cast<std::ptrdiff_t>(ReadHeader(reader, format));
    Encoding = EncodingFromByte(reader.TakeByte(teISO88591));
    // The MIME type leaves room for at least the picture type and one byte of description.
    MIMEType = Read8BitField(reader, bodySize - 3);
    PictureType = ValidPictureType(reader.TakeByte());
    // The description ends at its terminator wherever that is: read from all but the last two bytes,
    // the terminator of a picture with fewer than two bytes of data would become data, and such a
    // picture would grow at every save.
    ReadString(reader, static_cast<std::ptrdiff_t>(reader.Remaining()), Description, Encoding);
    PictureData = TakeRest(reader);
    Changed = false;
    return true;
}

bool TAPICTag::SaveToStream(ByteWriter& writer, FrameSizeFormat format) const
{
    WriteHeader(writer, BodySize(), format);
    writer.Byte(EncodingToByte(Encoding));
    Write8BitField(writer, MIMEType);
    writer.Byte(ValidPictureType(PictureType));
    WriteString(writer, Description, Encoding);
    WriteTerminator(writer, Encoding);
    writer.Bytes(PictureData.Load().Bytes());
    return true;
}

TPRIVTag::TPRIVTag()
{
    ID = "PRIV";
    LookupNames();
}

std::size_t TPRIVTag::GetSize() const
{
    return kFrameHeaderSize + Owner.size() + 1 + PrivateData.size();
}

bool TPRIVTag::LoadFromStream(ByteReader& reader, FrameSizeFormat format)
{
    ReadHeader(reader, format);
    Owner = Read8BitField(reader, static_cast<std::ptrdiff_t>(reader.Remaining()));
    PrivateData = TakeRest(reader);
    Changed = false;
    return true;
}

bool TPRIVTag::SaveToStream(ByteWriter& writer, FrameSizeFormat format) const
{
    WriteHeader(writer, BodySize(), format);
    Write8BitField(writer, Owner);
    writer.Bytes(PrivateData.Load().Bytes());
    return true;
}

std::size_t TUnknownTag::GetSize() const
{
    return kFrameHeaderSize + RawData.size();
}

bool TUnknownTag::LoadFromStream(ByteReader& reader, FrameSizeFormat format)
{
    ReadHeader(reader, format);
    RawData = TakeRest(reader);
    Changed = false;
    return true;
}

bool TUnknownTag::SaveToStream(ByteWriter& writer, FrameSizeFormat format) const
{
    WriteHeader(writer, BodySize(), format);
    writer.Bytes(RawData.Load().Bytes());
    return true;
}

} // namespace vennart::tags
