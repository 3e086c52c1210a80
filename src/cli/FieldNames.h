// The fields set can write: the panel's main fields by name, any other frame by its identifier.
#pragma once

#include "workspace/TagFields.h"

#include <optional>
#include <string_view>

namespace vennart::cli {

// The field a FIELD of set names: title, artist, album, year, genre, track or comment (any letter
// case), or the identifier of a frame the descriptor table knows and a frame can be created for
// (any "T..." or "W..." frame, COMM). None for anything else.
std::optional<workspace::TagField> FieldNamed(std::string_view name);

} // namespace vennart::cli
