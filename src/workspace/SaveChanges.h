// Saving: every marked file is written through its tag object, files whose name was edited are
// renamed, and the folder is read again so that the grids show what is on disk.
#pragma once

namespace vennart::workspace {

class Workspace;

// Writes the marked files in row order with "Saving k of N" progress. A file that cannot be written
// stops the save with its error: the files before it stay written, the marks stay, and nothing is
// read again. A rename never replaces another file; every file that keeps its old name is listed,
// with the reason, in one error box after the save.
void SaveChanges(Workspace& workspace);

// Before leaving a folder with unsaved edits: asks whether to save them. Yes saves (an error stops
// the folder change), No drops them; false when the user cancels and the folder is to stay.
bool ConfirmLeaveFolder(Workspace& workspace);

// Before closing the window with unsaved edits: false when the user wants to keep the window open.
bool ConfirmClose(Workspace& workspace);

} // namespace vennart::workspace
