#include "tags/ID3v22Frames.h"

#include "tags/BinaryFrames.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vennart::tags {
namespace {

// The standard's table of 2.2 identifiers and their 2.3 counterparts, and the sort-order frames
// iTunes wrote in 2.2 tags. LNK is left out: its body names a frame by a three-letter identifier.
constexpr std::pair<std::string_view, std::string_view> kV22ToV23[] {
    { "BUF", "RBUF" },
    { "CNT", "PCNT" },
    { "COM", "COMM" },
    { "CRA", "AENC" },
    { "EQU", "EQUA" },
    { "ETC", "ETCO" },
    { "GEO", "GEOB" },
    { "IPL", "IPLS" },
    { "MCI", "MCDI" },
    { "MLL", "MLLT" },
    { "PIC", "APIC" },
    { "POP", "POPM" },
    { "REV", "RVRB" },
    { "RVA", "RVAD" },
    { "SLT", "SYLT" },
    { "STC", "SYTC" },
    { "TAL", "TALB" },
    { "TBP", "TBPM" },
    { "TCM", "TCOM" },
    { "TCO", "TCON" },
    { "TCR", "TCOP" },
    { "TDA", "TDAT" },
    { "TDY", "TDLY" },
    { "TEN", "TENC" },
    { "TFT", "TFLT" },
    { "TIM", "TIME" },
    { "TKE", "TKEY" },
    { "TLA", "TLAN" },
    { "TLE", "TLEN" },
    { "TMT", "TMED" },
    { "TOA", "TOPE" },
    { "TOF", "TOFN" },
    { "TOL", "TOLY" },
    { "TOR", "TORY" },
    { "TOT", "TOAL" },
    { "TP1", "TPE1" },
    { "TP2", "TPE2" },
    { "TP3", "TPE3" },
    { "TP4", "TPE4" },
    { "TPA", "TPOS" },
    { "TPB", "TPUB" },
    { "TRC", "TSRC" },
    { "TRD", "TRDA" },
    { "TRK", "TRCK" },
    { "TSI", "TSIZ" },
    { "TSS", "TSSE" },
    { "TT1", "TIT1" },
    { "TT2", "TIT2" },
    { "TT3", "TIT3" },
    { "TXT", "TEXT" },
    { "TXX", "TXXX" },
    { "TYE", "TYER" },
    { "UFI", "UFID" },
    { "ULT", "USLT" },
    { "WAF", "WOAF" },
    { "WAR", "WOAR" },
    { "WAS", "WOAS" },
    { "WCM", "WCOM" },
    { "WCP", "WCOP" },
    { "WPB", "WPUB" },
    { "WXX", "WXXX" },
    { "TCP", "TCMP" },
    { "TST", "TSOT" },
    { "TSP", "TSOP" },
    { "TSA", "TSOA" },
    { "TS2", "TSO2" },
    { "TSC", "TSOC" },
};

constexpr std::size_t kImageFormatLength = 3;

bool IsValidV22FrameID(std::span<const std::uint8_t> id)
{
    return id.size() == 3 && std::ranges::all_of(id, [](std::uint8_t c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

std::uint32_t V22FrameSize(std::span<const std::uint8_t> field)
{
    return static_cast<std::uint32_t>(field[0] << 16 | field[1] << 8 | field[2]);
}

// PIC: encoding, a 3-letter image format, picture type, description, data; APIC has a MIME type
// ended by a zero byte in place of the format.
ByteVector ApicBodyOfPic(std::span<const std::uint8_t> body)
{
    if (body.size() < 1 + kImageFormatLength)
        return { body.begin(), body.end() };
    const AnsiString mime = MimeTypeOfImageFormat(
        std::string_view(reinterpret_cast<const char*>(body.data() + 1), kImageFormatLength));
    ByteVector apic { body[0] };
    apic.insert(apic.end(), mime.begin(), mime.end());
    apic.push_back(0);
    apic.insert(apic.end(), body.begin() + 1 + kImageFormatLength, body.end());
    return apic;
}

std::unique_ptr<TTag> ReadV22Frame(std::string_view id, std::span<const std::uint8_t> body)
{
    const AnsiString v23ID = V23FrameID(id);
    if (v23ID.empty()) {
        auto kept = std::make_unique<TUnknownTag>();
        kept->ID = AnsiString(id);
        kept->RawData = HeldBytes(SharedBytes(ByteVector(body.begin(), body.end())));
        return kept;
    }
    return FrameFromPlainBody(
        v23ID, 0, v23ID == "APIC" ? ApicBodyOfPic(body) : ByteVector(body.begin(), body.end()));
}

} // namespace

AnsiString V23FrameID(std::string_view v22ID)
{
    const auto found
        = std::ranges::find(kV22ToV23, v22ID, &std::pair<std::string_view, std::string_view>::first);
    return found == std::end(kV22ToV23) ? AnsiString() : AnsiString(found->second);
}

AnsiString MimeTypeOfImageFormat(std::string_view format)
{
    AnsiString lower(format);
    std::ranges::transform(lower, lower.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    if (lower == "jpg")
        return "image/jpeg";
    return "image/" + lower;
}

FrameList ReadID3v22Frames(std::span<const std::uint8_t> body, std::size_t& framesEnd)
{
    FrameList frames;
    std::size_t offset = 0;
    while (body.size() - offset > kV22FrameHeaderSize && IsValidV22FrameID(body.subspan(offset, 3))) {
        const std::size_t frameEnd = offset + kV22FrameHeaderSize + V22FrameSize(body.subspan(offset + 3, 3));
        if (frameEnd > body.size())
            break;
        const std::string_view id(reinterpret_cast<const char*>(body.data() + offset), 3);
        frames.push_back(ReadV22Frame(
            id, body.subspan(offset + kV22FrameHeaderSize, frameEnd - offset - kV22FrameHeaderSize)));
        offset = frameEnd;
    }
    framesEnd = offset;
    return frames;
}

} // namespace vennart::tags
