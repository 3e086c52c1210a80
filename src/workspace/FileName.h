// File names as the grids show and edit them: the name part of a path, decoded from the bytes
// Linux keeps (UTF-8 by convention) into wide text.
#pragma once

#include "platform/StoredPath.h"
#include "platform/Strings.h"

#include <filesystem>
#include <string_view>

namespace vennart::workspace {

// The name part of the path (what follows the last "/") as wide text.
WideString DisplayName(const std::filesystem::path& path);
WideString DisplayName(const platform::StoredPath& path);
// The same for a file name alone, as a folder listing gives it.
WideString ShownName(std::string_view fileName);

// The path of `name` (wide text from a grid) in `folder`.
std::filesystem::path PathInFolder(const std::filesystem::path& folder, const WideString& name);

} // namespace vennart::workspace
