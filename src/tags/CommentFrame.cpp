#include "tags/CommentFrame.h"

namespace vennart::tags {

TCOMMTag::TCOMMTag()
{
    ID = "COMM";
    LookupNames();
}

std::size_t TCOMMTag::GetSize() const
{
    return kFrameHeaderSize + 1 + kLanguageSize + StringSize(Description, Encoding) + CharSize(Encoding)
        + StringSize(Text, Encoding);
}

bool TCOMMTag::LoadFromStream(ByteReader& reader, FrameSizeFormat format)
{
    ReadHeader(reader, format);
    Encoding = EncodingFromByte(reader.TakeByte(teISO88591));
    const auto language = reader.Take(kLanguageSize);
    Language.assign(language.begin(), language.end());
    Language.resize(kLanguageSize, '\0');
    ReadString(reader, static_cast<std::ptrdiff_t>(reader.Remaining()), Description, Encoding);
    ReadString(reader, static_cast<std::ptrdiff_t>(reader.Remaining()), Text, Encoding);
    reader.SkipRest();
    Changed = false;
    return true;
}

bool TCOMMTag::SaveToStream(ByteWriter& writer, FrameSizeFormat format) const
{
    WriteHeader(writer, BodySize(), format);
    writer.Byte(EncodingToByte(Encoding));
    AnsiString language = Language;
    language.resize(kLanguageSize, '\0');
    writer.Bytes(std::span(reinterpret_cast<const std::uint8_t*>(language.data()), kLanguageSize));
    WriteString(writer, Description, Encoding);
    WriteTerminator(writer, Encoding);
    WriteString(writer, Text, Encoding);
    return true;
}

void TCOMMTag::SetText(const WideString& text)
{
    SetField(Text, text);
}

void TCOMMTag::SetLanguage(const AnsiString& language)
{
    Language = language.substr(0, kLanguageSize);
    Language.resize(kLanguageSize, '\0');
    Changed = true;
}

} // namespace vennart::tags
