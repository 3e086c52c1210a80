#include "cli/FileReport.h"

#include "tags/CommentFrame.h"
#include "tags/ID3v1Genre.h"
#include "tags/ID3v1Tag.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"
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
        .codePage = codePage,
    };
}

std::optional<tags::TTextEncoding> DeclaredEncoding(const tags::TTag& frame)
{
    if (const auto* text = dynamic_cast<const tags::TTxxxTag*>(&frame))
        return text->Encoding;
    if (const auto* comment = dynamic_cast<const tags::TCOMMTag*>(&frame))
        return comment->Encoding;
    if (const auto* link = dynamic_cast<const tags::TWXXXTag*>(&frame))
        return link->Encoding;
    return std::nullopt;
}

// 8-bit text, whatever its encoding byte says, is read in the view code page.
std::string StorageOf(const tags::TTag& frame, uint32_t codePage)
{
    const std::optional<tags::TTextEncoding> encoding = DeclaredEncoding(frame);
    if (!encoding)
        return {};
    switch (*encoding) {
    case tags::teUTF16:
        return "UTF-16";
    case tags::teUTF16NoBOM:
        return "UTF-16BE";
    case tags::teUTF8:
        return "UTF-8";
    case tags::teISO88591:
    case tags::teUnknown:
        break;
    }
    return "code page " + std::to_string(codePage);
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
    report.frames.reserve(file.Frames.size());
    for (const auto& frame : file.Frames) {
        if (dynamic_cast<const tags::TID3v1Tag*>(frame.get()) == nullptr)
            report.frames.push_back({ frame->GetID().str(), std::string(frame->ShortName()),
                workspace::FrameText(frame.get(), codePage), StorageOf(*frame, codePage) });
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
                { "ID3v1 code page", Decimal(static_cast<int>(record->codePage)) },
            });
    }
    std::map<std::string, int> seen;
    for (const FrameReport& frame : report.frames) {
        const int occurrence = ++seen[frame.id];
        const std::string field = occurrence == 1 ? frame.id : frame.id + "#" + std::to_string(occurrence);
        fields.push_back({ field, frame.text });
        if (!frame.storage.empty())
            fields.push_back({ field + " storage", WideString(frame.storage.begin(), frame.storage.end()) });
    }
    return fields;
}

} // namespace vennart::cli
