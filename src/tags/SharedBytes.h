// Bytes in memory that never change once made, shared by every copy instead of copied (a frame's
// body is copied along with the frame into every undo snapshot).
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

    std::span<const std::uint8_t> Bytes() const { return bytes_; }
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
