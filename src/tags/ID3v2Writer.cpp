#include "tags/ID3v2Writer.h"

#include "platform/Error.h"
#include "tags/ID3v1Tag.h"
#include "tags/Syncsafe.h"

namespace vennart::tags {
namespace {

constexpr std::uint8_t kFlagsNeverWritten
    = ID3v2Header::kUnsynchronisation | ID3v2Header::kExtendedHeader | ID3v2Header::kFooter;

// A frame whose identifier a 2.3 or 2.4 tag cannot hold (a 2.2 frame without a counterpart) would end
// the frame list where it stands: it is left out, and the save names it.
bool IsWritable(const TTag& frame)
{
    const auto& id = frame.ID;
    return !dynamic_cast<const TID3v1Tag*>(&frame)
        && IsValidFrameID(std::span(reinterpret_cast<const std::uint8_t*>(id.data()), id.size()));
}

} // namespace

ID3v2Header HeaderForSave(const std::optional<ID3v2Header>& oldHeader)
{
    ID3v2Header header;
    if (oldHeader && oldHeader->Major >= 3) {
        header.Major = oldHeader->Major;
        header.Revision = oldHeader->Revision;
        header.Flags = oldHeader->Flags & static_cast<std::uint8_t>(~kFlagsNeverWritten);
    }
    return header;
}

std::size_t PaddingSize(std::size_t tagEnd)
{
    return kPaddingBlock - tagEnd % kPaddingBlock;
}

std::vector<AnsiString> UnwritableFrames(const FrameList& frames)
{
    std::vector<AnsiString> names;
    for (const auto& frame : frames) {
        if (!IsWritable(*frame) && !dynamic_cast<const TID3v1Tag*>(frame.get()))
            names.push_back(frame->ID.str());
    }
    return names;
}

ByteVector RenderID3v2Tag(const ID3v2Header& header, const FrameList& frames,
    const std::filesystem::path& fileName, std::vector<std::size_t>* frameStarts)
{
    const auto isID3v2Frame = [](const auto& frame) { return IsWritable(*frame); };
    std::size_t framesEnd = kTagHeaderSize;
    for (const auto& frame : frames) {
        if (isID3v2Frame(frame))
            framesEnd += frame->GetSize();
    }
    const std::size_t tagSize = framesEnd + PaddingSize(framesEnd);
    if (tagSize - kTagHeaderSize > kMaxSyncsafe)
        throw Error(fileName.string() + ": the ID3v2 tag would be larger than the 256 MB a tag can hold");

    ID3v2Header written = header;
    written.Size = static_cast<std::uint32_t>(tagSize - kTagHeaderSize);
    ByteWriter writer;
    writer.Data().reserve(tagSize);
    WriteID3v2Header(writer, written);
    const FrameSizeFormat format = header.Major >= 4 ? FrameSizeFormat::Syncsafe : FrameSizeFormat::Plain;
    if (frameStarts != nullptr)
        frameStarts->clear();
    for (const auto& frame : frames) {
        if (frameStarts != nullptr)
            frameStarts->push_back(isID3v2Frame(frame) ? writer.Size() : kNotWritten);
        if (isID3v2Frame(frame))
            frame->SaveToStream(writer, format);
    }
    writer.Zeros(tagSize - writer.Size());
    return std::move(writer.Data());
}

} // namespace vennart::tags
