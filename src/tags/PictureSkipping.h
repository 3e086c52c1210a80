// Reading a tag past its first bytes without the pictures in it. A large picture's bytes stay in the
// file (see HeldBytes) and are read again only when they are needed, so the scan of a folder need
// not read them at all: a few kilobytes per song instead of every cover.
#pragma once

#include "platform/File.h"
#include "tags/ID3v2Header.h"
#include "tags/TagFingerprint.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vennart::tags {

// What a frame keeps in memory of a picture frame's body, at most: the fields before the picture.
constexpr std::size_t kPictureFieldsReach = 1024;

struct SparseRead {
    // The bytes read, from the start of the file on: fewer than asked only where the file ends.
    std::size_t size = 0;
    // The stretches left unread, in file order: zeroed in a 2.4 tag, as found in a 2.3 one (see the
    // .cpp for why).
    std::vector<FileSpan> unread;
};

// Reads bytes `have` to buffer.size() of the file into buffer, which holds its first `have` bytes,
// except the body of each large picture frame of the tag beyond its first kPictureFieldsReach bytes.
// The frames are found by their headers alone, so the reader of the bytes must then check that its
// frames left every unread stretch in the file (AllLeftInFile), and read the whole again where not.
// A tag whose frames cannot be found that way (unsynchronised, with an extended header, before
// version 2.3) is read whole.
SparseRead ReadSkippingPictures(
    platform::File& file, std::span<std::uint8_t> buffer, std::size_t have, const ID3v2Header& header);

// Whether every unread stretch lies inside one of the stretches the frames left in the file.
bool AllLeftInFile(const std::vector<FileSpan>& unread, const std::vector<FileSpan>& left);

} // namespace vennart::tags
