// The text of one ID3v2 frame as a view code page shows it, and the storing of a shown text back
// into a frame. Under 1200 text is taken as the wide text it is and stored as UTF-16; under an 8-bit
// code page the frame's text is re-read as bytes of that code page, and stored as such bytes with
// encoding 0. The genre frame TCON shows and stores a genre name through the genre table instead.
#pragma once

#include "platform/Strings.h"
#include "tags/ID3v2Class.h"

#include <cstdint>
#include <string_view>

namespace vennart::workspace {

// The frame's display text; empty for no frame and for kinds without a main text.
WideString FrameText(const tags::TTag* frame, uint32_t codePage);
// FrameText of the first frame with the identifier, or empty when the file has none.
WideString GetFrameText(const tags::TID3v2Class& file, std::string_view id, uint32_t codePage);

// Stores a display text into the frame; setters mark it changed only when a value differs. The
// frame's other strings (a TXXX value, a description) follow it into the new encoding.
void StoreFrameText(tags::TTag& frame, const WideString& text, uint32_t codePage);
// The frame's text as `from` shows it, stored as `to` stores it. A genre that is not a name of the
// table keeps its text; a table genre becomes its number in round brackets, as 8-bit text.
void ReencodeFrame(tags::TTag& frame, uint32_t from, uint32_t to);
// StoreFrameText on the first frame with the identifier, created first when the file has none.
// Returns false, changing nothing, for an identifier no frame can be created for (neither "T..."
// nor "W..." nor COMM).
bool SetFrameText(tags::TID3v2Class& file, std::string_view id, const WideString& text, uint32_t codePage);

// Identifiers compare without regard to the case of A to Z.
bool SameFrameID(std::string_view a, std::string_view b);

} // namespace vennart::workspace
