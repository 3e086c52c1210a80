// The 8-bit text a tag holds, as the bytes of the file: what a view code page interprets and what
// the code page detector reads. Unicode frames are left out, since their encoding is declared.
#pragma once

#include "platform/Strings.h"
#include "tags/ID3v2Class.h"
#include "workspace/TagGrid.h"

#include <vector>

namespace vennart::commands {

// On the ID3v1 grid the record's text fields; on the ID3v2 grid the text and comment frames stored
// with an 8-bit encoding. Empty texts are left out.
std::vector<AnsiString> EightBitTexts(const tags::TID3v2Class& file, workspace::TagGrid grid);

} // namespace vennart::commands
