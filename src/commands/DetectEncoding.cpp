#include "commands/DetectEncoding.h"

#include "commands/EightBitTexts.h"

namespace vennart::commands {

std::vector<text::CodePageGuess> DetectCodePages(const workspace::Workspace& workspace,
    std::span<const int> rows, const DetectOptions& options, const text::LetterModel& model)
{
    std::vector<std::vector<AnsiString>> texts;
    for (int row : rows)
        texts.push_back(EightBitTexts(workspace.File(row), options.grid));
    std::vector<text::CodePageGuess> guesses;
    for (const auto& fileTexts : texts)
        guesses.push_back(text::GuessCodePage(fileTexts, options.candidates, model));
    if (!options.wholeSelection)
        return guesses;

    std::vector<AnsiString> all;
    for (const auto& fileTexts : texts)
        all.insert(all.end(), fileTexts.begin(), fileTexts.end());
    const auto shared = text::GuessCodePage(all, options.candidates, model);
    for (auto& guess : guesses) {
        if (guess.kind == text::TextKind::EightBit)
            guess = shared;
    }
    return guesses;
}

bool IsUncertain(const text::CodePageGuess& guess)
{
    return guess.kind == text::TextKind::EightBit && guess.confidence < text::kConfidentGuess;
}

std::optional<uint32_t> CodePageToConvertFrom(const text::CodePageGuess& guess)
{
    if (guess.kind == text::TextKind::Ascii || guess.kind == text::TextKind::Empty || IsUncertain(guess))
        return std::nullopt;
    return guess.codePage;
}

} // namespace vennart::commands
