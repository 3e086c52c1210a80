#include "workspace/StartFolder.h"

namespace vennart::workspace {
namespace {

bool IsFolder(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

} // namespace

std::filesystem::path ResolveStartFolder(const std::filesystem::path& stored,
    const std::filesystem::path& current, const std::filesystem::path& home)
{
    if (stored.empty())
        return current;
    for (std::filesystem::path folder = stored.lexically_normal(); folder.is_absolute();
         folder = folder.parent_path()) {
        if (IsFolder(folder))
            return folder;
        if (folder == folder.root_path())
            break;
    }
    return home;
}

} // namespace vennart::workspace
