#include "cli/ReportOutput.h"

#include "cli/OutputText.h"
#include "text/Utf8.h"

#include <algorithm>

namespace vennart::cli {
namespace {

WideString Widened(std::string_view ascii)
{
    return WideString(ascii.begin(), ascii.end());
}

void AddID3v1(JsonObject& json, const std::optional<ID3v1Report>& record)
{
    if (!record) {
        json.AddJson("id3v1", "null");
        return;
    }
    json.Open("id3v1")
        .Add("version", record->version)
        .Add("title", record->title)
        .Add("artist", record->artist)
        .Add("album", record->album)
        .Add("year", record->year)
        .Add("comment", record->comment)
        .AddNumber("genre", record->genre)
        .Add("genreName", record->genreName)
        .AddNumber("track", record->track)
        .Close();
}

void AddID3v2(JsonObject& json, const FileReport& report)
{
    json.Open("id3v2");
    if (report.id3v2Version.empty())
        json.AddJson("version", "null");
    else
        json.Add("version", report.id3v2Version);
    json.OpenArray("frames");
    for (const FrameReport& frame : report.frames)
        json.OpenElement()
            .Add("id", frame.id)
            .Add("name", frame.name)
            .Add("text", frame.text)
            .Add("storage", frame.storage)
            .Close();
    json.Close().Close();
}

void AddInfo(JsonObject& json, const workspace::FileInfoRows& info)
{
    json.Open("info");
    for (const workspace::FileInfoRow& row : info)
        json.Add(row.title, row.value);
    json.Close();
}

void AddLine(std::string& text, std::string_view indent, std::string_view label, const std::string& value)
{
    text.append(indent).append(label).append(": ").append(value).append("\n");
}

void AddID3v1Lines(std::string& text, const ID3v1Report& record)
{
    text += "ID3v1 " + record.version + "\n";
    AddLine(text, "  ", "Title", Printable(record.title));
    AddLine(text, "  ", "Artist", Printable(record.artist));
    AddLine(text, "  ", "Album", Printable(record.album));
    AddLine(text, "  ", "Year", Printable(record.year));
    AddLine(text, "  ", "Comment", Printable(record.comment));
    AddLine(text, "  ", "Genre", std::to_string(record.genre) + " " + Printable(record.genreName));
    AddLine(text, "  ", "Track", std::to_string(record.track));
}

} // namespace

std::string ShowText(const FileReport& report, const workspace::FileInfoRows& info)
{
    std::string text = PrintablePath(report.path) + "\n";
    if (report.id3v1)
        AddID3v1Lines(text, *report.id3v1);
    else
        text += "ID3v1: none\n";
    text += report.id3v2Version.empty() ? "ID3v2: none\n" : "ID3v" + report.id3v2Version + "\n";
    for (const FrameReport& frame : report.frames)
        AddLine(text, "  ", frame.id + " " + Printable(Widened(frame.name)), Printable(frame.text));
    text += "File information\n";
    for (const workspace::FileInfoRow& row : info)
        AddLine(text, "  ", row.title, Printable(text::DecodeUtf8(row.value)));
    return text;
}

std::string ShowJson(const FileReport& report, const workspace::FileInfoRows& info)
{
    JsonObject json;
    json.Add("file", PathText(report.path)).Add("name", report.name);
    AddID3v1(json, report.id3v1);
    AddID3v2(json, report);
    AddInfo(json, info);
    return json.Line();
}

std::vector<FieldChange> Changes(const FileReport& before, const FileReport& after)
{
    const std::vector<ReportField> old = FieldsOf(before);
    const std::vector<ReportField> now = FieldsOf(after);
    const auto find = [](const std::vector<ReportField>& fields, const std::string& name) {
        return std::find_if(
            fields.begin(), fields.end(), [&](const ReportField& f) { return f.field == name; });
    };
    std::vector<FieldChange> changes;
    for (const ReportField& field : old) {
        const auto match = find(now, field.field);
        const WideString after = match == now.end() ? WideString() : match->text;
        if (after != field.text)
            changes.push_back({ field.field, field.text, after });
    }
    for (const ReportField& field : now) {
        if (!field.text.empty() && find(old, field.field) == old.end())
            changes.push_back({ field.field, WideString(), field.text });
    }
    return changes;
}

std::string ChangesText(const FileReport& before, const std::vector<FieldChange>& changes,
    const std::vector<std::string>& problems)
{
    std::string text = PrintablePath(before.path) + "\n";
    for (const FieldChange& change : changes)
        text += "  " + change.field + ": \"" + Printable(change.before) + "\" -> \"" + Printable(change.after)
            + "\"\n";
    for (const std::string& problem : problems)
        text += "  name not usable: " + problem + "\n";
    return text;
}

std::string ChangesJson(const FileReport& before, const std::vector<FieldChange>& changes,
    const std::vector<std::string>& problems)
{
    JsonObject json;
    json.Add("file", PathText(before.path)).OpenArray("changes");
    for (const FieldChange& change : changes)
        json.OpenElement()
            .Add("field", change.field)
            .Add("old", change.before)
            .Add("new", change.after)
            .Close();
    json.Close().OpenArray("problems");
    for (const std::string& problem : problems)
        json.AddElement(problem);
    return json.Line();
}

} // namespace vennart::cli
