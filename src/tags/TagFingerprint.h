// What a save compares to tell that the file is still the one that was read: which file it is, its
// size and modification time, and checksums of the bytes its tags were read from. Another program
// that edited a tag without changing the size, and put the old time back, still changes these.
#pragma once

#include "platform/File.h"
#include "platform/FileIdentity.h"

#include <cstdint>
#include <span>
#include <sys/stat.h>
#include <vector>

namespace vennart::tags {

// A stretch of a file: length bytes from offset on.
struct FileSpan {
    std::int64_t offset = 0;
    std::int64_t length = 0;

    bool operator==(const FileSpan&) const = default;
};

struct TagFingerprint {
    platform::FileIdentity identity;
    // The bytes from the start of the file that the ID3v2 tag (or the lack of one) was read from.
    std::int64_t prefixLength = 0;
    // Stretches of the prefix the checksum leaves out, in file order: large frame bodies that stay in
    // the file. Checksumming them would cost a reading of every picture of a folder, and what they
    // hold is never written from memory: a save reads them from the file as it is then.
    std::vector<FileSpan> skipped;
    std::uint32_t prefixChecksum = 0;
    // The last 128 bytes, where an ID3v1 record is; none in a shorter file.
    std::uint32_t tailChecksum = 0;

    bool operator==(const TagFingerprint&) const = default;
};

// The size of the tail an ID3v1 record is in.
constexpr std::int64_t kFingerprintTail = 128;

std::uint32_t Checksum(std::span<const std::uint8_t> bytes, std::uint32_t previous = 0);

// The checksum of bytes, which stand at offset in the file, without the skipped stretches.
std::uint32_t ChecksumSkipping(std::span<const std::uint8_t> bytes, std::int64_t offset,
    const std::vector<FileSpan>& skipped, std::uint32_t previous);

// The fingerprint of the file as it is now, over prefixLength bytes from its start less skipped.
TagFingerprint FingerprintOf(platform::File& file, const struct stat& status, std::int64_t prefixLength,
    std::vector<FileSpan> skipped = {});

} // namespace vennart::tags
