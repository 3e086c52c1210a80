// How show and a dry run print their reports: lines for people, or one JSON object per file and
// line for programs. The JSON keys are part of the tool's interface and do not change.
#pragma once

#include "cli/FileReport.h"

#include <string>
#include <vector>

namespace vennart::cli {

// show: "file", "name", "id3v1" (null without a record: "version", "title", "artist", "album",
// "year", "comment", "genre", "genreName", "track"), "id3v2" ("version", null without a tag;
// "frames": [{"id", "name", "text"}]), "info" (the file information, title -> value).
std::string ShowText(const FileReport& report, const workspace::FileInfoRows& info);
std::string ShowJson(const FileReport& report, const workspace::FileInfoRows& info);

// One field a command changes, as FieldsOf names it; a field the file gains or loses has an empty
// old or new text.
struct FieldChange {
    std::string field;
    WideString before;
    WideString after;
};
std::vector<FieldChange> Changes(const FileReport& before, const FileReport& after);

// A dry run: "file", "changes": [{"field", "old", "new"}], "problems": why the new name cannot be
// given.
std::string ChangesText(const FileReport& before, const std::vector<FieldChange>& changes,
    const std::vector<std::string>& problems);
std::string ChangesJson(const FileReport& before, const std::vector<FieldChange>& changes,
    const std::vector<std::string>& problems);

} // namespace vennart::cli
