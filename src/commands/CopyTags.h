// Copying the seven main fields of one file between its ID3v1 record and its ID3v2 frames, as the
// commands "ID3v1 to ID3v2" and "ID3v2 to ID3v1" apply it to each selected file. Text passes through
// both view code pages: cp1 for ID3v1, cp2 for ID3v2.
#pragma once

#include "commands/ChangeSet.h"
#include "tags/ID3v2Class.h"
#include "workspace/Workspace.h"

#include <cstdint>
#include <span>

namespace vennart::commands {

// Artist, title, album, year and comment into TPE1, TIT2, TALB, TYER and COMM, the track number as
// a decimal TRCK, the genre as TCON "(n)" ("(148)" for a number without a name); every field even
// when empty. False, changing nothing, for a file without an ID3v1 record.
bool CopyID3v1ToID3v2(tags::TID3v2Class& file, uint32_t cp1, uint32_t cp2);

// The mirror image, into a record created for a file without one. A TRCK that is not a whole
// number n or "n/m" leaves the track number alone; otherwise it keeps n's low 8 bits. A TCON the
// genre table does not name gives 148.
void CopyID3v2ToID3v1(tags::TID3v2Class& file, uint32_t cp1, uint32_t cp2);

// The command over selected rows (indexes into the file list) in the workspace's view code pages:
// copies into the grid `to` and marks each copied row there. Copying into ID3v2 skips a file
// without an ID3v1 record and goes on with the next.
ChangeSet CopyTags(const workspace::Workspace& workspace, workspace::TagGrid to, std::span<const int> rows);

} // namespace vennart::commands
