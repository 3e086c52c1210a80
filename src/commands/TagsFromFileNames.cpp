#include "commands/TagsFromFileNames.h"

#include "platform/SystemCodePage.h"
#include "tags/FrameFactory.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Class.h"
#include "text/UStringConvert.h"
#include "workspace/FieldEditing.h"
#include "workspace/FrameText.h"
#include "workspace/Workspace.h"

#include <string>

namespace vennart::commands {
namespace {

using workspace::SameFrameID;
using workspace::TagGrid;

const AnsiString* RecordText(const tags::TID3v1Tag& record, std::string_view frameID)
{
    if (SameFrameID(frameID, "TIT2"))
        return &record.Title;
    if (SameFrameID(frameID, "TPE1"))
        return &record.Artist;
    if (SameFrameID(frameID, "TALB"))
        return &record.Album;
    if (SameFrameID(frameID, "TYER"))
        return &record.Year;
    if (SameFrameID(frameID, "COMM"))
        return &record.Comment;
    return nullptr;
}

WideString ShownRecordField(const tags::TID3v1Tag& record, uint32_t codePage, std::string_view frameID)
{
    if (SameFrameID(frameID, "TRCK"))
        return WidenSystem(std::to_string(record.Track));
    const AnsiString* field = RecordText(record, frameID);
    return field ? text::CodePageToWide(*field, codePage) : WideString();
}

} // namespace

void StoreIntoRecord(tags::TID3v1Tag& record, const FieldValue& value, uint32_t codePage)
{
    const AnsiString text8 = text::WideToCodePage(value.text, codePage);
    const auto& id = value.frameID;
    if (SameFrameID(id, "TIT2"))
        record.SetTitle(text8);
    else if (SameFrameID(id, "TPE1"))
        record.SetArtist(text8);
    else if (SameFrameID(id, "TALB"))
        record.SetAlbum(text8);
    else if (SameFrameID(id, "TYER"))
        record.SetYear(text8);
    else if (SameFrameID(id, "COMM"))
        record.SetComment(text8);
    else if (SameFrameID(id, "TRCK"))
        record.SetTrack(static_cast<std::uint8_t>(static_cast<unsigned>(NumberOr(text8, 0)) & 0xFFu));
}

bool MakeTagsFromFileName(
    tags::TID3v2Class& file, TagGrid grid, uint32_t codePage, const TagsFromNameOptions& options)
{
    tags::TID3v1Tag* record = grid == TagGrid::ID3v1 ? &workspace::EnsureID3v1(file) : nullptr;
    const auto values = FieldValues(NameForRules(file.FileName), options);
    for (const auto& value : values) {
        if (record)
            StoreIntoRecord(*record, value, codePage);
        else
            workspace::SetFrameText(file, value.frameID, value.text, codePage);
    }
    return !values.empty();
}

WideString ShownFieldText(
    const tags::TID3v2Class& file, TagGrid grid, uint32_t codePage, std::string_view frameID)
{
    if (grid == TagGrid::ID3v2)
        return workspace::GetFrameText(file, frameID, codePage);
    const auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1);
    return record ? ShownRecordField(*record, codePage, frameID) : WideString();
}

WideString ShownAfterStore(
    const tags::TID3v2Class& file, TagGrid grid, uint32_t codePage, const FieldValue& value)
{
    if (grid == TagGrid::ID3v2) {
        auto frame = tags::CreateFrame(value.frameID);
        workspace::StoreFrameText(*frame, value.text, codePage);
        return workspace::FrameText(frame.get(), codePage);
    }
    // A record of the same version: it decides how much comment is kept and whether a track is.
    tags::TID3v1Tag scratch;
    if (const auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1))
        scratch.IsV11 = record->IsV11;
    StoreIntoRecord(scratch, value, codePage);
    return ShownRecordField(scratch, codePage, value.frameID);
}

ChangeSet TagsFromFileNames(
    const workspace::Workspace& workspace, const std::vector<int>& rows, const TagsFromNameOptions& options)
{
    const TagGrid grid = workspace.ActiveGrid();
    const uint32_t codePage = workspace.ViewCodePage(grid);
    return ChangeRows(workspace, "Make Tags from Filenames", rows, [&](workspace::RowState& draft) {
        if (!MakeTagsFromFileName(*draft.file, grid, codePage, options))
            return false;
        draft.Mark(grid);
        return true;
    });
}

} // namespace vennart::commands
