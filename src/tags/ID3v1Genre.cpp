#include "tags/ID3v1Genre.h"

#include "platform/SystemCodePage.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace vennart::tags {
namespace {

// The names exactly as the program shows, matches and stores them ("Psychadelic", "Bebob",
// "Acapella" and "Cristian Rock" included).
constexpr std::array<std::string_view, TID3v1Genre::kCount> kGenres {
    "Blues",
    "Classic Rock",
    "Country",
    "Dance",
    "Disco",
    "Funk",
    "Grunge",
    "Hip-Hop",
    "Jazz",
    "Metal",
    "New Age",
    "Oldies",
    "Other",
    "Pop",
    "R&B",
    "Rap",
    "Reggae",
    "Rock",
    "Techno",
    "Industrial",
    "Alternative",
    "Ska",
    "Death Metal",
    "Pranks",
    "Soundtrack",
    "Euro-Techno",
    "Ambient",
    "Trip-Hop",
    "Vocal",
    "Jazz+Funk",
    "Fusion",
    "Trance",
    "Classical",
    "Instrumental",
    "Acid",
    "House",
    "Game",
    "Sound Clip",
    "Gospel",
    "Noise",
    "AlternRock",
    "Bass",
    "Soul",
    "Punk",
    "Space",
    "Meditative",
    "Instrumental Pop",
    "Instrumental Rock",
    "Ethnic",
    "Gothic",
    "Darkwave",
    "Techno-Industrial",
    "Electronic",
    "Pop-Folk",
    "Eurodance",
    "Dream",
    "Southern Rock",
    "Comedy",
    "Cult",
    "Gangsta",
    "Top 40",
    "Christian Rap",
    "Pop/Funk",
    "Jungle",
    "Native American",
    "Cabaret",
    "New Wave",
    "Psychadelic",
    "Rave",
    "Showtunes",
    "Trailer",
    "Lo-Fi",
    "Tribal",
    "Acid Punk",
    "Acid Jazz",
    "Polka",
    "Retro",
    "Musical",
    "Rock & Roll",
    "Hard Rock",
    "Folk",
    "Folk-Rock",
    "National Folk",
    "Swing",
    "Fast Fusion",
    "Bebob",
    "Latin",
    "Revival",
    "Celtic",
    "Bluegrass",
    "Avantgarde",
    "Gothic Rock",
    "Progressive Rock",
    "Psychedelic Rock",
    "Symphonic Rock",
    "Slow Rock",
    "Big Band",
    "Chorus",
    "Easy Listening",
    "Acoustic",
    "Humour",
    "Speech",
    "Chanson",
    "Opera",
    "Chamber Music",
    "Sonata",
    "Symphony",
    "Booty Bass",
    "Primus",
    "Porn Groove",
    "Satire",
    "Slow Jam",
    "Club",
    "Tango",
    "Samba",
    "Folklore",
    "Ballad",
    "Power Ballad",
    "Rhythmic Soul",
    "Freestyle",
    "Duet",
    "Punk Rock",
    "Drum Solo",
    "Acapella",
    "Euro-House",
    "Dance Hall",
    "Goa",
    "Drum & Bass",
    "Club-House",
    "Hardcore",
    "Terror",
    "Indie",
    "BritPop",
    "Negerpunk",
    "Polsk Punk",
    "Beat",
    "Christian Gangsta Rap",
    "Heavy Metal",
    "Black Metal",
    "Crossover",
    "Contemporary Christian",
    "Cristian Rock",
    "Merengue",
    "Salsa",
    "Thrash Metal",
    "Anime",
    "JPop",
    "Synthpop",
    "Unknown",
};

char16_t AsciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool EqualIgnoringAsciiCase(std::string_view genre, const WideString& name)
{
    return std::ranges::equal(genre, name, [](char g, char16_t n) {
        return AsciiUpper(static_cast<char16_t>(static_cast<unsigned char>(g))) == AsciiUpper(n);
    });
}

WideString Widen(std::string_view ascii)
{
    return WidenSystem(AnsiString(ascii));
}

} // namespace

WideString TID3v1Genre::GetGenreName(std::uint8_t index) const
{
    return index < kCount ? Widen(kGenres[index]) : WideString();
}

std::uint8_t TID3v1Genre::GetGenreIndex(const WideString& name) const
{
    const auto found = std::ranges::find_if(
        kGenres, [&](std::string_view genre) { return EqualIgnoringAsciiCase(genre, name); });
    return found == kGenres.end() ? kUnknown : static_cast<std::uint8_t>(found - kGenres.begin());
}

WideString TID3v1Genre::FormatGenre(std::uint8_t index) const
{
    return Widen("(" + std::to_string(index) + ")");
}

void TID3v1Genre::FillGenreList(std::vector<WideString>& list) const
{
    for (const std::string_view genre : kGenres)
        list.push_back(Widen(genre));
}

} // namespace vennart::tags
