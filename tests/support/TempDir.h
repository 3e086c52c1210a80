// A folder of its own for one test, removed with everything in it when the test ends, so file tests
// never touch shared samples or each other.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vennart::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::vector<unsigned char> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);
// The names in a folder, sorted bytewise: what a save left there.
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

} // namespace vennart::test
