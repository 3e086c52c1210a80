#include "tags/TagFingerprint.h"

#include <algorithm>
#include <vector>
#include <zlib.h>

namespace vennart::tags {
namespace {

constexpr std::int64_t kBlockSize = 256 * 1024;

// Reads the bytes one block at a time: a tag with pictures can be many megabytes.
std::uint32_t ChecksumOfRange(
    platform::File& file, std::int64_t offset, std::int64_t length, std::uint32_t checksum)
{
    std::vector<std::uint8_t> block(
        static_cast<std::size_t>(std::clamp<std::int64_t>(length, 0, kBlockSize)));
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

// Calls kept(offset, length) for each stretch of [begin, end) outside the skipped ones, in order.
template <class Kept>
void ForEachKeptSpan(std::int64_t begin, std::int64_t end, const std::vector<FileSpan>& skipped, Kept kept)
{
    for (const FileSpan& skip : skipped) {
        const std::int64_t skipBegin = std::clamp(skip.offset, begin, end);
        if (skipBegin > begin)
            kept(begin, skipBegin - begin);
        begin = std::max(begin, std::clamp(skip.offset + skip.length, begin, end));
    }
    if (end > begin)
        kept(begin, end - begin);
}

} // namespace

std::uint32_t Checksum(std::span<const std::uint8_t> bytes, std::uint32_t previous)
{
    return static_cast<std::uint32_t>(crc32_z(previous, bytes.data(), bytes.size()));
}

std::uint32_t ChecksumSkipping(std::span<const std::uint8_t> bytes, std::int64_t offset,
    const std::vector<FileSpan>& skipped, std::uint32_t previous)
{
    const auto end = offset + static_cast<std::int64_t>(bytes.size());
    ForEachKeptSpan(offset, end, skipped, [&](std::int64_t begin, std::int64_t length) {
        previous = Checksum(
            bytes.subspan(static_cast<std::size_t>(begin - offset), static_cast<std::size_t>(length)),
            previous);
    });
    return previous;
}

TagFingerprint FingerprintOf(
    platform::File& file, const struct stat& status, std::int64_t prefixLength, std::vector<FileSpan> skipped)
{
    TagFingerprint fingerprint;
    fingerprint.identity = platform::FileIdentity::Of(status);
    fingerprint.prefixLength = prefixLength;
    fingerprint.prefixChecksum = Checksum({});
    ForEachKeptSpan(0, prefixLength, skipped, [&](std::int64_t begin, std::int64_t length) {
        fingerprint.prefixChecksum = ChecksumOfRange(file, begin, length, fingerprint.prefixChecksum);
    });
    fingerprint.skipped = std::move(skipped);
    fingerprint.tailChecksum = status.st_size >= kFingerprintTail
        ? ChecksumOfRange(file, status.st_size - kFingerprintTail, kFingerprintTail, Checksum({}))
        : Checksum({});
    return fingerprint;
}

} // namespace vennart::tags
