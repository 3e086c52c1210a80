// The operating system's file calls that reading and saving a tagged file use, in errno style
// (-1 and errno on failure, as the calls themselves report). Everything goes through one object of
// this kind so that a test can watch the operations of a save and make any single one of them fail.
#pragma once

#include "platform/StoredPath.h"

#include <cstddef>
#include <filesystem>
#include <sys/stat.h>
#include <sys/types.h>

namespace vennart::platform {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The path as text alone: a scan opens thousands of files, and taking each name apart into the
    // components of a std::filesystem::path would cost allocations for nothing.
    virtual int Open(const StoredPath& path, int flags, mode_t mode) = 0;
    // The file of `path` opened by its name alone in `folder`, an open folder that path names (openat):
    // the path is not walked again, and a folder renamed or replaced meanwhile is still the one opened.
    virtual int OpenIn(int folder, const StoredPath& path, int flags, mode_t mode) = 0;
    virtual int Close(int fd) = 0;
    virtual ssize_t PRead(int fd, void* buffer, std::size_t count, off_t offset) = 0;
    virtual ssize_t PWrite(int fd, const void* buffer, std::size_t count, off_t offset) = 0;
    // copy_file_range with explicit offsets on both sides; both are advanced by what was copied.
    virtual ssize_t CopyFileRange(int fdIn, off_t* offsetIn, int fdOut, off_t* offsetOut, std::size_t count)
        = 0;
    virtual int FStat(int fd, struct stat* status) = 0;
    virtual int FSync(int fd) = 0;
    virtual int FChmod(int fd, mode_t mode) = 0;
    virtual int FChown(int fd, uid_t owner, gid_t group) = 0;
    virtual int FTruncate(int fd, off_t length) = 0;
    // flistxattr, fgetxattr and fsetxattr: extended attributes, POSIX ACLs among them.
    virtual ssize_t FListXattr(int fd, char* names, std::size_t size) = 0;
    virtual ssize_t FGetXattr(int fd, const char* name, void* value, std::size_t size) = 0;
    virtual int FSetXattr(int fd, const char* name, const void* value, std::size_t size) = 0;
    virtual int FRemoveXattr(int fd, const char* name) = 0;
    virtual int Flock(int fd, int operation) = 0;
    virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // renameat2 with RENAME_NOREPLACE: fails with EEXIST instead of replacing `to`.
    virtual int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual int Link(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Gives an open file made with O_TMPFILE the name `to`; fails with EEXIST when the name is taken.
    virtual int LinkOpenFile(int fd, const std::filesystem::path& to) = 0;
    virtual int Unlink(const std::filesystem::path& path) = 0;
    // realpath: the path with every symbolic link and "." or ".." resolved.
    virtual int RealPath(const std::filesystem::path& path, std::filesystem::path& resolved) = 0;
};

// The real file system of this machine.
FileSystem& SystemFileSystem();

} // namespace vennart::platform
