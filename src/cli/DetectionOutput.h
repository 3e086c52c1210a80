// What detect prints of one file: the code page found for its 8-bit text on one tab, how sure the
// detector is, and how it ranked the candidates.
#pragma once

#include "text/CodePageDetector.h"
#include "workspace/TagGrid.h"

#include <filesystem>
#include <string>

namespace vennart::cli {

// {"file": …, "tag": "v1"|"v2", "text": "8-bit"|"ascii"|"utf-8"|"empty", "code_page": N or null,
// "confidence": 0..1, "ranking": [[N, score], …]} and a line feed.
std::string DetectionJson(
    const std::filesystem::path& file, workspace::TagGrid grid, const text::CodePageGuess& guess);
// "<file>: ID3v2 in code page 1251 (confidence 0.98)" and the like, and a line feed.
std::string DetectionText(
    const std::filesystem::path& file, workspace::TagGrid grid, const text::CodePageGuess& guess);

} // namespace vennart::cli
