#include "workspace/Workspace.h"

#include "platform/Error.h"
#include "tags/ID3v1Tag.h"
#include "text/UStringConvert.h"
#include "workspace/FolderListing.h"
#include "workspace/FrameText.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace vennart::workspace {
namespace {

// One error box for the whole scan: every file that could not be read, with the reason (each
// reason names its file).
std::string ScanFailureMessage(const std::vector<std::string>& failures)
{
    std::string message = "Could not read " + std::to_string(failures.size()) + " file(s):";
    for (const std::string& failure : failures)
        message += "\n" + failure;
    return message;
}

std::string LeftoversMessage(const std::filesystem::path& folder, const std::vector<std::string>& names)
{
    std::string message = "An interrupted save left these files in " + folder.string() + ":";
    for (const std::string& name : names)
        message += "\n" + name;
    return message
        + "\nA name ending in \".old\" is a complete copy of a song as it was before that save; one ending"
          " in \".new\" is an unfinished new copy.";
}

// Rows whose files are one file: each gets the first row of its file. Sorted in one array rather
// than kept in a map, which would allocate a node for every file of the folder.
void MarkSameFiles(const std::vector<std::unique_ptr<tags::TID3v2Class>>& files, std::vector<int>& sameFileAs)
{
    std::vector<std::tuple<dev_t, ino_t, int>> byFile;
    byFile.reserve(files.size());
    for (std::size_t row = 0; row < files.size(); ++row) {
        const platform::FileIdentity& identity = files[row]->Identity();
        byFile.emplace_back(identity.device, identity.inode, static_cast<int>(row));
    }
    std::ranges::sort(byFile);
    sameFileAs.assign(files.size(), -1);
    int firstRow = -1;
    for (std::size_t i = 0; i < byFile.size(); ++i) {
        const auto& [device, inode, row] = byFile[i];
        const bool sameAsBefore
            = i > 0 && std::get<0>(byFile[i - 1]) == device && std::get<1>(byFile[i - 1]) == inode;
        if (sameAsBefore)
            sameFileAs[static_cast<std::size_t>(row)] = firstRow;
        else
            firstRow = row;
    }
}

const char* const kTagCellFrames[] = { "TIT2", "TPE1", "TALB", "TYER" };

} // namespace

// Tells the views before the file list is replaced and after, however the replacing ends.
class Workspace::ResetNotice {
public:
    explicit ResetNotice(const std::vector<WorkspaceObserver*>& observers)
        : observers_(observers)
    {
        for (WorkspaceObserver* observer : observers_)
            observer->FileListAboutToReset();
    }
    ~ResetNotice()
    {
        for (WorkspaceObserver* observer : observers_)
            observer->FileListReset();
    }
    ResetNotice(const ResetNotice&) = delete;
    ResetNotice& operator=(const ResetNotice&) = delete;

private:
    const std::vector<WorkspaceObserver*>& observers_;
};

Workspace::Workspace(Progress& progress, Prompts& prompts, platform::FileSystem& fileSystem)
    : progress_(progress)
    , prompts_(prompts)
    , fileSystem_(fileSystem)
{
}

void Workspace::ScanFolder(ScanReport report)
{
    OpenFolder(FCurrentDir, report);
}

void Workspace::OpenFolder(const std::filesystem::path& folder, ScanReport report)
{
    std::vector<std::string> leftovers;
    FolderListing listed = ListMp3Files(folder, &leftovers);
    if (folder != listedDir_)
        lastScanProblems_.clear();
    std::vector<std::string> failures;
    {
        const ResetNotice notice(observers_);
        const bool sameFolder = folder == listedDir_;
        // The old tag objects go before the new ones are read, which then take the memory they leave
        // instead of a whole folder's more; a view that paints meanwhile finds no rows.
        FFileList.clear();
        rows_.clear();
        FCurrentDir = folder;
        listedDir_ = folder;
        std::vector<std::unique_ptr<tags::TID3v2Class>> files;
        std::vector<FileRow> rows;
        ReadFiles(std::move(listed), files, rows, failures);
        std::vector<int> sameFileAs;
        MarkSameFiles(files, sameFileAs);
        for (std::size_t row = 0; row < rows.size(); ++row)
            rows[row].sameFileAs = sameFileAs[row];
        FFileList = std::move(files);
        rows_ = std::move(rows);
        for (RowRange& selection : selections_)
            selection = SelectionAfterScan(selection, sameFolder);
        FChanged = false;
        ++listing_;
    }
    std::vector<std::string> shown;
    if (!failures.empty())
        ShowScanProblem(ScanFailureMessage(failures), &Prompts::ShowError, report, shown);
    // Not an error: every song is listed, and the leftovers are the user's to look at or remove.
    if (!leftovers.empty())
        ShowScanProblem(LeftoversMessage(folder, leftovers), &Prompts::ShowWarning, report, shown);
    lastScanProblems_ = std::move(shown);
}

void Workspace::ShowScanProblem(std::string problem, void (Prompts::*show)(const std::string&),
    ScanReport report, std::vector<std::string>& shown)
{
    const bool shownBefore = std::ranges::find(lastScanProblems_, problem) != lastScanProblems_.end();
    if (report == ScanReport::AllProblems || !shownBefore)
        (prompts_.*show)(problem);
    shown.push_back(std::move(problem));
}

std::optional<int> Workspace::SameFileAs(int row) const
{
    const int first = rows_.at(static_cast<std::size_t>(row)).sameFileAs;
    return first < 0 ? std::nullopt : std::optional<int>(first);
}

// Reading the same folder again keeps what was selected, as far as the rows still exist; a new
// folder starts at its first file.
RowRange Workspace::SelectionAfterScan(RowRange previous, bool sameFolder) const
{
    const int last = FileCount() - 1;
    if (last < 0)
        return {};
    if (!sameFolder || previous.IsEmpty() || previous.top > last)
        return { 0, 0 };
    return { previous.top, std::min(previous.bottom, last) };
}

void Workspace::ReadFiles(FolderListing listed, std::vector<std::unique_ptr<tags::TID3v2Class>>& files,
    std::vector<FileRow>& rows, std::vector<std::string>& failures)
{
    if (listed.files.empty())
        return;
    files.reserve(listed.files.size());
    rows.reserve(listed.files.size());
    ProgressLoop loop(progress_, "Reading", static_cast<int>(listed.files.size()));
    for (ListedFile& file : listed.files) {
        loop.BeginItem();
        try {
            files.push_back(std::make_unique<tags::TID3v2Class>(
                std::move(file.path), fileSystem_, listed.FolderDescriptor()));
            rows.push_back({ std::move(file.name), {} });
        } catch (const std::exception& error) {
            failures.push_back(error.what());
        }
        loop.EndItem();
    }
}

void Workspace::SetRowName(int row, const WideString& name)
{
    rows_.at(static_cast<std::size_t>(row)).name = name;
    NotifyRowsChanged(row, row);
}

RowState Workspace::DraftRow(int row) const
{
    const FileRow& fileRow = rows_.at(static_cast<std::size_t>(row));
    return { row, File(row).Clone(), fileRow.name, fileRow.marked };
}

void Workspace::SwapRow(RowState& state)
{
    const auto index = static_cast<std::size_t>(state.row);
    FileRow& fileRow = rows_.at(index);
    std::swap(FFileList.at(index), state.file);
    std::swap(fileRow.name, state.name);
    std::swap(fileRow.marked, state.marked);
}

void Workspace::SwapViewCodePage(TagGrid grid, uint32_t& codePage)
{
    std::swap(viewCodePages_[Index(grid)], codePage);
    NotifyTagsChanged(grid);
}

bool Workspace::IsRowMarked(int row, TagGrid grid) const
{
    return rows_.at(static_cast<std::size_t>(row)).marked[Index(grid)];
}

void Workspace::MarkRowChanged(int row, std::optional<TagGrid> grid)
{
    if (row < 0 || row >= FileCount())
        return;
    FileRow& fileRow = rows_[static_cast<std::size_t>(row)];
    if (grid)
        fileRow.marked[Index(*grid)] = true;
    else
        fileRow.marked = { true, true };
    FChanged = true;
    NotifyRowsChanged(row, row);
}

RowRange Workspace::Selection(TagGrid grid) const
{
    return selections_[Index(grid)];
}

void Workspace::SetSelection(TagGrid grid, RowRange range)
{
    const int last = FileCount() - 1;
    range.top = std::clamp(range.top, 0, std::max(last, 0));
    range.bottom = std::clamp(range.bottom, -1, last);
    selections_[Index(grid)] = last < 0 ? RowRange {} : range;
}

bool Workspace::SelectAllFiles()
{
    if (FFileList.empty())
        return false;
    const RowRange all { 0, FileCount() - 1 };
    selections_ = { all, all };
    return true;
}

void Workspace::SetViewCodePage(TagGrid grid, uint32_t codePage)
{
    viewCodePages_[Index(grid)] = codePage;
    NotifyTagsChanged(grid);
}

WideString Workspace::TagCellText(TagGrid grid, int row, int column) const
{
    return TagCellTextIn(File(row), grid, column, ViewCodePage(grid));
}

WideString TagCellTextIn(const tags::TID3v2Class& file, TagGrid grid, int column, uint32_t codePage)
{
    if (column < 2 || column > 5)
        return {};
    if (grid == TagGrid::ID3v2)
        return GetFrameText(file, kTagCellFrames[column - 2], codePage);
    const auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1);
    if (record == nullptr)
        return {};
    const AnsiString* fields[] = { &record->Title, &record->Artist, &record->Album, &record->Year };
    return text::CodePageToWide(*fields[column - 2], codePage);
}

void Workspace::NotifyTagsChanged(TagGrid grid)
{
    for (WorkspaceObserver* observer : observers_)
        observer->TagColumnsChanged(grid);
}

void Workspace::RemoveObserver(WorkspaceObserver* observer)
{
    std::erase(observers_, observer);
}

void Workspace::NotifyRowsChanged(int first, int last)
{
    for (WorkspaceObserver* observer : observers_)
        observer->RowsChanged(first, last);
}

} // namespace vennart::workspace
