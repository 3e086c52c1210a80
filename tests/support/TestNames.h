// What the table-driven tests share for naming their rows: ctest and every failure print a row by
// its name or its text, never as the raw bytes of its struct.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

// Declares how gtest prints a row type `Type`: as the expression given, in which `row` is the row.
#define VENNART_PRINT_ROW_AS(Type, ...)                                                                      \
    [[maybe_unused]] void PrintTo(const Type& row, std::ostream* out)                                        \
    {                                                                                                        \
        *out << __VA_ARGS__;                                                                                 \
    }

namespace vennart::test {

// Names each row of a parameterized test by its `name` member.
inline constexpr auto ByName = [](const auto& info) { return std::string(info.param.name); };

// The text with every unit outside ASCII as '?', for naming a row by its text.
inline std::string Ascii(std::u16string_view text)
{
    std::string ascii;
    for (const char16_t unit : text)
        ascii += unit < 0x80 ? static_cast<char>(unit) : '?';
    return ascii;
}

} // namespace vennart::test
