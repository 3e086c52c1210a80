#include "Mp3Folder.h"

#include <algorithm>

namespace vennart::test {

Bytes Latin1Body(std::string_view bytes)
{
    return Concat({ { 0x00 }, BytesOf(bytes) });
}

Bytes Utf16Body(std::u16string_view text)
{
    return Concat({ { 0x01 }, Utf16LE(text) });
}

Bytes CommentBody(std::u16string_view description, std::u16string_view text)
{
    return Concat({ { 0x01 }, BytesOf("eng"), Utf16LE(description), { 0, 0 }, Utf16LE(text) });
}

Bytes AudioBlock(const MPEGFrameSpec& spec, std::size_t audioBytes)
{
    const std::uint32_t header = MPEGHeaderWord(spec);
    Bytes audio { static_cast<std::uint8_t>(header >> 24), static_cast<std::uint8_t>(header >> 16),
        static_cast<std::uint8_t>(header >> 8), static_cast<std::uint8_t>(header) };
    audio.resize(std::max<std::size_t>(audioBytes, audio.size()), 0x55);
    return audio;
}

Bytes Mp3Bytes(const Mp3Content& content)
{
    Bytes bytes;
    if (content.frames)
        bytes = Tag(content.major, *content.frames, 64);
    bytes.insert(bytes.end(), content.audio.begin(), content.audio.end());
    if (content.record) {
        const Bytes record = ID3v1Record(*content.record);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

std::filesystem::path WriteMp3(const TempDir& folder, const std::string& name, const Mp3Content& content)
{
    const std::filesystem::path path = folder / name;
    WriteFileBytes(path, Mp3Bytes(content));
    return path;
}

} // namespace vennart::test
