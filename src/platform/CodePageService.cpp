#include "platform/CodePageService.h"

namespace vennart::platform {

CodePageService& CodePageService::Shared()
{
    static CodePageService service;
    return service;
}

CodePageConverter* CodePageService::Converter(uint32_t codePage)
{
    const std::lock_guard lock(mutex_);
    auto found = converters_.find(codePage);
    if (found == converters_.end())
        found = converters_.emplace(codePage, CodePageConverter::Open(codePage)).first;
    return found->second.get();
}

bool CodePageService::Supports(uint32_t codePage)
{
    return Converter(codePage) != nullptr;
}

WideString CodePageService::Decode(std::string_view bytes, uint32_t codePage)
{
    CodePageConverter* converter = Converter(codePage);
    return converter != nullptr ? converter->Decode(bytes) : WideString();
}

AnsiString CodePageService::Encode(std::u16string_view text, uint32_t codePage)
{
    CodePageConverter* converter = Converter(codePage);
    return converter != nullptr ? converter->Encode(text) : AnsiString();
}

} // namespace vennart::platform
