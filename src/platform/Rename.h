// Renaming that never replaces an existing file: a name that is taken makes the rename fail.
#pragma once

#include "platform/FileSystem.h"

#include <filesystem>

namespace vennart::platform {

// Renames from to `to`; throws vennart::Error naming both when it fails, also when `to` exists.
// Uses renameat2(RENAME_NOREPLACE); where the file system lacks it, a hard link to the new name
// (which fails when the name is taken) followed by removing the old one.
void RenameWithoutReplacing(
    FileSystem& fileSystem, const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace vennart::platform
