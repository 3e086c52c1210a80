// The one way a file's content is replaced: the new content goes to a new file beside it that no
// other program can see, is flushed to disk, gets the original's owner, permission bits and extended
// attributes, and only then takes the original's place in one atomic rename. Whatever fails before
// that, the original stays byte for byte as it was and the new file is gone. Only names this
// program made are ever removed.
#pragma once

#include "platform/File.h"
#include "platform/FileSystem.h"

#include <filesystem>
#include <functional>
#include <sys/types.h>
#include <vector>

namespace vennart::platform {

// What a file is besides its bytes, which a new copy keeps.
struct KeptAttributes {
    mode_t mode = 0;
    bool keepOwner = false;
    uid_t owner = 0;
    gid_t group = 0;
    std::vector<ExtendedAttribute> extended {};
};

// Those of an open file.
KeptAttributes AttributesOf(File& original);

// A save of many files flushes their folder once, after the last of them (SyncFolder).
enum class FolderSync { Now, Later };

// Replaces target (a real file, not a symbolic link) with what writeContent writes into the new
// file, which is opened for reading and writing.
void ReplaceFileContent(FileSystem& fileSystem, const std::filesystem::path& target,
    const KeptAttributes& attributes, const std::function<void(File& replacement)>& writeContent,
    FolderSync folderSync = FolderSync::Now);

// For a file with other hard links, which a rename would split from them: first a complete, flushed
// copy of it goes beside it, then writeContent(copy, original) writes the new content into the
// original itself. On failure the original is put back from the copy; the copy is removed unless
// that fails too, and then the error names it. After a crash the scan finds the copy.
void RewriteInPlace(FileSystem& fileSystem, File& original,
    const std::function<void(File& copy, File& original)>& writeContent,
    FolderSync folderSync = FolderSync::Now);

// Makes the renames in folder durable. Some file systems cannot flush a folder; the new contents are
// already on disk and in place then, so that is not an error.
void SyncFolder(FileSystem& fileSystem, const std::filesystem::path& folder);

} // namespace vennart::platform
