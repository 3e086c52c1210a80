// Speed of the tag codec against the least work the same job needs:
//   (a) creating the tag objects of 2,000 files  vs  (b) only the raw reads of the same bytes;
//   (c) saving a 5 MB file                       vs  (d) the shortest safe replacement of it.
// The files are generated into a temporary folder at start and removed at the end.
#include "support/Id3Builder.h"
#include "tags/ID3v2Class.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdio.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using vennart::test::Bytes;
using vennart::test::BytesOf;
using vennart::test::Concat;
using vennart::test::Frame;
using vennart::test::TextBody;

constexpr int kFileCount = 2000;
constexpr std::size_t kPictureSize = 100 * 1024;
constexpr std::size_t kLargeFileSize = 5 * 1024 * 1024;
constexpr std::size_t kTagBlock = 1024;

std::filesystem::path gFolder;
std::vector<std::filesystem::path> gFiles;
std::filesystem::path gLargeFile;

// An ID3v2.3 tag with the seven main frames, a TXXX and a 100 KB picture, padded to 1 KB blocks.
Bytes Tag(int n)
{
    Bytes picture = Concat({ TextBody("image/jpeg"), { 0, 3, 0 } });
    for (std::size_t i = 0; i < kPictureSize; ++i)
        picture.push_back(static_cast<std::uint8_t>(i * 31 + n));
    const Bytes frames = Concat({
        Frame("TIT2", TextBody("Title number " + std::to_string(n))),
        Frame("TPE1", TextBody("Some Artist")),
        Frame("TALB", TextBody("An Album")),
        Frame("TYER", TextBody("2024")),
        Frame("TCON", TextBody("(17)")),
        Frame("TRCK", TextBody(std::to_string(n % 20 + 1))),
        Frame("COMM", Concat({ { 0 }, BytesOf("eng"), { 0 }, BytesOf("A comment") })),
        Frame("TXXX", Concat({ TextBody("REPLAYGAIN_TRACK_GAIN"), { 0 }, BytesOf("-6.20 dB") })),
        Frame("APIC", picture),
    });
    return vennart::test::Tag(3, frames, vennart::test::PaddingToBlock(frames, kTagBlock));
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void Generate()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vennart-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a folder from " + pattern);
    gFolder = pattern;
    const Bytes audio = vennart::test::Audio(20);
    const Bytes record = vennart::test::ID3v1Record({ .Title = "Title" });
    for (int n = 0; n < kFileCount; ++n) {
        Bytes file = Tag(n);
        file.insert(file.end(), audio.begin(), audio.end());
        file.insert(file.end(), record.begin(), record.end());
        gFiles.push_back(gFolder / ("song" + std::to_string(n) + ".mp3"));
        WriteFile(gFiles.back(), file);
    }
    Bytes large = Tag(0);
    const Bytes largeAudio = vennart::test::Audio(
        static_cast<int>((kLargeFileSize - large.size() - record.size()) / vennart::test::kAudioFrameLength));
    large.insert(large.end(), largeAudio.begin(), largeAudio.end());
    large.insert(large.end(), record.begin(), record.end());
    gLargeFile = gFolder / "large.mp3";
    WriteFile(gLargeFile, large);
}

void BM_CreateTagObjects(benchmark::State& state)
{
    for (auto _ : state) {
        for (const auto& file : gFiles) {
            vennart::tags::TID3v2Class tag(file);
            benchmark::DoNotOptimize(tag.Frames.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * kFileCount);
}
BENCHMARK(BM_CreateTagObjects)->Unit(benchmark::kMillisecond);

// The least a reader must do for the same bytes: open, header, the whole tag, the last 128 bytes, close.
void BM_RawReads(benchmark::State& state)
{
    Bytes tag;
    std::array<std::uint8_t, 128> record {};
    for (auto _ : state) {
        for (const auto& file : gFiles) {
            const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
            std::array<std::uint8_t, 10> header {};
            if (pread(fd, header.data(), header.size(), 0) != 10)
                state.SkipWithError("short header");
            const std::size_t size = std::size_t { header[6] } << 21 | std::size_t { header[7] } << 14
                | std::size_t { header[8] } << 7 | header[9];
            tag.resize(size);
            benchmark::DoNotOptimize(pread(fd, tag.data(), size, 10));
            const off_t end = lseek(fd, 0, SEEK_END);
            benchmark::DoNotOptimize(pread(fd, record.data(), record.size(), end - 128));
            close(fd);
            benchmark::DoNotOptimize(tag.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * kFileCount);
}
BENCHMARK(BM_RawReads)->Unit(benchmark::kMillisecond);

void BM_Save5MB(benchmark::State& state)
{
    vennart::tags::TID3v2Class tag(gLargeFile);
    for (auto _ : state)
        tag.Save();
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kLargeFileSize));
}
BENCHMARK(BM_Save5MB)->Unit(benchmark::kMillisecond)->UseRealTime();

// The shortest safe replacement: the whole file copied in the kernel into a temporary file, fsync, rename.
void BM_CopyFsyncRename5MB(benchmark::State& state)
{
    const std::filesystem::path temporary = gLargeFile.string() + ".tmp";
    for (auto _ : state) {
        const int in = open(gLargeFile.c_str(), O_RDONLY | O_CLOEXEC);
        const int out = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        off_t left = lseek(in, 0, SEEK_END);
        off_t offset = 0;
        while (left > 0) {
            const ssize_t n = copy_file_range(in, &offset, out, nullptr, static_cast<std::size_t>(left), 0);
            if (n <= 0) {
                state.SkipWithError("copy_file_range failed");
                break;
            }
            left -= n;
        }
        fsync(out);
        close(out);
        close(in);
        rename(temporary.c_str(), gLargeFile.c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kLargeFileSize));
}
BENCHMARK(BM_CopyFsyncRename5MB)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Generate();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(gFolder, ignored);
    return 0;
}
