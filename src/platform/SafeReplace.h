// The one way a file's content is replaced: the new content goes to a temporary file beside it, is
// flushed to disk and gets the original's permission bits, and only then takes the original's place
// in one atomic rename. Whatever fails before that, the original stays byte for byte as it was and
// the temporary file is removed.
#pragma once

#include "platform/File.h"
#include "platform/FileSystem.h"

#include <filesystem>
#include <functional>
#include <sys/types.h>

namespace vennart::platform {

// The temporary file of a save: the full name with ".$$$" appended, in the same folder.
std::filesystem::path TemporaryFileName(const std::filesystem::path& target);

// Replaces target (a real file, not a symbolic link) with what writeContent writes into the temporary
// file, which is opened for reading and writing. permissions are the bits the new file gets.
void ReplaceFileContent(FileSystem& fileSystem, const std::filesystem::path& target, mode_t permissions,
    const std::function<void(File& temporary)>& writeContent);

} // namespace vennart::platform
