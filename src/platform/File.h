// One open file, closed when the object goes. Every operation either does all it promises or throws
// vennart::Error with a message that names the file and the operating system's cause.
#pragma once

#include "platform/FileSystem.h"
#include "platform/StoredPath.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace vennart::platform {

struct ExtendedAttribute {
    std::string name;
    std::vector<std::uint8_t> value;
};

class File {
public:
    File(FileSystem& fileSystem, StoredPath path, int flags, mode_t mode = 0);
    // The file of `path` opened in `folder`, the open folder path names (see FileSystem::OpenIn).
    File(FileSystem& fileSystem, int folder, StoredPath path, int flags);
    // Opens as the constructor does; null, with errno set, where that fails.
    static std::unique_ptr<File> TryOpen(FileSystem& fileSystem, StoredPath path, int flags, mode_t mode = 0);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    const StoredPath& Path() const { return path_; }

    struct stat Status();
    void Lock(int operation);

    // Reads up to buffer.size() bytes at offset; fewer only where the file ends.
    std::size_t ReadAt(std::span<std::uint8_t> buffer, std::int64_t offset);
    void WriteAt(std::span<const std::uint8_t> bytes, std::int64_t offset);
    // Copies count bytes of source, from sourceOffset on, to offset in this file: in the kernel where the
    // file systems allow it, otherwise through a buffer of kCopyBlockSize bytes.
    void CopyFrom(File& source, std::int64_t sourceOffset, std::int64_t count, std::int64_t offset);
    void Sync();
    void ChangeMode(mode_t mode);
    // Gives the file owner and group; false, changing nothing, where the user may not give them.
    bool ChangeOwner(uid_t owner, gid_t group);
    void Truncate(std::int64_t length);
    // Every extended attribute, POSIX ACLs among them; none where the file system has none.
    std::vector<ExtendedAttribute> ExtendedAttributes();
    // False, with errno set, when the attribute cannot be set; the caller decides whether that matters.
    bool SetExtendedAttribute(const ExtendedAttribute& attribute);
    // Where the file has no such attribute, nothing happens.
    void RemoveExtendedAttribute(const std::string& name);
    // Gives a file opened with O_TMPFILE the name `name`; false with errno set when that fails (EEXIST
    // when the name is taken).
    bool LinkAs(const std::filesystem::path& name);
    // Closes now and reports a failure (on some file systems the last write errors only show here).
    void Close();

    static constexpr std::size_t kCopyBlockSize = 1 << 20;

private:
    File(FileSystem& fileSystem, StoredPath path, int fd, std::nullptr_t);
    [[noreturn]] void Fail(std::string_view action) const;
    std::vector<std::string> AttributeNames();
    bool ReadAttribute(ExtendedAttribute& attribute);
    void CopyByBlocks(File& source, std::int64_t sourceOffset, std::int64_t count, std::int64_t offset);

    FileSystem& fileSystem_;
    StoredPath path_;
    int fd_ = -1;
};

// The error for a failed system call on path: "<path>: <action>: <cause>".
[[noreturn]] void ThrowSystemError(
    const std::filesystem::path& path, std::string_view action, int errorNumber);

} // namespace vennart::platform
