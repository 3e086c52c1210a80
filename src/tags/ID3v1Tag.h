// The ID3v1 record: the fixed 128-byte block at the very end of an MP3 file, held in the tag
// object's frame list beside the ID3v2 frames. Version 1.1 keeps a track number in the last two
// bytes of the comment field.
#pragma once

#include "tags/Tag.h"

#include <cstdint>

namespace vennart::tags {

class TID3v1Tag : public TTag {
public:
    TID3v1Tag();

    static constexpr std::size_t kRecordSize = 128;
    // The genre byte of a record without a genre; players show none for it (0 would be "Blues").
    static constexpr std::uint8_t kNoGenre = 255;

    // 0: the record is not part of the ID3v2 tag.
    std::unique_ptr<TTag> Clone() const override { return std::make_unique<TID3v1Tag>(*this); }
    std::size_t GetSize() const override;
    // Reads a 128-byte record; true when it begins with "TAG" (otherwise the fields keep their values).
    bool LoadFromStream(ByteReader& reader, FrameSizeFormat format) override;
    // Writes the 128-byte record from the fields, each text cut to its field's width.
    bool SaveToStream(ByteWriter& writer, FrameSizeFormat format) const override;

    void SetTitle(const AnsiString& text);
    void SetArtist(const AnsiString& text);
    void SetAlbum(const AnsiString& text);
    void SetYear(const AnsiString& text);
    // Keeps the first 28 characters on a version 1.1 record, 30 on a version 1.0 record.
    void SetComment(const AnsiString& text);
    void SetGenre(std::uint8_t genre);
    // A version 1.0 record has no track number: it stores 0 (and is marked changed all the same).
    void SetTrack(std::uint8_t track);
    // Becoming version 1.1 cuts the comment to 28 characters; the track number keeps its value.
    void SetV11(bool isV11);

    // 8-bit text of the file's bytes, held without leading or trailing blanks and control characters.
    AnsiString Artist;
    AnsiString Title;
    AnsiString Album;
    AnsiString Year;
    AnsiString Comment;
    std::uint8_t Genre = kNoGenre;
    std::uint8_t Track = 0;
    bool IsV11 = true;
};

} // namespace vennart::tags
