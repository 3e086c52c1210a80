#include "platform/CaseMapping.h"

#include "platform/Error.h"

#include <climits>
#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace vennart::platform {
namespace {

constexpr UChar32 kLastBasicPlaneCharacter = 0xFFFF;
constexpr uint32_t kCaseOptions = U_FOLD_CASE_DEFAULT | U_COMPARE_CODE_POINT_ORDER;

char16_t KeepInBasicPlane(char16_t unit, UChar32 mapped)
{
    return mapped <= kLastBasicPlaneCharacter ? static_cast<char16_t>(mapped) : unit;
}

int32_t IcuLength(std::u16string_view text)
{
    if (text.size() > INT32_MAX / 4)
        throw Error("Text of " + std::to_string(text.size()) + " units is too long to compare");
    return static_cast<int32_t>(text.size());
}

} // namespace

char16_t UpperCaseUnit(char16_t unit)
{
    return KeepInBasicPlane(unit, u_toupper(unit));
}

char16_t LowerCaseUnit(char16_t unit)
{
    return KeepInBasicPlane(unit, u_tolower(unit));
}

WideString UpperCase(std::u16string_view text)
{
    WideString mapped(text);
    for (char16_t& unit : mapped)
        unit = UpperCaseUnit(unit);
    return mapped;
}

WideString LowerCase(std::u16string_view text)
{
    WideString mapped(text);
    for (char16_t& unit : mapped)
        unit = LowerCaseUnit(unit);
    return mapped;
}

bool IsLowerCaseLetter(char16_t unit)
{
    return u_charType(unit) == U_LOWERCASE_LETTER;
}

WideString FoldCase(std::u16string_view text)
{
    if (text.empty())
        return {};
    const int32_t length = IcuLength(text);
    // Folding grows text at most threefold (U+0390 folds to three characters).
    WideString folded(text.size() * 3, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t foldedLength = u_strFoldCase(folded.data(), static_cast<int32_t>(folded.size()),
        text.data(), length, U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status))
        throw Error("Cannot fold the letter case of a text of " + std::to_string(text.size()) + " units");
    folded.resize(static_cast<std::size_t>(foldedLength));
    return folded;
}

int CompareNoCase(std::u16string_view a, std::u16string_view b)
{
    // ICU refuses a null pointer even with length 0, and an empty view may have one.
    if (a.empty() || b.empty())
        return static_cast<int>(!a.empty()) - static_cast<int>(!b.empty());
    UErrorCode status = U_ZERO_ERROR;
    return u_strCaseCompare(a.data(), IcuLength(a), b.data(), IcuLength(b), kCaseOptions, &status);
}

bool EqualNoCase(std::u16string_view a, std::u16string_view b)
{
    return CompareNoCase(a, b) == 0;
}

} // namespace vennart::platform
