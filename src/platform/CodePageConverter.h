// One Windows code page opened on ICU: decodes 8-bit text into wide text and encodes it back, with
// ICU's fallback (best-fit) mappings on and "?" for what the code page cannot represent.
#pragma once

#include "platform/Strings.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

struct UConverter;

namespace vennart::platform {

// The ICU converter names tried for a Windows code page, in this order; the first one ICU knows wins.
std::vector<std::string> IcuConverterNames(uint32_t codePage);

class CodePageConverter {
public:
    // nullptr when ICU has no converter under any of the code page's names.
    static std::unique_ptr<CodePageConverter> Open(uint32_t codePage);

    ~CodePageConverter();
    CodePageConverter(const CodePageConverter&) = delete;
    CodePageConverter& operator=(const CodePageConverter&) = delete;

    // Every byte is converted, NUL included; invalid sequences become ICU's substitute character.
    WideString Decode(std::string_view bytes);
    // Every unit is converted; a character without a mapping becomes its best fit or "?" (ICU drops
    // an unmapped ignorable character such as U+200B instead).
    AnsiString Encode(std::u16string_view text);

private:
    explicit CodePageConverter(UConverter* converter);

    std::mutex mutex_; // an ICU converter keeps state during a call
    UConverter* converter_;
};

} // namespace vennart::platform
