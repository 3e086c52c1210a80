// Compares the frames of tag objects: each frame as its kind, identifier, flags and the bytes its
// fields write, so that two reads of a file can be checked for the same frames in the same order.
#pragma once

#include "tags/ID3v2Class.h"

#include <string>
#include <vector>

namespace vennart::tags {

std::string FrameSignature(const TTag& frame);
std::vector<std::string> FrameSignatures(const TID3v2Class& tag);

} // namespace vennart::tags
