// Rendering a complete ID3v2 tag into memory; nothing here touches a file.
#pragma once

#include "tags/ID3v2Header.h"
#include "tags/ID3v2Reader.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

namespace vennart::tags {

constexpr std::size_t kPaddingBlock = 256;

// The header a save writes: version, revision and flags of an old tag of version 2.3 or later, less
// the unsynchronisation, extended-header and footer flags since none of these is written; 2.3.0
// without flags in place of an older tag or none.
ID3v2Header HeaderForSave(const std::optional<ID3v2Header>& oldHeader);

// Zero bytes after the last frame, up to the next multiple of 256 counted from the start of the
// file; at least one, so a tag ending on a multiple gets a whole block.
std::size_t PaddingSize(std::size_t tagEnd);

// The identifiers of the frames a save cannot write back (RenderID3v2Tag leaves them out), in list order.
std::vector<AnsiString> UnwritableFrames(const FrameList& frames);

// Header, every writable ID3v2 frame of frames in order (the ID3v1 record is not one) in the layout of the
// header's version, then padding. Throws vennart::Error naming fileName when the tag is larger than
// its size field can describe. frameStarts, when given, receives where each frame of frames starts
// in the tag; kNotWritten for those left out.
ByteVector RenderID3v2Tag(const ID3v2Header& header, const FrameList& frames,
    const std::filesystem::path& fileName, std::vector<std::size_t>* frameStarts = nullptr);

constexpr std::size_t kNotWritten = static_cast<std::size_t>(-1);

} // namespace vennart::tags
