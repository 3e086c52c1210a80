#include "commands/CopyTags.h"

#include "tags/ID3v1Genre.h"
#include "tags/ID3v1Tag.h"
#include "text/PlainText.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

#include <optional>
#include <string>

namespace vennart::commands {
namespace {

using TextField = AnsiString tags::TID3v1Tag::*;
using TextSetter = void (tags::TID3v1Tag::*)(const AnsiString&);

struct TextMapping {
    TextField field;
    TextSetter setter;
    const char* frameID;
};

const TextMapping kTextFields[] = {
    { &tags::TID3v1Tag::Artist, &tags::TID3v1Tag::SetArtist, "TPE1" },
    { &tags::TID3v1Tag::Title, &tags::TID3v1Tag::SetTitle, "TIT2" },
    { &tags::TID3v1Tag::Album, &tags::TID3v1Tag::SetAlbum, "TALB" },
    { &tags::TID3v1Tag::Year, &tags::TID3v1Tag::SetYear, "TYER" },
    { &tags::TID3v1Tag::Comment, &tags::TID3v1Tag::SetComment, "COMM" },
};

// A track text as a number: a whole number, or the standard "n/m" (track n of m) taken as n.
std::optional<int32_t> TrackNumberOf(std::u16string_view text)
{
    const std::size_t slash = text.find(u'/');
    if (slash != std::u16string_view::npos) {
        const std::optional<int32_t> total = text::ParseInteger(text.substr(slash + 1));
        if (!total || *total < 0)
            return std::nullopt;
        text = text.substr(0, slash);
    }
    const std::optional<int32_t> number = text::ParseInteger(text);
    if (!number || *number < 0)
        return std::nullopt;
    return number;
}

tags::TID3v1Tag& RecordOf(tags::TID3v2Class& file)
{
    if (tags::TID3v1Tag* record = file.FindFrameByClass<tags::TID3v1Tag>(1))
        return *record;
    auto created = std::make_unique<tags::TID3v1Tag>();
    // A new record is written at the next save even when every field it gets is empty.
    created->Changed = true;
    tags::TID3v1Tag& record = *created;
    file.AddFrame(std::move(created));
    return record;
}

} // namespace

bool CopyID3v1ToID3v2(tags::TID3v2Class& file, uint32_t cp1, uint32_t cp2)
{
    const tags::TID3v1Tag* record = file.FindFrameByClass<tags::TID3v1Tag>(1);
    if (record == nullptr)
        return false;
    for (const TextMapping& mapping : kTextFields)
        workspace::SetFrameText(
            file, mapping.frameID, text::CodePageToWide(record->*mapping.field, cp1), cp2);
    const std::string track = std::to_string(record->Track);
    workspace::SetFrameText(file, "TRCK", WideString(track.begin(), track.end()), cp2);
    workspace::SetFrameText(file, "TCON", tags::TID3v1Genre().GetGenreName(record->Genre), cp2);
    return true;
}

void CopyID3v2ToID3v1(tags::TID3v2Class& file, uint32_t cp1, uint32_t cp2)
{
    tags::TID3v1Tag& record = RecordOf(file);
    for (const TextMapping& mapping : kTextFields)
        (record.*mapping.setter)(
            text::WideToCodePage(workspace::GetFrameText(file, mapping.frameID, cp2), cp1));
    if (const std::optional<int32_t> track = TrackNumberOf(workspace::GetFrameText(file, "TRCK", cp2)))
        record.SetTrack(static_cast<std::uint8_t>(*track & 0xFF));
    record.SetGenre(tags::TID3v1Genre().GetGenreIndex(workspace::GetFrameText(file, "TCON", cp2)));
}

ChangeSet CopyTags(const workspace::Workspace& workspace, workspace::TagGrid to, std::span<const int> rows)
{
    const uint32_t cp1 = workspace.ViewCodePage(workspace::TagGrid::ID3v1);
    const uint32_t cp2 = workspace.ViewCodePage(workspace::TagGrid::ID3v2);
    return ChangeRows(workspace, "Copy Tags", rows, [&](workspace::RowState& draft) {
        if (to == workspace::TagGrid::ID3v2) {
            if (!CopyID3v1ToID3v2(*draft.file, cp1, cp2))
                return false;
        } else {
            CopyID3v2ToID3v1(*draft.file, cp1, cp2);
        }
        draft.Mark(to);
        return true;
    });
}

} // namespace vennart::commands
