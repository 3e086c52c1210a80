// The state of the one open folder: the listed files with their tag objects, the name cell and the
// two changed marks of every row, which grid is visible and what is selected in each, the view code
// pages, and the settings list. The window's grids are views of it and hold no state of their own.
#pragma once

#include "platform/FileSystem.h"
#include "platform/Strings.h"
#include "tags/ID3v2Class.h"
#include "workspace/FolderListing.h"
#include "workspace/Progress.h"
#include "workspace/Prompts.h"
#include "workspace/Settings.h"
#include "workspace/TagGrid.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vennart::workspace {

// Told of every change to the rows so that views can redraw what changed.
class WorkspaceObserver {
public:
    virtual ~WorkspaceObserver() = default;
    // The whole file list is about to be replaced (a scan), and has been.
    virtual void FileListAboutToReset() = 0;
    virtual void FileListReset() = 0;
    // Names, marks or tag text of rows first..last changed.
    virtual void RowsChanged(int first, int last) = 0;
    // Every tag cell of the grid may show other text (another view code page, a batch command).
    virtual void TagColumnsChanged(TagGrid grid) = 0;
};

// What one row holds that a batch command may change: its tag object, its name cell and its two
// changed marks. A draft is a copy of a row; swapping a draft with its row applies it, and swapping
// again restores the row exactly.
struct RowState {
    int row = -1;
    std::unique_ptr<tags::TID3v2Class> file;
    WideString name;
    std::array<bool, 2> marked {};

    bool IsMarked(TagGrid grid) const { return marked[grid == TagGrid::ID3v1 ? 0 : 1]; }
    void Mark(TagGrid grid) { marked[grid == TagGrid::ID3v1 ? 0 : 1] = true; }
};

class Workspace {
public:
    // Files are read and saved through `fileSystem`.
    Workspace(Progress& progress, Prompts& prompts,
        platform::FileSystem& fileSystem = platform::SystemFileSystem());

    Settings FSettings;

    // Folder and files
    const std::filesystem::path& CurrentDir() const { return FCurrentDir; }
    void SetCurrentDir(std::filesystem::path dir) { FCurrentDir = std::move(dir); }
    // Lists the current folder afresh. A file that cannot be read is left out and named, with its
    // reason, in one error box after the scan; the others are listed. What an interrupted save left
    // in the folder is named in a warning. With OnlyNewProblems, problems the last scan of the
    // same folder showed are not shown again (the scan after a save).
    enum class ScanReport { AllProblems, OnlyNewProblems };
    void ScanFolder(ScanReport report = ScanReport::AllProblems);
    // Makes `folder` the current folder and lists it; a folder that cannot be listed throws and
    // changes nothing.
    void OpenFolder(const std::filesystem::path& folder, ScanReport report = ScanReport::AllProblems);
    int FileCount() const { return static_cast<int>(FFileList.size()); }
    const tags::TID3v2Class& File(int row) const { return *FFileList.at(static_cast<std::size_t>(row)); }
    // The one door to change a tag object in place: writing it to disk.
    tags::TID3v2Class& FileToSave(int row) { return *FFileList.at(static_cast<std::size_t>(row)); }
    // Counts the readings of the folder: a change computed on one listing must not be applied to
    // another.
    std::uint64_t Listing() const { return listing_; }
    // The earlier row that is the same file as this one (a symbolic link beside its target, another
    // hard link in the folder); none for the first row of each file.
    std::optional<int> SameFileAs(int row) const;

    // Rows
    // The file name shown in both grids; an edited name stays here until it is saved.
    const WideString& RowName(int row) const { return rows_.at(static_cast<std::size_t>(row)).name; }
    void SetRowName(int row, const WideString& name);
    bool IsRowMarked(int row, TagGrid grid) const;
    bool IsRowMarked(int row) const
    {
        return IsRowMarked(row, TagGrid::ID3v1) || IsRowMarked(row, TagGrid::ID3v2);
    }
    // Marks the row in the given grid, or in both, and records that there are unsaved edits.
    void MarkRowChanged(int row, std::optional<TagGrid> grid = std::nullopt);
    bool Changed() const { return FChanged; }

    // A copy of the row: its tag object cloned (frame bytes shared), its name and marks.
    RowState DraftRow(int row) const;
    // Exchanges the row's tag object, name and marks with the draft's. The views are told by the
    // caller, once for all the rows it swaps (NotifyRowsChanged).
    void SwapRow(RowState& state);
    // Exchanges whether there are unsaved edits, and a grid's view code page, with the given value.
    void SwapChanged(bool& changed) { std::swap(FChanged, changed); }
    void SwapViewCodePage(TagGrid grid, uint32_t& codePage);

    // What the window shows
    TagGrid ActiveGrid() const { return FActiveGrid; }
    void SetActiveGrid(TagGrid grid) { FActiveGrid = grid; }
    RowRange Selection(TagGrid grid) const;
    RowRange ActiveSelection() const { return Selection(FActiveGrid); }
    void SetSelection(TagGrid grid, RowRange range);
    // Selects every file in both grids; false (and nothing selected) when no file is listed.
    bool SelectAllFiles();
    uint32_t ViewCodePage(TagGrid grid) const { return viewCodePages_[Index(grid)]; }
    void SetViewCodePage(TagGrid grid, uint32_t codePage);

    // The text of a tag cell: title, artist, album or year (columns 2 to 5) of the row's file
    // through the grid's view code page.
    WideString TagCellText(TagGrid grid, int row, int column) const;

    // Refreshes every view of the rows after a batch change of tags.
    void NotifyTagsChanged(TagGrid grid);
    void NotifyRowsChanged(int first, int last);
    void AddObserver(WorkspaceObserver* observer) { observers_.push_back(observer); }
    void RemoveObserver(WorkspaceObserver* observer);

    Progress& progress() { return progress_; }
    Prompts& prompts() { return prompts_; }
    platform::FileSystem& fileSystem() { return fileSystem_; }

private:
    struct FileRow {
        WideString name;
        std::array<bool, 2> marked {};
        int sameFileAs = -1;
    };
    class ResetNotice;
    static std::size_t Index(TagGrid grid) { return grid == TagGrid::ID3v1 ? 0 : 1; }
    void ReadFiles(FolderListing listed, std::vector<std::unique_ptr<tags::TID3v2Class>>& files,
        std::vector<FileRow>& rows, std::vector<std::string>& failures);
    RowRange SelectionAfterScan(RowRange previous, bool sameFolder) const;
    // Shows the problem unless only new problems are to be shown and the last scan showed it;
    // remembers it in `shown` either way.
    void ShowScanProblem(std::string problem, void (Prompts::*show)(const std::string&), ScanReport report,
        std::vector<std::string>& shown);

    Progress& progress_;
    Prompts& prompts_;
    platform::FileSystem& fileSystem_;
    std::filesystem::path FCurrentDir;
    std::filesystem::path listedDir_; // the folder whose files FFileList holds
    std::vector<std::unique_ptr<tags::TID3v2Class>> FFileList;
    std::vector<FileRow> rows_;
    bool FChanged = false;
    TagGrid FActiveGrid = TagGrid::ID3v1;
    std::array<RowRange, 2> selections_ {};
    std::array<uint32_t, 2> viewCodePages_ { 1251, 1200 };
    std::vector<WorkspaceObserver*> observers_;
    std::uint64_t listing_ = 0;
    std::vector<std::string> lastScanProblems_;
};

// What a tag cell of the grid shows for the file under a code page.
WideString TagCellTextIn(const tags::TID3v2Class& file, TagGrid grid, int column, uint32_t codePage);

} // namespace vennart::workspace
