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

// One JSON object for one line of output, written member by member into one text: members whose
// values are objects or arrays are written in place, between Open and Close, rather than made aside
// and copied in, which cost a report of thousands of files much of its time.
class JsonObject {
public:
    // Room for a typical file's report, which would otherwise grow its text several times.
    JsonObject() { text_.reserve(kTypicalSize); }

    JsonObject& Add(std::string_view key, std::string_view utf8);
    JsonObject& Add(std::string_view key, std::u16string_view text);
    JsonObject& AddNumber(std::string_view key, long long value);
    // A value that is JSON text already: null, a number.
    JsonObject& AddJson(std::string_view key, std::string_view json);

    // A member whose value is an object, or an array, whose members or elements follow.
    JsonObject& Open(std::string_view key);
    JsonObject& OpenArray(std::string_view key);
    // The next element of the array open: an object whose members follow, a string, JSON text.
    JsonObject& OpenElement();
    JsonObject& AddElement(std::string_view utf8);
    JsonObject& AddJsonElement(std::string_view json);
    // Ends the object or array opened last.
    JsonObject& Close();

    // The object and a line feed, with whatever is still open closed, for the last use of the object.
    std::string Line();

private:
    static constexpr std::size_t kTypicalSize = 2048;

    void Separate();
    // Starts an object ('{') or an array ('[') whose closing bracket Close writes.
    void Begin(char opener);
    void Key(std::string_view key);
    std::string text_ = "{";
    // The closing brackets of what is open, innermost last.
    std::string open_;
};

} // namespace vennart::cli
