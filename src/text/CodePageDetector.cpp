#include "text/CodePageDetector.h"

#include "text/UStringConvert.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace vennart::text {
namespace {

// Costs are heuristic nats; dividing them tempers the certainty they would otherwise claim.
constexpr double kCostTemperature = 2.0;
// A reading this much dearer than the best one so far has no share of belief worth computing.
constexpr double kHopelessMargin = 40.0;

TextKind KindOf(std::span<const AnsiString> texts)
{
    bool any = false;
    bool ascii = true;
    bool utf8 = true;
    for (const auto& text : texts) {
        any = any || !text.empty();
        ascii = ascii && std::all_of(text.begin(), text.end(), [](char byte) { return (byte & 0x80) == 0; });
        utf8 = utf8 && IsValidUtf8(text);
    }
    if (!any)
        return TextKind::Empty;
    if (ascii)
        return TextKind::Ascii;
    return utf8 ? TextKind::Utf8 : TextKind::EightBit;
}

WideString Decode(std::span<const AnsiString> texts, uint32_t codePage)
{
    WideString decoded;
    for (const auto& text : texts) {
        decoded += CodePageToWide(text, codePage);
        decoded += u' ';
    }
    return decoded;
}

struct Reading {
    double cost = 0;
    double belief = 0;
};

} // namespace

CodePageGuess GuessCodePage(
    std::span<const AnsiString> texts, std::span<const uint32_t> candidates, const LetterModel& model)
{
    CodePageGuess guess;
    guess.kind = KindOf(texts);
    if (guess.kind == TextKind::Utf8) {
        guess.codePage = kUtf8CodePage;
        guess.confidence = 1;
    }
    if (guess.kind != TextKind::EightBit)
        return guess;

    std::map<WideString, Reading> readings;
    std::vector<std::pair<uint32_t, Reading*>> scored;
    double least = std::numeric_limits<double>::infinity();
    for (uint32_t codePage : candidates) {
        if (codePage == kUtf16CodePage || codePage == kUtf8CodePage)
            continue;
        auto [reading, isNew] = readings.try_emplace(Decode(texts, codePage));
        if (isNew) {
            reading->second.cost = model.Cost(reading->first, least + kHopelessMargin);
            least = std::min(least, reading->second.cost);
        }
        scored.push_back({ codePage, &reading->second });
    }
    if (scored.empty() || std::isinf(least))
        return guess;

    double total = 0;
    for (auto& [text, reading] : readings)
        total += reading.belief = std::exp((least - reading.cost) / kCostTemperature);
    for (auto& [text, reading] : readings)
        reading.belief /= total;

    std::stable_sort(
        scored.begin(), scored.end(), [](auto& a, auto& b) { return a.second->cost < b.second->cost; });
    for (const auto& [codePage, reading] : scored)
        guess.ranking.push_back({ codePage, reading->belief });
    guess.codePage = scored.front().first;
    guess.confidence = scored.front().second->belief;
    return guess;
}

} // namespace vennart::text
