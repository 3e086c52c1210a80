#include "support/FaultyFileSystem.h"

#include <cerrno>
#include <fcntl.h>

namespace vennart::test {
namespace {

int Refuse(int errorNumber)
{
    errno = errorNumber;
    return -1;
}

} // namespace

void FaultyFileSystem::FailOperation(int k, Fault fault)
{
    count_ = 0;
    failAt_ = k;
    fault_ = fault;
}

std::optional<FaultyFileSystem::Fault> FaultyFileSystem::Next()
{
    return ++count_ == failAt_ ? std::optional(fault_) : std::nullopt;
}

int FaultyFileSystem::Open(const std::filesystem::path& path, int flags, mode_t mode)
{
    if (Next())
        return Refuse(EIO);
    const bool writing = (flags & O_ACCMODE) != O_RDONLY;
    if (writing && readOnlyFile_ && path == *readOnlyFile_)
        return Refuse(EACCES);
    if ((flags & O_CREAT) != 0 && readOnlyFolder_ && path.parent_path() == *readOnlyFolder_)
        return Refuse(EACCES);
    return real_.Open(path, flags, mode);
}

int FaultyFileSystem::Close(int fd)
{
    if (Next()) {
        real_.Close(fd);
        return Refuse(EIO);
    }
    return real_.Close(fd);
}

ssize_t FaultyFileSystem::PRead(int fd, void* buffer, std::size_t count, off_t offset)
{
    return Next() ? Refuse(EIO) : real_.PRead(fd, buffer, count, offset);
}

ssize_t FaultyFileSystem::PWrite(int fd, const void* buffer, std::size_t count, off_t offset)
{
    if (const auto fault = Next()) {
        if (*fault == Fault::Fail || count < 2)
            return Refuse(ENOSPC);
        count /= 2;
    }
    return real_.PWrite(fd, buffer, count, offset);
}

ssize_t FaultyFileSystem::CopyFileRange(
    int fdIn, off_t* offsetIn, int fdOut, off_t* offsetOut, std::size_t count)
{
    if (const auto fault = Next()) {
        if (*fault == Fault::Fail || count < 2)
            return Refuse(ENOSPC);
        count /= 2;
    }
    if (refuseKernelCopy_)
        return Refuse(EXDEV);
    return real_.CopyFileRange(fdIn, offsetIn, fdOut, offsetOut, count);
}

int FaultyFileSystem::FStat(int fd, struct stat* status)
{
    return Next() ? Refuse(EIO) : real_.FStat(fd, status);
}

int FaultyFileSystem::FSync(int fd)
{
    return Next() ? Refuse(EIO) : real_.FSync(fd);
}

int FaultyFileSystem::FChmod(int fd, mode_t mode)
{
    return Next() ? Refuse(EPERM) : real_.FChmod(fd, mode);
}

int FaultyFileSystem::Flock(int fd, int operation)
{
    return Next() ? Refuse(EWOULDBLOCK) : real_.Flock(fd, operation);
}

int FaultyFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return Next() ? Refuse(EIO) : real_.Rename(from, to);
}

int FaultyFileSystem::RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (Next())
        return Refuse(EIO);
    return refuseNoReplace_ ? Refuse(EINVAL) : real_.RenameNoReplace(from, to);
}

int FaultyFileSystem::Link(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return Next() ? Refuse(EIO) : real_.Link(from, to);
}

int FaultyFileSystem::Unlink(const std::filesystem::path& path)
{
    return Next() ? Refuse(EIO) : real_.Unlink(path);
}

int FaultyFileSystem::RealPath(const std::filesystem::path& path, std::filesystem::path& resolved)
{
    return Next() ? Refuse(EIO) : real_.RealPath(path, resolved);
}

} // namespace vennart::test
