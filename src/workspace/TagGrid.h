// The two file grids, one per tab, and a selection of their rows.
#pragma once

namespace vennart::workspace {

// sgID3v1 shows the ID3v1 records, sgID3v2 the ID3v2 tags of the same files, row for row.
enum class TagGrid { ID3v1, ID3v2 };

// A contiguous range of file rows, 0-based indices into the file list; empty when no file is listed.
struct RowRange {
    int top = 0;
    int bottom = -1;

    bool IsEmpty() const { return bottom < top; }
    bool IsSingle() const { return top == bottom; }
    int Count() const { return IsEmpty() ? 0 : bottom - top + 1; }
    bool operator==(const RowRange&) const = default;
};

} // namespace vennart::workspace
