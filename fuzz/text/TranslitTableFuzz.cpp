// translit.tab: any bytes make a table that transliterates its own lines, and its lines taken as
// editor rows make a table again.
#include "text/PlainText.h"
#include "text/TextFile.h"
#include "text/Translit.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vennart;
    const std::vector<WideString> lines
        = text::DecodeTextLines({ reinterpret_cast<const char*>(data), size });
    const text::TranslitTable table(lines);
    std::vector<text::TranslitRow> rows;
    for (const WideString& line : lines) {
        const WideString result = table.Transliterate(line);
        // Every unit gives at least one unit: nothing vanishes.
        if (result.size() < line.size())
            std::abort();
        rows.push_back({ WideString(text::NameOfLine(line)), WideString(text::ValueOfLine(line)) });
    }
    const text::TranslitTable edited(text::TranslitLinesFromRows(rows));
    for (const WideString& line : lines)
        edited.Transliterate(line);
    return 0;
}
