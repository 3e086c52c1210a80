#include "cli/FieldNames.h"

#include "text/CommaText.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vennart::cli {
namespace {

// The names of the panel's main fields, in the order of the main identifiers.
constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kMainFieldNames { {
    { "title", "TIT2" },
    { "artist", "TPE1" },
    { "album", "TALB" },
    { "year", "TYER" },
    { "genre", "TCON" },
    { "track", "TRCK" },
    { "comment", "COMM" },
} };

bool SameAscii(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

} // namespace

std::optional<workspace::TagField> FieldNamed(std::string_view name)
{
    std::string_view id = name;
    for (const auto& [fieldName, frameID] : kMainFieldNames) {
        if (SameAscii(name, fieldName))
            id = frameID;
    }
    // The main identifiers first, so that each field keeps the number the panel gives it.
    std::vector<AnsiString> tagList = text::SplitCommaText(workspace::kMainTagIDs);
    tagList.emplace_back(id);
    for (workspace::TagField& field : workspace::BuildTagFields(tagList)) {
        if (SameAscii(field.id, id))
            return std::move(field);
    }
    return std::nullopt;
}

} // namespace vennart::cli
