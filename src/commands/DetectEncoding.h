// The code page of each selected file's 8-bit text on one grid, file by file or for the selection
// as a whole (an album is nearly always written in one code page).
#pragma once

#include "text/CodePageDetector.h"
#include "workspace/Workspace.h"

#include <optional>
#include <span>
#include <vector>

namespace vennart::commands {

struct DetectOptions {
    workspace::TagGrid grid = workspace::TagGrid::ID3v2;
    std::vector<uint32_t> candidates; // in order of preference
    bool wholeSelection = false; // one guess from the texts of every selected file
};

// One guess per row, in the order of `rows`.
std::vector<text::CodePageGuess> DetectCodePages(const workspace::Workspace& workspace,
    std::span<const int> rows, const DetectOptions& options, const text::LetterModel& model);

// Whether the guess is too weak to act on without the user's word.
bool IsUncertain(const text::CodePageGuess& guess);
// The code page a conversion reads the file's text in: none for text every code page reads alike,
// and none for an uncertain guess.
std::optional<uint32_t> CodePageToConvertFrom(const text::CodePageGuess& guess);

} // namespace vennart::commands
