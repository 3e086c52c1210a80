#include "support/Id3Builder.h"

#include <algorithm>

namespace vennart::test {
namespace {

void Append(Bytes& to, const Bytes& bytes)
{
    to.insert(to.end(), bytes.begin(), bytes.end());
}

void AppendBigEndian(Bytes& to, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        to.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendSyncsafe(Bytes& to, std::uint32_t value)
{
    for (int shift = 21; shift >= 0; shift -= 7)
        to.push_back(static_cast<std::uint8_t>(value >> shift & 0x7F));
}

void PutText(Bytes& record, std::size_t offset, std::size_t width, const std::string& text)
{
    std::copy_n(
        text.begin(), std::min(width, text.size()), record.begin() + static_cast<std::ptrdiff_t>(offset));
}

// A frame of `frame`, zero after its header (and CRC), with `header` at offset `at`.
Bytes FrameHolding(const MPEGFrameFields& frame, std::size_t at, const Bytes& header)
{
    Bytes bytes;
    AppendBigEndian(bytes, MPEGHeaderWord(frame));
    bytes.resize(kAudioFrameLength, 0);
    std::ranges::copy(header, bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

// Layer III side information: 32 or 17 bytes in MPEG 1 (stereo, mono), 17 or 9 in MPEG 2 and 2.5.
std::size_t SideInfoSize(const MPEGFrameFields& frame)
{
    const bool mono = frame.ChannelMode == 3;
    if (frame.Version == 3)
        return mono ? 17 : 32;
    return mono ? 9 : 17;
}

} // namespace

Bytes BytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        Append(all, part);
    return all;
}

Bytes Utf16LE(std::u16string_view text, bool withMark)
{
    Bytes bytes;
    if (withMark)
        bytes = { 0xFF, 0xFE };
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

Bytes TextBody(std::string_view text)
{
    return Concat({ { 0x00 }, BytesOf(text) });
}

Bytes Utf16Body(std::u16string_view text)
{
    return Concat({ { 0x01 }, Utf16LE(text) });
}

Bytes Pattern(std::size_t size, int seed)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251 + static_cast<std::size_t>(seed));
    return bytes;
}

Bytes Frame(std::string_view id, const Bytes& body, std::uint16_t flags, SizeStyle size)
{
    Bytes frame = BytesOf(id);
    const auto bodySize = static_cast<std::uint32_t>(body.size());
    if (size == SizeStyle::Syncsafe)
        AppendSyncsafe(frame, bodySize);
    else
        AppendBigEndian(frame, bodySize);
    frame.push_back(static_cast<std::uint8_t>(flags >> 8));
    frame.push_back(static_cast<std::uint8_t>(flags));
    Append(frame, body);
    return frame;
}

Bytes TextFrames(std::string_view frames)
{
    Bytes all;
    for (std::size_t start = 0; start < frames.size();) {
        const std::size_t bar = std::min(frames.find('|', start), frames.size());
        const std::string_view frame = frames.substr(start, bar - start);
        Append(all, Frame(frame.substr(0, 4), TextBody(frame.substr(5))));
        start = bar + 1;
    }
    return all;
}

Bytes TagHeader(std::uint8_t major, std::uint32_t size, std::uint8_t flags, std::uint8_t revision)
{
    Bytes header = BytesOf("ID3");
    header.push_back(major);
    header.push_back(revision);
    header.push_back(flags);
    AppendSyncsafe(header, size);
    return header;
}

Bytes Tag(std::uint8_t major, const Bytes& frames, std::size_t padding, std::uint8_t flags)
{
    return Concat({ TagHeader(major, static_cast<std::uint32_t>(frames.size() + padding), flags), frames,
        Bytes(padding, 0) });
}

std::size_t PaddingToBlock(const Bytes& frames, std::size_t block)
{
    constexpr std::size_t kHeaderSize = 10;
    const std::size_t used = kHeaderSize + frames.size();
    return (used + block - 1) / block * block - used;
}

std::uint32_t MPEGHeaderWord(const MPEGFrameFields& frame)
{
    return 0xFFE00000u | std::uint32_t { frame.Version } << 19 | std::uint32_t { frame.Layer } << 17
        | (frame.Protected ? 0u : 1u << 16) | std::uint32_t { frame.BitrateIndex } << 12
        | std::uint32_t { frame.RateIndex } << 10 | (frame.Padding ? 1u << 9 : 0u)
        | std::uint32_t { frame.ChannelMode } << 6;
}

Bytes Audio(int count)
{
    Bytes audio;
    audio.reserve(static_cast<std::size_t>(count) * kAudioFrameLength);
    for (int i = 0; i < count; ++i) {
        AppendBigEndian(audio, MPEGHeaderWord({}));
        for (std::size_t b = 4; b < kAudioFrameLength; ++b)
            audio.push_back(static_cast<std::uint8_t>(0x11 * (b % 7)));
    }
    return audio;
}

Bytes XingFrame(const MPEGFrameFields& frame, std::string_view magic, std::uint32_t frames,
    std::optional<std::uint32_t> bytes)
{
    Bytes header = BytesOf(magic);
    AppendBigEndian(header, bytes ? 3 : 1);
    AppendBigEndian(header, frames);
    if (bytes)
        AppendBigEndian(header, *bytes);
    return FrameHolding(frame, 4 + (frame.Protected ? 2 : 0) + SideInfoSize(frame), header);
}

Bytes VBRIFrame(const MPEGFrameFields& frame, std::uint32_t frames, std::uint32_t bytes)
{
    Bytes header = Concat({ BytesOf("VBRI"), { 0, 1, 0, 0, 0, 75 } });
    AppendBigEndian(header, bytes);
    AppendBigEndian(header, frames);
    return FrameHolding(frame, 4 + 32, header);
}

Bytes ID3v1Record(const ID3v1Fields& fields)
{
    Bytes record(128, 0);
    PutText(record, 0, 3, "TAG");
    PutText(record, 3, 30, fields.Title);
    PutText(record, 33, 30, fields.Artist);
    PutText(record, 63, 30, fields.Album);
    PutText(record, 93, 4, fields.Year);
    PutText(record, 97, fields.Track >= 0 ? 28 : 30, fields.Comment);
    // Byte 125 stays zero: with a track there, it marks a version 1.1 record.
    if (fields.Track >= 0)
        record[126] = static_cast<std::uint8_t>(fields.Track);
    record[127] = fields.Genre;
    return record;
}

} // namespace vennart::test
