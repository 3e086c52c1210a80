#include "text/Utf8.h"

#include "platform/Error.h"
#include "platform/SystemCodePage.h"

#include <climits>
#include <unicode/ustring.h>

namespace vennart::text {
namespace {

constexpr UChar32 kReplacementCharacter = 0xFFFD;

int32_t IcuLength(std::string_view bytes)
{
    if (bytes.size() > INT32_MAX / 2)
        throw Error("Text of " + std::to_string(bytes.size()) + " bytes is too long to decode");
    return static_cast<int32_t>(bytes.size());
}

// UTF-8 never needs more UTF-16 units than it has bytes.
WideString FromUtf8(std::string_view bytes, UChar32 substitute, UErrorCode& status)
{
    if (bytes.empty())
        return {};
    WideString text(bytes.size(), u'\0');
    int32_t length = 0;
    u_strFromUTF8WithSub(text.data(), static_cast<int32_t>(text.size()), &length, bytes.data(),
        IcuLength(bytes), substitute, nullptr, &status);
    if (U_FAILURE(status))
        return {};
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    UErrorCode status = U_ZERO_ERROR;
    FromUtf8(bytes, U_SENTINEL, status);
    return U_SUCCESS(status);
}

WideString DecodeUtf8(std::string_view bytes)
{
    UErrorCode status = U_ZERO_ERROR;
    return FromUtf8(bytes, kReplacementCharacter, status);
}

WideString DecodeUtf8OrSystem(std::string_view bytes)
{
    UErrorCode status = U_ZERO_ERROR;
    WideString text = FromUtf8(bytes, U_SENTINEL, status);
    return U_SUCCESS(status) ? text : WidenSystem(AnsiString(bytes));
}

} // namespace vennart::text
