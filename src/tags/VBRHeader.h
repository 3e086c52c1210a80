// The header a variable-bitrate encoder leaves in the first audio frame ("Xing", "Info" or "VBRI"):
// how many frames and bytes of audio the file holds, so that its length and average bitrate need no
// walk over every frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vennart::tags {

struct TMPEGHeaderInfo;

struct VBRHeader {
    std::uint32_t Frames = 0;
    std::optional<std::uint32_t> Bytes; // the audio bytes, when the header tells them
};

// How many bytes of the first frame, from its header on, hold any of the three headers.
constexpr std::size_t kVBRHeaderReach = 64;

// The header in frame (the first frame's bytes from its 4-byte header on), whose header decodes to
// info; none when the frame holds none or it gives no frame count.
std::optional<VBRHeader> ReadVBRHeader(std::span<const std::uint8_t> frame, const TMPEGHeaderInfo& info);

} // namespace vennart::tags
