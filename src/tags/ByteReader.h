// A bounded cursor over bytes in memory: every read asks for n bytes and gets at most what is left,
// so no parser can run past the end of the tag (or frame) it was given.
#pragma once

#include "tags/HeldBytes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vennart::tags {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes)
        : bytes_(bytes)
    {
    }

    // A reader over bytes that stand at fileOffset in the file source reads: TakeHeld leaves large
    // stretches of them there.
    ByteReader(std::span<const std::uint8_t> bytes, SourceToBe* source, std::int64_t fileOffset)
        : bytes_(bytes)
        , source_(source)
        , fileOffset_(fileOffset)
    {
    }

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ == bytes_.size(); }

    // The next count bytes (fewer where the bytes end), without moving.
    std::span<const std::uint8_t> Peek(std::size_t count) const
    {
        return bytes_.subspan(position_, std::min(count, Remaining()));
    }

    // The next count bytes (fewer where the bytes end); moves past them.
    std::span<const std::uint8_t> Take(std::size_t count)
    {
        const auto taken = Peek(count);
        position_ += taken.size();
        return taken;
    }

    // The next byte, or fallback at the end.
    std::uint8_t TakeByte(std::uint8_t fallback = 0) { return AtEnd() ? fallback : bytes_[position_++]; }

    // Moves to the end: what is left is not read.
    void SkipRest() { position_ = bytes_.size(); }

    // The next count bytes (fewer where the bytes end) to keep: left in the file when they are many
    // and the reader knows where they are, copied otherwise. Moves past them.
    HeldBytes TakeHeld(std::size_t count)
    {
        const std::int64_t offset = fileOffset_ + static_cast<std::int64_t>(position_);
        const auto taken = Take(count);
        if (!source_ || taken.size() < kLeftInFileFrom)
            return HeldBytes(SharedBytes(ByteVector(taken.begin(), taken.end())));
        const std::shared_ptr<TagSource>& source = source_->Get();
        source->Leave(offset, static_cast<std::int64_t>(taken.size()));
        return HeldBytes(source, offset, taken.size());
    }

    // The last heldSize bytes of what the body stored `from` bytes from here decodes to, as stored
    // says: left in the file when they are many and the reader knows where they are, none otherwise.
    std::optional<HeldBytes> LeaveStored(std::size_t from, std::size_t heldSize, const StoredBody& stored)
    {
        if (!source_ || heldSize < kLeftInFileFrom)
            return std::nullopt;
        const std::int64_t offset = fileOffset_ + static_cast<std::int64_t>(position_ + from);
        const std::shared_ptr<TagSource>& source = source_->Get();
        source->Leave(offset, stored.size);
        return HeldBytes(source, offset, heldSize, stored);
    }

    // A reader over the next count bytes (fewer where the bytes end); this one moves past them.
    ByteReader Split(std::size_t count)
    {
        const std::int64_t offset = fileOffset_ + static_cast<std::int64_t>(position_);
        return ByteReader(Take(count), source_, offset);
    }

private:
    std::span<const std::uint8_t> bytes_;
    // The reading's, outliving every reader of it; null where the bytes are not where they were in the file.
    SourceToBe* source_ = nullptr;
    std::int64_t fileOffset_ = 0;
    std::size_t position_ = 0;
};

} // namespace vennart::tags
