// "Set ID3v1 Version" on one file: version 1.1 keeps a track number, 1.0 a longer comment.
#pragma once

#include "tags/ID3v2Class.h"

namespace vennart::commands {

// True when the file has an ID3v1 record of the other version, which now has the target version.
bool SetID3v1Version(tags::TID3v2Class& file, bool toV11);

} // namespace vennart::commands
