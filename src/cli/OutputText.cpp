#include "cli/OutputText.h"

#include "platform/Error.h"
#include "text/Utf8.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

namespace vennart::cli {
namespace {

constexpr UChar32 kReplacementCharacter = 0xFFFD;
// One UTF-16 unit never needs more than three bytes of UTF-8.
constexpr std::size_t kUtf8BytesPerUnit = 3;

// Checked in place: paths are printed once per file, and nearly all are UTF-8.
bool IsUtf8(std::string_view bytes)
{
    const auto length = static_cast<int32_t>(std::min<std::size_t>(bytes.size(), INT32_MAX));
    for (int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes.data(), i, length, c);
        if (c < 0)
            return false;
    }
    return length == static_cast<int32_t>(bytes.size());
}

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
    return IsUtf8(bytes) ? bytes : Utf8(text::DecodeUtf8(bytes));
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

std::string PrintableMessage(std::string_view utf8)
{
    std::string message;
    for (std::size_t start = 0; start <= utf8.size();) {
        const std::size_t end = std::min(utf8.find('\n', start), utf8.size());
        message += (start == 0 ? "" : "\n  ") + Printable(text::DecodeUtf8(utf8.substr(start, end - start)));
        start = end + 1;
    }
    return message;
}

std::string PrintablePath(const std::filesystem::path& path)
{
    return Printable(text::DecodeUtf8(path.native()));
}

namespace {

bool NeedsEscape(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return c == '"' || c == '\\' || byte < 0x20 || byte == 0x7F;
}

void AppendEscape(std::string& out, char32_t c)
{
    if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
    } else if (c == '\n') {
        out += "\\n";
    } else if (c == '\t') {
        out += "\\t";
    } else {
        char escape[11];
        std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
        out += escape;
    }
}

// Reports of thousands of files are mostly plain text: runs without anything to escape are
// appended whole.
void AppendJson(std::string& out, std::string_view utf8)
{
    out += '"';
    std::size_t run = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (!NeedsEscape(utf8[i]))
            continue;
        out.append(utf8.substr(run, i - run));
        AppendEscape(out, static_cast<unsigned char>(utf8[i]));
        run = i + 1;
    }
    out.append(utf8.substr(run));
    out += '"';
}

// The length of the run of plain ASCII, nothing to escape, at the start of text.
std::size_t PlainAsciiRun(std::u16string_view text)
{
    std::size_t end = 0;
    while (end < text.size() && text[end] < 0x80 && !NeedsEscape(static_cast<char>(text[end])))
        ++end;
    return end;
}

// Wide text straight into the JSON line, without a UTF-8 copy of it first; runs of plain ASCII,
// most of what tags hold, are narrowed whole.
void AppendJson(std::string& out, std::u16string_view text)
{
    out += '"';
    const auto length = static_cast<int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
    for (int32_t i = 0; i < length;) {
        const std::size_t run
            = PlainAsciiRun(text.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(length - i)));
        if (run > 0) {
            const std::size_t at = out.size();
            out.resize(at + run);
            std::transform(text.begin() + i, text.begin() + i + static_cast<std::ptrdiff_t>(run),
                out.begin() + static_cast<std::ptrdiff_t>(at),
                [](char16_t unit) { return static_cast<char>(unit); });
            i += static_cast<int32_t>(run);
            continue;
        }
        UChar32 c = 0;
        U16_NEXT(text.data(), i, length, c);
        if (U_IS_SURROGATE(c))
            c = kReplacementCharacter;
        if (c < 0x80) {
            AppendEscape(out, static_cast<char32_t>(c));
            continue;
        }
        char bytes[U8_MAX_LENGTH];
        int32_t used = 0;
        U8_APPEND_UNSAFE(bytes, used, c);
        out.append(bytes, static_cast<std::size_t>(used));
    }
    out += '"';
}

} // namespace

void JsonObject::Separate()
{
    if (text_.back() != '{' && text_.back() != '[')
        text_ += ',';
}

void JsonObject::Key(std::string_view key)
{
    Separate();
    AppendJson(text_, key);
    text_ += ':';
}

JsonObject& JsonObject::Add(std::string_view key, std::string_view utf8)
{
    Key(key);
    AppendJson(text_, utf8);
    return *this;
}

JsonObject& JsonObject::Add(std::string_view key, std::u16string_view text)
{
    Key(key);
    AppendJson(text_, text);
    return *this;
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

void JsonObject::Begin(char opener)
{
    text_ += opener;
    open_ += opener == '{' ? '}' : ']';
}

JsonObject& JsonObject::Open(std::string_view key)
{
    Key(key);
    Begin('{');
    return *this;
}

JsonObject& JsonObject::OpenArray(std::string_view key)
{
    Key(key);
    Begin('[');
    return *this;
}

JsonObject& JsonObject::OpenElement()
{
    Separate();
    Begin('{');
    return *this;
}

JsonObject& JsonObject::AddElement(std::string_view utf8)
{
    Separate();
    AppendJson(text_, utf8);
    return *this;
}

JsonObject& JsonObject::AddJsonElement(std::string_view json)
{
    Separate();
    text_ += json;
    return *this;
}

JsonObject& JsonObject::Close()
{
    text_ += open_.back();
    open_.pop_back();
    return *this;
}

std::string JsonObject::Line()
{
    while (!open_.empty())
        Close();
    return std::move(text_ += "}\n");
}

} // namespace vennart::cli
