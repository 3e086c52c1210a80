// A growing buffer that frames and tags are rendered into before anything touches the disk.
#pragma once

#include "tags/ByteReader.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace vennart::tags {

class ByteWriter {
public:
    void Byte(std::uint8_t value) { bytes_.push_back(value); }
    void Bytes(std::span<const std::uint8_t> bytes)
    {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    void Zeros(std::size_t count) { bytes_.resize(bytes_.size() + count, 0); }

    void UInt32BE(std::uint32_t value)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            Byte(static_cast<std::uint8_t>(value >> shift));
    }

    void UInt16BE(std::uint16_t value)
    {
        Byte(static_cast<std::uint8_t>(value >> 8));
        Byte(static_cast<std::uint8_t>(value));
    }

    std::size_t Size() const { return bytes_.size(); }
    const ByteVector& Data() const { return bytes_; }
    ByteVector& Data() { return bytes_; }

private:
    ByteVector bytes_;
};

} // namespace vennart::tags
