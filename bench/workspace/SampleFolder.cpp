#include "SampleFolder.h"

#include "platform/Error.h"
#include "platform/SystemCodePage.h"
#include "text/UStringConvert.h"
#include "workspace/FileName.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace vennart::bench {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kCyrillicCodePage = 1251;
constexpr std::size_t kTagBlock = 1024;
constexpr std::size_t kTagHeaderSize = 10;
constexpr std::size_t kRecordSize = 128;
constexpr int kTracksPerAlbum = 10;
constexpr int kAlbumsPerArtist = 4;
constexpr int kArtistCount = 250;
constexpr int kGenreCount = 148;
// MPEG 1 Layer III, 128 kbit/s, 44100 Hz, no CRC, no padding: 417 bytes a frame.
constexpr std::array<std::uint8_t, 4> kFrameHeader { 0xFF, 0xFB, 0x90, 0x64 };
constexpr std::size_t kFrameLength = 417;

enum Encoding : std::uint8_t { Latin = 0, Utf16 = 1 };

// What one file's tags say, as the user reads them.
struct Track {
    WideString title;
    WideString artist;
    WideString album;
    WideString year;
    WideString genre;
    WideString track;
    WideString comment;
    WideString gain;
};

WideString Number(int n)
{
    return WidenSystem(std::to_string(n));
}

Track TrackNumbered(int n)
{
    const int album = n / kTracksPerAlbum;
    const int artist = album / kAlbumsPerArtist % kArtistCount;
    return {
        u"Песня номер " + Number(n),
        u"Исполнитель " + Number(artist),
        u"Альбом " + Number(album),
        Number(1970 + album % 50),
        u"(" + Number(artist % kGenreCount) + u")",
        Number(n % kTracksPerAlbum + 1),
        u"Оцифровано с винила",
        u"-" + Number(n % 12) + u".20 dB",
    };
}

void Append(Bytes& to, const Bytes& bytes)
{
    to.insert(to.end(), bytes.begin(), bytes.end());
}

void AppendAscii(Bytes& to, std::string_view text)
{
    to.insert(to.end(), text.begin(), text.end());
}

AnsiString Cyrillic(const WideString& text)
{
    return text::WideToCodePage(text, kCyrillicCodePage);
}

// The text in the frame's encoding; with its terminator when more text follows in the frame.
Bytes Encoded(const WideString& text, Encoding encoding, bool terminated = false)
{
    Bytes bytes;
    if (encoding == Latin) {
        const AnsiString narrow = Cyrillic(text);
        bytes.assign(narrow.begin(), narrow.end());
        if (terminated)
            bytes.push_back(0);
        return bytes;
    }
    bytes = { 0xFF, 0xFE };
    for (char16_t unit : text)
        bytes.insert(
            bytes.end(), { static_cast<std::uint8_t>(unit & 0xFF), static_cast<std::uint8_t>(unit >> 8) });
    if (terminated)
        bytes.insert(bytes.end(), { 0, 0 });
    return bytes;
}

void AppendFrame(Bytes& tag, std::string_view id, const Bytes& body)
{
    AppendAscii(tag, id);
    for (int shift = 24; shift >= 0; shift -= 8)
        tag.push_back(static_cast<std::uint8_t>(body.size() >> shift));
    tag.insert(tag.end(), { 0, 0 });
    Append(tag, body);
}

void AppendTextFrame(Bytes& tag, std::string_view id, const WideString& text, Encoding encoding)
{
    Bytes body { encoding };
    Append(body, Encoded(text, encoding));
    AppendFrame(tag, id, body);
}

Bytes Tag(const Track& track, Encoding encoding)
{
    Bytes frames;
    AppendTextFrame(frames, "TIT2", track.title, encoding);
    AppendTextFrame(frames, "TPE1", track.artist, encoding);
    AppendTextFrame(frames, "TALB", track.album, encoding);
    AppendTextFrame(frames, "TYER", track.year, encoding);
    AppendTextFrame(frames, "TCON", track.genre, encoding);
    AppendTextFrame(frames, "TRCK", track.track, encoding);
    Bytes comment { encoding, 'r', 'u', 's' };
    Append(comment, Encoded({}, encoding, true));
    Append(comment, Encoded(track.comment, encoding));
    AppendFrame(frames, "COMM", comment);
    Bytes gain { encoding };
    Append(gain, Encoded(u"REPLAYGAIN_TRACK_GAIN", encoding, true));
    Append(gain, Encoded(track.gain, encoding));
    AppendFrame(frames, "TXXX", gain);
    frames.resize(
        (frames.size() + kTagHeaderSize + kTagBlock - 1) / kTagBlock * kTagBlock - kTagHeaderSize, 0);

    Bytes tag { 'I', 'D', '3', 3, 0, 0 };
    for (int shift = 21; shift >= 0; shift -= 7)
        tag.push_back(static_cast<std::uint8_t>(frames.size() >> shift & 0x7F));
    Append(tag, frames);
    return tag;
}

// Frame bodies hold no byte FF, so the only syncs are the frame headers.
Bytes Audio(std::size_t size)
{
    Bytes audio;
    audio.reserve(size);
    while (audio.size() + kFrameLength <= size) {
        audio.insert(audio.end(), kFrameHeader.begin(), kFrameHeader.end());
        for (std::size_t i = kFrameHeader.size(); i < kFrameLength; ++i)
            audio.push_back(static_cast<std::uint8_t>(0x11 * (i % 7)));
    }
    return audio;
}

void PutField(Bytes& record, std::size_t offset, std::size_t width, const AnsiString& text)
{
    for (std::size_t i = 0; i < width && i < text.size(); ++i)
        record[offset + i] = static_cast<std::uint8_t>(text[i]);
}

// Version 1.1: a 28-byte comment, a zero byte and the track number.
Bytes Record(const Track& track, int n)
{
    Bytes record(kRecordSize, 0);
    PutField(record, 0, 3, "TAG");
    PutField(record, 3, 30, Cyrillic(track.title));
    PutField(record, 33, 30, Cyrillic(track.artist));
    PutField(record, 63, 30, Cyrillic(track.album));
    PutField(record, 93, 4, Cyrillic(track.year));
    PutField(record, 97, 28, Cyrillic(track.comment));
    record[126] = static_cast<std::uint8_t>(n % kTracksPerAlbum + 1);
    record[127]
        = static_cast<std::uint8_t>(n / kTracksPerAlbum / kAlbumsPerArtist % kArtistCount % kGenreCount);
    return record;
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw Error("Cannot write the sample file " + path.string());
}

} // namespace

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vennart-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw Error("Cannot create a folder from " + pattern + ": " + std::generic_category().message(errno));
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

SampleFolder::SampleFolder(int fileCount, std::size_t fileSize)
{
    Bytes audio;
    for (int n = 0; n < fileCount; ++n) {
        const Track track = TrackNumbered(n);
        Bytes file = Tag(track, n % 2 == 0 ? Latin : Utf16);
        const std::size_t audioSize = fileSize - std::min(fileSize, file.size() + kRecordSize);
        // Tags of one size share their audio, so a folder of large files is quick to write.
        if (audio.size() + kFrameLength <= audioSize || audio.size() > audioSize)
            audio = Audio(audioSize);
        Append(file, audio);
        Append(file, Record(track, n));
        files_.push_back(workspace::PathInFolder(Path(), track.artist + u" - " + track.title + u".mp3"));
        WriteFile(files_.back(), file);
    }
}

} // namespace vennart::bench
