// "Change Encoding of Tags": the selected files' stored 8-bit text is read in the view code page and
// stored in another, which becomes the view code page; the text on screen stays the same.
#pragma once

#include "commands/ChangeSet.h"
#include "tags/ID3v2Class.h"
#include "workspace/Workspace.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vennart::commands {

// The record's artist, title, album, year and comment, read in `from` and stored in `to`; genre and
// track stay. False for a file without a record.
bool ReencodeID3v1(tags::TID3v2Class& file, uint32_t from, uint32_t to);
// Every ID3v2 frame's text, read in `from` and stored in `to` (see ReencodeFrame).
void ReencodeID3v2(tags::TID3v2Class& file, uint32_t from, uint32_t to);

// Whether some of the text the grid's re-encoding reads from the file cannot be stored in `to`
// (it would become "?").
bool LosesCharacters(const tags::TID3v2Class& file, workspace::TagGrid grid, uint32_t from, uint32_t to);

struct Reencoding {
    ChangeSet set;
    // The rows whose text loses characters, top to bottom.
    std::vector<int> lossyRows;
};

// The command over the rows from the grid's view code page into `to`: each ID3v1 row with a record,
// and every ID3v2 row, is marked in the grid. Nothing changes when `to` is the view code page.
Reencoding Reencode(
    const workspace::Workspace& workspace, workspace::TagGrid grid, std::span<const int> rows, uint32_t to);

// The question asked before a re-encoding that loses characters: the first ten files, then how many more.
std::string LossyReencodingQuestion(
    const workspace::Workspace& workspace, const std::vector<int>& lossyRows, const std::string& targetName);

} // namespace vennart::commands
