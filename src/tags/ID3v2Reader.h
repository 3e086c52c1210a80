// Reading the frames of an ID3v2 tag (version 2.3 or later) from its bytes in memory.
#pragma once

#include "tags/ID3v2Header.h"
#include "tags/SharedBytes.h"
#include "tags/Tag.h"
#include "tags/TagSource.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

namespace vennart::tags {

// The frames of the tag whose header is given, in file order. body holds the bytes after the tag
// header as far as the tag and the file reach (no frame keeps a part of it); fileSize is the whole file's
// size. A 2.2 tag's frames become their 2.3 counterparts. The list ends at padding, at anything that is not a
// frame header, and at a frame that would run past the tag's end. A frame that would run past the end of the
// file throws vennart::Error: the file is damaged. framesEnd, when given, receives the offset in body just
// after the last frame read. With a source (the file body is read from, the body standing just after the tag
// header), large frame bodies stored as they are stay in that file.
// The frames are added at the end of `frames`.
void ReadID3v2Frames(FrameList& frames, std::span<const std::uint8_t> body, const ID3v2Header& header,
    std::int64_t fileSize, const platform::StoredPath& fileName, std::size_t* framesEnd = nullptr,
    SourceToBe* source = nullptr);

// A frame of the given identifier and flags read from a plain body, as the kind its identifier calls for.
std::unique_ptr<TTag> FrameFromPlainBody(const AnsiString& id, std::uint16_t flags, const ByteVector& body);

// How the size field of the frame at offset in body is to be read (see the .cpp for the quirk).
FrameSizeFormat V24FrameSizeFormat(std::span<const std::uint8_t> body, std::size_t offset);

// Frames whose flags say the body is not plain (compressed, encrypted, grouped; in 2.4 also
// unsynchronised or with a data length indicator). Those whose body can be decoded are read from it
// and written back plain; the others are kept byte for byte whatever their identifier.
bool IsOpaqueFrame(std::uint16_t flags, std::uint8_t majorVersion);

} // namespace vennart::tags
