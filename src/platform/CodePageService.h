// The code page conversion service: Windows code page numbers turned into ICU converters, each
// opened once per run and reused for every conversion in that code page.
#pragma once

#include "platform/CodePageConverter.h"
#include "platform/Strings.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>

namespace vennart::platform {

class CodePageService {
public:
    CodePageService() = default;
    CodePageService(const CodePageService&) = delete;
    CodePageService& operator=(const CodePageService&) = delete;

    // The program's one service.
    static CodePageService& Shared();

    bool Supports(uint32_t codePage);
    // Empty text for a code page ICU does not have.
    WideString Decode(std::string_view bytes, uint32_t codePage);
    // Empty bytes for a code page ICU does not have.
    AnsiString Encode(std::u16string_view text, uint32_t codePage);

    // The converter of a code page, opened on first use and kept until the service ends; nullptr
    // when ICU does not have the code page (remembered too, so the names are looked up once).
    CodePageConverter* Converter(uint32_t codePage);

private:
    std::mutex mutex_;
    std::unordered_map<uint32_t, std::unique_ptr<CodePageConverter>> converters_;
};

} // namespace vennart::platform
