// A file system for tests: passes every operation to the real one, counts them, and can make one
// chosen operation fail (or, for a write or copy, store only half), or refuse access the way a
// read-only file or folder would even for a user who may write anything.
#pragma once

#include "platform/FileSystem.h"

#include <filesystem>
#include <optional>

namespace vennart::test {

class FaultyFileSystem final : public platform::FileSystem {
public:
    enum class Fault { Fail, ShortWrite };

    // Operation number k (from 1, counted from this call) gets the fault.
    void FailOperation(int k, Fault fault = Fault::Fail);
    int OperationCount() const { return count_; }
    void ResetCount() { count_ = 0; }

    // Opening this file for writing fails with EACCES.
    void DenyWriting(const std::filesystem::path& file) { readOnlyFile_ = file; }
    // Creating a file in this folder fails with EACCES.
    void DenyCreatingIn(const std::filesystem::path& folder) { readOnlyFolder_ = folder; }
    // copy_file_range reports EXDEV, as between two file systems.
    void RefuseKernelCopy() { refuseKernelCopy_ = true; }
    // renameat2 reports EINVAL, as on a file system without RENAME_NOREPLACE.
    void RefuseNoReplace() { refuseNoReplace_ = true; }

    int Open(const std::filesystem::path& path, int flags, mode_t mode) override;
    int Close(int fd) override;
    ssize_t PRead(int fd, void* buffer, std::size_t count, off_t offset) override;
    ssize_t PWrite(int fd, const void* buffer, std::size_t count, off_t offset) override;
    ssize_t CopyFileRange(int fdIn, off_t* offsetIn, int fdOut, off_t* offsetOut, std::size_t count) override;
    int FStat(int fd, struct stat* status) override;
    int FSync(int fd) override;
    int FChmod(int fd, mode_t mode) override;
    int Flock(int fd, int operation) override;
    int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) override;
    int Link(const std::filesystem::path& from, const std::filesystem::path& to) override;
    int Unlink(const std::filesystem::path& path) override;
    int RealPath(const std::filesystem::path& path, std::filesystem::path& resolved) override;

private:
    // Counts one operation; the fault it gets, if any.
    std::optional<Fault> Next();

    platform::FileSystem& real_ = platform::SystemFileSystem();
    int count_ = 0;
    int failAt_ = 0;
    Fault fault_ = Fault::Fail;
    std::optional<std::filesystem::path> readOnlyFile_;
    std::optional<std::filesystem::path> readOnlyFolder_;
    bool refuseKernelCopy_ = false;
    bool refuseNoReplace_ = false;
};

} // namespace vennart::test
