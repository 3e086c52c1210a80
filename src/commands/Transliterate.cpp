#include "commands/Transliterate.h"

#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

namespace vennart::commands {

bool TransliterateID3v1(tags::TID3v1Tag& record, uint32_t codePage, const text::TranslitTable& table)
{
    using Setter = void (tags::TID3v1Tag::*)(const AnsiString&);
    const std::pair<AnsiString tags::TID3v1Tag::*, Setter> fields[] = {
        { &tags::TID3v1Tag::Artist, &tags::TID3v1Tag::SetArtist },
        { &tags::TID3v1Tag::Title, &tags::TID3v1Tag::SetTitle },
        { &tags::TID3v1Tag::Album, &tags::TID3v1Tag::SetAlbum },
        { &tags::TID3v1Tag::Year, &tags::TID3v1Tag::SetYear },
        { &tags::TID3v1Tag::Comment, &tags::TID3v1Tag::SetComment },
    };
    bool changed = false;
    for (const auto& [field, setter] : fields) {
        const WideString shown = text::CodePageToWide(record.*field, codePage);
        const WideString transliterated = table.Transliterate(shown);
        if (transliterated == shown)
            continue;
        (record.*setter)(text::WideToCodePage(transliterated, codePage));
        changed = true;
    }
    return changed;
}

bool TransliterateID3v2(tags::TID3v2Class& file, uint32_t codePage, const text::TranslitTable& table)
{
    bool changed = false;
    for (const auto& frame : file.Frames) {
        if (dynamic_cast<const tags::TID3v1Tag*>(frame.get()) != nullptr)
            continue;
        const WideString shown = workspace::FrameText(frame.get(), codePage);
        const WideString transliterated = table.Transliterate(shown);
        if (transliterated == shown)
            continue;
        workspace::StoreFrameText(*frame, transliterated, codePage);
        changed = true;
    }
    return changed;
}

bool TransliterateFileName(WideString& name, const text::TranslitTable& table)
{
    WideString transliterated = table.Transliterate(name);
    if (transliterated == name)
        return false;
    name = std::move(transliterated);
    return true;
}

ChangeSet TransliterateTags(const workspace::Workspace& workspace, workspace::TagGrid grid,
    std::span<const int> rows, const text::TranslitTable& table)
{
    const uint32_t codePage = workspace.ViewCodePage(grid);
    return ChangeRows(workspace, "Transliterate Tags", rows, [&](workspace::RowState& draft) {
        bool changed = false;
        if (grid == workspace::TagGrid::ID3v2)
            changed = TransliterateID3v2(*draft.file, codePage, table);
        else if (tags::TID3v1Tag* record = draft.file->FindFrameByClass<tags::TID3v1Tag>(1))
            changed = TransliterateID3v1(*record, codePage, table);
        if (changed)
            draft.Mark(grid);
        return changed;
    });
}

ChangeSet TransliterateFileNames(
    const workspace::Workspace& workspace, std::span<const int> rows, const text::TranslitTable& table)
{
    return ChangeRows(workspace, "Transliterate Filenames", rows, [&](workspace::RowState& draft) {
        if (!TransliterateFileName(draft.name, table))
            return false;
        draft.marked = { true, true };
        return true;
    });
}

} // namespace vennart::commands
