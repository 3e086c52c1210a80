#include "platform/SystemCodePage.h"

namespace vennart {

WideString WidenSystem(const AnsiString& bytes)
{
    WideString text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]));
    return text;
}

AnsiString NarrowSystem(const WideString& text)
{
    AnsiString bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        bytes[i] = text[i] <= 0xFF ? static_cast<char>(text[i]) : '?';
    return bytes;
}

} // namespace vennart
