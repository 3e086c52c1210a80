#include "platform/SafeReplace.h"

#include "platform/Error.h"
#include "platform/SaveLeftovers.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <string>
#include <string_view>

namespace vennart::platform {
namespace {

constexpr std::string_view kCannotCreate = "Could not create temporary file. ";
constexpr mode_t kPermissionBits = 07777;
constexpr int kNameAttempts = 16;
constexpr std::string_view kAccessAcl = "system.posix_acl_access";

std::filesystem::path FolderOf(const std::filesystem::path& file)
{
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// "<caption><file saved>: cannot create <new file>: <cause>".
[[noreturn]] void FailToCreate(
    const std::filesystem::path& target, const std::filesystem::path& created, int cause)
{
    try {
        ThrowSystemError(target, "cannot create " + created.string(), cause);
    } catch (const Error& error) {
        throw Error(std::string(kCannotCreate) + error.what());
    }
}

// A new file under a fresh hidden name beside target; `name` is set to it.
std::unique_ptr<File> CreateNamed(FileSystem& fileSystem, const std::filesystem::path& target,
    SaveLeftover kind, std::filesystem::path& name)
{
    for (int attempt = 1;; ++attempt) {
        name = UniqueLeftoverName(FolderOf(target), kind);
        if (auto file = File::TryOpen(fileSystem, name, O_RDWR | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR))
            return file;
        if (errno != EEXIST || attempt == kNameAttempts)
            FailToCreate(target, name, errno);
    }
}

// A file without a name, so that a crash leaves nothing behind; where the file system cannot make
// one, a hidden named one, whose name is set in `name`.
std::unique_ptr<File> CreateReplacement(
    FileSystem& fileSystem, const std::filesystem::path& target, std::filesystem::path& name)
{
    const std::filesystem::path folder = FolderOf(target);
    if (auto file = File::TryOpen(fileSystem, folder, O_TMPFILE | O_RDWR, S_IRUSR | S_IWUSR))
        return file;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        FailToCreate(target, "a new file in " + folder.string(), errno);
    return CreateNamed(fileSystem, target, SaveLeftover::NewCopy, name);
}

// The nameless file gets its hidden name only now, just before the rename.
std::filesystem::path NameReplacement(File& replacement, const std::filesystem::path& target)
{
    for (int attempt = 1;; ++attempt) {
        const std::filesystem::path name = UniqueLeftoverName(FolderOf(target), SaveLeftover::NewCopy);
        if (replacement.LinkAs(name))
            return name;
        if (errno != EEXIST || attempt == kNameAttempts)
            FailToCreate(target, name, errno);
    }
}

bool MustKeep(const std::string& attributeName)
{
    return attributeName.starts_with("user.") || attributeName.starts_with("system.posix_acl_");
}

// The owner first: changing it clears the set-user-ID bits, which the mode then sets again. The
// mode before the ACL, which would otherwise lose its mask to the group bits.
void ApplyAttributes(File& file, const KeptAttributes& attributes)
{
    if (attributes.keepOwner && !file.ChangeOwner(attributes.owner, attributes.group))
        file.ChangeOwner(static_cast<uid_t>(-1), attributes.group);
    file.ChangeMode(attributes.mode);
    const auto hasAccessAcl = std::ranges::any_of(
        attributes.extended, [](const ExtendedAttribute& attribute) { return attribute.name == kAccessAcl; });
    if (!hasAccessAcl)
        file.RemoveExtendedAttribute(std::string(kAccessAcl));
    for (const ExtendedAttribute& attribute : attributes.extended) {
        if (!file.SetExtendedAttribute(attribute) && MustKeep(attribute.name))
            ThrowSystemError(file.Path(), "cannot keep the extended attribute " + attribute.name, errno);
    }
}

} // namespace

KeptAttributes AttributesOf(File& original)
{
    const struct stat status = original.Status();
    return { status.st_mode & kPermissionBits, true, status.st_uid, status.st_gid,
        original.ExtendedAttributes() };
}

void ReplaceFileContent(FileSystem& fileSystem, const std::filesystem::path& target,
    const KeptAttributes& attributes, const std::function<void(File& replacement)>& writeContent,
    FolderSync folderSync)
{
    const std::filesystem::path folder = FolderOf(target);
    std::filesystem::path name;
    std::unique_ptr<File> replacement = CreateReplacement(fileSystem, target, name);
    try {
        writeContent(*replacement);
        ApplyAttributes(*replacement, attributes);
        replacement->Sync();
        if (name.empty())
            name = NameReplacement(*replacement, target);
        replacement->Close();
        if (fileSystem.Rename(name, target) != 0)
            ThrowSystemError(target, "cannot replace the file with " + name.string(), errno);
    } catch (...) {
        replacement.reset();
        if (!name.empty())
            fileSystem.Unlink(name);
        throw;
    }
    if (folderSync == FolderSync::Now)
        SyncFolder(fileSystem, folder);
}

namespace {

// Called while the failure that made it necessary is being handled: rethrows that failure once the
// original is back, or says where its copy is when it cannot be put back.
[[noreturn]] void PutBack(FileSystem& fileSystem, File& original, std::unique_ptr<File>& copy,
    const std::filesystem::path& copyName, std::int64_t size, const std::string& failure)
{
    try {
        original.Truncate(0);
        original.CopyFrom(*copy, 0, size, 0);
        original.Sync();
    } catch (const Error& error) {
        throw Error(failure + "; putting the file back failed too (" + error.what()
            + "); its complete copy is " + copyName.string());
    }
    copy.reset();
    fileSystem.Unlink(copyName);
    throw;
}

} // namespace

void RewriteInPlace(FileSystem& fileSystem, File& original,
    const std::function<void(File& copy, File& original)>& writeContent, FolderSync folderSync)
{
    const std::filesystem::path folder = FolderOf(original.Path());
    const std::int64_t size = original.Status().st_size;
    std::filesystem::path copyName;
    std::unique_ptr<File> copy = CreateNamed(fileSystem, original.Path(), SaveLeftover::OldCopy, copyName);
    try {
        copy->CopyFrom(original, 0, size, 0);
        copy->Sync();
    } catch (...) {
        copy.reset();
        fileSystem.Unlink(copyName);
        throw;
    }
    // The copy's name must outlast a crash that comes after the original is cut short.
    SyncFolder(fileSystem, folder);
    try {
        original.Truncate(0);
        writeContent(*copy, original);
        original.Sync();
    } catch (const std::exception& error) {
        PutBack(fileSystem, original, copy, copyName, size, error.what());
    }
    copy.reset();
    fileSystem.Unlink(copyName);
    if (folderSync == FolderSync::Now)
        SyncFolder(fileSystem, folder);
}

void SyncFolder(FileSystem& fileSystem, const std::filesystem::path& folder)
{
    const int fd = fileSystem.Open(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        return;
    fileSystem.FSync(fd);
    fileSystem.Close(fd);
}

} // namespace vennart::platform
