// Speed of the tag codec against the least work the same job needs:
//   (a) creating the tag objects of a folder and keeping them all, as the file list does,
//       vs (b) only the raw reads of the same bytes (header, whole tag, ID3v1 record);
//       for 2,000 and 10,000 files, without pictures and with a 100 KB cover in each;
//   (c) saving a 5 MB file                       vs  (d) the shortest safe replacement of it.
// (a) reports the heap its objects hold per file and the process's peak memory: run one variant
// alone (--benchmark_filter) for a peak of its own. The folders are generated into a temporary
// folder when first used and removed at the end.
#include "ReadFloor.h"
#include "support/Id3Builder.h"
#include "tags/ID3v2Class.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
#include <stdexcept>
#include <stdio.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using vennart::test::Bytes;
using vennart::test::BytesOf;
using vennart::test::Concat;
using vennart::test::Frame;
using vennart::test::TextBody;

constexpr std::size_t kPictureSize = 100 * 1024;
constexpr std::size_t kLargeFileSize = 5 * 1024 * 1024;
constexpr std::size_t kTagBlock = 1024;

std::filesystem::path gFolder;
std::filesystem::path gLargeFile;

// An ID3v2.3 tag with the seven main frames, a TXXX and a picture of pictureSize bytes (none for
// 0), padded to 1 KB blocks.
Bytes Tag(int n, std::size_t pictureSize = kPictureSize)
{
    Bytes picture = Concat({ TextBody("image/jpeg"), { 0, 3, 0 } });
    for (std::size_t i = 0; i < pictureSize; ++i)
        picture.push_back(static_cast<std::uint8_t>(i * 31 + n));
    Bytes frames = Concat({
        Frame("TIT2", TextBody("Title number " + std::to_string(n))),
        Frame("TPE1", TextBody("Some Artist")),
        Frame("TALB", TextBody("An Album")),
        Frame("TYER", TextBody("2024")),
        Frame("TCON", TextBody("(17)")),
        Frame("TRCK", TextBody(std::to_string(n % 20 + 1))),
        Frame("COMM", Concat({ { 0 }, BytesOf("eng"), { 0 }, BytesOf("A comment") })),
        Frame("TXXX", Concat({ TextBody("REPLAYGAIN_TRACK_GAIN"), { 0 }, BytesOf("-6.20 dB") })),
    });
    if (pictureSize > 0)
        frames = Concat({ frames, Frame("APIC", picture) });
    return vennart::test::Tag(3, frames, vennart::test::PaddingToBlock(frames, kTagBlock));
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// The files of a folder of count files with covers of pictureSize bytes, written when first asked for.
const std::vector<std::filesystem::path>& Files(int count, std::size_t pictureSize)
{
    static std::map<std::pair<int, std::size_t>, std::vector<std::filesystem::path>> folders;
    auto& files = folders[{ count, pictureSize }];
    if (!files.empty())
        return files;
    const std::filesystem::path folder
        = gFolder / (std::to_string(count) + "-" + std::to_string(pictureSize));
    std::filesystem::create_directory(folder);
    const Bytes audio = vennart::test::Audio(20);
    const Bytes record = vennart::test::ID3v1Record({ .Title = "Title" });
    for (int n = 0; n < count; ++n) {
        Bytes file = Tag(n, pictureSize);
        file.insert(file.end(), audio.begin(), audio.end());
        file.insert(file.end(), record.begin(), record.end());
        files.push_back(folder / ("song" + std::to_string(n) + ".mp3"));
        WriteFile(files.back(), file);
    }
    return files;
}

const std::vector<std::filesystem::path>& Files(const benchmark::State& state)
{
    return Files(static_cast<int>(state.range(0)), static_cast<std::size_t>(state.range(1)) * 1024);
}

void Generate()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vennart-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a folder from " + pattern);
    gFolder = pattern;
    const Bytes record = vennart::test::ID3v1Record({ .Title = "Title" });
    Bytes large = Tag(0);
    const Bytes largeAudio = vennart::test::Audio(
        static_cast<int>((kLargeFileSize - large.size() - record.size()) / vennart::test::kAudioFrameLength));
    large.insert(large.end(), largeAudio.begin(), largeAudio.end());
    large.insert(large.end(), record.begin(), record.end());
    gLargeFile = gFolder / "large.mp3";
    WriteFile(gLargeFile, large);
}

// Files without pictures and with a 100 KB cover each, in folders of 2,000 and 10,000.
void FolderSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({ "files", "coverKB" });
    for (const int count : { 2000, 10000 }) {
        for (const int coverKB : { 0, 100 })
            benchmark->Args({ count, coverKB });
    }
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

// The tag objects of the whole folder stay alive together, as the file list keeps them; the
// objects of one run are destroyed before the next, as the next scan destroys them.
void BM_CreateTagObjects(benchmark::State& state)
{
    const auto& files = Files(state);
    std::size_t heldPerFile = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::unique_ptr<vennart::tags::TID3v2Class>> tags;
        tags.reserve(files.size());
        const std::size_t heapBefore = mallinfo2().uordblks;
        state.ResumeTiming();
        for (const auto& file : files)
            tags.push_back(std::make_unique<vennart::tags::TID3v2Class>(file));
        benchmark::DoNotOptimize(tags.data());
        state.PauseTiming();
        heldPerFile = (mallinfo2().uordblks - heapBefore) / files.size();
        tags.clear();
        state.ResumeTiming();
    }
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["heap_per_file_B"] = static_cast<double>(heldPerFile);
    state.counters["peak_RSS_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
}
BENCHMARK(BM_CreateTagObjects)->Apply(FolderSizes);

// The least a reader must do for the same bytes.
void BM_RawReads(benchmark::State& state)
{
    const auto& files = Files(state);
    std::vector<std::uint8_t> tag;
    for (auto _ : state) {
        for (const auto& file : files) {
            if (!vennart::bench::ReadAsTheFloorDoes(file, tag))
                state.SkipWithError("short header");
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
}
BENCHMARK(BM_RawReads)->Apply(FolderSizes);

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
