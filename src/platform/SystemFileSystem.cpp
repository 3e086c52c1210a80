#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <stdio.h>
#include <string>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace vennart::platform {
namespace {

class RealFileSystem final : public FileSystem {
public:
    int Open(const StoredPath& path, int flags, mode_t mode) override
    {
        return ::open(path.c_str(), flags, mode);
    }

    // The name is the end of the path's text, so it ends in a zero byte as the call needs.
    int OpenIn(int folder, const StoredPath& path, int flags, mode_t mode) override
    {
        return ::openat(folder, path.filenameText().data(), flags, mode);
    }

    int Close(int fd) override { return ::close(fd); }

    ssize_t PRead(int fd, void* buffer, std::size_t count, off_t offset) override
    {
        return ::pread(fd, buffer, count, offset);
    }

    ssize_t PWrite(int fd, const void* buffer, std::size_t count, off_t offset) override
    {
        return ::pwrite(fd, buffer, count, offset);
    }

    ssize_t CopyFileRange(int fdIn, off_t* offsetIn, int fdOut, off_t* offsetOut, std::size_t count) override
    {
        return ::copy_file_range(fdIn, offsetIn, fdOut, offsetOut, count, 0);
    }

    int FStat(int fd, struct stat* status) override { return ::fstat(fd, status); }
    int FSync(int fd) override { return ::fsync(fd); }
    int FChmod(int fd, mode_t mode) override { return ::fchmod(fd, mode); }
    int FChown(int fd, uid_t owner, gid_t group) override { return ::fchown(fd, owner, group); }
    int FTruncate(int fd, off_t length) override { return ::ftruncate(fd, length); }
    int Flock(int fd, int operation) override { return ::flock(fd, operation); }

    ssize_t FListXattr(int fd, char* names, std::size_t size) override
    {
        return ::flistxattr(fd, names, size);
    }

    ssize_t FGetXattr(int fd, const char* name, void* value, std::size_t size) override
    {
        return ::fgetxattr(fd, name, value, size);
    }

    int FSetXattr(int fd, const char* name, const void* value, std::size_t size) override
    {
        return ::fsetxattr(fd, name, value, size, 0);
    }

    int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        return ::rename(from.c_str(), to.c_str());
    }

    int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    }

    int Link(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        return ::link(from.c_str(), to.c_str());
    }

    int FRemoveXattr(int fd, const char* name) override { return ::fremovexattr(fd, name); }

    // AT_EMPTY_PATH needs a privilege most users lack; through /proc works for everyone.
    int LinkOpenFile(int fd, const std::filesystem::path& to) override
    {
        const int direct = ::linkat(fd, "", AT_FDCWD, to.c_str(), AT_EMPTY_PATH);
        if (direct == 0 || errno == EEXIST)
            return direct;
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW);
    }

    int Unlink(const std::filesystem::path& path) override { return ::unlink(path.c_str()); }

    int RealPath(const std::filesystem::path& path, std::filesystem::path& resolved) override
    {
        const std::unique_ptr<char, decltype(&std::free)> result(
            ::realpath(path.c_str(), nullptr), &std::free);
        if (!result)
            return -1;
        resolved = result.get();
        return 0;
    }
};

} // namespace

FileSystem& SystemFileSystem()
{
    static RealFileSystem fileSystem;
    return fileSystem;
}

} // namespace vennart::platform
