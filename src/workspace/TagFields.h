// The fields of the editing panel: the seven main frames, then the frames the TagEditList setting
// names, each with the names the frame descriptor table gives it.
#pragma once

#include "platform/Strings.h"
#include "workspace/Settings.h"

#include <string_view>
#include <vector>

namespace vennart::workspace {

inline constexpr std::string_view kMainTagIDs = "TIT2,TPE1,TALB,TYER,TCON,TRCK,COMM";
inline constexpr int kMainTagCount = 7;
// Shown where the selected files differ; choosing it changes nothing.
inline constexpr std::u16string_view kDoNotChange = u"<do not change>";

// The field numbers ("Tag") of the main fields; a field's number is its index in the tag list + 2.
enum FieldTag { TagTitle = 2, TagArtist, TagAlbum, TagYear, TagGenre, TagTrack, TagComment };

struct TagField {
    int tag = 0;
    AnsiString id; // as the descriptor table spells it
    AnsiString shortName; // the caption
    AnsiString longName; // the tooltip
    bool IsMain() const { return tag <= TagComment; }
    bool IsGenre() const { return id == "TCON"; }
    bool IsTrack() const { return id == "TRCK"; }
};

// The tag list: the main identifiers, then TagEditList (its default when blank), comma-separated.
std::vector<AnsiString> BuildTagList(const Settings& settings);

// One field per tag-list entry that can be edited: an identifier the descriptor table knows, that a
// frame can be created for ("T...", "W..." or COMM), and that no earlier entry named. Each field
// keeps its entry's number, so later fields are numbered as their entries are.
std::vector<TagField> BuildTagFields(const std::vector<AnsiString>& tagList);

} // namespace vennart::workspace
