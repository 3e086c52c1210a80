#include "cli/OutputText.h"

#include "platform/Error.h"
#include "text/Utf8.h"

#include <climits>
#include <cstdio>
#include <unicode/ustring.h>

namespace vennart::cli {
namespace {

constexpr UChar32 kReplacementCharacter = 0xFFFD;
// One UTF-16 unit never needs more than three bytes of UTF-8.
constexpr std::size_t kUtf8BytesPerUnit = 3;

} // namespace

std::string Utf8(std::u16string_view text)
{
    if (text.empty())
        return {};
    if (text.size() > INT32_MAX / kUtf8BytesPerUnit)
        throw Error("A text of " + std::to_string(text.size()) + " characters is too long to print");
    std::string bytes(text.size() * kUtf8BytesPerUnit, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(bytes.data(), static_cast<int32_t>(bytes.size()), &length, text.data(),
        static_cast<int32_t>(text.size()), kReplacementCharacter, nullptr, &status);
    if (U_FAILURE(status))
        throw Error(std::string("Cannot write text as UTF-8: ") + u_errorName(status));
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
}

std::string PathText(const std::filesystem::path& path)
{
    const std::string& bytes = path.native();
    return text::IsValidUtf8(bytes) ? bytes : Utf8(text::DecodeUtf8(bytes));
}

std::string Printable(std::u16string_view text)
{
    std::u16string safe;
    safe.reserve(text.size());
    for (const char16_t unit : text) {
        if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F)) {
            char escape[7];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
            safe.append(escape, escape + 6);
        } else {
            safe += unit;
        }
    }
    return Utf8(safe);
}

std::string PrintablePath(const std::filesystem::path& path)
{
    return Printable(text::DecodeUtf8(path.native()));
}

std::string JsonString(std::string_view utf8)
{
    std::string quoted = "\"";
    quoted.reserve(utf8.size() + 2);
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[7];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

void JsonObject::Key(std::string_view key)
{
    if (text_.size() > 1)
        text_ += ',';
    text_ += JsonString(key);
    text_ += ':';
}

JsonObject& JsonObject::Add(std::string_view key, std::string_view utf8)
{
    Key(key);
    text_ += JsonString(utf8);
    return *this;
}

JsonObject& JsonObject::Add(std::string_view key, std::u16string_view text)
{
    return Add(key, std::string_view(Utf8(text)));
}

JsonObject& JsonObject::AddNumber(std::string_view key, long long value)
{
    Key(key);
    text_ += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::AddJson(std::string_view key, std::string_view json)
{
    Key(key);
    text_ += json;
    return *this;
}

std::string JsonArray(const std::vector<std::string>& values)
{
    std::string array = "[";
    for (const std::string& value : values) {
        if (array.size() > 1)
            array += ',';
        array += value;
    }
    return array + "]";
}

} // namespace vennart::cli
