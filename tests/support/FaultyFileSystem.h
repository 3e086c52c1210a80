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

    int Open(const Path& path, int flags, mode_t mode) override;
    int Close(int fd) override;
    ssize_t PWrite(int fd, const void* buffer, std::size_t count, off_t offset) override;
    ssize_t CopyFileRange(int fdIn, off_t* offsetIn, int fdOut, off_t* offsetOut, std::size_t count) override;
    int RenameNoReplace(const Path& from, const Path& to) override;

    ssize_t PRead(int fd, void* buffer, std::size_t count, off_t offset) override
    {
        return Next() ? Refuse(EIO) : real_.PRead(fd, buffer, count, offset);
    }
    int FStat(int fd, struct stat* status) override { return Next() ? Refuse(EIO) : real_.FStat(fd, status); }
    int FSync(int fd) override { return Next() ? Refuse(EIO) : real_.FSync(fd); }
    int FChmod(int fd, mode_t mode) override { return Next() ? Refuse(EPERM) : real_.FChmod(fd, mode); }
    int FChown(int fd, uid_t owner, gid_t group) override
    {
        return Next() ? Refuse(EIO) : real_.FChown(fd, owner, group);
    }
    int FTruncate(int fd, off_t length) override
    {
        return Next() ? Refuse(EIO) : real_.FTruncate(fd, length);
    }
    ssize_t FListXattr(int fd, char* names, std::size_t size) override
    {
        return Next() ? Refuse(EIO) : real_.FListXattr(fd, names, size);
    }
    ssize_t FGetXattr(int fd, const char* name, void* value, std::size_t size) override
    {
        return Next() ? Refuse(EIO) : real_.FGetXattr(fd, name, value, size);
    }
    int FSetXattr(int fd, const char* name, const void* value, std::size_t size) override
    {
        return Next() ? Refuse(EIO) : real_.FSetXattr(fd, name, value, size);
    }
    int FRemoveXattr(int fd, const char* name) override
    {
        return Next() ? Refuse(EIO) : real_.FRemoveXattr(fd, name);
    }
    int LinkOpenFile(int fd, const Path& to) override
    {
        return Next() ? Refuse(EIO) : real_.LinkOpenFile(fd, to);
    }
    int Flock(int fd, int operation) override
    {
        return Next() ? Refuse(EWOULDBLOCK) : real_.Flock(fd, operation);
    }
    int Rename(const Path& from, const Path& to) override
    {
        return Next() ? Refuse(EIO) : real_.Rename(from, to);
    }
    int Link(const Path& from, const Path& to) override
    {
        return Next() ? Refuse(EIO) : real_.Link(from, to);
    }
    int Unlink(const Path& path) override { return Next() ? Refuse(EIO) : real_.Unlink(path); }
    int RealPath(const Path& path, Path& resolved) override
    {
        return Next() ? Refuse(EIO) : real_.RealPath(path, resolved);
    }

private:
    // Counts one operation; the fault it gets, if any.
    std::optional<Fault> Next();
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
