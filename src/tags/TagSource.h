// The file a tag object read, as it was then. Frames whose large bodies stay in the file read them
// again through it when they are needed (a save, a picture shown), and only from that same file in
// that same state: never from a file that another program changed or put in its place since.
#pragma once

#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/StoredPath.h"
#include "tags/SharedBytes.h"
#include "tags/TagFingerprint.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace vennart::tags {

class TagSource {
public:
    TagSource(platform::FileSystem& fileSystem, platform::StoredPath fileName);

    const platform::StoredPath& FileName() const { return fileName_; }
    const TagFingerprint& Fingerprint() const { return fingerprint_; }
    // Set once the reading is complete; its skipped stretches are those Leave gave.
    void SetFingerprint(TagFingerprint fingerprint) { fingerprint_ = std::move(fingerprint); }

    // While the file is read: length bytes at offset stay in the file. Calls come in file order.
    void Leave(std::int64_t offset, std::int64_t length)
    {
        fingerprint_.skipped.push_back({ offset, length });
    }
    const std::vector<FileSpan>& Left() const { return fingerprint_.skipped; }

    // count bytes at offset. Throws vennart::Error when the file is no longer the one that was read.
    ByteVector ReadAt(std::int64_t offset, std::size_t count) const;

    // While it lives, reads go to a file the caller opened, locked and found to be the one that was
    // read: a save holds its file locked, and a second opening could not lock it.
    class ReadingFrom {
    public:
        ReadingFrom(const TagSource& source, platform::File& file);
        ~ReadingFrom();
        ReadingFrom(const ReadingFrom&) = delete;
        ReadingFrom& operator=(const ReadingFrom&) = delete;

    private:
        const TagSource& source_;
    };

private:
    ByteVector ReadFrom(platform::File& file, std::int64_t offset, std::size_t count) const;

    platform::FileSystem* fileSystem_;
    platform::StoredPath fileName_;
    TagFingerprint fingerprint_;
    mutable platform::File* openFile_ = nullptr;
};

// The source of a tag being read, made only when the first frame leaves bytes in the file: most
// files have no large frame, and a folder reads thousands of them.
class SourceToBe {
public:
    SourceToBe(platform::FileSystem& fileSystem, const platform::StoredPath& fileName)
        : fileSystem_(fileSystem)
        , fileName_(fileName)
    {
    }

    const std::shared_ptr<TagSource>& Get()
    {
        if (!made_)
            made_ = std::make_shared<TagSource>(fileSystem_, fileName_);
        return made_;
    }
    // Null when no frame left bytes in the file.
    std::shared_ptr<TagSource> Made() && { return std::move(made_); }

private:
    platform::FileSystem& fileSystem_;
    const platform::StoredPath& fileName_;
    std::shared_ptr<TagSource> made_;
};

// The error for a file that is no longer the one that was read.
[[noreturn]] void ThrowChangedSinceRead(const std::filesystem::path& fileName);

} // namespace vennart::tags
