#include "workspace/FolderListing.h"

#include "platform/CaseMapping.h"
#include "platform/Error.h"
#include "platform/SaveLeftovers.h"
#include "workspace/FileName.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <memory>
#include <numeric>
#include <sys/stat.h>
#include <system_error>

namespace vennart::workspace {
namespace {

[[noreturn]] void ThrowCannotList(const std::filesystem::path& folder, int errorNumber)
{
    throw Error(
        "Cannot list the folder " + folder.string() + ": " + std::generic_category().message(errorNumber));
}

// A link counts as what it points to; a link that points nowhere is no file.
bool IsRegularFile(int folder, const dirent& entry)
{
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat status { };
    return fstatat(folder, entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

bool HasMp3Extension(std::string_view name)
{
    constexpr std::string_view extension = ".mp3";
    if (name.size() < extension.size())
        return false;
    return std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
        [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

// folder / name as text: a std::filesystem::path would take it apart into components, several
// allocations for each of the thousands of songs of a folder.
platform::StoredPath SongPath(const std::filesystem::path& folder, std::string_view name)
{
    const std::string_view start = folder.native();
    std::string text;
    text.reserve(start.size() + 1 + name.size());
    text += start;
    if (!text.empty() && text.back() != '/')
        text += '/';
    text += name;
    return platform::StoredPath(std::move(text));
}

constexpr char16_t kFirstSurrogate = 0xD800;
constexpr char16_t kFirstAfterSurrogates = 0xE000;
constexpr char16_t kSurrogateCount = kFirstAfterSurrogates - kFirstSurrogate;
constexpr int kUnitsAfterSurrogates = 0x10000 - kFirstAfterSurrogates;

// The name as the sort compares it: folded once, not at every comparison as CompareNoCase does,
// which made sorting a large folder cost a fifth of reading its files. Surrogates move above the
// rest of the Basic Multilingual Plane, so that comparing units compares code points and the order
// stays the one CompareNoCase gives. The units are stored high byte first, so that a plain byte
// comparison (memcmp, many bytes at a time) gives that order.
std::string SortKey(const WideString& name)
{
    const WideString folded = platform::FoldCase(name);
    std::string key;
    key.reserve(folded.size() * 2);
    for (char16_t unit : folded) {
        if (unit >= kFirstAfterSurrogates)
            unit -= kSurrogateCount;
        else if (unit >= kFirstSurrogate)
            unit += kUnitsAfterSurrogates;
        key.push_back(static_cast<char>(unit >> 8));
        key.push_back(static_cast<char>(unit & 0xFF));
    }
    return key;
}

} // namespace

FolderListing ListMp3Files(const std::filesystem::path& folder, std::vector<std::string>* leftovers)
{
    // One pass of readdir, whose entries say what they are: a path is made only for the songs.
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir)
        ThrowCannotList(folder, errno);
    std::vector<ListedFile> found;
    std::vector<std::string> keys;
    errno = 0;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (leftovers && platform::IsLeftoverName(name))
            leftovers->emplace_back(name);
        if (HasMp3Extension(name) && IsRegularFile(dirfd(dir.get()), *entry)) {
            found.push_back({ SongPath(folder, name), ShownName(name) });
            keys.push_back(SortKey(found.back().name));
        }
        errno = 0;
    }
    if (errno != 0)
        ThrowCannotList(folder, errno);
    if (leftovers)
        std::ranges::sort(*leftovers);
    // The listing comes in no useful order; names sorted ignoring case are what users expect.
    std::vector<std::size_t> order(found.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int order = keys[a].compare(keys[b]);
        return order != 0 ? order < 0 : found[a].path.string() < found[b].path.string();
    });
    FolderListing listing { std::move(dir), {} };
    listing.files.reserve(found.size());
    for (const std::size_t index : order)
        listing.files.push_back(std::move(found[index]));
    return listing;
}

} // namespace vennart::workspace
