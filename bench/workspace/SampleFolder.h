// Sample folders for the workspace and window benchmarks: MP3 files tagged the way users' folders
// are, written once per program into a temporary folder that is removed again at the end.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

namespace vennart::bench {

// A new empty folder under the system's temporary folder, removed with everything in it at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Every file holds an ID3v2.3 tag with the seven main frames and a TXXX, padded to 1 KB; code page
// 1251 text (encoding 0) in even-numbered files and UTF-16 in odd ones; MPEG-1 Layer III audio
// frames (128 kbit/s, 44100 Hz) up to `fileSize`; and an ID3v1.1 record in code page 1251. Titles
// are all different, albums hold ten tracks and artists four albums, as in a collection of albums.
// A cover of coverSize bytes in each tag when coverSize is not 0. The names are
// "<artist> - <title>.mp3" in UTF-8.
class SampleFolder {
public:
    SampleFolder(int fileCount, std::size_t fileSize, std::size_t coverSize = 0);

    const std::filesystem::path& Path() const { return folder_.Path(); }
    // In the order they were written, which is not the order a scan lists them in.
    const std::vector<std::filesystem::path>& Files() const { return files_; }

private:
    TemporaryFolder folder_;
    std::vector<std::filesystem::path> files_;
};

} // namespace vennart::bench
