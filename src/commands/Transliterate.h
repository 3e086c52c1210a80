// Transliteration of one file's tags or name through a table, as the commands "Transliterate Tags"
// (ID3v1 or ID3v2) and "Transliterate Filenames" apply it to each selected file.
#pragma once

#include "commands/ChangeSet.h"
#include "platform/Strings.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Class.h"
#include "text/Translit.h"
#include "workspace/Workspace.h"

#include <cstdint>
#include <span>

namespace vennart::commands {

// Artist, title, album, year and comment as the view code page shows them; a field whose text the
// table changes is stored back in that code page (the comment cut to the record's width). Genre and
// track stay. True when a field changed.
bool TransliterateID3v1(tags::TID3v1Tag& record, uint32_t codePage, const text::TranslitTable& table);

// Every frame but the ID3v1 record with a text of its own; a changed text is stored in the view code
// page, so UTF-16 text becomes 8-bit text unless the code page is 1200. True when a frame changed.
bool TransliterateID3v2(tags::TID3v2Class& file, uint32_t codePage, const text::TranslitTable& table);

// The whole name, extension included; true when it changed.
bool TransliterateFileName(WideString& name, const text::TranslitTable& table);

// The commands over selected rows (indexes into the file list, top to bottom). Tags: the ID3v1
// records in the ID3v1 view code page, or the ID3v2 frames in the ID3v2 one; each row that changed
// is marked in that grid. Names: a changed name goes into the row's name cell, marked in both grids.
// No file is renamed here, and names that collide are left for the save to refuse.
ChangeSet TransliterateTags(const workspace::Workspace& workspace, workspace::TagGrid grid,
    std::span<const int> rows, const text::TranslitTable& table);
ChangeSet TransliterateFileNames(
    const workspace::Workspace& workspace, std::span<const int> rows, const text::TranslitTable& table);

} // namespace vennart::commands
