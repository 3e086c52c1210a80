// The genre table of ID3v1: 148 genre names by index, and "Unknown" at 148. The ID3v2 frame TCON
// holds a genre as its index in round brackets, "(17)" for Rock.
#pragma once

#include "platform/Strings.h"

#include <cstdint>
#include <vector>

namespace vennart::tags {

class TID3v1Genre {
public:
    static constexpr std::uint8_t kUnknown = 148;
    static constexpr int kCount = 149;

    // The name at index; empty above 148.
    WideString GetGenreName(std::uint8_t index) const;
    // The first index whose name equals name regardless of the case of A to Z; 148 when none does.
    std::uint8_t GetGenreIndex(const WideString& name) const;
    // The index in decimal between round brackets, as TCON stores it.
    WideString FormatGenre(std::uint8_t index) const;
    // Appends all 149 names in index order, "Unknown" last.
    void FillGenreList(std::vector<WideString>& list) const;
};

} // namespace vennart::tags
