#include "tags/ID3v2Reader.h"

#include "platform/Error.h"
#include "tags/BinaryFrames.h"
#include "tags/FrameBody.h"
#include "tags/FrameFactory.h"
#include "tags/ID3v22Frames.h"
#include "tags/Syncsafe.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace vennart::tags {
namespace {

// Second flag byte: compression, encryption, grouping identity.
constexpr std::uint16_t kV23OpaqueFlags = 0x0080 | 0x0040 | 0x0020;
// Second flag byte: grouping identity, compression, encryption, unsynchronisation, data length indicator.
constexpr std::uint16_t kV24OpaqueFlags = 0x0040 | 0x0008 | 0x0004 | 0x0002 | 0x0001;

// True when a frame list could go on at offset: the tag ends there, padding starts there, or the
// next frame's identifier stands there.
bool IsFrameBoundary(std::span<const std::uint8_t> body, std::uint64_t offset)
{
    if (offset == body.size())
        return true;
    if (offset > body.size())
        return false;
    const auto rest = body.subspan(static_cast<std::size_t>(offset));
    return rest[0] == 0 || IsValidFrameID(rest.first(std::min<std::size_t>(4, rest.size())));
}

// A decoded frame's large held bytes are read again, and decoded again, from the file when needed.
void LeaveDecodedInFile(TTag& frame, ByteReader& reader, const StoredBody& stored)
{
    HeldBytes* held = frame.Held();
    if (held == nullptr)
        return;
    if (std::optional<HeldBytes> left = reader.LeaveStored(kFrameHeaderSize, held->size(), stored))
        *held = *left;
}

// The frame that reader holds, header and body, as the kind its identifier and flags call for.
std::unique_ptr<TTag> ReadFrame(
    ByteReader& reader, const ID3v2Header& tagHeader, FrameSizeFormat format, std::size_t& inflationBudget)
{
    const auto header = reader.Peek(kFrameHeaderSize);
    const AnsiString id(header.begin(), header.begin() + 4);
    const auto flags = static_cast<std::uint16_t>(header[8] << 8 | header[9]);
    const bool tagUnsynchronised = tagHeader.Major >= 4 && tagHeader.HasFlag(ID3v2Header::kUnsynchronisation);
    if (IsOpaqueFrame(flags, tagHeader.Major) || tagUnsynchronised) {
        const auto body = reader.Peek(reader.Remaining()).subspan(kFrameHeaderSize);
        if (const std::optional<ByteVector> plain
            = DecodeFrameBody(body, flags, tagHeader.Major, tagUnsynchronised, inflationBudget)) {
            std::unique_ptr<TTag> frame
                = FrameFromPlainBody(id, flags & ~FormatFlagsToClear(tagHeader.Major), *plain);
            LeaveDecodedInFile(*frame, reader,
                { static_cast<std::uint32_t>(body.size()), flags, tagHeader.Major, tagUnsynchronised });
            return frame;
        }
    }
    std::unique_ptr<TTag> frame
        = IsOpaqueFrame(flags, tagHeader.Major) ? std::make_unique<TUnknownTag>() : CreateFrame(id);
    frame->LoadFromStream(reader, format);
    return frame;
}

std::uint64_t BytesAfterTagHeader(std::int64_t fileSize)
{
    const auto headerSize = static_cast<std::int64_t>(kTagHeaderSize);
    return fileSize > headerSize ? static_cast<std::uint64_t>(fileSize - headerSize) : 0;
}

[[noreturn]] void ThrowDamaged(
    const platform::StoredPath& fileName, std::span<const std::uint8_t> id, std::size_t offset)
{
    throw Error(fileName.string() + ": the file is damaged: the frame " + AnsiString(id.begin(), id.end())
        + " at byte " + std::to_string(kTagHeaderSize + offset) + " runs past the end of the file");
}

} // namespace

std::unique_ptr<TTag> FrameFromPlainBody(const AnsiString& id, std::uint16_t flags, const ByteVector& body)
{
    ByteWriter writer;
    writer.Bytes(std::span(reinterpret_cast<const std::uint8_t*>(id.data()), id.size()));
    const auto size = static_cast<std::uint32_t>(body.size());
    for (const int shift : { 24, 16, 8, 0 })
        writer.Byte(static_cast<std::uint8_t>(size >> shift));
    writer.Byte(static_cast<std::uint8_t>(flags >> 8));
    writer.Byte(static_cast<std::uint8_t>(flags));
    writer.Bytes(body);
    ByteReader reader(writer.Data());
    std::unique_ptr<TTag> frame = CreateFrame(id);
    frame->LoadFromStream(reader, FrameSizeFormat::Plain);
    return frame;
}

bool IsOpaqueFrame(std::uint16_t flags, std::uint8_t majorVersion)
{
    return (flags & (majorVersion >= 4 ? kV24OpaqueFlags : kV23OpaqueFlags)) != 0;
}

// ID3v2.4 stores frame sizes 7 bits per byte, but iTunes and other writers stored plain 32-bit sizes
// in 2.4 tags. A size with a top bit set cannot be 7-bit; otherwise the plain reading is taken only
// when the 7-bit one does not lead to a frame boundary and the plain one does.
FrameSizeFormat V24FrameSizeFormat(std::span<const std::uint8_t> body, std::size_t offset)
{
    const auto field = body.subspan(offset + 4, 4);
    if (HasTopBitSet(field))
        return FrameSizeFormat::Plain;
    const std::uint64_t frameStart = offset + kFrameHeaderSize;
    if (IsFrameBoundary(body, frameStart + DecodeFrameSize(field, FrameSizeFormat::Syncsafe)))
        return FrameSizeFormat::Syncsafe;
    if (IsFrameBoundary(body, frameStart + DecodeFrameSize(field, FrameSizeFormat::Plain)))
        return FrameSizeFormat::Plain;
    return FrameSizeFormat::Syncsafe;
}

void ReadID3v2Frames(FrameList& frames, std::span<const std::uint8_t> body, const ID3v2Header& header,
    std::int64_t fileSize, const platform::StoredPath& fileName, std::size_t* framesEnd, SourceToBe* source)
{
    ByteVector synchronised;
    // Offsets in a body with the unsynchronisation undone are no longer offsets in the file.
    if (header.Major <= 3 && header.HasFlag(ID3v2Header::kUnsynchronisation)) {
        synchronised = RemoveUnsynchronisation(body);
        body = synchronised;
        source = nullptr;
    }
    if (header.Major == 2) {
        std::size_t end = 0;
        FrameList read = ReadID3v22Frames(body, end);
        std::ranges::move(read, std::back_inserter(frames));
        if (framesEnd != nullptr)
            *framesEnd = end;
        return;
    }
    std::size_t inflationBudget = kMaxInflatedTagSize;
    ByteReader reader(body, source, static_cast<std::int64_t>(kTagHeaderSize));
    reader.Take(FirstFrameOffset(body, header));
    // A frame needs its 10-byte header and at least one byte of body.
    while (reader.Remaining() > kFrameHeaderSize && IsValidFrameID(reader.Peek(4))) {
        const std::size_t offset = reader.Position();
        const FrameSizeFormat format
            = header.Major >= 4 ? V24FrameSizeFormat(body, offset) : FrameSizeFormat::Plain;
        const std::uint64_t frameEnd
            = offset + kFrameHeaderSize + DecodeFrameSize(body.subspan(offset + 4, 4), format);
        if (frameEnd > body.size()) {
            if (frameEnd > BytesAfterTagHeader(fileSize))
                ThrowDamaged(fileName, body.subspan(offset, 4), offset);
            break;
        }
        ByteReader frameReader = reader.Split(static_cast<std::size_t>(frameEnd - offset));
        frames.push_back(ReadFrame(frameReader, header, format, inflationBudget));
    }
    if (framesEnd != nullptr)
        *framesEnd = reader.Position();
}

} // namespace vennart::tags
