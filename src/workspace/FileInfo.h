// The 17 rows of the file information grid: sizes, play times and frame counts of the selected files
// summed, every other fact listed once per distinct value, in the order of the selected rows.
#pragma once

#include "tags/ID3v2Class.h"
#include "workspace/TagGrid.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vennart::workspace {

class Workspace;

struct FileInfoRow {
    std::string_view title; // one of the grid's own titles, which live as long as the program
    std::string value; // UTF-8
};

inline constexpr std::size_t kFileInfoRowCount = 17;
using FileInfoRows = std::array<FileInfoRow, kFileInfoRowCount>;

// The running values of several files: texts of rows 4 to 16 and the three totals.
struct FileInfoTotals {
    std::array<std::string, kFileInfoRowCount> texts;
    std::int64_t duration = 0;
    std::int64_t fileSize = 0;
    std::int64_t frameCount = 0;
};

// The rows for the selection of the visible grid.
FileInfoRows ShowFileInfo(const Workspace& workspace);

// Adds one file to the running values; `grid` decides which tag version is reported.
void AddFileInfo(const tags::TID3v2Class& file, TagGrid grid, FileInfoTotals& totals);

// Appends value to a comma-joined text unless the text already contains it anywhere, even as part
// of a longer value (28 after 128 adds nothing).
void AddDistinct(const std::string& value, std::string& text);

// "mm:ss", with "h:" in front from one hour on: 0 -> 00:00, 245 -> 04:05, 3725 -> 1:02:05.
std::string FormatPlaytime(std::int64_t seconds);

} // namespace vennart::workspace
