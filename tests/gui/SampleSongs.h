// The sample folder the window tests open: a few MP3 files built in code, with Cyrillic tags stored
// as cp1251 bytes (the ID3v1 records, the ID3v2 album) and as UTF-16 (the ID3v2 title and artist).
#pragma once

#include "support/Id3Builder.h"

#include <array>
#include <filesystem>
#include <string>

namespace vennart::test {

struct SampleSong {
    std::u16string fileName;
    std::u16string title;
    std::u16string artist;
    std::u16string album;
    std::u16string year;
    int track = 0;
    bool hasID3v1 = true;
};

// Sorted as the scan lists them. The first two share artist and album and differ in title,
// year and track; the third has no ID3v1 record. Every one has the genre Rock, (17) in the ID3v2 tag
// and 17 in the ID3v1 record.
inline const std::array<SampleSong, 3> kSampleSongs = { {
    { u"01 Alpha.mp3", u"Привет", u"Кино", u"Альбом", u"2001", 1, true },
    { u"02 Beta.mp3", u"Мир", u"Кино", u"Альбом", u"2002", 2, true },
    { u"03 Gamma.mp3", u"Пример", u"Other", u"Second", u"2003", 3, false },
} };

Bytes SampleSongFile(const SampleSong& song);
// Writes every sample song into `folder`.
void WriteSampleSongs(const std::filesystem::path& folder);

} // namespace vennart::test
