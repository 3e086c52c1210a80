#include "tags/TagFingerprint.h"

#include <algorithm>
#include <vector>
#include <zlib.h>

namespace vennart::tags {
namespace {

constexpr std::int64_t kBlockSize = 256 * 1024;

// Reads the bytes one block at a time: a tag with pictures can be many megabytes.
std::uint32_t ChecksumOfRange(platform::File& file, std::int64_t offset, std::int64_t length)
{
    std::vector<std::uint8_t> block(
        static_cast<std::size_t>(std::clamp<std::int64_t>(length, 0, kBlockSize)));
    std::uint32_t checksum = Checksum({});
    while (length > 0) {
        const auto want = static_cast<std::size_t>(std::min(length, kBlockSize));
        const std::size_t got = file.ReadAt(std::span(block.data(), want), offset);
        checksum = Checksum(std::span(block.data(), got), checksum);
        if (got < want)
            break;
        offset += static_cast<std::int64_t>(got);
        length -= static_cast<std::int64_t>(got);
    }
    return checksum;
}

} // namespace

std::uint32_t Checksum(std::span<const std::uint8_t> bytes, std::uint32_t previous)
{
    return static_cast<std::uint32_t>(crc32_z(previous, bytes.data(), bytes.size()));
}

TagFingerprint FingerprintOf(platform::File& file, const struct stat& status, std::int64_t prefixLength)
{
    TagFingerprint fingerprint;
    fingerprint.identity = platform::FileIdentity::Of(status);
    fingerprint.prefixLength = prefixLength;
    fingerprint.prefixChecksum = ChecksumOfRange(file, 0, prefixLength);
    fingerprint.tailChecksum = status.st_size >= kFingerprintTail
        ? ChecksumOfRange(file, status.st_size - kFingerprintTail, kFingerprintTail)
        : Checksum({});
    return fingerprint;
}

} // namespace vennart::tags
