// Which code page a file's 8-bit tag text was written in: every candidate decodes the bytes, the
// letter model scores each distinct result, and the most plausible reading wins. Texts of one file
// (or of a whole folder, which is nearly always in one code page) are scored together.
#pragma once

#include "platform/Strings.h"
#include "text/LetterModel.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vennart::text {

enum class TextKind {
    Empty, // nothing to decide on
    Ascii, // every code page reads it alike
    Utf8, // valid UTF-8 with characters beyond ASCII
    EightBit, // a legacy code page: see the ranking
};

struct CodePageScore {
    uint32_t codePage;
    double score; // the share of belief, 0 to 1; candidates that read the bytes alike share it
};

struct CodePageGuess {
    TextKind kind = TextKind::Empty;
    std::optional<uint32_t> codePage; // the best candidate, or 65001 for UTF-8
    double confidence = 0; // the belief in the best reading, 0 to 1
    std::vector<CodePageScore> ranking; // best first
};

// A guess below this confidence is shown as uncertain and not acted on unless the user confirms.
inline constexpr double kConfidentGuess = 0.9;

// Ranks the candidates (in order of preference, which decides between equal readings) for the
// texts. Candidates 1200 and 65001 are not 8-bit code pages and are passed over.
CodePageGuess GuessCodePage(
    std::span<const AnsiString> texts, std::span<const uint32_t> candidates, const LetterModel& model);

} // namespace vennart::text
