// ID3v2.2 frames (three-letter identifiers, 6-byte headers, as older iTunes versions and many rippers
// wrote them) become the matching ID3v2.3 frames, so that they are shown, edited and saved like any other.
#pragma once

#include "tags/ID3v2Reader.h"
#include "tags/SharedBytes.h"

#include <span>
#include <string_view>

namespace vennart::tags {

constexpr std::size_t kV22FrameHeaderSize = 6;

// The ID3v2.3 identifier of a 2.2 frame; empty when 2.3 has no counterpart.
AnsiString V23FrameID(std::string_view v22ID);

// The frames of a 2.2 tag body in file order, each as its 2.3 counterpart. A frame without one is kept
// as an unknown frame under its three-letter identifier, which no 2.3 tag can hold. The list ends as
// ReadID3v2Frames' does; framesEnd receives the offset just after the last frame read.
FrameList ReadID3v22Frames(std::span<const std::uint8_t> body, std::size_t& framesEnd);

// "JPG" → "image/jpeg", "PNG" → "image/png", anything else "image/" and the format in lower case.
AnsiString MimeTypeOfImageFormat(std::string_view format);

} // namespace vennart::tags
