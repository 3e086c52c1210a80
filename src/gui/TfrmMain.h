// The main window: tool bar, menus, the folder picker, the editing panel, the file information,
// the two file grids and the status line. It owns the workspace and turns window events into
// workspace operations; controls keep the names the rest of the program knows them by.
#pragma once

#include "gui/MainActions.h"
#include "platform/AppPaths.h"
#include "text/LetterModel.h"
#include "text/Translit.h"
#include "text/UStringConvert.h"
#include "workspace/TagFields.h"
#include "workspace/Workspace.h"

#include <QMainWindow>
#include <memory>

class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTableView;
class QTableWidget;
class QToolBar;
class QToolButton;

namespace vennart::gui {

class DirectoryListBox;
class DriveComboBox;
class FileGridModel;
class StatusLine;
class TEncodingTable;
class TfrmFileNameFromTag;
class TfrmTagsFromFileName;
class TfrmDetectEncoding;
class TfrmSelectTags;
class TfrmTransliTable;
class WindowTitle;
class AfterEachScan;

} // namespace vennart::gui

namespace vennart::commands {
struct ChangeSet;
class History;
} // namespace vennart::commands

namespace vennart::gui {

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // `prompts` answers the window's questions; by default they are message boxes.
    explicit TfrmMain(platform::AppPaths paths, std::unique_ptr<workspace::Prompts> prompts = nullptr,
        QWidget* parent = nullptr);
    ~TfrmMain() override;

    workspace::Workspace& Workspace() { return *workspace_; }
    bool Ready() const { return FReady; }

    // Operations other commands use
    void ScanFolder();
    void RefreshAll();
    // Everything that shows the files, after the file list was read again.
    void RefreshViews();
    void FitTitleColumn(QTableView* grid);
    void ShowFileInfo();
    void FillTagPanel();
    void FillFieldLists();
    void SelectAllFiles();
    void pcFileListChange();

    // Controls
    MainActions actions;
    QToolBar* ToolBar;
    QToolButton* tbChangeEncoding;
    QMenu* popupMenuEnc;
    QMenu* miEncodingID3v1;
    QMenu* miEncodingID3v2;
    QMenu* MiTransliterateTags;
    QMenu* miChangeEncoding;
    QMenu* miChangeEncodingID3v1;
    QMenu* miChangeEncodingID3v2;
    QMenu* miCopyTags;
    QMenu* miChangeID3v1Version;
    QSplitter* SplitterTop;
    QSplitter* SplitterFiles;
    QGroupBox* gbSelectDir;
    DriveComboBox* driveComboBox;
    DirectoryListBox* TntDirectoryListBox;
    QScrollArea* sbAllTags;
    QWidget* panTagsTop;
    QLineEdit* EditFileName = nullptr;
    QGroupBox* gbMainTags;
    QGroupBox* gbAdditionalTags;
    QGroupBox* gbFileInformation;
    QTableWidget* sgFileInfo;
    QWidget* panEncoding;
    QComboBox* cbSourceEncv1;
    QComboBox* cbSourceEncv2;
    QTabWidget* pcFileList;
    QTableView* sgID3v1;
    QTableView* sgID3v2;
    StatusLine* panStatus;
    // Dialogs created with the window and kept for the run
    TfrmTransliTable* frmTransliTable = nullptr;
    TEncodingTable* frmEncodingTable = nullptr;
    TfrmSelectTags* frmSelectTags = nullptr;
    // The frame identifiers the editing panel shows: the main ones, then TagEditList.
    std::vector<AnsiString> TagList;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Creation
    void TntFormCreate();
    void CreateControls();
    void CreateMenus();
    void CreateToolBar();
    QWidget* CreateSelectDirGroup();
    QWidget* CreateTagsBox();
    QWidget* CreateFileInformationGroup();
    QWidget* CreateFileGrids();
    void ConnectCommands();
    void PrepareGridColumns(QTableView* grid);
    void SizeSplitters();
    // The code page lists are never narrower than their longest name: a cut name could be another's.
    void FitEncodingCombos();
    void ApplyStartFolder();

    // Posted messages
    void DeferredStart();
    void PostSelectionChanged();
    void SelectionChanged();

    // Folder and grids
    void DriveComboBoxChange();
    void TntDirectoryListBoxChange();
    void ReturnToCurrentDir();
    void GridSelectionChanged(QTableView* grid);
    void ShowWorkspaceSelection(QTableView* grid);
    // What the selection shows, at once after the folder was read again.
    void ShowScannedSelection();
    QTableView* GridOf(workspace::TagGrid grid) const;
    workspace::TagGrid TagGridOf(const QTableView* grid) const;

    // View code pages
    void InitEncodings(const std::string& codePages);
    // `handler` runs when an item is clicked.
    void BuildEncodingMenu(
        QMenu* menu, const std::vector<text::CodePageName>& list, void (TfrmMain::*handler)(QAction*));
    void SelectSavedEncoding(workspace::TagGrid grid, QMenu* menu, QComboBox* combo);
    void miEncodingViewClick(QAction* item);
    void cbSourceEncv1Change();
    void cbSourceEncv2Change();
    void SourceEncodingChange(workspace::TagGrid grid);
    void CheckViewCodePage(workspace::TagGrid grid, uint32_t codePage);
    void ShowUtf16ChangeItem(workspace::TagGrid grid);
    void ConnectEncodingSettings();
    void miEncodingsClick();

    // Editing panel
    void BuildTagPanel();
    QComboBox* MakeFieldCombo(int fieldIndex);
    const workspace::TagField& FieldOf(const QComboBox* combo) const;
    bool IsFieldShown(const workspace::TagField& field) const;
    void SetControlText(const WideString& text, QComboBox* combo);
    void FillValueList(QComboBox* combo);
    void cbTagChange(QComboBox* combo);
    void cbTagExit(QComboBox* combo);
    // True when the key types a character that a track field does not take.
    static bool cbTrackNumberKeyPress(const QKeyEvent* event);
    bool IsHistoryShortcut(const QKeyEvent* event) const;
    void eFileNameChange();
    void tbSaveClick();

    // Closing
    bool TntFormCloseQuery();
    void TntFormClose();

    void miAboutClick();
    void ConnectNamesFromTags();
    void miMakeFilenamesfromTagsClick();
    void ConnectTagsFromNames();
    void miMakeTagsFromFilenamesClick();
    void ConnectDetectEncoding();
    void miDetectEncodingClick();
    const text::LetterModel& LetterModel();
    void ShowAsCodePage(workspace::TagGrid grid, uint32_t codePage);

    // Transliteration, frames to edit, copying tags and the ID3v1 version
    void ConnectTagToolCommands();
    void miTranslitTableClick();
    void miTagsToDisplayClick();
    void miTransliterID3v1Click();
    void miTranslitID3v2Click();
    void tbTranslitTagsClick();
    void miTransliterateFilenamesClick();
    void TransliterateTagsOf(workspace::TagGrid grid);
    void miID3v1toID3v2Click();
    void miID3v2toID3v1Click();
    void tbCopyTagsClick();
    void CopyTagsInto(workspace::TagGrid to);
    void miID3VersionClick(bool toV11);
    void RunGuarded(const std::function<void()>& handler);

    // Undo history and re-encoding
    void ConnectUndo();
    void ShowUndoCaptions();
    // Applies the set as one step of the history and shows its rows.
    void RunCommand(commands::ChangeSet set);
    // A keystroke's set: it joins the step of the keystrokes before it with the same key.
    void RunTyping(commands::ChangeSet set, const std::string& mergeKey);
    void Undo();
    void Redo();
    void ShowChangedRows();
    void ShowViewCodePage(workspace::TagGrid grid);
    void miEncodingChangeClick(QAction* item);

    platform::AppPaths paths_;
    std::unique_ptr<workspace::Prompts> prompts_;
    std::unique_ptr<workspace::Workspace> workspace_;
    // The code page catalogue with the active lists that the menus and combo boxes show.
    text::EncodingCatalogue encodings_;
    // The transliteration table the commands and the table editor work on.
    text::TranslitTable translitTable_;
    std::unique_ptr<WindowTitle> windowTitle_;
    std::unique_ptr<AfterEachScan> afterScan_;
    std::unique_ptr<commands::History> history_;
    FileGridModel* modelID3v1_ = nullptr;
    FileGridModel* modelID3v2_ = nullptr;
    bool FReady = false;
    bool FIgnoreDirChange = false;
    bool FFillingPanel = false;
    std::vector<workspace::TagField> tagFields_;
    std::vector<QComboBox*> fieldCombos_;
    bool selectionChangePosted_ = false;
    bool splittersSized_ = false;
    TfrmFileNameFromTag* frmFileNameFromTag = nullptr;
    TfrmTagsFromFileName* frmTagsFromFileName = nullptr;
    TfrmDetectEncoding* frmDetectEncoding = nullptr;
    std::unique_ptr<text::LetterModel> letterModel_;
};

} // namespace vennart::gui
