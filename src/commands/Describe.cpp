#include "commands/Describe.h"

#include "platform/SystemCodePage.h"
#include "tags/ID3v1Genre.h"
#include "tags/ID3v1Tag.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

#include <algorithm>

namespace vennart::commands {
namespace {

using workspace::TagGrid;

std::vector<std::pair<std::string, WideString>> RecordFields(const tags::TID3v2Class& file, uint32_t codePage)
{
    const auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1);
    if (record == nullptr)
        return {};
    const auto text = [&](const AnsiString& field) { return text::CodePageToWide(field, codePage); };
    return { { "Title", text(record->Title) }, { "Artist", text(record->Artist) },
        { "Album", text(record->Album) }, { "Year", text(record->Year) },
        { "Comment", text(record->Comment) }, { "Genre", tags::TID3v1Genre().GetGenreName(record->Genre) },
        { "Track", WidenSystem(std::to_string(record->Track)) } };
}

// The identifiers of the ID3v2 frames of either object, in the order they first occur.
std::vector<std::string> FrameIDs(const tags::TID3v2Class& before, const tags::TID3v2Class& after)
{
    std::vector<std::string> ids;
    for (const tags::TID3v2Class* file : { &before, &after }) {
        for (const auto& frame : file->Frames) {
            if (dynamic_cast<const tags::TID3v1Tag*>(frame.get()) == nullptr
                && std::ranges::find(ids, frame->GetID()) == ids.end())
                ids.push_back(frame->GetID().str());
        }
    }
    return ids;
}

// A code page for the state before and one for after: a re-encoding moves the view code page.
struct CodePages {
    uint32_t before;
    uint32_t after;
};

void AddRecordChanges(const tags::TID3v2Class& before, const tags::TID3v2Class& after, CodePages codePages,
    std::vector<FieldChange>& changes)
{
    auto old = RecordFields(before, codePages.before);
    auto now = RecordFields(after, codePages.after);
    const std::size_t count = std::max(old.size(), now.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& name = i < now.size() ? now[i].first : old[i].first;
        WideString was = i < old.size() ? old[i].second : WideString();
        WideString is = i < now.size() ? now[i].second : WideString();
        if (was != is || old.size() != now.size())
            changes.push_back({ TagGrid::ID3v1, name, std::move(was), std::move(is) });
    }
}

void AddFrameChanges(const tags::TID3v2Class& before, const tags::TID3v2Class& after, CodePages codePages,
    std::vector<FieldChange>& changes)
{
    for (const std::string& id : FrameIDs(before, after)) {
        WideString was = workspace::GetFrameText(before, id, codePages.before);
        WideString is = workspace::GetFrameText(after, id, codePages.after);
        if (was != is)
            changes.push_back({ TagGrid::ID3v2, id, std::move(was), std::move(is) });
    }
}

// The new names of the set's rows checked against each other and against the other listed files.
std::vector<std::optional<NameProblem>> NameProblems(
    const workspace::Workspace& workspace, const ChangeSet& set)
{
    std::vector<WideString> newNames;
    std::vector<bool> inSet(static_cast<std::size_t>(workspace.FileCount()));
    for (const workspace::RowState& state : set.rows) {
        newNames.push_back(state.name);
        inSet[static_cast<std::size_t>(state.row)] = true;
    }
    std::vector<WideString> otherNames;
    for (int row = 0; row < workspace.FileCount(); ++row) {
        if (!inSet[static_cast<std::size_t>(row)])
            otherNames.push_back(workspace.RowName(row));
    }
    return CheckNewNames(newNames, otherNames);
}

} // namespace

std::vector<RowChangeDescription> Describe(const workspace::Workspace& workspace, const ChangeSet& set)
{
    const auto codePagesOf = [&](TagGrid grid) {
        const uint32_t now = workspace.ViewCodePage(grid);
        return CodePages { now, set.viewGrid == grid ? set.viewCodePage : now };
    };
    const CodePages cp1 = codePagesOf(TagGrid::ID3v1);
    const CodePages cp2 = codePagesOf(TagGrid::ID3v2);
    const auto problems = NameProblems(workspace, set);
    std::vector<RowChangeDescription> described;
    for (std::size_t i = 0; i < set.rows.size(); ++i) {
        const workspace::RowState& state = set.rows[i];
        const tags::TID3v2Class& before = workspace.File(state.row);
        RowChangeDescription row;
        row.row = state.row;
        row.nameBefore = workspace.RowName(state.row);
        row.nameAfter = state.name;
        if (row.nameAfter != row.nameBefore)
            row.nameProblem = problems[i];
        AddRecordChanges(before, *state.file, cp1, row.fields);
        AddFrameChanges(before, *state.file, cp2, row.fields);
        described.push_back(std::move(row));
    }
    return described;
}

} // namespace vennart::commands
