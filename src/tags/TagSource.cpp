#include "tags/TagSource.h"

#include "platform/Error.h"

#include <fcntl.h>
#include <sys/file.h>

namespace vennart::tags {

void ThrowChangedSinceRead(const std::filesystem::path& fileName)
{
    throw Error(fileName.string() + ": it changed since it was read; read the folder again");
}

TagSource::TagSource(platform::FileSystem& fileSystem, platform::StoredPath fileName)
    : fileSystem_(&fileSystem)
    , fileName_(std::move(fileName))
{
}

ByteVector TagSource::ReadAt(std::int64_t offset, std::size_t count) const
{
    if (openFile_ != nullptr)
        return ReadFrom(*openFile_, offset, count);
    platform::File file(*fileSystem_, fileName_, O_RDONLY | O_NONBLOCK);
    file.Lock(LOCK_SH | LOCK_NB);
    const struct stat status = file.Status();
    if (FingerprintOf(file, status, fingerprint_.prefixLength, fingerprint_.skipped) != fingerprint_)
        ThrowChangedSinceRead(fileName_);
    return ReadFrom(file, offset, count);
}

ByteVector TagSource::ReadFrom(platform::File& file, std::int64_t offset, std::size_t count) const
{
    ByteVector bytes(count);
    if (file.ReadAt(bytes, offset) != count)
        ThrowChangedSinceRead(fileName_);
    return bytes;
}

TagSource::ReadingFrom::ReadingFrom(const TagSource& source, platform::File& file)
    : source_(source)
{
    source_.openFile_ = &file;
}

TagSource::ReadingFrom::~ReadingFrom()
{
    source_.openFile_ = nullptr;
}

} // namespace vennart::tags
