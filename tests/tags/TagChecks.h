// What the tag tests compare: a frame as its kind and every field it holds, and a tag object as its
// frames in order.
#pragma once

#include "support/Id3Builder.h"
#include "tags/ID3v2Class.h"

#include <string>
#include <vector>

namespace vennart::tags {

// The kind and the fields, '|' between them; 8-bit and binary fields widened byte for byte.
WideString FieldsOf(const TTag& frame);
// Each frame as identifier, flags and FieldsOf; with writableOnly, only the frames a save writes (all
// but those UnwritableFrames names).
std::vector<WideString> Describe(const TID3v2Class& tag, bool writableOnly = false);

// The bytes compressed with zlib, as a compressed frame holds them.
test::Bytes Compressed(const test::Bytes& plain);

} // namespace vennart::tags
