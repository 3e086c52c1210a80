// The least any reader of a tagged MP3 file does, the floor the reading benchmarks compare against:
// open, the 10-byte header, the whole tag with the first bytes after it (where the first audio
// frame's sync is looked for) in one read, the last 128 bytes, close.
#pragma once

#include <array>
#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace vennart::bench {

// The bytes after the tag a reader reads with it.
inline constexpr std::size_t kFloorAudioHead = 4 * 1024;

// False when the file has no 10-byte header to read. `tag` is the caller's, kept from file to file.
inline bool ReadAsTheFloorDoes(const std::filesystem::path& file, std::vector<std::uint8_t>& tag)
{
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    std::array<std::uint8_t, 10> header {};
    if (fd < 0 || pread(fd, header.data(), header.size(), 0) != 10) {
        if (fd >= 0)
            close(fd);
        return false;
    }
    const std::size_t size = std::size_t { header[6] } << 21 | std::size_t { header[7] } << 14
        | std::size_t { header[8] } << 7 | header[9];
    tag.resize(size + kFloorAudioHead);
    benchmark::DoNotOptimize(pread(fd, tag.data(), tag.size(), 10));
    std::array<std::uint8_t, 128> record {};
    const off_t end = lseek(fd, 0, SEEK_END);
    benchmark::DoNotOptimize(pread(fd, record.data(), record.size(), end - 128));
    close(fd);
    benchmark::DoNotOptimize(tag.data());
    return true;
}

} // namespace vennart::bench
