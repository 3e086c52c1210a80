// Saving: every marked file is written through its tag object, files whose name was edited are
// renamed, and the folder is read again so that the grids show what is on disk.
#pragma once

#include <string>
#include <vector>

namespace vennart::workspace {

class Workspace;

// Writes the marked files in row order with "Saving k of N" progress. A file that cannot be written
// stops the save with its error: the files before it stay written, the marks stay, and nothing is
// read again. A rename never replaces another file; every file that keeps its old name is listed,
// with the reason, in one error box after the save.
void SaveChanges(Workspace& workspace);

// What a save that goes on past failures left undone; every entry names its file and the reason.
struct SaveFailures {
    std::vector<std::string> notSaved; // the file on disk is as it was
    std::vector<std::string> notRenamed; // saved, under its old name
    bool Empty() const { return notSaved.empty() && notRenamed.empty(); }
};

// Writes and renames the marked files as SaveChanges does, for callers that go over many files
// unattended: a file that cannot be written, or whose unwritable frames the user will not lose, is
// listed and the next one is saved all the same. No box is shown and the folder is not read again.
SaveFailures SaveMarkedFiles(Workspace& workspace);

// Before leaving a folder with unsaved edits: asks whether to save them. Yes saves (an error stops
// the folder change), No drops them; false when the user cancels and the folder is to stay.
bool ConfirmLeaveFolder(Workspace& workspace);

// Before closing the window with unsaved edits: false when the user wants to keep the window open.
bool ConfirmClose(Workspace& workspace);

} // namespace vennart::workspace
