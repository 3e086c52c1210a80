// What show prints of one file, and what a dry run compares before and after a command: the ID3v1
// record, every ID3v2 frame as the view code pages show it, the name, and the file information.
#pragma once

#include "platform/Strings.h"
#include "workspace/FileInfo.h"
#include "workspace/Workspace.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vennart::cli {

// The record's fields as the ID3v1 view code page shows them.
struct ID3v1Report {
    std::string version; // "1.0" or "1.1"
    WideString title;
    WideString artist;
    WideString album;
    WideString year;
    WideString comment;
    int genre = 0;
    WideString genreName; // empty above 148
    int track = 0;
    uint32_t codePage = 0; // the view code page the fields are read in
};

struct FrameReport {
    std::string id;
    std::string name; // the short name of the descriptor table
    WideString text; // FrameText under the ID3v2 view code page; empty for pictures and the like
    // How the text is stored: "UTF-16", "UTF-8", ... or the code page 8-bit text is read in; empty
    // for frames without text.
    std::string storage = {};
};

struct FileReport {
    std::filesystem::path path;
    WideString name; // the row's name, an edited one included
    std::optional<ID3v1Report> id3v1 = {};
    std::string id3v2Version = {}; // "2.3.0"; empty for a file without an ID3v2 tag
    std::vector<FrameReport> frames = {};
};

FileReport ReportOfRow(const workspace::Workspace& workspace, int row);

// The file information rows of one row, on the ID3v2 tab. Selects that row in the ID3v2 grid.
workspace::FileInfoRows FileInfoOfRow(workspace::Workspace& workspace, int row);

// One field of a report for comparing two of them: "name", "ID3v1 title", ..., a frame identifier,
// with "#2", "#3" for a second and third frame of one identifier, and how each text is stored
// ("ID3v1 code page", "TIT2 storage"), which is all that re-encoding changes.
struct ReportField {
    std::string field;
    WideString text;
};
std::vector<ReportField> FieldsOf(const FileReport& report);

} // namespace vennart::cli
