// Speed of the tag codec against the least work the same job needs:
//   (a) creating the tag objects of 2,000 files  vs  (b) only the raw reads of the same bytes;
//   (c) saving a 5 MB file                       vs  (d) the shortest safe replacement of it.
// The files are generated into a temporary folder at start and removed at the end.
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

using Bytes = std::vector<std::uint8_t>;

constexpr int kFileCount = 2000;
constexpr std::size_t kPictureSize = 100 * 1024;
constexpr std::size_t kLargeFileSize = 5 * 1024 * 1024;
// MPEG 1 Layer III, 128 kbit/s, 44100 Hz, no CRC: 417 bytes a frame.
constexpr std::array<std::uint8_t, 4> kFrameHeader { 0xFF, 0xFB, 0x90, 0x64 };
constexpr std::size_t kFrameLength = 417;

std::filesystem::path gFolder;
std::vector<std::filesystem::path> gFiles;
std::filesystem::path gLargeFile;

void Append(Bytes& to, std::string_view text)
{
    to.insert(to.end(), text.begin(), text.end());
}

void AppendFrame(Bytes& tag, std::string_view id, const Bytes& body)
{
    Append(tag, id);
    for (int shift = 24; shift >= 0; shift -= 8)
        tag.push_back(static_cast<std::uint8_t>(body.size() >> shift));
    tag.insert(tag.end(), { 0, 0 });
    tag.insert(tag.end(), body.begin(), body.end());
}

Bytes TextBody(std::string_view text)
{
    Bytes body { 0 };
    Append(body, text);
    return body;
}

// An ID3v2.3 tag with the seven main frames, a TXXX and a 100 KB picture, padded to 1 KB blocks.
Bytes Tag(int n)
{
    Bytes frames;
    AppendFrame(frames, "TIT2", TextBody("Title number " + std::to_string(n)));
    AppendFrame(frames, "TPE1", TextBody("Some Artist"));
    AppendFrame(frames, "TALB", TextBody("An Album"));
    AppendFrame(frames, "TYER", TextBody("2024"));
    AppendFrame(frames, "TCON", TextBody("(17)"));
    AppendFrame(frames, "TRCK", TextBody(std::to_string(n % 20 + 1)));
    Bytes comment { 0, 'e', 'n', 'g', 0 };
    Append(comment, "A comment");
    AppendFrame(frames, "COMM", comment);
    Bytes txxx = TextBody("REPLAYGAIN_TRACK_GAIN");
    txxx.push_back(0);
    Append(txxx, "-6.20 dB");
    AppendFrame(frames, "TXXX", txxx);
    Bytes picture = TextBody("image/jpeg");
    picture.insert(picture.end(), { 0, 3, 0 });
    for (std::size_t i = 0; i < kPictureSize; ++i)
        picture.push_back(static_cast<std::uint8_t>(i * 31 + n));
    AppendFrame(frames, "APIC", picture);
    frames.resize((frames.size() + 10 + 1023) / 1024 * 1024 - 10, 0);
    const std::size_t size = frames.size();
    Bytes tag { 'I', 'D', '3', 3, 0, 0 };
    for (int shift = 21; shift >= 0; shift -= 7)
        tag.push_back(static_cast<std::uint8_t>(size >> shift & 0x7F));
    tag.insert(tag.end(), frames.begin(), frames.end());
    return tag;
}

Bytes Audio(std::size_t size)
{
    Bytes audio;
    audio.reserve(size);
    while (audio.size() + kFrameLength <= size) {
        audio.insert(audio.end(), kFrameHeader.begin(), kFrameHeader.end());
        for (std::size_t i = 4; i < kFrameLength; ++i)
            audio.push_back(static_cast<std::uint8_t>(0x11 * (i % 7)));
    }
    return audio;
}

Bytes Record()
{
    Bytes record(128, 0);
    const std::string_view fields = "TAGTitle";
    std::copy(fields.begin(), fields.end(), record.begin());
    return record;
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
    const Bytes audio = Audio(20 * kFrameLength);
    const Bytes record = Record();
    for (int n = 0; n < kFileCount; ++n) {
        Bytes file = Tag(n);
        file.insert(file.end(), audio.begin(), audio.end());
        file.insert(file.end(), record.begin(), record.end());
        gFiles.push_back(gFolder / ("song" + std::to_string(n) + ".mp3"));
        WriteFile(gFiles.back(), file);
    }
    Bytes large = Tag(0);
    const Bytes largeAudio = Audio(kLargeFileSize - large.size() - record.size());
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
