#include "platform/SafeReplace.h"

#include "platform/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>

namespace vennart::platform {
namespace {

constexpr std::string_view kCannotCreate = "Could not create temporary file. ";

// A temporary file left by an earlier, interrupted save is stale: remove it before starting afresh.
void RemoveStaleTemporary(FileSystem& fileSystem, const std::filesystem::path& temporary)
{
    if (fileSystem.Unlink(temporary) == 0 || errno == ENOENT)
        return;
    const int cause = errno;
    throw Error(std::string(kCannotCreate) + temporary.string()
        + ": cannot remove the file left by an earlier save: " + std::strerror(cause));
}

void CreateTemporary(
    FileSystem& fileSystem, const std::filesystem::path& temporary, std::optional<File>& file)
{
    try {
        file.emplace(fileSystem, temporary, O_RDWR | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
    } catch (const Error& error) {
        throw Error(std::string(kCannotCreate) + error.what());
    }
}

// Makes the rename itself durable. Some file systems cannot flush a folder; the new content is
// already on disk and in place, so a failure here does not undo the save.
void SyncFolderOf(FileSystem& fileSystem, const std::filesystem::path& file)
{
    std::filesystem::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    const int fd = fileSystem.Open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        return;
    fileSystem.FSync(fd);
    fileSystem.Close(fd);
}

} // namespace

std::filesystem::path TemporaryFileName(const std::filesystem::path& target)
{
    std::filesystem::path temporary = target;
    temporary += ".$$$";
    return temporary;
}

void ReplaceFileContent(FileSystem& fileSystem, const std::filesystem::path& target, mode_t permissions,
    const std::function<void(File& temporary)>& writeContent)
{
    const std::filesystem::path temporaryName = TemporaryFileName(target);
    RemoveStaleTemporary(fileSystem, temporaryName);
    std::optional<File> temporary;
    CreateTemporary(fileSystem, temporaryName, temporary);
    try {
        writeContent(*temporary);
        temporary->ChangeMode(permissions);
        temporary->Sync();
        temporary->Close();
        if (fileSystem.Rename(temporaryName, target) != 0) {
            const int cause = errno;
            ThrowSystemError(target, "cannot replace the file with " + temporaryName.string(), cause);
        }
    } catch (...) {
        temporary.reset();
        fileSystem.Unlink(temporaryName);
        throw;
    }
    SyncFolderOf(fileSystem, target);
}

} // namespace vennart::platform
