// A workspace over a folder of the test's own, with a status line that records what it is told and
// message boxes answered from a script: the setting of every test that scans, edits or saves.
#pragma once

#include "Mp3Folder.h"
#include "support/FaultyFileSystem.h"
#include "support/WorkspaceFakes.h"
#include "text/Utf8.h"
#include "workspace/FrameText.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vennart::workspace {

class WorkspaceFixture : public testing::Test {
protected:
    // Makes the folder the current one and reads it.
    void Scan()
    {
        workspace.SetCurrentDir(folder.Path());
        workspace.ScanFolder();
    }

    // Shows the grid's tab with the rows of `range` selected.
    void Select(TagGrid grid, RowRange range)
    {
        workspace.SetActiveGrid(grid);
        workspace.SetSelection(grid, range);
    }

    // Gives the row's file a new ID3v2 title in memory and marks the row in the ID3v2 grid.
    void EditTitle(int row, const WideString& title)
    {
        SetFrameText(workspace.FileToSave(row), "TIT2", title, 1200);
        workspace.MarkRowChanged(row, TagGrid::ID3v2);
    }

    // The ID3v2 title of the file as it is on disk now.
    static WideString TitleOnDisk(const std::filesystem::path& path)
    {
        return GetFrameText(tags::TID3v2Class(path), "TIT2", 1200);
    }

    // Every file of the folder as "name=title", '|' between them: the names and ID3v2 titles on disk.
    WideString OnDisk() const
    {
        WideString files;
        for (const std::string& name : test::FolderNames(folder.Path()))
            files += (files.empty() ? u"" : u"|") + text::DecodeUtf8OrSystem(name) + u"="
                + TitleOnDisk(folder / name);
        return files;
    }

    // Per row, the grids whose changed mark it shows: "1" for ID3v1, "2" for ID3v2, "12" or "".
    std::vector<std::string> Marks() const
    {
        std::vector<std::string> marks;
        for (int row = 0; row < workspace.FileCount(); ++row) {
            marks.push_back(std::string(workspace.IsRowMarked(row, TagGrid::ID3v1) ? "1" : "")
                + (workspace.IsRowMarked(row, TagGrid::ID3v2) ? "2" : ""));
        }
        return marks;
    }

    test::TempDir folder;
    test::RecordingProgress progress;
    test::ScriptedPrompts prompts;
    // Passes everything through until a test asks it to refuse something.
    test::FaultyFileSystem fileSystem;
    Workspace workspace { progress, prompts, fileSystem };
};

} // namespace vennart::workspace
