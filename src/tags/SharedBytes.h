// Bytes a frame holds without interpreting them: a picture, private data, an unknown frame's body.
// Frames read from a file share the one buffer the whole tag was read into rather than copying
// (large pictures would otherwise be copied on every read); held bytes never change.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vennart::tags {

using ByteVector = std::vector<std::uint8_t>;

class SharedBytes {
public:
    SharedBytes() = default;

    // Bytes of their own.
    explicit SharedBytes(ByteVector bytes)
    {
        auto owned = std::make_shared<const ByteVector>(std::move(bytes));
        bytes_ = *owned;
        owner_ = std::move(owned);
    }

    // Bytes inside a buffer that owner keeps alive.
    SharedBytes(std::shared_ptr<const void> owner, std::span<const std::uint8_t> bytes)
        : owner_(std::move(owner))
        , bytes_(bytes)
    {
    }

    std::span<const std::uint8_t> Bytes() const { return bytes_; }
    const std::shared_ptr<const void>& Owner() const { return owner_; }
    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    auto begin() const { return bytes_.begin(); }
    auto end() const { return bytes_.end(); }
    ByteVector ToVector() const { return ByteVector(bytes_.begin(), bytes_.end()); }

    friend bool operator==(const SharedBytes& a, const SharedBytes& b)
    {
        return std::ranges::equal(a.bytes_, b.bytes_);
    }

private:
    std::shared_ptr<const void> owner_;
    std::span<const std::uint8_t> bytes_;
};

} // namespace vennart::tags
