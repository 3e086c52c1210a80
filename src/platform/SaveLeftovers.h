// The files a save makes beside the one it saves have hidden names of one pattern that no song
// has, so that a save never touches a user's file and the scan can tell what an interrupted save
// left behind.
#pragma once

#include <filesystem>
#include <string_view>

namespace vennart::platform {

enum class SaveLeftover {
    NewCopy, // the new content, named just before it takes the original's place
    OldCopy, // a complete copy of the original, kept while a file with other links is rewritten
};

// A fresh name of that pattern in folder; unlikely to exist, so creating it with O_EXCL fails
// only by a chance a retry covers.
std::filesystem::path UniqueLeftoverName(const std::filesystem::path& folder, SaveLeftover kind);

// True for a name of that pattern (a file name, without its folder).
bool IsLeftoverName(std::string_view name);

} // namespace vennart::platform
