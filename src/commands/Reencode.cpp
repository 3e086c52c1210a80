#include "commands/Reencode.h"

#include "tags/ID3v1Tag.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

#include <algorithm>

namespace vennart::commands {
namespace {

using workspace::TagGrid;

AnsiString Reencoded(const AnsiString& field, uint32_t from, uint32_t to)
{
    return text::WideToCodePage(text::CodePageToWide(field, from), to);
}

bool Survives(const WideString& shown, uint32_t to)
{
    return to == text::kUtf16CodePage || text::CodePageToWide(text::WideToCodePage(shown, to), to) == shown;
}

std::vector<WideString> TextsRead(const tags::TID3v2Class& file, TagGrid grid, uint32_t from)
{
    std::vector<WideString> texts;
    if (grid == TagGrid::ID3v1) {
        if (const auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1)) {
            for (const AnsiString* field :
                { &record->Artist, &record->Title, &record->Album, &record->Year, &record->Comment })
                texts.push_back(text::CodePageToWide(*field, from));
        }
        return texts;
    }
    for (const auto& frame : file.Frames) {
        if (dynamic_cast<const tags::TID3v1Tag*>(frame.get()) == nullptr)
            texts.push_back(workspace::FrameText(frame.get(), from));
    }
    return texts;
}

} // namespace

bool ReencodeID3v1(tags::TID3v2Class& file, uint32_t from, uint32_t to)
{
    auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1);
    if (record == nullptr)
        return false;
    record->SetArtist(Reencoded(record->Artist, from, to));
    record->SetTitle(Reencoded(record->Title, from, to));
    record->SetAlbum(Reencoded(record->Album, from, to));
    record->SetYear(Reencoded(record->Year, from, to));
    record->SetComment(Reencoded(record->Comment, from, to));
    return true;
}

void ReencodeID3v2(tags::TID3v2Class& file, uint32_t from, uint32_t to)
{
    for (const auto& frame : file.Frames) {
        if (dynamic_cast<const tags::TID3v1Tag*>(frame.get()) == nullptr)
            workspace::ReencodeFrame(*frame, from, to);
    }
}

bool LosesCharacters(const tags::TID3v2Class& file, TagGrid grid, uint32_t from, uint32_t to)
{
    const std::vector<WideString> texts = TextsRead(file, grid, from);
    return !std::ranges::all_of(texts, [to](const WideString& shown) { return Survives(shown, to); });
}

Reencoding Reencode(
    const workspace::Workspace& workspace, TagGrid grid, std::span<const int> rows, uint32_t to)
{
    const uint32_t from = workspace.ViewCodePage(grid);
    Reencoding result;
    if (from == to || workspace.FileCount() == 0)
        return result;
    result.set = ChangeRows(workspace, "Change Encoding of Tags", rows, [&](workspace::RowState& draft) {
        if (LosesCharacters(*draft.file, grid, from, to))
            result.lossyRows.push_back(draft.row);
        if (grid == TagGrid::ID3v1) {
            if (!ReencodeID3v1(*draft.file, from, to))
                return false;
        } else {
            ReencodeID3v2(*draft.file, from, to);
        }
        draft.Mark(grid);
        return true;
    });
    result.set.viewGrid = grid;
    result.set.viewCodePage = to;
    return result;
}

std::string LossyReencodingQuestion(
    const workspace::Workspace& workspace, const std::vector<int>& lossyRows, const std::string& targetName)
{
    constexpr std::size_t kNamed = 10;
    std::string question
        = targetName + " cannot hold some characters of these files; they will become \"?\":";
    for (std::size_t i = 0; i < std::min(lossyRows.size(), kNamed); ++i)
        question += "\n" + workspace.File(lossyRows[i]).FileName.filename().string();
    if (lossyRows.size() > kNamed)
        question += "\nand " + std::to_string(lossyRows.size() - kNamed) + " more";
    return question + "\n\nChange the encoding anyway?";
}

} // namespace vennart::commands
