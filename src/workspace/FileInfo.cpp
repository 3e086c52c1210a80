#include "workspace/FileInfo.h"

#include "tags/ID3v1Tag.h"
#include "workspace/Workspace.h"

#include <cstdio>

namespace vennart::workspace {
namespace {

enum Row {
    NameRow,
    SizeRow,
    PlaytimeRow,
    FramesRow,
    TagVersionRow,
    MPEGVersionRow,
    LayerRow,
    BitrateRow,
    SamplingRateRow,
    ChannelModeRow,
    ModeExtensionRow,
    EmphasisRow,
    ProtectedRow,
    PaddingRow,
    PrivateRow,
    CopyrightRow,
    OriginalRow
};

constexpr const char* kTitles[kFileInfoRowCount] = { "Filename", "File(s) size, Mb", "Playtime (only CBR)",
    "Frames", "Tag Version", "MPEG Version", "MPEG Layer", "Bitrate, kbps", "Sampling rate", "Channel mode",
    "Mod Extension (only JS)", "Emphasis", "Protected", "Padding", "Privat", "Copyright", "Original" };

// What the header rows say of a file without an MPEG frame header, in place of its all-zero fields.
constexpr const char* kNoAudio = "no MPEG audio found";

const char* YesNo(bool flag)
{
    return flag ? "yes" : "no";
}

std::string VersionText(std::uint8_t version)
{
    static const char* const texts[] = { "2.5", "RES", "2", "1" };
    return texts[version & 3];
}

std::string LayerText(std::uint8_t layer)
{
    static const char* const texts[] = { "RES", "Layer III", "Layer II", "Layer I" };
    return texts[layer & 3];
}

std::string BitrateText(const tags::TMPEGHeaderInfo& info)
{
    if (info.IsVBR)
        return std::to_string(info.AverageKbps) + " (average)";
    const std::uint16_t code = info.BitrateCode;
    if (code == 0)
        return "free";
    if (code == tags::TMPEGHeaderInfo::kBadBitrate)
        return "bad";
    return std::to_string(tags::BitrateKbps(code));
}

std::string ChannelModeText(std::uint8_t mode)
{
    static const char* const texts[] = { "Stereo", "Joint Stereo", "Dual Channel", "Single Channel" };
    return texts[mode & 3];
}

std::string EmphasisText(std::uint8_t emphasis)
{
    static const char* const texts[] = { "none", "50/15 ms", "RES", "CCIT J.17" };
    return texts[emphasis & 3];
}

// The version of the tag the file holds; empty when it holds none, even while the editing panel
// keeps a new record in memory for it.
std::string TagVersionText(const tags::TID3v2Class& file, TagGrid grid)
{
    if (grid == TagGrid::ID3v1) {
        const auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1);
        if (!file.HasID3v1 || record == nullptr)
            return {};
        return record->IsV11 ? "ID3v1.1" : "ID3v1.0";
    }
    if (!file.HasID3v2)
        return {};
    return "ID3v2." + std::to_string(file.Version >> 8) + "." + std::to_string(file.Version & 0xFF);
}

// Megabytes with two decimals in the user's notation (the decimal separator of the C locale the
// program runs in).
std::string Megabytes(std::int64_t bytes)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(bytes) / 1024.0 / 1024.0);
    return text;
}

} // namespace

void AddDistinct(const std::string& value, std::string& text)
{
    if (text.find(value) != std::string::npos)
        return;
    text += text.empty() ? value : "," + value;
}

std::string FormatPlaytime(std::int64_t seconds)
{
    const std::int64_t hours = seconds / 3600;
    const std::int64_t minutes = seconds % 3600 / 60;
    char text[64];
    if (hours >= 1)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(hours),
            static_cast<long long>(minutes), static_cast<long long>(seconds % 60));
    else
        std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(minutes),
            static_cast<long long>(seconds % 60));
    return text;
}

void AddFileInfo(const tags::TID3v2Class& file, TagGrid grid, FileInfoTotals& totals)
{
    auto& t = totals.texts;
    if (std::string version = TagVersionText(file, grid); !version.empty())
        AddDistinct(version, t[TagVersionRow]);
    const tags::TMPEGHeaderInfo info = file.GetMPEGInfo();
    totals.duration += info.Duration;
    totals.fileSize += info.FileSize;
    totals.frameCount += info.FrameCount;
    if (!info.Found()) {
        AddDistinct(kNoAudio, t[MPEGVersionRow]);
        return;
    }
    AddDistinct(VersionText(info.Version), t[MPEGVersionRow]);
    AddDistinct(LayerText(info.Layer), t[LayerRow]);
    AddDistinct(BitrateText(info), t[BitrateRow]);
    AddDistinct(std::to_string(info.SamplingRate), t[SamplingRateRow]);
    AddDistinct(ChannelModeText(info.ChannelMode), t[ChannelModeRow]);
    AddDistinct(std::to_string(info.ModeExtension), t[ModeExtensionRow]);
    AddDistinct(EmphasisText(info.Emphasis), t[EmphasisRow]);
    AddDistinct(YesNo(info.Protected), t[ProtectedRow]);
    AddDistinct(YesNo(info.Padding), t[PaddingRow]);
    AddDistinct(YesNo(info.Private), t[PrivateRow]);
    AddDistinct(YesNo(info.Copyright), t[CopyrightRow]);
    AddDistinct(YesNo(info.Original), t[OriginalRow]);
}

FileInfoRows ShowFileInfo(const Workspace& workspace)
{
    const RowRange selection = workspace.ActiveSelection();
    FileInfoTotals totals;
    for (int row = selection.top; row <= selection.bottom && row < workspace.FileCount(); ++row)
        AddFileInfo(workspace.File(row), workspace.ActiveGrid(), totals);

    FileInfoRows rows;
    for (std::size_t i = 0; i < kFileInfoRowCount; ++i)
        rows[i] = { kTitles[i], std::move(totals.texts[i]) };
    const bool single = workspace.FileCount() > 0 && selection.IsSingle();
    if (single)
        rows[NameRow].value = workspace.File(selection.top).FileName.filename().string();
    else
        rows[NameRow] = { "Files", std::to_string(workspace.FileCount() > 0 ? selection.Count() : 0) };
    rows[SizeRow].value = Megabytes(totals.fileSize);
    rows[PlaytimeRow].value = FormatPlaytime(totals.duration);
    rows[FramesRow].value = single || workspace.FileCount() == 0 ? std::to_string(totals.frameCount) : "";
    return rows;
}

} // namespace vennart::workspace
