#include "workspace/FieldEditing.h"

#include "platform/CaseMapping.h"
#include "platform/SystemCodePage.h"
#include "tags/ID3v1Genre.h"
#include "text/PlainText.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

#include <set>
#include <unordered_set>

namespace vennart::workspace {
namespace {

const AnsiString* ID3v1Text(const tags::TID3v1Tag& record, int tag)
{
    switch (tag) {
    case TagTitle:
        return &record.Title;
    case TagArtist:
        return &record.Artist;
    case TagAlbum:
        return &record.Album;
    case TagYear:
        return &record.Year;
    case TagComment:
        return &record.Comment;
    default:
        return nullptr;
    }
}

WideString ID3v1Value(const tags::TID3v1Tag& record, int tag, uint32_t codePage)
{
    if (tag == TagGenre)
        return tags::TID3v1Genre().GetGenreName(record.Genre);
    if (tag == TagTrack)
        return WidenSystem(std::to_string(record.Track));
    const AnsiString* text = ID3v1Text(record, tag);
    return text ? text::CodePageToWide(*text, codePage) : WideString();
}

void StoreID3v1Value(tags::TID3v1Tag& record, int tag, const WideString& typed, uint32_t codePage)
{
    const AnsiString bytes = text::WideToCodePage(typed, codePage);
    switch (tag) {
    case TagTitle:
        return record.SetTitle(bytes);
    case TagArtist:
        return record.SetArtist(bytes);
    case TagAlbum:
        return record.SetAlbum(bytes);
    case TagYear:
        return record.SetYear(bytes);
    case TagComment:
        return record.SetComment(bytes);
    case TagGenre:
        return record.SetGenre(tags::TID3v1Genre().GetGenreIndex(WidenSystem(bytes)));
    case TagTrack:
        return record.SetTrack(TrackNumber(typed));
    default:
        return;
    }
}

// Collects values into a list sorted without regard to letter case, keeping the first spelling of
// values that differ only in case. Exact repeats, the common case, are dropped before comparing.
class ValueCollector {
public:
    void Add(WideString value)
    {
        if (!value.empty() && seen_.insert(value).second)
            sorted_.insert(std::move(value));
    }
    std::vector<WideString> Take() { return { sorted_.begin(), sorted_.end() }; }

private:
    std::unordered_set<WideString> seen_;
    std::set<WideString, platform::LessNoCase> sorted_;
};

// Typing into a field that shows "<do not change>" without selecting it first adds to the marker;
// what the user typed is the text without it.
WideString WithoutMarker(WideString typed)
{
    for (auto at = typed.find(kDoNotChange); at != WideString::npos; at = typed.find(kDoNotChange))
        typed.erase(at, kDoNotChange.size());
    return typed;
}

} // namespace

tags::TID3v1Tag& EnsureID3v1(tags::TID3v2Class& file)
{
    if (auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1))
        return *record;
    auto record = std::make_unique<tags::TID3v1Tag>();
    auto& added = *record;
    file.AddFrame(std::move(record));
    return added;
}

std::uint8_t TrackNumber(const WideString& typed)
{
    unsigned value = 0;
    for (char16_t c : typed) {
        if (c < u'0' || c > u'9')
            break;
        value = (value * 10 + (c - u'0')) % 256;
    }
    return static_cast<std::uint8_t>(value);
}

WideString FieldValue(const Workspace& workspace, int row, const TagField& field)
{
    const tags::TID3v2Class& file = workspace.File(row);
    if (workspace.ActiveGrid() == TagGrid::ID3v2)
        return GetFrameText(file, field.id, workspace.ViewCodePage(TagGrid::ID3v2));
    // A file without a record shows a new record's values; it gets one only when a field is stored.
    const auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1);
    return ID3v1Value(
        record ? *record : tags::TID3v1Tag(), field.tag, workspace.ViewCodePage(TagGrid::ID3v1));
}

WideString CommonFieldValue(const Workspace& workspace, const TagField& field)
{
    const RowRange selection = workspace.ActiveSelection();
    if (selection.IsEmpty())
        return WideString(kDoNotChange);
    const WideString first = FieldValue(workspace, selection.top, field);
    for (int row = selection.top + 1; row <= selection.bottom; ++row) {
        if (FieldValue(workspace, row, field) != first)
            return WideString(kDoNotChange);
    }
    return first;
}

std::vector<WideString> FillValueList(const Workspace& workspace, const TagField& field)
{
    ValueCollector values;
    if (workspace.ActiveGrid() == TagGrid::ID3v2) {
        if (field.IsGenre())
            return {};
        const uint32_t codePage = workspace.ViewCodePage(TagGrid::ID3v2);
        for (int row = 0; row < workspace.FileCount(); ++row)
            values.Add(GetFrameText(workspace.File(row), field.id, codePage));
        return values.Take();
    }
    const uint32_t codePage = workspace.ViewCodePage(TagGrid::ID3v1);
    for (int row = 0; row < workspace.FileCount(); ++row) {
        auto* record = workspace.File(row).FindFrameByClass<tags::TID3v1Tag>(1);
        const AnsiString* text = record ? ID3v1Text(*record, field.tag) : nullptr;
        if (text && !text::TrimControls(*text).empty())
            values.Add(text::CodePageToWide(*text, codePage));
    }
    return values.Take();
}

bool ApplyFieldToFile(
    tags::TID3v2Class& file, TagGrid grid, uint32_t codePage, const TagField& field, const WideString& typed)
{
    if (grid == TagGrid::ID3v2) {
        if (GetFrameText(file, field.id, codePage) == typed)
            return false;
        return SetFrameText(file, field.id, typed, codePage);
    }
    if (!field.IsMain())
        return false;
    tags::TID3v1Tag& record = EnsureID3v1(file);
    if (ID3v1Value(record, field.tag, codePage) == typed)
        return false;
    StoreID3v1Value(record, field.tag, typed, codePage);
    return true;
}

WideString TypedValue(const WideString& typed)
{
    return WithoutMarker(typed);
}

} // namespace vennart::workspace
