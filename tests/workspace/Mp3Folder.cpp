#include "Mp3Folder.h"

#include <algorithm>

namespace vennart::test {

Bytes AudioBlock(const MPEGFrameFields& frame, std::size_t audioBytes)
{
    const std::uint32_t header = MPEGHeaderWord(frame);
    Bytes audio { static_cast<std::uint8_t>(header >> 24), static_cast<std::uint8_t>(header >> 16),
        static_cast<std::uint8_t>(header >> 8), static_cast<std::uint8_t>(header) };
    audio.resize(std::max<std::size_t>(audioBytes, audio.size()), 0x55);
    return audio;
}

std::filesystem::path WriteMp3(const TempDir& folder, const std::string& name, const Mp3Content& content)
{
    const std::filesystem::path path = folder / name;
    WriteFileBytes(path,
        Concat({ content.frames ? Tag(content.major, *content.frames, 64) : Bytes {}, content.audio,
            content.record ? ID3v1Record(*content.record) : Bytes {} }));
    return path;
}

} // namespace vennart::test
