#include "tags/PictureSkipping.h"

#include "tags/HeldBytes.h"
#include "tags/ID3v2Reader.h"
#include "tags/Syncsafe.h"
#include "tags/Tag.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vennart::tags {
namespace {

// Read at a time when the next frame header is not in the buffer yet: in most tags the frames after
// a picture, the padding and the first audio frame.
constexpr std::size_t kReadAhead = 8 * 1024;

bool CanFindFrames(const ID3v2Header& header)
{
    return header.Major >= 3 && !header.HasFlag(ID3v2Header::kUnsynchronisation)
        && !header.HasFlag(ID3v2Header::kExtendedHeader);
}

// Why the unread bytes need no zeroing in a 2.3 tag: its frames are found by their size fields, as
// here, so no frame starts inside an unread stretch. A frame's fields that run into one (a
// description longer than kPictureFieldsReach) move the start of the picture into it, which
// AllLeftInFile catches. A 2.4 frame's size field may be read two ways, and the reader looks at the
// bytes where each would end (see V24FrameSizeFormat): zeros there read as padding, which ends the
// frame inside the stretch, so a reading that left it in the file never looked at them.
bool HoldsPicture(std::span<const std::uint8_t> frameHeader)
{
    const std::string_view id(reinterpret_cast<const char*>(frameHeader.data()), 4);
    return id == "APIC" || id == "PRIV";
}

class Reading {
public:
    Reading(platform::File& file, std::span<std::uint8_t> buffer, std::size_t have)
        : file_(file)
        , buffer_(buffer)
        , loaded_(have)
    {
    }

    // Reads up to `end`; false when the file ends before.
    bool ReadTo(std::size_t end)
    {
        if (end <= loaded_)
            return true;
        const std::size_t want = end - loaded_;
        const std::size_t got
            = file_.ReadAt(buffer_.subspan(loaded_, want), static_cast<std::int64_t>(loaded_));
        loaded_ += got;
        return got == want;
    }
    // Makes the bytes up to `end` readable, reading ahead when it reads at all.
    bool Need(std::size_t end)
    {
        return end <= loaded_ || ReadTo(std::min(buffer_.size(), std::max(end, loaded_ + kReadAhead)));
    }
    // Leaves the bytes up to `end` unread, from wherever the reading stands, zeroed when asked.
    void Skip(std::size_t end, bool zeroed, std::vector<FileSpan>& unread)
    {
        if (zeroed)
            std::memset(buffer_.data() + loaded_, 0, end - loaded_);
        unread.push_back({ static_cast<std::int64_t>(loaded_), static_cast<std::int64_t>(end - loaded_) });
        loaded_ = end;
    }
    std::size_t Loaded() const { return loaded_; }
    std::span<const std::uint8_t> At(std::size_t offset, std::size_t count) const
    {
        return buffer_.subspan(offset, count);
    }

private:
    platform::File& file_;
    std::span<std::uint8_t> buffer_;
    std::size_t loaded_;
};

} // namespace

SparseRead ReadSkippingPictures(
    platform::File& file, std::span<std::uint8_t> buffer, std::size_t have, const ID3v2Header& header)
{
    Reading reading(file, buffer, have);
    SparseRead result;
    const std::size_t tagEnd = std::min<std::size_t>(buffer.size(), kTagHeaderSize + header.Size);
    // Where the frames cannot be found by their headers, none is walked and the tag is read whole.
    std::size_t frame = CanFindFrames(header) ? kTagHeaderSize : tagEnd;
    while (frame + kFrameHeaderSize <= tagEnd && reading.Need(frame + kFrameHeaderSize)) {
        const std::span<const std::uint8_t> frameHeader = reading.At(frame, kFrameHeaderSize);
        if (!IsValidFrameID(frameHeader.first(4)))
            break;
        const std::span<const std::uint8_t> sizeField = frameHeader.subspan(4, 4);
        const bool syncsafe = header.Major >= 4 && !HasTopBitSet(sizeField);
        const std::size_t end = frame + kFrameHeaderSize
            + DecodeFrameSize(sizeField, syncsafe ? FrameSizeFormat::Syncsafe : FrameSizeFormat::Plain);
        if (end > tagEnd)
            break;
        const auto flags = static_cast<std::uint16_t>(frameHeader[8] << 8 | frameHeader[9]);
        const std::size_t skipFrom
            = std::max(frame + kFrameHeaderSize + kPictureFieldsReach, reading.Loaded());
        if (HoldsPicture(frameHeader) && !IsOpaqueFrame(flags, header.Major)
            && end >= skipFrom + kLeftInFileFrom) {
            if (!reading.ReadTo(skipFrom))
                break;
            reading.Skip(end, header.Major >= 4, result.unread);
        }
        frame = end;
    }
    reading.ReadTo(buffer.size());
    result.size = reading.Loaded();
    return result;
}

bool AllLeftInFile(const std::vector<FileSpan>& unread, const std::vector<FileSpan>& left)
{
    return std::ranges::all_of(unread, [&](const FileSpan& stretch) {
        return std::ranges::any_of(left, [&](const FileSpan& kept) {
            return kept.offset <= stretch.offset
                && stretch.offset + stretch.length <= kept.offset + kept.length;
        });
    });
}

} // namespace vennart::tags
