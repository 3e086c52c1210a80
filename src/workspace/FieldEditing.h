// The editing panel's logic: the value a field shows for one file or for the selected files, the
// list of values it offers, and storing what the user typed into the selected files.
#pragma once

#include "platform/Strings.h"
#include "tags/ID3v1Tag.h"
#include "workspace/TagFields.h"
#include "workspace/Workspace.h"

#include <vector>

namespace vennart::workspace {

// The file's ID3v1 record; a file without one gets a new empty record (in memory: it reaches the
// disk only if the file is saved).
tags::TID3v1Tag& EnsureID3v1(tags::TID3v2Class& file);

// The field's value for one file on the visible tab: ID3v1 texts through the ID3v1 view code page,
// the genre by name and the track number in decimal; ID3v2 frames through FrameText.
WideString FieldValue(const Workspace& workspace, int row, const TagField& field);

// The value all selected files share, or "<do not change>" where they differ.
WideString CommonFieldValue(const Workspace& workspace, const TagField& field);

// The distinct non-empty values the field has in all listed files, sorted and compared without
// regard to letter case. The genre field has none (it lists the genre table), nor has the ID3v1
// track field.
std::vector<WideString> FillValueList(const Workspace& workspace, const TagField& field);

// Stores the typed text of a field into one file's tag object as the grid's view code page stores
// it; true when the file's value differed. A file without an ID3v1 record gets one.
bool ApplyFieldToFile(
    tags::TID3v2Class& file, TagGrid grid, uint32_t codePage, const TagField& field, const WideString& typed);

// What the user means by the typed text: text typed next to "<do not change>" is taken without it.
WideString TypedValue(const WideString& typed);

// A track number as typed: the decimal value of its leading digits modulo 256 ("3/12" is 3);
// no digits store 0.
std::uint8_t TrackNumber(const WideString& typed);

} // namespace vennart::workspace
