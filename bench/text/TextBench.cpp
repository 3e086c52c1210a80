// One pass of each per-cell text operation over the titles of a 10,000-row grid.
#include "platform/AppPaths.h"
#include "platform/CaseMapping.h"
#include "platform/SystemCodePage.h"
#include "text/Translit.h"
#include "text/UStringConvert.h"

#include <benchmark/benchmark.h>
#include <random>
#include <set>

namespace vennart {
namespace {

constexpr int kTitleCount = 10000;
constexpr std::size_t kTitleLength = 30;

// Russian song titles with some Latin words and numbers, every one 30 characters long.
const std::vector<WideString>& Titles()
{
    static const std::vector<WideString> titles = [] {
        const std::vector<WideString> words { u"Летний", u"дождь", u"Ночной", u"город", u"Звезда", u"Песня",
            u"любви", u"Ветер", u"моря", u"Зима", u"Ёлка", u"Живи", u"Rock", u"live", u"2024", u"Щедрый",
            u"вечер", u"Remix" };
        std::mt19937 random(20866);
        std::vector<WideString> result;
        result.reserve(kTitleCount);
        for (int i = 0; i < kTitleCount; ++i) {
            WideString title;
            while (title.size() < kTitleLength)
                title += words[random() % words.size()] + u" ";
            title.resize(kTitleLength);
            result.push_back(std::move(title));
        }
        return result;
    }();
    return titles;
}

std::vector<AnsiString> Encoded(uint32_t codePage)
{
    std::vector<AnsiString> encoded;
    for (const WideString& title : Titles())
        encoded.push_back(text::WideToCodePage(title, codePage));
    return encoded;
}

void CodePageToWide(benchmark::State& state)
{
    const auto codePage = static_cast<uint32_t>(state.range(0));
    const std::vector<AnsiString> cells = Encoded(codePage);
    for (auto _ : state) {
        for (const AnsiString& cell : cells)
            benchmark::DoNotOptimize(text::CodePageToWide(cell, codePage));
    }
}

void WideToCodePage(benchmark::State& state)
{
    const auto codePage = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        for (const WideString& title : Titles())
            benchmark::DoNotOptimize(text::WideToCodePage(title, codePage));
    }
}

void ReinterpretWide(benchmark::State& state)
{
    const auto codePage = static_cast<uint32_t>(state.range(0));
    std::vector<WideString> cells;
    for (const AnsiString& bytes : Encoded(codePage))
        cells.push_back(WidenSystem(bytes));
    for (auto _ : state) {
        for (const WideString& cell : cells)
            benchmark::DoNotOptimize(text::ReinterpretWide(cell, codePage));
    }
}

text::TranslitTable ShippedTable(benchmark::State& state)
{
    const std::filesystem::path file = platform::AppPaths::ForThisProgram().TranslitTableFile();
    text::TranslitTable table = text::LoadTranslitTable(file);
    if (table.Lines().empty())
        state.SkipWithError(("no table in " + file.string()).c_str());
    return table;
}

void Transliterate(benchmark::State& state)
{
    const text::TranslitTable table = ShippedTable(state);
    for (auto _ : state) {
        for (const WideString& title : Titles())
            benchmark::DoNotOptimize(table.Transliterate(title));
    }
}

void LoadTranslitTable(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ShippedTable(state));
}

void SortedCaseInsensitiveSet(benchmark::State& state)
{
    for (auto _ : state) {
        std::set<WideString, platform::LessNoCase> values(Titles().begin(), Titles().end());
        benchmark::DoNotOptimize(values.size());
    }
}

BENCHMARK(CodePageToWide)->ArgName("codePage")->Arg(1251)->Arg(20866)->Unit(benchmark::kMillisecond);
BENCHMARK(WideToCodePage)->ArgName("codePage")->Arg(1251)->Arg(20866)->Unit(benchmark::kMillisecond);
BENCHMARK(ReinterpretWide)->ArgName("codePage")->Arg(1251)->Arg(20866)->Unit(benchmark::kMillisecond);
BENCHMARK(Transliterate)->Unit(benchmark::kMillisecond);
BENCHMARK(SortedCaseInsensitiveSet)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadTranslitTable)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vennart

BENCHMARK_MAIN();
