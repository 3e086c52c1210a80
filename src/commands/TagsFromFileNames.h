// "Make Tags from Filenames": every selected file of the active grid takes title, artist, album,
// year, track and comment from its own file name under the rules. Only the tag objects in memory
// change; the files on disk change when the folder is saved.
#pragma once

#include "commands/ChangeSet.h"
#include "commands/TagsFromFileNamesRules.h"
#include "workspace/TagGrid.h"

#include <cstdint>
#include <vector>

namespace vennart::tags {
class TID3v1Tag;
class TID3v2Class;
} // namespace vennart::tags

namespace vennart::workspace {
class Workspace;
}

namespace vennart::commands {

// Stores one value into the record, its text through the code page; a track text that is not a
// decimal integer stores 0, others keep the low 8 bits ("300" stores 44).
void StoreIntoRecord(tags::TID3v1Tag& record, const FieldValue& value, uint32_t codePage);

// Runs the rules on one file: on the ID3v1 grid a file without a record gets one first, even when no
// rule is checked. True when some rule was checked, so that the row counts as changed.
bool MakeTagsFromFileName(
    tags::TID3v2Class& file, workspace::TagGrid grid, uint32_t codePage, const TagsFromNameOptions& options);

// The field's text as the grids and the panel show it: now, and after the command stored `value`.
WideString ShownFieldText(
    const tags::TID3v2Class& file, workspace::TagGrid grid, uint32_t codePage, std::string_view frameID);
WideString ShownAfterStore(
    const tags::TID3v2Class& file, workspace::TagGrid grid, uint32_t codePage, const FieldValue& value);

// The command over the rows of the active grid; marks the rows that took values.
ChangeSet TagsFromFileNames(
    const workspace::Workspace& workspace, const std::vector<int>& rows, const TagsFromNameOptions& options);

} // namespace vennart::commands
