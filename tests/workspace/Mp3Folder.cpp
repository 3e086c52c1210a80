#include "Mp3Folder.h"

namespace vennart::test {

Mp3Content Song(std::string_view frames, std::optional<ID3v1Fields> record)
{
    return { .frames = TextFrames(frames), .record = std::move(record) };
}

Mp3Content Titled(const std::string& title, std::optional<ID3v1Fields> record, int audioFrames)
{
    return {
        .frames = Frame("TIT2", TextBody(title)), .record = std::move(record), .audio = Audio(audioFrames)
    };
}

std::filesystem::path WriteMp3(const TempDir& folder, const std::string& name, const Mp3Content& content)
{
    const std::filesystem::path path = folder / name;
    WriteFileBytes(path,
        Concat({ content.frames ? Tag(content.major, *content.frames, 64) : Bytes {}, content.audio,
            content.record ? ID3v1Record(*content.record) : Bytes {} }));
    return path;
}

FolderContent ContentOf(const TempDir& folder)
{
    FolderContent content;
    for (const std::string& name : FolderNames(folder.Path()))
        content[name] = ReadFileBytes(folder / name);
    return content;
}

} // namespace vennart::test
