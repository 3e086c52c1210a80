// Small MP3 files written into a test's own folder: an optional ID3v2 tag of given frames, MPEG
// audio, an optional ID3v1 record. The workspace tests scan, edit and save such folders.
#pragma once

#include "support/Id3Builder.h"
#include "support/TempDir.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vennart::test {

struct Mp3Content {
    std::optional<Bytes> frames = {}; // none: no ID3v2 tag
    std::optional<ID3v1Fields> record = {};
    Bytes audio = Audio(3);
    std::uint8_t major = 3;
};

// A tag of 8-bit text frames spelled as TextFrames() takes them, and the record when given.
Mp3Content Song(std::string_view frames, std::optional<ID3v1Fields> record = {});

// A tag holding only the title, then Audio(audioFrames) and the record when given.
Mp3Content Titled(const std::string& title, std::optional<ID3v1Fields> record = {}, int audioFrames = 3);

// Writes the file `name` into the folder and returns its path.
std::filesystem::path WriteMp3(
    const TempDir& folder, const std::string& name, const Mp3Content& content = {});

// Every file of the folder by name with its bytes: what a save left there, to compare whole.
using FolderContent = std::map<std::string, Bytes>;
FolderContent ContentOf(const TempDir& folder);

} // namespace vennart::test
