// Which frame class an identifier read from a file becomes.
#pragma once

#include "platform/Strings.h"
#include "tags/Tag.h"

#include <memory>

namespace vennart::tags {

// "T..." a text frame, "W..." a URL frame (WXXX its own kind), COMM, APIC and PRIV their own kinds,
// anything else an unknown frame kept byte for byte. The frame's ID is set; names come with its header.
std::unique_ptr<TTag> CreateFrame(const AnsiString& id);

} // namespace vennart::tags
