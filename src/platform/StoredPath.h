// A path kept as its text alone. std::filesystem::path also keeps a list of its components on the
// heap, several hundred bytes for each of the thousands of files a folder lists; the few places
// that take a path apart get a std::filesystem::path made for them.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

namespace vennart::platform {

class StoredPath {
public:
    StoredPath() = default;
    StoredPath(const std::filesystem::path& path)
        : text_(path.native())
    {
    }
    explicit StoredPath(std::string text)
        : text_(std::move(text))
    {
    }

    operator std::filesystem::path() const { return text_; }
    std::filesystem::path path() const { return text_; }
    const std::string& string() const { return text_; }
    const char* c_str() const { return text_.c_str(); }
    // What follows the last slash, as std::filesystem::path::filename has it, without taking the
    // whole path apart.
    std::string_view filenameText() const { return std::string_view(text_).substr(text_.rfind('/') + 1); }
    std::filesystem::path filename() const { return filenameText(); }
    std::filesystem::path parent_path() const { return path().parent_path(); }

    friend bool operator==(const StoredPath& a, const StoredPath& b) { return a.path() == b.path(); }
    friend bool operator==(const StoredPath& a, const std::filesystem::path& b) { return a.path() == b; }
    friend std::ostream& operator<<(std::ostream& out, const StoredPath& path) { return out << path.path(); }

private:
    std::string text_;
};

} // namespace vennart::platform
