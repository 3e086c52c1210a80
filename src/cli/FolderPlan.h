// Which folders a run goes through, and which files of each: the PATH arguments grouped by folder,
// with every folder below the given ones when the run is recursive.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vennart::cli {

struct FolderWork {
    std::filesystem::path folder;
    bool wholeFolder = false;
    std::vector<std::filesystem::path> fileNames = {}; // the name parts of the files named, in order
    long long expectedFiles = 0; // what the walk counted, for the progress line
};

struct FolderPlan {
    std::vector<FolderWork> folders; // in the order of the arguments, each folder once
    std::vector<std::string> failures; // arguments and folders that cannot be gone through
    long long ExpectedFiles() const;
};

// A folder argument stands for its "*.mp3" files, and with `recursive` for those of every folder
// below it too, in name order, depth first; symbolic links to folders are not followed, so that no
// folder is reached twice through a loop. A file argument stands for itself. An argument that is
// neither, or a folder that cannot be listed, is a failure and the others go on.
FolderPlan PlanFolders(const std::vector<std::filesystem::path>& arguments, bool recursive);

} // namespace vennart::cli
