// The first MPEG audio frame header of a file, decoded into the facts the file information shows:
// version, layer, bitrate, sampling rate, flags, and the play time, frame length and frame count
// that follow from them for a constant bitrate, or from the VBR header in the first frame.
#pragma once

#include "platform/File.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace vennart::tags {

enum MPEGVersion : std::uint8_t { kMPEG25 = 0, kReservedVersion = 1, kMPEG2 = 2, kMPEG1 = 3 };
enum MPEGLayer : std::uint8_t { kReservedLayer = 0, kLayerIII = 1, kLayerII = 2, kLayerI = 3 };
constexpr std::uint8_t kSingleChannel = 3;

struct TMPEGHeaderInfo {
    std::uint8_t Version = 0; // 0 MPEG 2.5, 1 reserved, 2 MPEG 2, 3 MPEG 1
    std::uint8_t Layer = 0; // 0 reserved, 1 Layer III, 2 Layer II, 3 Layer I
    bool Protected = false; // a CRC follows the header
    std::uint16_t BitrateCode = 0; // 0 free, kBadBitrate, else 1-based position in kAllBitrates
    std::uint32_t SamplingRate = 0; // Hz; 0 for the reserved index
    bool Padding = false;
    bool Private = false;
    std::uint8_t ChannelMode = 0;
    std::uint8_t ModeExtension = 0;
    bool Copyright = false;
    bool Original = false;
    std::uint8_t Emphasis = 0;
    std::int32_t Duration = 0; // whole seconds
    std::int64_t FileSize = 0;
    std::int32_t FrameLength = 0; // bytes
    std::int32_t FrameCount = 0;
    // A Xing, Info or VBRI header in the first frame gave the frame count and duration, and the
    // average bitrate in kbit/s.
    bool IsVBR = false;
    std::int32_t AverageKbps = 0;

    static constexpr std::uint16_t kBadBitrate = 40;

    // A header was found: a record without one is all zero, and a header never has the reserved layer.
    bool Found() const { return Layer != kReservedLayer; }
};

// True when h (four bytes, big-endian) is an MPEG audio frame header: a frame sync, and no reserved
// version, layer, bitrate index or sampling-rate index.
bool IsMPEGFrameHeader(std::uint32_t h);

// The bitrate a code stands for, in kbit/s; 0 for free format and for a bad bitrate.
int BitrateKbps(std::uint16_t bitrateCode);

// Decodes header h (the four header bytes, big-endian) of a file of fileSize bytes whose audio data
// are audioSize bytes.
TMPEGHeaderInfo DecodeMPEGHeader(std::uint32_t h, std::int64_t audioSize, std::int64_t fileSize);

// The bytes after the tag worth reading together with it: the first frame header is usually among them.
constexpr std::size_t kAudioHeadSize = 4 * 1024;

struct FirstFrame {
    TMPEGHeaderInfo Info;
    std::int64_t AudioSize = 0;
};

// Searches file from offset start for the first frame header (a byte FF followed by a byte whose three
// highest bits are set, and no reserved field) and decodes it, with the VBR header of its frame when
// it has one. No header: everything stays zero. audioHead holds the bytes from start on that the
// caller has read already; the search begins with them.
FirstFrame ReadFirstFrameHeader(platform::File& file, std::int64_t start, std::int64_t fileSize,
    bool hasID3v1, std::span<const std::uint8_t> audioHead = {});

} // namespace vennart::tags
