#include "workspace/SaveChanges.h"

#include "platform/CaseMapping.h"
#include "platform/Rename.h"
#include "tags/ID3v2Writer.h"
#include "text/PlainText.h"
#include "text/UStringConvert.h"
#include "workspace/FileName.h"
#include "workspace/Workspace.h"

#include <string>
#include <vector>

namespace vennart::workspace {
namespace {

// One error box after the save: every file that kept its old name, with the reason.
std::string RenameFailureMessage(const std::vector<std::string>& failures)
{
    std::string message = std::to_string(failures.size()) + " file(s) could not be renamed:";
    for (const std::string& failure : failures)
        message += "\n" + failure;
    return message;
}

// Frames read from a file that no ID3v2.3 or 2.4 tag can hold are lost by its save: the user is asked
// first, and the result names them.
bool ConfirmDroppedFrames(Workspace& workspace, int row, std::vector<std::string>& dropped)
{
    const tags::TID3v2Class& file = workspace.File(row);
    std::string names;
    for (const AnsiString& id : tags::UnwritableFrames(file.Frames))
        names += (names.empty() ? "" : ", ") + id;
    if (names.empty())
        return true;
    const std::string entry = file.FileName.string() + ": " + names;
    if (workspace.prompts().AskYesNo(
            "These frames cannot be written and will be lost:\n" + entry + "\nSave the file anyway?")
        == Answer::No)
        return false;
    dropped.push_back(entry);
    return true;
}

std::string DroppedFramesMessage(const std::vector<std::string>& dropped)
{
    std::string message
        = std::to_string(dropped.size()) + " file(s) were saved without frames they could not keep:";
    for (const std::string& entry : dropped)
        message += "\n" + entry;
    return message;
}

void ShowFailures(Workspace& workspace, const std::vector<std::string>& renameFailures,
    const std::vector<std::string>& dropped)
{
    if (!dropped.empty())
        workspace.prompts().ShowError(DroppedFramesMessage(dropped));
    if (!renameFailures.empty())
        workspace.prompts().ShowError(RenameFailureMessage(renameFailures));
}

int CountMarkedRows(const Workspace& workspace)
{
    int count = 0;
    for (int row = 0; row < workspace.FileCount(); ++row)
        count += workspace.IsRowMarked(row) ? 1 : 0;
    return count;
}

// Gives the saved file the name its row shows, unless that is its name already apart from letter
// case. A name that is empty, holds a "/" or is taken by another file is refused.
void RenameToRowName(Workspace& workspace, int row, std::vector<std::string>& failures)
{
    tags::TID3v2Class& file = workspace.FileToSave(row);
    const WideString newName(text::TrimControls(std::u16string_view(workspace.RowName(row))));
    const WideString oldName = DisplayName(file.FileName);
    if (platform::EqualNoCase(newName, oldName))
        return;
    if (newName.empty() || newName.find(u'/') != WideString::npos || newName == u"." || newName == u"..") {
        failures.push_back(file.FileName.string() + ": \""
            + text::WideToCodePage(newName, text::kUtf8CodePage) + "\" is not a valid file name");
        return;
    }
    const std::filesystem::path target = PathInFolder(file.FileName.parent_path(), newName);
    try {
        platform::RenameWithoutReplacing(workspace.fileSystem(), file.FileName, target);
    } catch (const std::exception& error) {
        failures.push_back(error.what());
        return;
    }
    // The row stays marked when a later file of this save fails, and saving again must find the
    // file under its new name.
    file.FileName = target;
}

} // namespace

void SaveChanges(Workspace& workspace)
{
    std::vector<std::string> renameFailures;
    std::vector<std::string> dropped;
    bool fileKept = false;
    try {
        ProgressLoop loop(workspace.progress(), "Saving", CountMarkedRows(workspace));
        for (int row = 0; row < workspace.FileCount(); ++row) {
            if (!workspace.IsRowMarked(row))
                continue;
            loop.BeginItem();
            if (!ConfirmDroppedFrames(workspace, row, dropped)) {
                fileKept = true;
                loop.EndItem();
                continue;
            }
            workspace.FileToSave(row).Save();
            RenameToRowName(workspace, row, renameFailures);
            loop.EndItem();
        }
    } catch (...) {
        ShowFailures(workspace, renameFailures, dropped);
        throw;
    }
    // Reading the folder again would throw away the edits of a file the user chose not to save.
    if (!fileKept)
        workspace.ScanFolder();
    ShowFailures(workspace, renameFailures, dropped);
}

SaveFailures SaveMarkedFiles(Workspace& workspace)
{
    SaveFailures failures;
    std::vector<std::string> dropped;
    ProgressLoop loop(workspace.progress(), "Saving", CountMarkedRows(workspace));
    for (int row = 0; row < workspace.FileCount(); ++row) {
        if (!workspace.IsRowMarked(row))
            continue;
        loop.BeginItem();
        try {
            if (ConfirmDroppedFrames(workspace, row, dropped)) {
                workspace.FileToSave(row).Save();
                RenameToRowName(workspace, row, failures.notRenamed);
            } else {
                failures.notSaved.push_back(workspace.File(row).FileName.string()
                    + ": not saved: it holds frames that cannot be written and would be lost");
            }
        } catch (const std::exception& error) {
            failures.notSaved.push_back(error.what());
        }
        loop.EndItem();
    }
    return failures;
}

bool ConfirmLeaveFolder(Workspace& workspace)
{
    if (!workspace.Changed())
        return true;
    switch (workspace.prompts().AskYesNoCancel("Changes was not saved! Do you want to save changes?")) {
    case Answer::Yes:
        SaveChanges(workspace);
        return true;
    case Answer::No:
        return true;
    case Answer::Cancel:
        return false;
    }
    return false;
}

bool ConfirmClose(Workspace& workspace)
{
    return !workspace.Changed()
        || workspace.prompts().AskYesNo("Changes was not saved! Close anyway?") != Answer::No;
}

} // namespace vennart::workspace
