#include "platform/File.h"

#include "platform/Error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <vector>

namespace vennart::platform {
namespace {

// The largest piece handed to one copy_file_range call; the kernel copies at most about this much anyway.
constexpr std::int64_t kMaxKernelCopy = 1 << 30;

// copy_file_range reports these when the two files cannot be copied in the kernel (different file
// systems, an old kernel, special files); a plain copy through a buffer works then.
bool KernelCopyUnsupported(int errorNumber)
{
    return errorNumber == EXDEV || errorNumber == ENOSYS || errorNumber == EOPNOTSUPP
        || errorNumber == EINVAL;
}

} // namespace

void ThrowSystemError(const std::filesystem::path& path, std::string_view action, int errorNumber)
{
    throw Error(path.string() + ": " + std::string(action) + ": " + std::strerror(errorNumber));
}

File::File(FileSystem& fileSystem, StoredPath path, int flags, mode_t mode)
    : fileSystem_(fileSystem)
    , path_(std::move(path))
{
    fd_ = fileSystem_.Open(path_, flags | O_CLOEXEC, mode);
    if (fd_ < 0)
        Fail("cannot open");
}

File::File(FileSystem& fileSystem, int folder, StoredPath path, int flags)
    : fileSystem_(fileSystem)
    , path_(std::move(path))
{
    fd_ = fileSystem_.OpenIn(folder, path_, flags | O_CLOEXEC, 0);
    if (fd_ < 0)
        Fail("cannot open");
}

File::File(FileSystem& fileSystem, StoredPath path, int fd, std::nullptr_t)
    : fileSystem_(fileSystem)
    , path_(std::move(path))
    , fd_(fd)
{
}

std::unique_ptr<File> File::TryOpen(FileSystem& fileSystem, StoredPath path, int flags, mode_t mode)
{
    const int fd = fileSystem.Open(path, flags | O_CLOEXEC, mode);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<File>(new File(fileSystem, std::move(path), fd, nullptr));
}

File::~File()
{
    if (fd_ >= 0)
        fileSystem_.Close(fd_);
}

void File::Fail(std::string_view action) const
{
    ThrowSystemError(path_, action, errno);
}

struct stat File::Status()
{
    struct stat status { };
    if (fileSystem_.FStat(fd_, &status) != 0)
        Fail("cannot read the file's size");
    return status;
}

void File::Lock(int operation)
{
    if (fileSystem_.Flock(fd_, operation) != 0) {
        if (errno == EWOULDBLOCK)
            throw Error(path_.string() + ": the file is in use by another program");
        Fail("cannot lock");
    }
}

std::size_t File::ReadAt(std::span<std::uint8_t> buffer, std::int64_t offset)
{
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = fileSystem_.PRead(fd_, buffer.data() + done, buffer.size() - done,
            static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail("cannot read");
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void File::WriteAt(std::span<const std::uint8_t> bytes, std::int64_t offset)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = fileSystem_.PWrite(fd_, bytes.data() + done, bytes.size() - done,
            static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail("cannot write");
        }
        // A write that stores nothing without an error means the medium is full.
        if (n == 0) {
            errno = ENOSPC;
            Fail("cannot write");
        }
        done += static_cast<std::size_t>(n);
    }
}

void File::CopyFrom(File& source, std::int64_t sourceOffset, std::int64_t count, std::int64_t offset)
{
    off_t in = static_cast<off_t>(sourceOffset);
    off_t out = static_cast<off_t>(offset);
    while (count > 0) {
        const ssize_t n = fileSystem_.CopyFileRange(
            source.fd_, &in, fd_, &out, static_cast<std::size_t>(std::min(count, kMaxKernelCopy)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (KernelCopyUnsupported(errno))
                return CopyByBlocks(source, in, count, out);
            const int cause = errno;
            ThrowSystemError(path_, "cannot copy from " + source.Path().string(), cause);
        }
        if (n == 0)
            throw Error(source.Path().string() + ": the file became shorter while it was being copied");
        count -= n;
    }
}

void File::CopyByBlocks(File& source, std::int64_t sourceOffset, std::int64_t count, std::int64_t offset)
{
    std::vector<std::uint8_t> block(static_cast<std::size_t>(std::min<std::int64_t>(count, kCopyBlockSize)));
    while (count > 0) {
        const auto want = static_cast<std::size_t>(std::min<std::int64_t>(count, kCopyBlockSize));
        const std::size_t got = source.ReadAt(std::span(block.data(), want), sourceOffset);
        if (got == 0)
            throw Error(source.Path().string() + ": the file became shorter while it was being copied");
        WriteAt(std::span(block.data(), got), offset);
        sourceOffset += static_cast<std::int64_t>(got);
        offset += static_cast<std::int64_t>(got);
        count -= static_cast<std::int64_t>(got);
    }
}

void File::Sync()
{
    if (fileSystem_.FSync(fd_) != 0)
        Fail("cannot flush to disk");
}

void File::ChangeMode(mode_t mode)
{
    if (fileSystem_.FChmod(fd_, mode) != 0)
        Fail("cannot set the permissions");
}

bool File::ChangeOwner(uid_t owner, gid_t group)
{
    if (fileSystem_.FChown(fd_, owner, group) == 0)
        return true;
    if (errno != EPERM)
        Fail("cannot set the owner");
    return false;
}

void File::Truncate(std::int64_t length)
{
    if (fileSystem_.FTruncate(fd_, static_cast<off_t>(length)) != 0)
        Fail("cannot change the size");
}

std::vector<ExtendedAttribute> File::ExtendedAttributes()
{
    std::vector<ExtendedAttribute> attributes;
    for (const std::string& name : AttributeNames()) {
        ExtendedAttribute attribute { name, {} };
        if (ReadAttribute(attribute))
            attributes.push_back(std::move(attribute));
    }
    return attributes;
}

// The list can grow between asking for its size and reading it: then it is asked for again.
std::vector<std::string> File::AttributeNames()
{
    std::vector<char> list;
    for (;;) {
        const ssize_t size = fileSystem_.FListXattr(fd_, nullptr, 0);
        if (size < 0 && (errno == ENOTSUP || errno == ENOSYS))
            return {};
        if (size < 0)
            Fail("cannot list the extended attributes");
        list.resize(static_cast<std::size_t>(size));
        const ssize_t got = fileSystem_.FListXattr(fd_, list.data(), list.size());
        if (got >= 0) {
            list.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE)
            Fail("cannot list the extended attributes");
    }
    std::vector<std::string> names;
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end
            = std::find(list.begin() + static_cast<std::ptrdiff_t>(start), list.end(), '\0') - list.begin();
        if (end > start)
            names.emplace_back(list.data() + start, end - start);
        start = end + 1;
    }
    return names;
}

// False when the attribute went away since it was listed.
bool File::ReadAttribute(ExtendedAttribute& attribute)
{
    for (;;) {
        const ssize_t size = fileSystem_.FGetXattr(fd_, attribute.name.c_str(), nullptr, 0);
        if (size < 0 && errno == ENODATA)
            return false;
        if (size < 0)
            Fail("cannot read the extended attribute " + attribute.name);
        attribute.value.resize(static_cast<std::size_t>(size));
        const ssize_t got = fileSystem_.FGetXattr(
            fd_, attribute.name.c_str(), attribute.value.data(), attribute.value.size());
        if (got >= 0) {
            attribute.value.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno == ENODATA)
            return false;
        if (errno != ERANGE)
            Fail("cannot read the extended attribute " + attribute.name);
    }
}

bool File::SetExtendedAttribute(const ExtendedAttribute& attribute)
{
    return fileSystem_.FSetXattr(fd_, attribute.name.c_str(), attribute.value.data(), attribute.value.size())
        == 0;
}

void File::RemoveExtendedAttribute(const std::string& name)
{
    if (fileSystem_.FRemoveXattr(fd_, name.c_str()) != 0 && errno != ENODATA && errno != ENOTSUP)
        Fail("cannot remove the extended attribute " + name);
}

bool File::LinkAs(const std::filesystem::path& name)
{
    return fileSystem_.LinkOpenFile(fd_, name) == 0;
}

void File::Close()
{
    const int fd = fd_;
    fd_ = -1;
    if (fileSystem_.Close(fd) != 0)
        Fail("cannot close");
}

} // namespace vennart::platform
