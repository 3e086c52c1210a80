// The conversions: the first byte picks a code page, the rest is converted every way.
#include "platform/SystemCodePage.h"
#include "text/UStringConvert.h"

#include <cstdint>
#include <iterator>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vennart;
    static constexpr uint32_t kCodePages[]
        = { 1251, 20866, 21866, 866, 65001, 1200, 932, 936, 949, 950, 1201, 4242 };
    if (size == 0)
        return 0;
    const uint32_t codePage = kCodePages[data[0] % std::size(kCodePages)];
    const AnsiString bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    WideString units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(
            static_cast<unsigned char>(bytes[i]) << 8 | static_cast<unsigned char>(bytes[i + 1])));
    if (codePage != text::kUtf16CodePage) {
        text::WideToCodePage(text::CodePageToWide(bytes, codePage), codePage);
        text::WideToCodePage(units, codePage);
    }
    text::ReinterpretWide(WidenSystem(bytes), codePage);
    text::ReinterpretWide(units, codePage);
    return 0;
}
