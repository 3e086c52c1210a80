#include "tags/Tag.h"

#include "tags/ID3v2Types.h"
#include "tags/Syncsafe.h"

#include <algorithm>

namespace vennart::tags {

FrameList::FrameList(const FrameList& other)
    : std::vector<std::unique_ptr<TTag>>()
{
    reserve(other.size());
    for (const auto& frame : other)
        push_back(frame->Clone());
}

FrameList& FrameList::operator=(const FrameList& other)
{
    if (this != &other)
        *this = FrameList(other);
    return *this;
}

std::uint32_t DecodeFrameSize(std::span<const std::uint8_t> field, FrameSizeFormat format)
{
    if (format == FrameSizeFormat::Syncsafe)
        return DecodeSyncsafe(field);
    std::uint32_t size = 0;
    for (const std::uint8_t byte : field)
        size = size << 8 | byte;
    return size;
}

bool IsValidFrameID(std::span<const std::uint8_t> id)
{
    return id.size() == 4 && std::ranges::all_of(id, [](std::uint8_t c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

std::uint32_t TTag::ReadHeader(ByteReader& reader, FrameSizeFormat format)
{
    const auto id = reader.Take(4);
    ID = std::string_view(reinterpret_cast<const char*>(id.data()), id.size());
    const std::uint32_t size = DecodeFrameSize(reader.Take(4), format);
    const std::uint8_t high = reader.TakeByte();
    Flags = static_cast<std::uint16_t>(high << 8 | reader.TakeByte());
    LookupNames();
    return size;
}

void TTag::WriteHeader(ByteWriter& writer, std::uint32_t bodySize, FrameSizeFormat format) const
{
    writer.Bytes(std::span(reinterpret_cast<const std::uint8_t*>(ID.data()), ID.size()));
    writer.Zeros(FrameID::kMaxSize - ID.size());
    if (format == FrameSizeFormat::Syncsafe)
        WriteSyncsafe(writer, bodySize);
    else
        writer.UInt32BE(bodySize);
    writer.UInt16BE(Flags);
}

void TTag::LookupNames()
{
    if (const TagListRecord* row = FindTagListRecordExact(ID))
        names_ = row;
}

} // namespace vennart::tags
