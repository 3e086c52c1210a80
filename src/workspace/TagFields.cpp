#include "workspace/TagFields.h"

#include "platform/SystemCodePage.h"
#include "tags/ID3v2Types.h"
#include "text/CommaText.h"
#include "text/PlainText.h"

#include <algorithm>

namespace vennart::workspace {
namespace {

// Only text frames, URL frames and comments can be created when a file lacks the frame.
bool CanCreateFrame(std::string_view id)
{
    return id.starts_with('T') || id.starts_with('W') || id == "COMM";
}

} // namespace

std::vector<AnsiString> BuildTagList(const Settings& settings)
{
    const WideString extra
        = WideString(text::TrimControls(std::u16string_view(settings.Read(kTagEditListKey))));
    const std::u16string_view list = extra.empty() ? kDefaultTagEditList : std::u16string_view(extra);
    std::vector<AnsiString> tagList = text::SplitCommaText(kMainTagIDs);
    for (const WideString& entry : text::SplitCommaText(list))
        tagList.push_back(NarrowSystem(entry));
    return tagList;
}

std::vector<TagField> BuildTagFields(const std::vector<AnsiString>& tagList)
{
    std::vector<TagField> fields;
    for (std::size_t index = 0; index < tagList.size(); ++index) {
        TagField field;
        const int record = tags::FindTagListRecord(tagList[index], field.shortName, field.longName);
        if (record < 0)
            continue;
        field.id = AnsiString(tags::TagListRecords()[static_cast<std::size_t>(record)].ID);
        const bool repeated = std::any_of(
            fields.begin(), fields.end(), [&](const TagField& earlier) { return earlier.id == field.id; });
        if (repeated || !CanCreateFrame(field.id))
            continue;
        field.tag = static_cast<int>(index) + 2;
        fields.push_back(std::move(field));
    }
    return fields;
}

} // namespace vennart::workspace
