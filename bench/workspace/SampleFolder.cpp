#include "SampleFolder.h"

#include "platform/Error.h"
#include "platform/SystemCodePage.h"
#include "support/Id3Builder.h"
#include "text/UStringConvert.h"
#include "workspace/FileName.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <system_error>

namespace vennart::bench {
namespace {

using test::Bytes;

constexpr std::uint32_t kCyrillicCodePage = 1251;
constexpr std::size_t kTagBlock = 1024;
constexpr std::size_t kRecordSize = 128;
constexpr int kTracksPerAlbum = 10;
constexpr int kAlbumsPerArtist = 4;
constexpr int kArtistCount = 250;
constexpr int kGenreCount = 148;

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

AnsiString Cyrillic(const WideString& text)
{
    return text::WideToCodePage(text, kCyrillicCodePage);
}

// The strings of a frame body in its encoding, each one after the first preceded by the
// terminator of the one before.
Bytes Strings(Encoding encoding, std::initializer_list<WideString> strings)
{
    Bytes bytes;
    for (const WideString& string : strings) {
        if (&string != strings.begin())
            bytes.insert(bytes.end(), encoding == Latin ? 1 : 2, 0);
        const Bytes encoded = encoding == Latin ? test::BytesOf(Cyrillic(string)) : test::Utf16LE(string);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    return bytes;
}

Bytes TextFrame(std::string_view id, const WideString& text, Encoding encoding)
{
    return test::Frame(id, test::Concat({ { encoding }, Strings(encoding, { text }) }));
}

// A JPEG-like picture of size bytes, different in every file.
Bytes Cover(std::size_t size, int n)
{
    Bytes body = test::Concat({ { Latin }, test::BytesOf("image/jpeg"), { 0, 3, 0 } });
    for (std::size_t i = 0; i < size; ++i)
        body.push_back(static_cast<std::uint8_t>(i * 31 + static_cast<std::size_t>(n)));
    return test::Frame("APIC", body);
}

Bytes Tag(const Track& track, Encoding encoding, const Bytes& cover)
{
    const Bytes frames = test::Concat({
        TextFrame("TIT2", track.title, encoding),
        TextFrame("TPE1", track.artist, encoding),
        TextFrame("TALB", track.album, encoding),
        TextFrame("TYER", track.year, encoding),
        TextFrame("TCON", track.genre, encoding),
        TextFrame("TRCK", track.track, encoding),
        test::Frame("COMM",
            test::Concat({ { encoding }, test::BytesOf("rus"), Strings(encoding, { u"", track.comment }) })),
        test::Frame("TXXX",
            test::Concat({ { encoding }, Strings(encoding, { u"REPLAYGAIN_TRACK_GAIN", track.gain }) })),
        cover,
    });
    return test::Tag(3, frames, test::PaddingToBlock(frames, kTagBlock));
}

// Version 1.1: a 28-byte comment, a zero byte and the track number.
Bytes Record(const Track& track, int n)
{
    return test::ID3v1Record({ .Title = Cyrillic(track.title),
        .Artist = Cyrillic(track.artist),
        .Album = Cyrillic(track.album),
        .Year = Cyrillic(track.year),
        .Comment = Cyrillic(track.comment),
        .Track = n % kTracksPerAlbum + 1,
        .Genre
        = static_cast<std::uint8_t>(n / kTracksPerAlbum / kAlbumsPerArtist % kArtistCount % kGenreCount) });
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

SampleFolder::SampleFolder(int fileCount, std::size_t fileSize, std::size_t coverSize)
{
    Bytes audio;
    for (int n = 0; n < fileCount; ++n) {
        const Track track = TrackNumbered(n);
        Bytes file = Tag(track, n % 2 == 0 ? Latin : Utf16, coverSize > 0 ? Cover(coverSize, n) : Bytes {});
        const std::size_t audioSize = fileSize - std::min(fileSize, file.size() + kRecordSize);
        const auto frameCount = static_cast<int>(audioSize / test::kAudioFrameLength);
        // Tags of one size share their audio, so a folder of large files is quick to write.
        if (audio.size() != static_cast<std::size_t>(frameCount) * test::kAudioFrameLength)
            audio = test::Audio(frameCount);
        file = test::Concat({ file, audio, Record(track, n) });
        files_.push_back(workspace::PathInFolder(Path(), track.artist + u" - " + track.title + u".mp3"));
        WriteFile(files_.back(), file);
    }
}

} // namespace vennart::bench
