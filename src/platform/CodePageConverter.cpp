#include "platform/CodePageConverter.h"

#include "platform/Error.h"

#include <climits>
#include <unicode/ucnv.h>

namespace vennart::platform {
namespace {

// ICU counts in int32_t and may need a few bytes per unit; longer text is refused rather than cut.
constexpr std::size_t kMaxIcuLength = INT32_MAX / 8;

UConverter* OpenFirstKnown(uint32_t codePage)
{
    for (const std::string& name : IcuConverterNames(codePage)) {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* converter = ucnv_open(name.c_str(), &status);
        if (U_SUCCESS(status))
            return converter;
    }
    return nullptr;
}

void CheckIcuLength(std::size_t length)
{
    if (length > kMaxIcuLength)
        throw Error("Text of " + std::to_string(length) + " units is too long for a code page conversion");
}

} // namespace

std::vector<std::string> IcuConverterNames(uint32_t codePage)
{
    switch (codePage) {
    case 65001:
        return { "UTF-8" };
    case 1201:
        return { "UTF-16BE" };
    case 20127:
        return { "US-ASCII" };
    default:
        break;
    }
    if (codePage >= 28591 && codePage <= 28605)
        return { "ISO-8859-" + std::to_string(codePage - 28590) };
    const std::string number = std::to_string(codePage);
    return { "windows-" + number, "cp" + number, "ibm-" + number };
}

std::unique_ptr<CodePageConverter> CodePageConverter::Open(uint32_t codePage)
{
    UConverter* converter = OpenFirstKnown(codePage);
    if (converter == nullptr)
        return nullptr;
    return std::unique_ptr<CodePageConverter>(new CodePageConverter(converter));
}

CodePageConverter::CodePageConverter(UConverter* converter)
    : converter_(converter)
{
    ucnv_setFallback(converter_, true);
    // "?" is one byte in every code page the program offers; should ICU refuse it for some exotic
    // converter, that converter keeps its own substitute, which is still no error.
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setSubstString(converter_, u"?", 1, &status);
}

CodePageConverter::~CodePageConverter()
{
    ucnv_close(converter_);
}

WideString CodePageConverter::Decode(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    CheckIcuLength(bytes.size());
    const std::lock_guard lock(mutex_);
    WideString text(bytes.size(), u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = ucnv_toUChars(converter_, text.data(), static_cast<int32_t>(text.size()), bytes.data(),
        static_cast<int32_t>(bytes.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        text.assign(static_cast<std::size_t>(length), u'\0');
        status = U_ZERO_ERROR;
        length = ucnv_toUChars(
            converter_, text.data(), length, bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    }
    if (U_FAILURE(status))
        return {};
    text.resize(static_cast<std::size_t>(length));
    // UTF-8 and other multi-byte code pages give fewer characters than bytes: the names of a listed
    // folder would each keep room for twice their length.
    text.shrink_to_fit();
    return text;
}

AnsiString CodePageConverter::Encode(std::u16string_view text)
{
    if (text.empty())
        return {};
    CheckIcuLength(text.size());
    const std::lock_guard lock(mutex_);
    const auto length = static_cast<int32_t>(text.size());
    AnsiString bytes(UCNV_GET_MAX_BYTES_FOR_STRING(length, ucnv_getMaxCharSize(converter_)), '\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t written = ucnv_fromUChars(
        converter_, bytes.data(), static_cast<int32_t>(bytes.size()), text.data(), length, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        bytes.assign(static_cast<std::size_t>(written), '\0');
        status = U_ZERO_ERROR;
        written = ucnv_fromUChars(converter_, bytes.data(), written, text.data(), length, &status);
    }
    if (U_FAILURE(status))
        return {};
    bytes.resize(static_cast<std::size_t>(written));
    return bytes;
}

} // namespace vennart::platform
