#include "text/TextFile.h"

#include "platform/Error.h"
#include "platform/SafeReplace.h"
#include "text/PlainText.h"
#include "text/Utf8.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vennart::text {
namespace {

constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr char16_t kReplacementCharacter = u'\uFFFD';
constexpr std::size_t kReadBlockSize = 64 * 1024;

WideString DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    WideString text;
    text.reserve(bytes.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    // A file cut in the middle of a character keeps a visible trace of it.
    if (bytes.size() % 2 != 0)
        text.push_back(kReplacementCharacter);
    return text;
}

WideString DecodeText(std::string_view bytes)
{
    if (bytes.starts_with(kUtf16LittleEndianMark))
        return DecodeUtf16(bytes.substr(kUtf16LittleEndianMark.size()), false);
    if (bytes.starts_with(kUtf16BigEndianMark))
        return DecodeUtf16(bytes.substr(kUtf16BigEndianMark.size()), true);
    if (bytes.starts_with(kUtf8Mark))
        return DecodeUtf8(bytes.substr(kUtf8Mark.size()));
    return DecodeUtf8OrSystem(bytes);
}

void AppendUtf16LittleEndian(AnsiString& bytes, std::u16string_view text)
{
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
}

// A new file gets what the user's umask allows; a replaced one keeps its owner, permission bits
// and extended attributes.
platform::KeptAttributes AttributesFor(platform::FileSystem& fileSystem, const std::filesystem::path& path)
{
    if (const auto existing = platform::File::TryOpen(fileSystem, path, O_RDONLY | O_NONBLOCK))
        return platform::AttributesOf(*existing);
    const mode_t mask = umask(0);
    umask(mask);
    platform::KeptAttributes attributes;
    attributes.mode = 0666 & ~mask;
    return attributes;
}

std::filesystem::path ResolveLinks(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved;
}

} // namespace

std::vector<WideString> DecodeTextLines(std::string_view bytes)
{
    const WideString text = DecodeText(bytes);
    return SplitLines(std::u16string_view(text).substr(0, text.find(u'\0')));
}

AnsiString EncodeTextLines(const std::vector<WideString>& lines)
{
    AnsiString bytes(kUtf16LittleEndianMark);
    for (const WideString& line : lines) {
        AppendUtf16LittleEndian(bytes, line);
        AppendUtf16LittleEndian(bytes, u"\r\n");
    }
    return bytes;
}

AnsiString ReadWholeFile(const std::filesystem::path& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Error("Cannot open file " + path.string());
    AnsiString bytes;
    char buffer[kReadBlockSize];
    ssize_t count = 0;
    while ((count = read(fd, buffer, sizeof buffer)) != 0) {
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    close(fd);
    // Reading a folder or a device that fails is an unreadable file, not an empty one.
    if (count < 0)
        throw Error("Cannot open file " + path.string());
    return bytes;
}

std::vector<WideString> ReadTextLines(const std::filesystem::path& path)
{
    return DecodeTextLines(ReadWholeFile(path));
}

void WriteTextLines(
    const std::filesystem::path& path, const std::vector<WideString>& lines, platform::FileSystem& fileSystem)
{
    const std::filesystem::path target = ResolveLinks(path);
    std::error_code ignored;
    std::filesystem::create_directories(target.parent_path(), ignored);
    const AnsiString bytes = EncodeTextLines(lines);
    platform::ReplaceFileContent(
        fileSystem, target, AttributesFor(fileSystem, target), [&bytes](platform::File& file) {
            file.WriteAt({ reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size() }, 0);
        });
}

} // namespace vennart::text
