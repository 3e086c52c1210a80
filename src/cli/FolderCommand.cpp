#include "cli/FolderCommand.h"

#include "cli/FieldNames.h"
#include "commands/ConvertDetected.h"
#include "commands/CopyTags.h"
#include "commands/DetectEncoding.h"
#include "commands/EditField.h"
#include "commands/FileNamesFromTags.h"
#include "commands/ID3v1Version.h"
#include "commands/Reencode.h"
#include "commands/TagsFromFileNames.h"
#include "commands/Transliterate.h"
#include "text/UStringConvert.h"

namespace vennart::cli {
namespace {

using workspace::TagGrid;

// As typing each value into its field of the panel with the rows selected, on each tab asked for.
void SetFields(const Request& request, workspace::Workspace& workspace, const std::vector<int>& rows)
{
    for (const TagGrid grid : request.grids) {
        workspace.SetActiveGrid(grid);
        for (const FieldAssignment& assignment : request.assignments) {
            if (assignment.value == workspace::kDoNotChange)
                continue;
            const workspace::TagField field = *FieldNamed(assignment.field);
            commands::Apply(workspace, commands::EditField(workspace, grid, rows, field, assignment.value));
        }
    }
}

commands::ChangeSet Transliteration(const Request& request, const workspace::Workspace& workspace,
    const std::vector<int>& rows, const text::TranslitTable& table)
{
    switch (request.translitTarget) {
    case TranslitTarget::ID3v1:
        return commands::TransliterateTags(workspace, TagGrid::ID3v1, rows, table);
    case TranslitTarget::ID3v2:
        return commands::TransliterateTags(workspace, TagGrid::ID3v2, rows, table);
    case TranslitTarget::Names:
        break;
    }
    return commands::TransliterateFileNames(workspace, rows, table);
}

// Files whose text the target cannot hold are named and left alone, unless the user allowed the loss.
void ReencodeTags(const Request& request, workspace::Workspace& workspace, std::vector<int> rows)
{
    const TagGrid grid = request.grids.front();
    commands::Reencoding reencoding = commands::Reencode(workspace, grid, rows, *request.reencodeTo);
    if (!reencoding.lossyRows.empty() && !request.allowLoss) {
        for (const int row : reencoding.lossyRows) {
            workspace.prompts().ShowError(workspace.File(row).FileName.string() + ": code page "
                + std::to_string(*request.reencodeTo)
                + " cannot hold some characters of its tags; not re-encoded (--lossy stores them as \"?\")");
            std::erase(rows, row);
        }
        reencoding = commands::Reencode(workspace, grid, rows, *request.reencodeTo);
    }
    commands::Apply(workspace, reencoding.set);
}

// As "Convert" of "Detect Encoding": each file from its own code page; uncertain ones are named
// and left as they are.
void ConvertDetected(const Request& request, workspace::Workspace& workspace, const std::vector<int>& rows,
    const CommandData& data)
{
    const TagGrid grid = request.grids.front();
    const std::vector<text::CodePageGuess> guesses = DetectRows(request, workspace, rows, data);
    std::vector<std::optional<uint32_t>> sources;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        sources.push_back(commands::CodePageToConvertFrom(guesses[i]));
        if (commands::IsUncertain(guesses[i]))
            workspace.prompts().ShowWarning(workspace.File(rows[i]).FileName.string()
                + ": the code page of its text is uncertain; not converted (reencode --to converts it)");
    }
    commands::ChangeSet set = commands::ConvertFromDetected(workspace, grid, rows, sources);
    // Converted ID3v2 text is UTF-16.
    if (grid == TagGrid::ID3v2) {
        set.viewGrid = grid;
        set.viewCodePage = text::kUtf16CodePage;
    }
    commands::Apply(workspace, set);
}

} // namespace

std::vector<text::CodePageGuess> DetectRows(const Request& request, const workspace::Workspace& workspace,
    const std::vector<int>& rows, const CommandData& data)
{
    const commands::DetectOptions options { request.grids.front(), data.candidates, request.folderLevel };
    return commands::DetectCodePages(workspace, rows, options, *data.letters);
}

void ApplyCommand(const Request& request, workspace::Workspace& workspace, const std::vector<int>& rows,
    const CommandData& data)
{
    const text::TranslitTable& table = data.translitTable;
    switch (request.command) {
    case Subcommand::Set:
        return SetFields(request, workspace, rows);
    case Subcommand::Translit:
        return commands::Apply(workspace, Transliteration(request, workspace, rows, table));
    case Subcommand::Copy:
        return commands::Apply(workspace, commands::CopyTags(workspace, request.copyTo, rows));
    case Subcommand::V1Version:
        return commands::Apply(workspace, commands::SetID3v1Version(workspace, rows, request.toV11));
    case Subcommand::TagsFromNames:
        workspace.SetActiveGrid(request.grids.front());
        return commands::Apply(
            workspace, commands::TagsFromFileNames(workspace, rows, request.tagsFromNames));
    case Subcommand::NamesFromTags:
        workspace.SetActiveGrid(request.grids.front());
        return commands::Apply(workspace, commands::FileNamesFromTags(workspace, rows, request.mask));
    case Subcommand::Reencode:
        if (request.detect)
            return ConvertDetected(request, workspace, rows, data);
        return ReencodeTags(request, workspace, rows);
    case Subcommand::Help:
    case Subcommand::Show:
    case Subcommand::Detect:
        return;
    }
}

} // namespace vennart::cli
