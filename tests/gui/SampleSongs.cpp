#include "SampleSongs.h"

#include "platform/SystemCodePage.h"
#include "support/TempDir.h"
#include "text/UStringConvert.h"

namespace vennart::test {
namespace {

constexpr uint32_t kCyrillicCodePage = 1251;
constexpr std::uint8_t kSampleGenreIndex = 17;

AnsiString Cp1251(const std::u16string& text)
{
    return text::WideToCodePage(text, kCyrillicCodePage);
}

Bytes Utf16Frame(std::string_view id, const std::u16string& text)
{
    return Frame(id, Concat({ { 0x01 }, Utf16LE(text) }));
}

Bytes EightBitFrame(std::string_view id, const AnsiString& bytes)
{
    return Frame(id, Concat({ { 0x00 }, BytesOf(bytes) }));
}

} // namespace

Bytes SampleSongFile(const SampleSong& song)
{
    const Bytes frames = Concat({
        Utf16Frame("TIT2", song.title),
        Utf16Frame("TPE1", song.artist),
        EightBitFrame("TALB", Cp1251(song.album)),
        EightBitFrame("TYER", NarrowSystem(song.year)),
        EightBitFrame("TCON", "(" + std::to_string(kSampleGenreIndex) + ")"),
        EightBitFrame("TRCK", std::to_string(song.track)),
    });
    Bytes file = Concat({ Tag(3, frames, 256), Audio(8) });
    if (song.hasID3v1) {
        ID3v1Fields record;
        record.Title = Cp1251(song.title);
        record.Artist = Cp1251(song.artist);
        record.Album = Cp1251(song.album);
        record.Year = NarrowSystem(song.year);
        record.Track = song.track;
        record.Genre = kSampleGenreIndex;
        file = Concat({ file, ID3v1Record(record) });
    }
    return file;
}

void WriteSampleSongs(const std::filesystem::path& folder)
{
    for (const SampleSong& song : kSampleSongs)
        WriteFileBytes(folder / song.fileName, SampleSongFile(song));
}

} // namespace vennart::test
