// Arbitrary bytes as an MP3 file: read into a tag object, saved, read again. Whatever the input, a
// read either succeeds or throws vennart::Error; what a save writes reads back to the same ID3v2
// frames (less those it cannot write), the audio after the tag is the same bytes, and saving that
// again changes no byte. The seeds reach the 2.2 frames, zlib and unsynchronisation decoders, and
// the reading of a tag past its pictures.
#include "platform/Error.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Class.h"
#include "tags/ID3v2Writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

using vennart::tags::ByteWriter;
using vennart::tags::FrameSizeFormat;
using vennart::tags::TID3v1Tag;
using vennart::tags::TID3v2Class;

// A folder of this process's own, in memory when the machine offers it, removed when the process ends.
class WorkFolder {
public:
    WorkFolder()
    {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
            ? std::filesystem::path("/dev/shm")
            : std::filesystem::temp_directory_path();
        std::string pattern = (base / "vennart-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            abort();
        path_ = pattern;
    }
    ~WorkFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    std::filesystem::path File(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::vector<std::string> ID3v2Frames(const TID3v2Class& tag)
{
    std::vector<std::string> frames;
    const std::vector<vennart::AnsiString> lost = vennart::tags::UnwritableFrames(tag.Frames);
    for (const auto& frame : tag.Frames) {
        if (dynamic_cast<const TID3v1Tag*>(frame.get()) || std::ranges::find(lost, frame->ID) != lost.end())
            continue;
        ByteWriter writer;
        frame->SaveToStream(writer, FrameSizeFormat::Plain);
        frames.emplace_back(writer.Data().begin(), writer.Data().end());
    }
    return frames;
}

std::string Contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// The bytes after the tag; none to compare when the save has to write an ID3v1 record that the old
// tag's size field claimed.
std::optional<std::string> AudioAfterTag(const std::string& contents, const TID3v2Class& tag)
{
    const auto size = static_cast<std::int64_t>(contents.size());
    if (tag.HasID3v1 && tag.AudioStart() > size - static_cast<std::int64_t>(TID3v1Tag::kRecordSize))
        return std::nullopt;
    return contents.substr(static_cast<std::size_t>(std::min(tag.AudioStart(), size)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const WorkFolder folder;
    static const std::filesystem::path file = folder.File("input.mp3");
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    std::vector<std::string> frames;
    std::optional<std::string> audio;
    try {
        TID3v2Class tag(file);
        frames = ID3v2Frames(tag);
        audio = AudioAfterTag(std::string(reinterpret_cast<const char*>(data), size), tag);
        tag.Save();
    } catch (const vennart::Error&) {
        return 0;
    }
    TID3v2Class saved(file);
    if (ID3v2Frames(saved) != frames)
        abort();
    if (audio && AudioAfterTag(Contents(file), saved) != audio)
        abort();
    const std::string once = Contents(file);
    saved.Save();
    if (Contents(file) != once)
        abort();
    return 0;
}
