// EncodingTables.dat: any bytes give a catalogue whose names build the default active lists.
#include "text/UStringConvert.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vennart;
    text::EncodingCatalogue catalogue;
    catalogue.AddCatalogueLines({ reinterpret_cast<const char*>(data), size });
    if (catalogue.EncodingNames().size() != catalogue.EncodingDescriptions().size())
        std::abort();
    for (std::size_t i = 0; i < catalogue.EncodingNames().size(); ++i) {
        text::CatalogueText(catalogue.EncodingNames()[i].name);
        text::CatalogueText(catalogue.EncodingDescriptions()[i]);
    }
    catalogue.BuildActiveEncodings("");
    if (catalogue.ActiveEncodingsV2().size() != 6 || catalogue.ActiveEncodingsV1().size() != 5)
        std::abort();
    return 0;
}
