#include "tags/TextFrame.h"

#include <algorithm>

namespace vennart::tags {
namespace {

// An empty string after a terminator is written as nothing: a UTF-16 mark alone would only add bytes
// that read back as the same empty string.
std::size_t FollowingStringSize(const WideString& text, TTextEncoding encoding)
{
    return text.empty() ? 0 : StringSize(text, encoding);
}

// The position just after the last non-zero byte left in reader: what follows is padding.
std::size_t EndOfContent(const ByteReader& reader)
{
    const auto rest = reader.Peek(reader.Remaining());
    const auto lastNonZero = std::find_if(rest.rbegin(), rest.rend(), [](std::uint8_t b) { return b != 0; });
    return reader.Position() + static_cast<std::size_t>(rest.rend() - lastNonZero);
}

} // namespace

std::unique_ptr<TTxxxTag> TTxxxTag::CreateWithText(const AnsiString& id, const WideString& text)
{
    auto frame = std::make_unique<TTxxxTag>();
    frame->ID = id;
    frame->LookupNames();
    frame->Text = text;
    return frame;
}

std::size_t TTxxxTag::GetSize() const
{
    std::size_t size = kFrameHeaderSize + 1 + StringSize(Text, Encoding);
    for (const WideString& more : MoreStrings)
        size += CharSize(Encoding) + FollowingStringSize(more, Encoding);
    return size;
}

bool TTxxxTag::LoadFromStream(ByteReader& reader, FrameSizeFormat format)
{
    ReadHeader(reader, format);
    Encoding = EncodingFromByte(reader.TakeByte(teISO88591));
    MoreStrings.clear();
    const std::size_t contentEnd = EndOfContent(reader);
    bool terminated = false;
    ReadString(reader, static_cast<std::ptrdiff_t>(reader.Remaining()), Text, Encoding, &terminated);
    while (terminated && reader.Position() < contentEnd) {
        WideString more;
        ReadString(reader, static_cast<std::ptrdiff_t>(reader.Remaining()), more, Encoding, &terminated);
        MoreStrings.push_back(std::move(more));
    }
    // Empty strings at the end carry nothing and would not read back the same once written.
    while (!MoreStrings.empty() && MoreStrings.back().empty())
        MoreStrings.pop_back();
    reader.SkipRest();
    Changed = false;
    return true;
}

bool TTxxxTag::SaveToStream(ByteWriter& writer, FrameSizeFormat format) const
{
    WriteHeader(writer, BodySize(), format);
    writer.Byte(EncodingToByte(Encoding));
    WriteString(writer, Text, Encoding);
    for (const WideString& more : MoreStrings) {
        WriteTerminator(writer, Encoding);
        if (!more.empty())
            WriteString(writer, more, Encoding);
    }
    return true;
}

void TTxxxTag::SetText(const WideString& text)
{
    SetField(Text, text);
}

} // namespace vennart::tags
