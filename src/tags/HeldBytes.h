// Bytes a frame holds without interpreting them (a picture, private data, an unknown frame's body):
// small ones in memory, large ones where they are in the file the frame was read from, read again
// when they are needed. A folder of songs with covers then holds their texts, not their covers.
// Copies share: a clone of a frame costs its fields, never its bytes.
#pragma once

#include "tags/SharedBytes.h"
#include "tags/TagSource.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace vennart::tags {

// Bodies of at least this many bytes stay in the file.
constexpr std::size_t kLeftInFileFrom = 4 * 1024;

// A frame body stored compressed or unsynchronised (see FrameBody.h): the held bytes are the last
// ones of what decoding it gives.
struct StoredBody {
    std::uint32_t size = 0;
    std::uint16_t flags = 0;
    std::uint8_t majorVersion = 0;
    bool tagUnsynchronised = false;
};

class HeldBytes {
public:
    HeldBytes() = default;
    explicit HeldBytes(SharedBytes bytes)
        : memory_(std::move(bytes))
        , size_(memory_.size())
    {
    }
    // size bytes at offset in the file source read; with stored, the body stored there decodes to
    // them.
    HeldBytes(std::shared_ptr<const TagSource> source, std::int64_t offset, std::size_t size,
        std::optional<StoredBody> stored = std::nullopt)
        : source_(std::move(source))
        , offset_(offset)
        , size_(size)
        , stored_(stored)
    {
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    bool InFile() const { return source_ != nullptr; }

    // The bytes, from memory or read again from the file. Throws vennart::Error when the file is no
    // longer the one they were read from.
    SharedBytes Load() const;

private:
    SharedBytes memory_;
    std::shared_ptr<const TagSource> source_;
    std::int64_t offset_ = 0;
    std::size_t size_ = 0;
    std::optional<StoredBody> stored_;
};

} // namespace vennart::tags
