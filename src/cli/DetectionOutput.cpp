#include "cli/DetectionOutput.h"

#include "cli/OutputText.h"
#include "commands/DetectEncoding.h"

#include <cstdio>

namespace vennart::cli {
namespace {

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

const char* KindName(text::TextKind kind)
{
    switch (kind) {
    case text::TextKind::Ascii:
        return "ascii";
    case text::TextKind::Utf8:
        return "utf-8";
    case text::TextKind::EightBit:
        return "8-bit";
    case text::TextKind::Empty:
        break;
    }
    return "empty";
}

} // namespace

std::string DetectionJson(
    const std::filesystem::path& file, workspace::TagGrid grid, const text::CodePageGuess& guess)
{
    JsonObject json;
    json.Add("file", PathText(file))
        .Add("tag", std::string_view(grid == workspace::TagGrid::ID3v1 ? "v1" : "v2"))
        .Add("text", std::string_view(KindName(guess.kind)))
        .AddJson("code_page", guess.codePage ? std::to_string(*guess.codePage) : "null")
        .AddJson("confidence", Number(guess.confidence))
        .OpenArray("ranking");
    for (const text::CodePageScore& entry : guess.ranking)
        json.AddJsonElement("[" + std::to_string(entry.codePage) + "," + Number(entry.score) + "]");
    return json.Line();
}

std::string DetectionText(
    const std::filesystem::path& file, workspace::TagGrid grid, const text::CodePageGuess& guess)
{
    std::string line = PrintablePath(file) + (grid == workspace::TagGrid::ID3v1 ? ": ID3v1 " : ": ID3v2 ");
    switch (guess.kind) {
    case text::TextKind::Empty:
        return line + "holds no 8-bit text\n";
    case text::TextKind::Ascii:
        return line + "is ASCII, the same in every code page\n";
    case text::TextKind::Utf8:
        return line + "is UTF-8\n";
    case text::TextKind::EightBit:
        break;
    }
    line += "in code page " + std::to_string(guess.codePage.value_or(0)) + " (confidence "
        + Number(guess.confidence) + (commands::IsUncertain(guess) ? ", uncertain" : "") + ")";
    for (std::size_t i = 1; i < guess.ranking.size() && i < 3; ++i)
        line += (i == 1 ? "; then " : ", ") + std::to_string(guess.ranking[i].codePage) + " ("
            + Number(guess.ranking[i].score) + ")";
    return line + "\n";
}

} // namespace vennart::cli
