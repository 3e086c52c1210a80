// The folder the window opens with.
#pragma once

#include <filesystem>

namespace vennart::workspace {

// The stored folder when it exists; when it no longer does, its nearest existing parent, else
// `home`. An empty stored folder means `current` (the folder the program was started in).
std::filesystem::path ResolveStartFolder(const std::filesystem::path& stored,
    const std::filesystem::path& current, const std::filesystem::path& home);

} // namespace vennart::workspace
