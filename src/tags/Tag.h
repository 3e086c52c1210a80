// The frame base class: identifier, flags, names and the 10-byte frame header every ID3v2 frame
// shares. Each frame kind turns its body into fields and back; the tag reader decides which kind a
// frame becomes and how its size field is to be read.
#pragma once

#include "platform/Strings.h"
#include "tags/ByteReader.h"
#include "tags/ByteWriter.h"
#include "tags/FrameID.h"
#include "tags/HeldBytes.h"
#include "tags/ID3v2Types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace vennart::tags {

// How the body size in a frame header is stored: a plain 32-bit number (ID3v2.3) or 7 bits per byte
// (ID3v2.4).
enum class FrameSizeFormat { Plain, Syncsafe };

constexpr std::size_t kFrameHeaderSize = 10;

class TTag {
public:
    TTag() = default;
    virtual ~TTag() = default;
    TTag& operator=(const TTag&) = delete;

    // A frame of the same kind with the same fields. Byte buffers are shared, not copied: a clone
    // of a picture frame costs its fields, never the picture.
    virtual std::unique_ptr<TTag> Clone() const = 0;
    // The bytes a frame holds uninterpreted, written last in its body; null for frames of fields only.
    virtual HeldBytes* Held() { return nullptr; }

    // Reads the 10-byte frame header: sets ID and Flags, looks up the names; returns the body size.
    std::uint32_t ReadHeader(ByteReader& reader, FrameSizeFormat format);
    void WriteHeader(ByteWriter& writer, std::uint32_t bodySize, FrameSizeFormat format) const;

    // The bytes SaveToStream writes, header included.
    virtual std::size_t GetSize() const = 0;
    // Reads the whole frame, header and body, from a reader that holds exactly this frame.
    virtual bool LoadFromStream(ByteReader& reader, FrameSizeFormat format) = 0;
    // Writes the whole frame from its fields.
    virtual bool SaveToStream(ByteWriter& writer, FrameSizeFormat format) const = 0;

    const FrameID& GetID() const { return ID; }
    // Takes the names of the descriptor-table row whose identifier equals ID exactly; names stay as
    // they are when there is no such row.
    void LookupNames();

    // The names of the descriptor-table row, or of the ID3v1 record; empty for an identifier the table
    // does not know.
    std::string_view ShortName() const { return names_ ? names_->ShortName : std::string_view {}; }
    std::string_view LongName() const { return names_ ? names_->Description : std::string_view {}; }

protected:
    // A row, never a copy: a folder of thousands of files holds several frames each. First, so
    // that Changed stays the last field.
    const TagListRecord* names_ = nullptr;

public:
    FrameID ID;
    // The two flag bytes in file order (first byte high), written back unchanged.
    std::uint16_t Flags = 0;
    // Last, so that a frame kind's first small field fits in the padding after it.
    bool Changed = false;

protected:
    TTag(const TTag&) = default;

    std::uint32_t BodySize() const { return static_cast<std::uint32_t>(GetSize() - kFrameHeaderSize); }

    // What every setter does: store the value, and mark the frame changed only when it differs.
    template <class T> void SetField(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Changed = true;
    }
};

// The frames of one tag. Copying the list clones every frame (see TTag::Clone), so a copy of a tag
// object shares its pictures with the original.
class FrameList : public std::vector<std::unique_ptr<TTag>> {
public:
    FrameList() = default;
    FrameList(const FrameList& other);
    FrameList& operator=(const FrameList& other);
    FrameList(FrameList&&) noexcept = default;
    FrameList& operator=(FrameList&&) noexcept = default;
    ~FrameList() = default;
};

// Decodes a 4-byte frame size field.
std::uint32_t DecodeFrameSize(std::span<const std::uint8_t> field, FrameSizeFormat format);

// A frame identifier is four characters, each "A" to "Z" or "0" to "9".
bool IsValidFrameID(std::span<const std::uint8_t> id);

} // namespace vennart::tags
