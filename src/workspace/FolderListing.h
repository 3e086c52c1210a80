// The MP3 files of one folder, in the order the scan lists them.
#pragma once

#include "platform/StoredPath.h"
#include "platform/Strings.h"

#include <dirent.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vennart::workspace {

struct ListedFile {
    platform::StoredPath path;
    WideString name; // as the grids show it
};

// The songs of a folder, and the folder itself, held open: the scan opens each song in the folder
// that was listed, by its name alone.
struct FolderListing {
    std::unique_ptr<DIR, int (*)(DIR*)> folder { nullptr, closedir };
    std::vector<ListedFile> files;

    int FolderDescriptor() const { return dirfd(folder.get()); }
};

// The regular files (or links to them) whose names end in ".mp3" in any letter case, hidden ones
// included, sorted by name without regard to letter case. Folders so named are not files and are
// left out. Throws vennart::Error naming the folder when it cannot be listed. The names of what an
// interrupted save left there go to `leftovers`, sorted, when it is given.
FolderListing ListMp3Files(
    const std::filesystem::path& folder, std::vector<std::string>* leftovers = nullptr);

} // namespace vennart::workspace
