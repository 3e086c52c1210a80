// The change a subcommand makes to the chosen rows of one open folder, in memory: the same panel
// logic and batch commands the window runs. Saving, or printing what would change, is the caller's.
#pragma once

#include "cli/Request.h"
#include "text/CodePageDetector.h"
#include "text/LetterModel.h"
#include "text/Translit.h"
#include "workspace/Workspace.h"

#include <optional>
#include <vector>

namespace vennart::cli {

// What some subcommands read besides the files, loaded once for the run.
struct CommandData {
    text::TranslitTable translitTable; // translit
    std::optional<text::LetterModel> letters; // detect, reencode --detect
    std::vector<uint32_t> candidates; // the code pages detection chooses among
};

// Changes the rows and marks those that changed, as the window does.
void ApplyCommand(const Request& request, workspace::Workspace& workspace, const std::vector<int>& rows,
    const CommandData& data);

// The code page of each row's 8-bit text on the request's tab, as "Detect Encoding" finds it.
std::vector<text::CodePageGuess> DetectRows(const Request& request, const workspace::Workspace& workspace,
    const std::vector<int>& rows, const CommandData& data);

} // namespace vennart::cli
