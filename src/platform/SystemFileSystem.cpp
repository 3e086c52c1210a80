#include "platform/FileSystem.h"

#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <stdio.h>
#include <sys/file.h>
#include <unistd.h>

namespace vennart::platform {
namespace {

class RealFileSystem final : public FileSystem {
public:
    int Open(const std::filesystem::path& path, int flags, mode_t mode) override
    {
        return ::open(path.c_str(), flags, mode);
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
    int Flock(int fd, int operation) override { return ::flock(fd, operation); }

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
