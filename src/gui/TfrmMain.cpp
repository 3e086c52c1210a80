// Creation, the deferred start, closing and the about box of the main window.
#include "gui/TfrmMain.h"

#include "commands/History.h"
#include "gui/AfterEachScan.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "gui/FileGridModel.h"
#include "gui/MessageBoxPrompts.h"
#include "gui/QtText.h"
#include "gui/StatusLine.h"
#include "gui/TAboutBox.h"
#include "gui/WindowTitle.h"
#include "platform/Error.h"
#include "platform/SystemCodePage.h"
#include "text/Translit.h"
#include "text/UStringConvert.h"
#include "workspace/SaveChanges.h"
#include "workspace/StartFolder.h"

#include <QCloseEvent>
#include <QDir>
#include <QMenu>
#include <QTableView>
#include <QTimer>

// The icons live in the window library; a static library's resources are registered by hand.
static void RegisterIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace vennart::gui {

TfrmMain::TfrmMain(platform::AppPaths paths, std::unique_ptr<workspace::Prompts> prompts, QWidget* parent)
    : QMainWindow(parent)
    , paths_(std::move(paths))
    , prompts_(std::move(prompts))
{
    setObjectName(QStringLiteral("TfrmMain"));
    RegisterIcons();
    if (!prompts_)
        prompts_ = std::make_unique<MessageBoxPrompts>(this);
    actions = CreateMainActions(this);
    CreateControls();
    workspace_ = std::make_unique<workspace::Workspace>(*panStatus, *prompts_);
    windowTitle_ = std::make_unique<WindowTitle>(*this, *workspace_);
    modelID3v1_ = new FileGridModel(*workspace_, workspace::TagGrid::ID3v1, this);
    modelID3v2_ = new FileGridModel(*workspace_, workspace::TagGrid::ID3v2, this);
    sgID3v1->setModel(modelID3v1_);
    sgID3v2->setModel(modelID3v2_);
    afterScan_ = std::make_unique<AfterEachScan>(*workspace_, [this] { ShowScannedSelection(); });
    ConnectCommands();
    TntFormCreate();
}

TfrmMain::~TfrmMain()
{
    sgID3v1->setModel(nullptr);
    sgID3v2->setModel(nullptr);
    delete modelID3v1_;
    delete modelID3v2_;
}

void TfrmMain::TntFormCreate()
{
    FReady = false;
    try {
        const std::filesystem::path settingsFile = paths_.SettingsFile();
        if (std::filesystem::exists(settingsFile))
            workspace_->FSettings.Load(settingsFile);
        ApplyStartFolder();
        windowTitle_->Show();
        encodings_.LoadEncodingTables(paths_.EncodingTablesFile());
        translitTable_ = text::LoadTranslitTable(paths_.TranslitTableFile());
        InitEncodings(NarrowSystem(workspace_->FSettings.Read(workspace::kCodePagesKey)));
        PrepareGridColumns(sgID3v1);
        PrepareGridColumns(sgID3v2);
        BuildTagPanel();
    } catch (const std::exception& error) {
        // The window stays open but never becomes ready: nothing is scanned in this run.
        prompts_->ShowError(error.what());
        return;
    }
    QMetaObject::invokeMethod(this, &TfrmMain::DeferredStart, Qt::QueuedConnection);
}

void TfrmMain::ApplyStartFolder()
{
    const WideString stored = workspace_->FSettings.Read(workspace::kCurrentDirKey);
    const std::filesystem::path folder = workspace::ResolveStartFolder(
        ToPath(ToQString(stored)), ToPath(TntDirectoryListBox->Directory()), ToPath(QDir::homePath()));
    workspace_->SetCurrentDir(folder);
    TntDirectoryListBox->SetDirectory(ToQString(folder));
    workspace_->SetCurrentDir(ToPath(TntDirectoryListBox->Directory()));
    driveComboBox->ShowDriveOf(TntDirectoryListBox->Directory());
}

void TfrmMain::DeferredStart()
{
    FReady = true;
    FitTitleColumn(sgID3v1);
    FitTitleColumn(sgID3v2);
    RunGuarded([this] { ScanFolder(); });
    pcFileList->setCurrentIndex(0);
    RunGuarded([this] { pcFileListChange(); });
}

void TfrmMain::PostSelectionChanged()
{
    // Several selection events of one gesture are handled once, after the grid has moved.
    if (selectionChangePosted_)
        return;
    selectionChangePosted_ = true;
    QMetaObject::invokeMethod(this, &TfrmMain::SelectionChanged, Qt::QueuedConnection);
}

void TfrmMain::SelectionChanged()
{
    selectionChangePosted_ = false;
    RunGuarded([this] {
        ShowFileInfo();
        FillTagPanel();
    });
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (!TntFormCloseQuery()) {
        event->ignore();
        return;
    }
    TntFormClose();
    event->accept();
}

bool TfrmMain::TntFormCloseQuery()
{
    return workspace::ConfirmClose(*workspace_);
}

void TfrmMain::TntFormClose()
{
    workspace::Settings& settings = workspace_->FSettings;
    settings.Write(workspace::kCurrentDirKey, ToWide(ToQString(workspace_->CurrentDir())));
    const std::pair<std::u16string_view, QMenu*> encodingMenus[]
        = { { workspace::kDefaultV1EncodingKey, miEncodingID3v1 },
              { workspace::kDefaultV2EncodingKey, miEncodingID3v2 } };
    for (const auto& [key, menu] : encodingMenus) {
        for (QAction* item : menu->actions()) {
            if (item->isChecked()) {
                settings.Write(key, ToWide(QString::number(item->data().toUInt())));
                break;
            }
        }
    }
    const std::filesystem::path settingsFile = paths_.SettingsFile();
    try {
        settings.Save(settingsFile);
    } catch (const std::exception& error) {
        prompts_->ShowWarning(std::string("The settings could not be saved to ") + settingsFile.string()
            + ":\n" + error.what());
    }
}

void TfrmMain::miAboutClick()
{
    TAboutBox about(this);
    about.exec();
}

void TfrmMain::RunGuarded(const std::function<void()>& handler)
{
    // An error ends the event that raised it and is shown; the window goes on.
    try {
        handler();
    } catch (const std::exception& error) {
        prompts_->ShowError(error.what());
    }
}

} // namespace vennart::gui
