// The CodePages setting: any text splits into entries the same way in 8-bit and wide form, and
// building the active lists either succeeds or stops with the program's error.
#include "platform/Error.h"
#include "platform/SystemCodePage.h"
#include "text/CommaText.h"
#include "text/UStringConvert.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vennart;
    const AnsiString value(reinterpret_cast<const char*>(data), size);
    const std::vector<AnsiString> entries = text::SplitCommaText(value);
    const std::vector<WideString> wideEntries = text::SplitCommaText(WidenSystem(value));
    if (entries.size() != wideEntries.size())
        std::abort();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (WidenSystem(entries[i]) != wideEntries[i])
            std::abort();
    }
    text::EncodingCatalogue catalogue;
    catalogue.AddCatalogueLines("Cyrillic;;1251\nUTF-16;;1200\n");
    try {
        catalogue.BuildActiveEncodings(value);
    } catch (const Error&) {
        return 0;
    }
    if (catalogue.ActiveEncodingsV2().size() < catalogue.ActiveEncodingsV1().size())
        std::abort();
    return 0;
}
