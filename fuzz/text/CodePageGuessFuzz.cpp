// The letter table and the detector: any bytes make a table, and any bytes guessed with it give a
// code page among the candidates with a confidence between 0 and 1.
#include "text/CodePageDetector.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vennart;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const text::LetterModel model(bytes);
    constexpr std::array<uint32_t, 6> candidates { 1251, 20866, 1250, 1252, 936, 65001 };
    const std::array<AnsiString, 2> texts { AnsiString(bytes.substr(0, size / 2)),
        AnsiString(bytes.substr(size / 2)) };
    const auto guess = text::GuessCodePage(texts, candidates, model);
    if (guess.confidence < 0 || guess.confidence > 1)
        std::abort();
    if (guess.kind == text::TextKind::EightBit
        && (!guess.codePage
            || std::find(candidates.begin(), candidates.end(), *guess.codePage) == candidates.end()))
        std::abort();
    return 0;
}
