// A file system for tests: passes every operation to the real one, counts them, and can make one
// chosen operation fail (or, for a write or copy, store only half), or refuse access the way a
// read-only file or folder would even for a user who may write anything.
#pragma once

#include "platform/FileSystem.h"

#include <cerrno>
#include <filesystem>
#include <optional>
#include <ostream>

namespace vennart::test {

class FaultyFileSystem final : public platform::FileSystem {
public:
    using Path = std::filesystem::path;
    enum class Fault { Fail, ShortWrite };

    // Operation number k (from 1, counted from this call) gets the fault; 0 counts without one.
    void FailOperation(int k, Fault fault = Fault::Fail);
    int OperationCount() const { return count_; }
    // How many times a folder was opened (to flush it) since the start.
    int FolderOpens() const { return folderOpens_; }
    // How many operations got the fault since FailOperation: a sweep that injects none tests nothing.
    int FaultsInjected() const { return injected_; }

    // Opening this file for writing fails with EACCES.
    void DenyWriting(const Path& file) { readOnlyFile_ = file; }
    // Creating a file in this folder fails with EACCES.
    void DenyCreatingIn(const Path& folder) { readOnlyFolder_ = folder; }
    // copy_file_range reports EXDEV, as between two file systems.
    void RefuseKernelCopy() { refuseKernelCopy_ = true; }
    // renameat2 reports EINVAL, as on a file system without RENAME_NOREPLACE.
    void RefuseNoReplace() { refuseNoReplace_ = true; }
    // Opening with O_TMPFILE reports EOPNOTSUPP, as on a file system without nameless files.
    void RefuseNamelessFiles() { refuseNameless_ = true; }

    int Open(const platform::StoredPath& path, int flags, mode_t mode) override;
    int OpenIn(int folder, const platform::StoredPath& path, int flags, mode_t mode) override;
    int Close(int fd) override;
    ssize_t PWrite(int fd, const void* buffer, std::size_t count, off_t offset) override;
    ssize_t CopyFileRange(int fdIn, off_t* offsetIn, int fdOut, off_t* offsetOut, std::size_t count) override;
    int RenameNoReplace(const Path& from, const Path& to) override;

    // The rest pass through unless they are the operation to fail, which then reports `error`.
#define VENNART_PASS_THROUGH(Result, Name, error, Parameters, ...)                                           \
    Result Name Parameters override                                                                          \
    {                                                                                                        \
        return Next() ? Refuse(error) : real_.Name(__VA_ARGS__);                                             \
    }
    VENNART_PASS_THROUGH(ssize_t, PRead, EIO, (int fd, void* buffer, std::size_t count, off_t offset), fd,
        buffer, count, offset)
    VENNART_PASS_THROUGH(int, FStat, EIO, (int fd, struct stat* status), fd, status)
    VENNART_PASS_THROUGH(int, FSync, EIO, (int fd), fd)
    VENNART_PASS_THROUGH(int, FChmod, EPERM, (int fd, mode_t mode), fd, mode)
    VENNART_PASS_THROUGH(int, FChown, EIO, (int fd, uid_t owner, gid_t group), fd, owner, group)
    VENNART_PASS_THROUGH(int, FTruncate, EIO, (int fd, off_t length), fd, length)
    VENNART_PASS_THROUGH(ssize_t, FListXattr, EIO, (int fd, char* names, std::size_t size), fd, names, size)
    VENNART_PASS_THROUGH(ssize_t, FGetXattr, EIO, (int fd, const char* name, void* value, std::size_t size),
        fd, name, value, size)
    VENNART_PASS_THROUGH(int, FSetXattr, EIO, (int fd, const char* name, const void* value, std::size_t size),
        fd, name, value, size)
    VENNART_PASS_THROUGH(int, FRemoveXattr, EIO, (int fd, const char* name), fd, name)
    VENNART_PASS_THROUGH(int, LinkOpenFile, EIO, (int fd, const Path& to), fd, to)
    VENNART_PASS_THROUGH(int, Flock, EWOULDBLOCK, (int fd, int operation), fd, operation)
    VENNART_PASS_THROUGH(int, Rename, EIO, (const Path& from, const Path& to), from, to)
    VENNART_PASS_THROUGH(int, Link, EIO, (const Path& from, const Path& to), from, to)
    VENNART_PASS_THROUGH(int, Unlink, EIO, (const Path& path), path)
    VENNART_PASS_THROUGH(int, RealPath, EIO, (const Path& path, Path& resolved), path, resolved)
#undef VENNART_PASS_THROUGH

private:
    // Counts one operation; the fault it gets, if any.
    std::optional<Fault> Next();
    // Counts one opening: the error it is to fail with, 0 when it may go ahead.
    int OpenRefusal(const Path& path, int flags);
    // Counts one write or copy: false when it is to fail; a short one gets half of count.
    bool NextWrite(std::size_t& count);
    // -1 with errno set, as a failed call reports.
    static int Refuse(int errorNumber)
    {
        errno = errorNumber;
        return -1;
    }

    platform::FileSystem& real_ = platform::SystemFileSystem();
    int count_ = 0;
    int failAt_ = 0;
    int injected_ = 0;
    Fault fault_ = Fault::Fail;
    std::optional<Path> readOnlyFile_;
    std::optional<Path> readOnlyFolder_;
    bool refuseKernelCopy_ = false;
    bool refuseNoReplace_ = false;
    bool refuseNameless_ = false;
    int folderOpens_ = 0;
};

inline void PrintTo(FaultyFileSystem::Fault fault, std::ostream* out)
{
    *out << (fault == FaultyFileSystem::Fault::Fail ? "Fail" : "ShortWrite");
}

} // namespace vennart::test
