#include "commands/ConvertDetected.h"

#include "tags/CommentFrame.h"
#include "tags/ID3v1Tag.h"
#include "tags/TextFrame.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

#include <map>

namespace vennart::commands {
namespace {

constexpr uint32_t kUtf16 = text::kUtf16CodePage;

bool IsEightBit(tags::TTextEncoding encoding)
{
    return encoding == tags::teISO88591 || encoding == tags::teUnknown;
}

bool HoldsEightBitText(const tags::TTag& frame)
{
    if (const auto* text = dynamic_cast<const tags::TTxxxTag*>(&frame))
        return IsEightBit(text->Encoding) && frame.ID != "TCON";
    if (const auto* comment = dynamic_cast<const tags::TCOMMTag*>(&frame))
        return IsEightBit(comment->Encoding);
    return false;
}

bool ConvertID3v2(tags::TID3v2Class& file, uint32_t source)
{
    bool changed = false;
    for (auto& frame : file.Frames) {
        if (!HoldsEightBitText(*frame))
            continue;
        const bool wasChanged = frame->Changed;
        frame->Changed = false;
        workspace::StoreFrameText(*frame, workspace::FrameText(frame.get(), source), kUtf16);
        changed = changed || frame->Changed;
        frame->Changed = frame->Changed || wasChanged;
    }
    return changed;
}

bool ConvertID3v1(tags::TID3v1Tag& record, uint32_t source, uint32_t target)
{
    const auto convert = [&](const AnsiString& field) {
        return text::WideToCodePage(text::CodePageToWide(field, source), target);
    };
    const bool wasChanged = record.Changed;
    record.Changed = false;
    record.SetTitle(convert(record.Title));
    record.SetArtist(convert(record.Artist));
    record.SetAlbum(convert(record.Album));
    record.SetComment(convert(record.Comment));
    const bool changed = record.Changed;
    record.Changed = changed || wasChanged;
    return changed;
}

} // namespace

ChangeSet ConvertFromDetected(const workspace::Workspace& workspace, workspace::TagGrid grid,
    std::span<const int> rows, std::span<const std::optional<uint32_t>> sourceCodePages)
{
    std::map<int, uint32_t> sourceOf;
    for (std::size_t i = 0; i < rows.size() && i < sourceCodePages.size(); ++i) {
        if (sourceCodePages[i])
            sourceOf.emplace(rows[i], *sourceCodePages[i]);
    }
    const uint32_t viewCodePage = workspace.ViewCodePage(grid);
    return ChangeRows(workspace, "Convert Encoding", rows, [&](workspace::RowState& draft) {
        const auto source = sourceOf.find(draft.row);
        if (source == sourceOf.end())
            return false;
        bool changed = false;
        if (grid == workspace::TagGrid::ID3v2)
            changed = ConvertID3v2(*draft.file, source->second);
        else if (auto* record = draft.file->FindFrameByClass<tags::TID3v1Tag>(1))
            changed = ConvertID3v1(*record, source->second, viewCodePage);
        if (changed)
            draft.Mark(grid);
        return changed;
    });
}

} // namespace vennart::commands
