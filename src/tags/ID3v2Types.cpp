#include "tags/ID3v2Types.h"

#include <algorithm>
#include <array>
#include <compare>
#include <cstdint>

namespace vennart::tags {
namespace {

// Alphabetical by identifier, except that PRIV stands before PCNT and TYER before TXXX; the texts
// are the program's own captions, wording included.
constexpr std::array<TagListRecord, 74> kTagList { {
    { "AENC", "Encryption", "Audio encryption" },
    { "APIC", "Picture", "Attached picture" },
    { "COMM", "Comment", "Comments" },
    { "COMR", "Commercial", "Commercial frame" },
    { "ENCR", "Encryption method", "Encryption method registration" },
    { "EQUA", "Equalization", "Equalization" },
    { "ETCO", "Timing", "Event timing codes" },
    { "GEOB", "Object", "General encapsulated object" },
    { "GRID", "Group ID", "Group identification registration" },
    { "IPLS", "Members", "Involved people list" },
    { "LINK", "Linked Info", "Linked information" },
    { "MCDI", "CD ID", "Music CD identifier" },
    { "MLLT", "MPEG Location", "MPEG location lookup table" },
    { "OWNE", "Owner", "Ownership frame" },
    { "PRIV", "Private", "Private frame" },
    { "PCNT", "Play Counter", "Play counter" },
    { "POPM", "Popularity", "Popularimeter" },
    { "POSS", "Position Sync", "Position synchronisation frame" },
    { "RBUF", "Buffer", "Recommended buffer size" },
    { "RVAD", "Volume Adjust", "Relative volume adjustment" },
    { "RVRB", "Reverb", "Reverb" },
    { "SYLT", "Sync Lyrics", "Synchronized lyric/text" },
    { "SYTC", "Sync Tempo", "Synchronized tempo codes" },
    { "TALB", "Album", "Album/Movie/Show title" },
    { "TBPM", "BPM", "BPM (beats per minute)" },
    { "TCOM", "Composer", "Composer" },
    { "TCON", "Genre", "Content type" },
    { "TCOP", "Copyright", "Copyright message" },
    { "TDAT", "Date", "Date" },
    { "TDLY", "Playlist delay", "Playlist delay" },
    { "TENC", "Encoded by", "Encoded by" },
    { "TEXT", "Lyrics", "Lyricist/Text writer" },
    { "TFLT", "Filetype", "File type" },
    { "TIME", "Time", "Time" },
    { "TIT1", "GroupTitle", "Content group description" },
    { "TIT2", "Title", "Title/songname/content description" },
    { "TIT3", "Subtitle", "Subtitle/Description refinement" },
    { "TKEY", "Key", "Initial key" },
    { "TLAN", "Language", "Language(s)" },
    { "TLEN", "Length", "Length" },
    { "TMED", "Media type", "Media type" },
    { "TOAL", "Original Album", "Original album/movie/show title" },
    { "TOFN", "Original filename", "Original filename" },
    { "TOLY", "Original lyrics by", "Original lyricist(s)/text writer(s)" },
    { "TOPE", "Original artist", "Original artist(s)/performer(s)" },
    { "TORY", "Original realease year", "Original release year" },
    { "TOWN", "Owner", "File owner/licensee" },
    { "TPE1", "Artist", "Lead performer(s)/Soloist(s)" },
    { "TPE2", "Band", "Band/orchestra/accompaniment" },
    { "TPE3", "Performer", "Conductor/performer refinement" },
    { "TPE4", "Remixed by", "Interpreted, remixed, or otherwise modified by" },
    { "TPOS", "Part of", "Part of a set" },
    { "TPUB", "Publisher", "Publisher" },
    { "TRCK", "Track No", "Track number/Position in set" },
    { "TRDA", "Recorded in ", "Recording dates" },
    { "TRSN", "Radio Station", "Internet radio station name" },
    { "TRSO", "Radio Station Owner", "Internet radio station owner" },
    { "TSIZ", "Size", "Size" },
    { "TSRC", "ISRC", "ISRC (international standard recording code)" },
    { "TSSE", "Encoder HW/SW", "Software/Hardware and settings used for encoding" },
    { "TYER", "Year", "Year" },
    { "TXXX", "Custom text", "User defined text information frame" },
    { "UFID", "File ID", "Unique file identifier" },
    { "USER", "Agreement", "Terms of use" },
    { "USLT", "Unsync Lyrics", "Unsychronized lyric/text transcription" },
    { "WCOM", "Web commercial", "Commercial information" },
    { "WCOP", "Web copyright", "Copyright/Legal information" },
    { "WOAF", "File URL", "Official audio file webpage" },
    { "WOAR", "Artist webpage", "Official artist/performer webpage" },
    { "WOAS", "Source webpage", "Official audio source webpage" },
    { "WORS", "Internet radio URL", "Official internet radio station homepage" },
    { "WPAY", "Payment", "Payment" },
    { "WPUB", "Publishers URL", "Publishers official webpage" },
    { "WXXX", "User Custom", "User defined URL link frame" },
} };

// The four letters of an identifier as one number, so that the lookup every frame makes when it is
// read compares integers, not strings.
constexpr std::uint32_t PackedID(std::string_view id)
{
    std::uint32_t key = 0;
    for (const char c : id)
        key = key << 8 | static_cast<std::uint8_t>(c);
    return key;
}

struct KeyedRow {
    std::uint32_t key;
    std::size_t index;
    auto operator<=>(const KeyedRow&) const = default;
};

// The rows ordered by identifier, rows with the same identifier in table order.
constexpr auto kByID = [] {
    std::array<KeyedRow, kTagList.size()> rows {};
    for (std::size_t i = 0; i < kTagList.size(); ++i)
        rows[i] = { PackedID(kTagList[i].ID), i };
    std::ranges::sort(rows);
    return rows;
}();

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

} // namespace

std::span<const TagListRecord> TagListRecords()
{
    return kTagList;
}

int FindTagListRecord(std::string_view id, AnsiString& shortName, AnsiString& description)
{
    shortName.clear();
    description.clear();
    const auto row = std::ranges::find_if(
        kTagList, [&](const TagListRecord& r) { return EqualIgnoringAsciiCase(r.ID, id); });
    if (row == kTagList.end())
        return -1;
    shortName = row->ShortName;
    description = row->Description;
    return static_cast<int>(row - kTagList.begin());
}

const TagListRecord* FindTagListRecordExact(std::string_view id)
{
    if (id.size() != 4)
        return nullptr;
    const std::uint32_t key = PackedID(id);
    const auto row = std::ranges::lower_bound(kByID, key, {}, &KeyedRow::key);
    return row != kByID.end() && row->key == key ? &kTagList[row->index] : nullptr;
}

} // namespace vennart::tags
