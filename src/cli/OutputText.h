// The text the tool prints: UTF-8 always, so that a terminal shows it and other programs can read it,
// and JSON strings escaped for them.
#pragma once

#include "platform/Strings.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vennart::cli {

// Wide text as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8(std::u16string_view text);

// A path as UTF-8: Linux names are bytes, and those that are not UTF-8 show U+FFFD in their place.
std::string PathText(const std::filesystem::path& path);

// Wide text as UTF-8 for a terminal: control characters (C0, DEL and C1), which could move the
// cursor or recolour the screen, are written as \uXXXX instead.
std::string Printable(std::u16string_view text);
// A message of several lines so written, each line but the first indented.
std::string PrintableMessage(std::string_view utf8);
// A path so written.
std::string PrintablePath(const std::filesystem::path& path);

// The UTF-8 text as a JSON string literal, quotes included: quote, backslash and every control
// character escaped, everything else as it is.
std::string JsonString(std::string_view utf8);

// One JSON object written member by member, for one line of output.
class JsonObject {
public:
    // Room for a typical member list, which would otherwise grow its text several times.
    JsonObject() { text_.reserve(kTypicalSize); }

    JsonObject& Add(std::string_view key, std::string_view utf8);
    JsonObject& Add(std::string_view key, std::u16string_view text);
    JsonObject& AddNumber(std::string_view key, long long value);
    // A value that is JSON text already: an object, an array, null.
    JsonObject& AddJson(std::string_view key, std::string_view json);
    std::string Text() const { return text_ + "}"; }
    // The object and a line feed, for the last use of the object.
    std::string Line() { return std::move(text_ += "}\n"); }

private:
    static constexpr std::size_t kTypicalSize = 256;

    void Key(std::string_view key);
    std::string text_ = "{";
};

// Joins JSON values into an array.
std::string JsonArray(const std::vector<std::string>& values);

} // namespace vennart::cli
