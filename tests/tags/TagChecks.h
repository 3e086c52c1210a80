// What the tag tests compare: the frames of tag objects, each as its kind, identifier, flags and
// the bytes its fields write, so that two reads of a file can be checked for the same frames in the
// same order; and the audio bytes of a file, so that a save can be checked for leaving them alone.
#pragma once

#include "support/Id3Builder.h"
#include "tags/ID3v2Class.h"

#include <string>
#include <vector>

namespace vennart::tags {

std::vector<std::string> FrameSignatures(const TID3v2Class& tag);

// Everything after the file's ID3v2 tag (and its footer): the audio and the ID3v1 record.
test::Bytes AudioOf(const test::Bytes& file);

} // namespace vennart::tags
