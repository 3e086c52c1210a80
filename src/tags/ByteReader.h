// A bounded cursor over bytes in memory: every read asks for n bytes and gets at most what is left,
// so no parser can run past the end of the tag (or frame) it was given.
#pragma once

#include "tags/SharedBytes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vennart::tags {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes)
        : bytes_(bytes)
    {
    }

    // A reader whose TakeShared shares the buffer of bytes instead of copying.
    explicit ByteReader(const SharedBytes& bytes)
        : bytes_(bytes.Bytes())
        , owner_(bytes.Owner())
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

    // The next count bytes (fewer where the bytes end) to keep: sharing the buffer when the reader
    // has one, copied otherwise. Moves past them.
    SharedBytes TakeShared(std::size_t count)
    {
        const auto taken = Take(count);
        return owner_ ? SharedBytes(owner_, taken) : SharedBytes(ByteVector(taken.begin(), taken.end()));
    }

    // A reader over the next count bytes (fewer where the bytes end); this one moves past them.
    ByteReader Split(std::size_t count)
    {
        ByteReader part(Take(count));
        part.owner_ = owner_;
        return part;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::shared_ptr<const void> owner_;
    std::size_t position_ = 0;
};

} // namespace vennart::tags
