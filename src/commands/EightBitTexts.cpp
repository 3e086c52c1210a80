#include "commands/EightBitTexts.h"

#include "platform/SystemCodePage.h"
#include "tags/CommentFrame.h"
#include "tags/ID3v1Tag.h"
#include "tags/TextFrame.h"

namespace vennart::commands {
namespace {

bool IsEightBit(tags::TTextEncoding encoding)
{
    return encoding == tags::teISO88591 || encoding == tags::teUnknown;
}

void AddText(std::vector<AnsiString>& texts, AnsiString text)
{
    if (!text.empty())
        texts.push_back(std::move(text));
}

void AddFrameTexts(std::vector<AnsiString>& texts, const tags::TTag& frame)
{
    if (const auto* text = dynamic_cast<const tags::TTxxxTag*>(&frame); text && IsEightBit(text->Encoding)) {
        AddText(texts, NarrowSystem(text->Text));
        for (const auto& more : text->MoreStrings)
            AddText(texts, NarrowSystem(more));
    } else if (const auto* comment = dynamic_cast<const tags::TCOMMTag*>(&frame);
               comment && IsEightBit(comment->Encoding)) {
        AddText(texts, NarrowSystem(comment->Description));
        AddText(texts, NarrowSystem(comment->Text));
    }
}

} // namespace

std::vector<AnsiString> EightBitTexts(const tags::TID3v2Class& file, workspace::TagGrid grid)
{
    std::vector<AnsiString> texts;
    if (grid == workspace::TagGrid::ID3v1) {
        if (const auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1)) {
            for (const auto* field : { &record->Title, &record->Artist, &record->Album, &record->Comment })
                AddText(texts, *field);
        }
        return texts;
    }
    for (const auto& frame : file.Frames) {
        if (!dynamic_cast<const tags::TID3v1Tag*>(frame.get()))
            AddFrameTexts(texts, *frame);
    }
    return texts;
}

} // namespace vennart::commands
