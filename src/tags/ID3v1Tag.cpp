#include "tags/ID3v1Tag.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vennart::tags {
namespace {

struct Field {
    std::size_t Offset;
    std::size_t Width;
};

constexpr Field kTitle { 3, 30 };
constexpr Field kArtist { 33, 30 };
constexpr Field kAlbum { 63, 30 };
constexpr Field kYear { 93, 4 };
constexpr Field kComment { 97, 30 };
constexpr std::size_t kV11CommentWidth = 28;
constexpr std::size_t kV11Marker = 125;
constexpr std::size_t kTrack = 126;
constexpr std::size_t kGenre = 127;
constexpr std::string_view kMagic = "TAG";

using Record = std::array<std::uint8_t, TID3v1Tag::kRecordSize>;

// The text of a field: up to its first zero byte, without characters 0 to 32 at either end.
AnsiString FieldText(const Record& record, std::size_t offset, std::size_t width)
{
    const auto begin = record.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto end = std::find(begin, begin + static_cast<std::ptrdiff_t>(width), 0);
    const auto isBlank = [](std::uint8_t c) { return c <= 32; };
    const auto first = std::find_if_not(begin, end, isBlank);
    auto last = end;
    while (last != first && isBlank(*(last - 1)))
        --last;
    return AnsiString(first, last);
}

void PutField(Record& record, Field field, const AnsiString& text)
{
    const auto begin = record.begin() + static_cast<std::ptrdiff_t>(field.Offset);
    std::fill_n(begin, field.Width, 0);
    std::copy_n(text.begin(), std::min(text.size(), field.Width), begin);
}

} // namespace

TID3v1Tag::TID3v1Tag()
{
    ID = AnsiString("TAG\0", 4);
    static constexpr TagListRecord kNames { "TAG", "ID3v1 Tag", "ID3v1 Tag" };
    names_ = &kNames;
}

std::size_t TID3v1Tag::GetSize() const
{
    return 0;
}

bool TID3v1Tag::LoadFromStream(ByteReader& reader, FrameSizeFormat)
{
    Changed = false;
    const auto bytes = reader.Take(kRecordSize);
    if (bytes.size() < kRecordSize || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return false;
    Record record;
    std::copy(bytes.begin(), bytes.end(), record.begin());
    Title = FieldText(record, kTitle.Offset, kTitle.Width);
    Artist = FieldText(record, kArtist.Offset, kArtist.Width);
    Album = FieldText(record, kAlbum.Offset, kAlbum.Width);
    Year = FieldText(record, kYear.Offset, kYear.Width);
    Genre = record[kGenre];
    IsV11 = record[kV11Marker] == 0 && record[kTrack] != 0;
    Comment = FieldText(record, kComment.Offset, IsV11 ? kV11CommentWidth : kComment.Width);
    Track = IsV11 ? record[kTrack] : 0;
    return true;
}

bool TID3v1Tag::SaveToStream(ByteWriter& writer, FrameSizeFormat) const
{
    Record record {};
    std::copy(kMagic.begin(), kMagic.end(), record.begin());
    PutField(record, kTitle, Title);
    PutField(record, kArtist, Artist);
    PutField(record, kAlbum, Album);
    PutField(record, kYear, Year);
    PutField(record, kComment, Comment);
    record[kGenre] = Genre;
    if (IsV11) {
        record[kV11Marker] = 0;
        record[kTrack] = Track;
    }
    writer.Bytes(record);
    return true;
}

void TID3v1Tag::SetTitle(const AnsiString& text)
{
    SetField(Title, text);
}

void TID3v1Tag::SetArtist(const AnsiString& text)
{
    SetField(Artist, text);
}

void TID3v1Tag::SetAlbum(const AnsiString& text)
{
    SetField(Album, text);
}

void TID3v1Tag::SetYear(const AnsiString& text)
{
    SetField(Year, text);
}

void TID3v1Tag::SetComment(const AnsiString& text)
{
    if (Comment == text)
        return;
    Comment = text.substr(0, IsV11 ? kV11CommentWidth : kComment.Width);
    Changed = true;
}

void TID3v1Tag::SetGenre(std::uint8_t genre)
{
    SetField(Genre, genre);
}

void TID3v1Tag::SetTrack(std::uint8_t track)
{
    if (Track == track)
        return;
    Track = IsV11 ? track : 0;
    Changed = true;
}

void TID3v1Tag::SetV11(bool isV11)
{
    if (IsV11 == isV11)
        return;
    IsV11 = isV11;
    if (IsV11)
        Comment = Comment.substr(0, kV11CommentWidth);
    Changed = true;
}

} // namespace vennart::tags
