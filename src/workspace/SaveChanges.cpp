#include "workspace/SaveChanges.h"

#include "platform/Error.h"
#include "platform/Rename.h"
#include "platform/SafeReplace.h"
#include "tags/ID3v2Writer.h"
#include "text/PlainText.h"
#include "text/UStringConvert.h"
#include "workspace/FileName.h"
#include "workspace/Workspace.h"

#include <filesystem>
#include <optional>
#include <set>
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

// Gives the saved file the name its row shows; a name that differs only in letter case is another
// name on Linux. A name that is empty, holds a "/" or is taken by another file is refused.
void RenameToRowName(Workspace& workspace, int row, std::vector<std::string>& failures)
{
    tags::TID3v2Class& file = workspace.FileToSave(row);
    const WideString newName(text::TrimControls(std::u16string_view(workspace.RowName(row))));
    if (newName == DisplayName(file.FileName))
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

// The folders written in during a save, flushed once at its end, however it ends: one flush makes
// all the renames of a folder durable.
class FolderFlush {
public:
    explicit FolderFlush(Workspace& workspace)
        : workspace_(workspace)
    {
    }
    ~FolderFlush()
    {
        for (const std::filesystem::path& folder : folders_)
            platform::SyncFolder(workspace_.fileSystem(), folder);
    }
    FolderFlush(const FolderFlush&) = delete;
    FolderFlush& operator=(const FolderFlush&) = delete;

    void Add(const std::filesystem::path& file) { folders_.insert(file.parent_path()); }

private:
    Workspace& workspace_;
    std::set<std::filesystem::path> folders_;
};

// What one save has written so far.
struct SaveProgress {
    explicit SaveProgress(Workspace& workspace)
        : flush(workspace)
    {
    }
    FolderFlush flush;
    std::set<int> filesWritten; // by the first row of each file
};

// A second row of a file written in this save holds what the file was before: writing it would
// undo the first row's edits.
void RefuseSecondRowOfWrittenFile(const Workspace& workspace, int row, const SaveProgress& progress)
{
    const std::optional<int> first = workspace.SameFileAs(row);
    if (first && progress.filesWritten.contains(*first))
        throw Error(workspace.File(row).FileName.string() + ": not saved: it is the same file as "
            + workspace.File(*first).FileName.string() + ", saved just now; read the folder again");
}

// Writes one marked row's file and gives it the row's name; throws when the file is not written.
void SaveRow(Workspace& workspace, int row, SaveProgress& progress, std::vector<std::string>& renameFailures)
{
    RefuseSecondRowOfWrittenFile(workspace, row, progress);
    tags::TID3v2Class& file = workspace.FileToSave(row);
    progress.flush.Add(file.Save(platform::FolderSync::Later));
    progress.filesWritten.insert(workspace.SameFileAs(row).value_or(row));
    RenameToRowName(workspace, row, renameFailures);
    progress.flush.Add(file.FileName);
}

} // namespace

void SaveChanges(Workspace& workspace)
{
    std::vector<std::string> renameFailures;
    std::vector<std::string> dropped;
    bool fileKept = false;
    try {
        SaveProgress progress(workspace);
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
            SaveRow(workspace, row, progress, renameFailures);
            loop.EndItem();
        }
    } catch (...) {
        ShowFailures(workspace, renameFailures, dropped);
        throw;
    }
    // Reading the folder again would throw away the edits of a file the user chose not to save.
    if (!fileKept)
        workspace.ScanFolder(Workspace::ScanReport::OnlyNewProblems);
    ShowFailures(workspace, renameFailures, dropped);
}

SaveFailures SaveMarkedFiles(Workspace& workspace)
{
    SaveFailures failures;
    std::vector<std::string> dropped;
    SaveProgress progress(workspace);
    ProgressLoop loop(workspace.progress(), "Saving", CountMarkedRows(workspace));
    for (int row = 0; row < workspace.FileCount(); ++row) {
        if (!workspace.IsRowMarked(row))
            continue;
        loop.BeginItem();
        try {
            if (ConfirmDroppedFrames(workspace, row, dropped)) {
                SaveRow(workspace, row, progress, failures.notRenamed);
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
