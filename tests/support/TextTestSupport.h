// What the text and settings tests share: the message of the failure an action reports, and names of
// cases by their text.
#pragma once

#include "platform/Error.h"

#include <string>
#include <string_view>

namespace vennart::test {

// The message of the vennart::Error that `action` throws, or "(no error)" when it throws none.
template <typename Action> std::string ErrorOf(Action action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

// The text with every unit outside ASCII as '?', for naming a test case by its text.
inline std::string Ascii(std::u16string_view text)
{
    std::string ascii;
    for (const char16_t unit : text)
        ascii += unit < 0x80 ? static_cast<char>(unit) : '?';
    return ascii;
}

} // namespace vennart::test
