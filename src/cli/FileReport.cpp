#include "cli/FileReport.h"

#include "tags/ID3v1Genre.h"
#include "tags/ID3v1Tag.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

#include <map>

namespace vennart::cli {
namespace {

using workspace::TagGrid;

ID3v1Report ReportOfRecord(const tags::TID3v1Tag& record, uint32_t codePage)
{
    const auto shown = [codePage](const AnsiString& bytes) { return text::CodePageToWide(bytes, codePage); };
    return {
        .version = record.IsV11 ? "1.1" : "1.0",
        .title = shown(record.Title),
        .artist = shown(record.Artist),
        .album = shown(record.Album),
        .year = shown(record.Year),
        .comment = shown(record.Comment),
        .genre = record.Genre,
        .genreName = tags::TID3v1Genre().GetGenreName(record.Genre),
        .track = record.Track,
    };
}

std::string VersionText(std::uint16_t version)
{
    return "2." + std::to_string(version >> 8) + "." + std::to_string(version & 0xFF);
}

WideString Decimal(int number)
{
    const std::string digits = std::to_string(number);
    return WideString(digits.begin(), digits.end());
}

} // namespace

FileReport ReportOfRow(const workspace::Workspace& workspace, int row)
{
    const tags::TID3v2Class& file = workspace.File(row);
    FileReport report { .path = file.FileName, .name = workspace.RowName(row) };
    if (const auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1))
        report.id3v1 = ReportOfRecord(*record, workspace.ViewCodePage(TagGrid::ID3v1));
    if (file.HasID3v2)
        report.id3v2Version = VersionText(file.Version);
    const uint32_t codePage = workspace.ViewCodePage(TagGrid::ID3v2);
    for (const auto& frame : file.Frames) {
        if (dynamic_cast<const tags::TID3v1Tag*>(frame.get()) == nullptr)
            report.frames.push_back(
                { frame->GetID(), frame->ShortName, workspace::FrameText(frame.get(), codePage) });
    }
    return report;
}

workspace::FileInfoRows FileInfoOfRow(workspace::Workspace& workspace, int row)
{
    workspace.SetActiveGrid(TagGrid::ID3v2);
    workspace.SetSelection(TagGrid::ID3v2, { row, row });
    return workspace::ShowFileInfo(workspace);
}

std::vector<ReportField> FieldsOf(const FileReport& report)
{
    std::vector<ReportField> fields { { "name", report.name } };
    if (const auto& record = report.id3v1) {
        fields.insert(fields.end(),
            {
                { "ID3v1 version", WideString(record->version.begin(), record->version.end()) },
                { "ID3v1 title", record->title },
                { "ID3v1 artist", record->artist },
                { "ID3v1 album", record->album },
                { "ID3v1 year", record->year },
                { "ID3v1 comment", record->comment },
                { "ID3v1 genre", record->genreName.empty() ? Decimal(record->genre) : record->genreName },
                { "ID3v1 track", Decimal(record->track) },
            });
    }
    std::map<std::string, int> seen;
    for (const FrameReport& frame : report.frames) {
        const int occurrence = ++seen[frame.id];
        fields.push_back(
            { occurrence == 1 ? frame.id : frame.id + "#" + std::to_string(occurrence), frame.text });
    }
    return fields;
}

} // namespace vennart::cli
