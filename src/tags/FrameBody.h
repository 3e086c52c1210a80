// Undoing what a frame's format flags did to its body: zlib compression, and in ID3v2.4 the
// per-frame unsynchronisation and data length indicator. What cannot be undone (encryption, grouping,
// a body that does not inflate) leaves the frame opaque.
#pragma once

#include "tags/SharedBytes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vennart::tags {

// A frame may not inflate beyond 16 MB, nor beyond 1000 times its stored size; all frames of one tag
// together not beyond 64 MB, so that a small file cannot claim gigabytes of memory.
constexpr std::size_t kMaxInflatedSize = 16 * 1024 * 1024;
constexpr std::size_t kMaxInflationRatio = 1000;
constexpr std::size_t kMaxInflatedTagSize = 4 * kMaxInflatedSize;

// The plain body of a frame whose flags (first byte high) say it is not plain; none when it stays
// opaque. tagUnsynchronised: a 2.4 tag header announced unsynchronisation of every frame. budget: the
// bytes the tag's frames may still inflate to; what this frame inflates to is taken from it.
std::optional<ByteVector> DecodeFrameBody(std::span<const std::uint8_t> body, std::uint16_t flags,
    std::uint8_t majorVersion, bool tagUnsynchronised, std::size_t& budget);

// zlib data inflated; none when they are not complete zlib data or inflate beyond limit bytes.
std::optional<ByteVector> Inflate(std::span<const std::uint8_t> data, std::size_t limit);

// The format flags of the frame's second flag byte that say its body is not plain.
std::uint16_t FormatFlagsToClear(std::uint8_t majorVersion);

} // namespace vennart::tags
