#include "support/FaultyFileSystem.h"

#include <fcntl.h>

namespace vennart::test {

void FaultyFileSystem::FailOperation(int k, Fault fault)
{
    count_ = 0;
    injected_ = 0;
    failAt_ = k;
    fault_ = fault;
}

std::optional<FaultyFileSystem::Fault> FaultyFileSystem::Next()
{
    if (++count_ != failAt_)
        return std::nullopt;
    ++injected_;
    return fault_;
}

bool FaultyFileSystem::NextWrite(std::size_t& count)
{
    const auto fault = Next();
    if (!fault)
        return true;
    if (*fault == Fault::Fail || count < 2)
        return false;
    count /= 2;
    return true;
}

int FaultyFileSystem::OpenRefusal(const Path& path, int flags)
{
    if (Next())
        return EIO;
    const bool writing = (flags & O_ACCMODE) != O_RDONLY;
    if (writing && readOnlyFile_ && path == *readOnlyFile_)
        return EACCES;
    const bool creating = (flags & O_CREAT) != 0 && path.parent_path() == readOnlyFolder_;
    const bool creatingNameless = (flags & O_TMPFILE) == O_TMPFILE && path == readOnlyFolder_;
    if (readOnlyFolder_ && (creating || creatingNameless))
        return EACCES;
    if (refuseNameless_ && (flags & O_TMPFILE) == O_TMPFILE)
        return EOPNOTSUPP;
    if ((flags & O_TMPFILE) != O_TMPFILE && (flags & O_DIRECTORY) != 0)
        ++folderOpens_;
    return 0;
}

int FaultyFileSystem::Open(const platform::StoredPath& path, int flags, mode_t mode)
{
    const int refusal = OpenRefusal(path, flags);
    return refusal != 0 ? Refuse(refusal) : real_.Open(path, flags, mode);
}

int FaultyFileSystem::OpenIn(int folder, const platform::StoredPath& path, int flags, mode_t mode)
{
    const int refusal = OpenRefusal(path, flags);
    return refusal != 0 ? Refuse(refusal) : real_.OpenIn(folder, path, flags, mode);
}

int FaultyFileSystem::Close(int fd)
{
    // A failed close still releases the descriptor, as close(2) does.
    if (Next()) {
        real_.Close(fd);
        return Refuse(EIO);
    }
    return real_.Close(fd);
}

ssize_t FaultyFileSystem::PWrite(int fd, const void* buffer, std::size_t count, off_t offset)
{
    return NextWrite(count) ? real_.PWrite(fd, buffer, count, offset) : Refuse(ENOSPC);
}

ssize_t FaultyFileSystem::CopyFileRange(
    int fdIn, off_t* offsetIn, int fdOut, off_t* offsetOut, std::size_t count)
{
    if (!NextWrite(count))
        return Refuse(ENOSPC);
    return refuseKernelCopy_ ? Refuse(EXDEV) : real_.CopyFileRange(fdIn, offsetIn, fdOut, offsetOut, count);
}

int FaultyFileSystem::RenameNoReplace(const Path& from, const Path& to)
{
    if (Next())
        return Refuse(EIO);
    return refuseNoReplace_ ? Refuse(EINVAL) : real_.RenameNoReplace(from, to);
}

} // namespace vennart::test
