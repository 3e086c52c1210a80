// The main window's frame: menus, tool bar, the three groups of the upper area, the file grids and
// the status line, with the captions, sizes and order users know them by.
#include "gui/CutTextToolTip.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "gui/FileGridModel.h"
#include "gui/StatusLine.h"
#include "gui/TfrmMain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vennart::gui {
namespace {

constexpr int kSplitterWidth = 6;
constexpr int kSelectDirWidth = 185;
constexpr int kFileInformationWidth = 227;
constexpr int kFileListHeight = 240;
constexpr int kGridRowHeight = 18;
constexpr int kFileInfoRows = 17;

QMenu* AddSubMenu(QMenu* parent, const QString& caption, const char* name)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QTableView* MakeFileGrid(const char* name)
{
    auto* grid = new QTableView;
    grid->setObjectName(QString::fromLatin1(name));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    grid->verticalHeader()->setMinimumWidth(20);
    grid->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ShowCutTextInToolTips(grid);
    return grid;
}

QWidget* MakeTabSheet(const char* name, QWidget* grid)
{
    auto* sheet = new QWidget;
    sheet->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    return sheet;
}

} // namespace

void TfrmMain::CreateControls()
{
    setWindowTitle(QStringLiteral("Vennart[*]"));
    resize(873, 552);
    CreateMenus();
    CreateToolBar();

    SplitterTop = new QSplitter(Qt::Horizontal);
    SplitterTop->setObjectName(QStringLiteral("SplitterTop"));
    SplitterTop->setHandleWidth(kSplitterWidth);
    SplitterTop->setChildrenCollapsible(false);
    SplitterTop->addWidget(CreateSelectDirGroup());
    SplitterTop->addWidget(CreateTagsBox());
    SplitterTop->addWidget(CreateFileInformationGroup());
    SplitterTop->setStretchFactor(1, 1);

    SplitterFiles = new QSplitter(Qt::Vertical);
    SplitterFiles->setObjectName(QStringLiteral("PanelMain"));
    SplitterFiles->setHandleWidth(kSplitterWidth);
    SplitterFiles->setChildrenCollapsible(false);
    SplitterFiles->addWidget(SplitterTop);
    SplitterFiles->addWidget(CreateFileGrids());
    // The grids take the room a larger window gives: more rows of files is what users grow it for.
    SplitterFiles->setStretchFactor(0, 0);
    SplitterFiles->setStretchFactor(1, 1);
    setCentralWidget(SplitterFiles);

    panStatus = new StatusLine;
    statusBar()->addWidget(panStatus, 1);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!splittersSized_) {
        splittersSized_ = true;
        SizeSplitters();
    }
}

// The designed sizes, once the window has its own: the folder group and the file information at
// the sides (the latter wide enough for its code page list), the file list at the bottom, and the
// editing panel in what is left.
void TfrmMain::SizeSplitters()
{
    const int information = std::max(kFileInformationWidth, gbFileInformation->minimumSizeHint().width());
    SplitterTop->setSizes({ kSelectDirWidth,
        SplitterTop->width() - kSelectDirWidth - information - 2 * SplitterTop->handleWidth(), information });
    SplitterFiles->setSizes(
        { SplitterFiles->height() - kFileListHeight - SplitterFiles->handleWidth(), kFileListHeight });
}

void TfrmMain::FitEncodingCombos()
{
    // Only one of the two shows at a time; the group must hold either without cutting a name.
    const int width = std::max(cbSourceEncv1->sizeHint().width(), cbSourceEncv2->sizeHint().width());
    for (QComboBox* combo : { cbSourceEncv1, cbSourceEncv2 })
        combo->setMinimumWidth(width);
}

void TfrmMain::CreateMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(actions.miSave);
    file->addAction(actions.miEncodings);
    file->addAction(actions.miTranslitTable);
    file->addAction(actions.miTagsToDisplay);
    file->addAction(actions.Exit1);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(actions.miUndo);
    edit->addAction(actions.miRedo);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    miEncodingID3v1 = AddSubMenu(view, QStringLiteral("Encoding ID3v1"), "miEncodingID3v1");
    miEncodingID3v2 = AddSubMenu(view, QStringLiteral("Encoding ID3v2"), "miEncodingID3v2");
    view->addSeparator();
    view->addAction(actions.miSelectAll);

    QMenu* commands = menuBar()->addMenu(QStringLiteral("&Actions"));
    MiTransliterateTags = AddSubMenu(commands, QStringLiteral("Transliterate Tags"), "MiTransliterateTags");
    MiTransliterateTags->addAction(actions.miTransliterID3v1);
    MiTransliterateTags->addAction(actions.miTranslitID3v2);
    commands->addAction(actions.miTransliterateFilenames);
    miChangeEncoding = AddSubMenu(commands, QStringLiteral("Change Encoding of Tags"), "miChangeEncoding");
    miChangeEncodingID3v1 = AddSubMenu(miChangeEncoding, QStringLiteral("ID3v1"), "miChangeEncodingID3v1");
    miChangeEncodingID3v2 = AddSubMenu(miChangeEncoding, QStringLiteral("ID3v2"), "miChangeEncodingID3v2");
    commands->addAction(actions.miDetectEncoding);
    miCopyTags = AddSubMenu(commands, QStringLiteral("Copy Tags"), "miCopyTags");
    miCopyTags->addAction(actions.miID3v1toID3v2);
    miCopyTags->addAction(actions.miID3v2toID3v1);
    commands->addAction(actions.miMakeTagsFromFilenames);
    commands->addAction(actions.miMakeFilenamesfromTags);
    miChangeID3v1Version = AddSubMenu(commands, QStringLiteral("Set ID3v1 Version"), "miChangeID3v1Version");
    miChangeID3v1Version->addAction(actions.miID3Version10);
    miChangeID3v1Version->addAction(actions.miID3Version11);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(actions.miAbout);
}

void TfrmMain::CreateToolBar()
{
    ToolBar = addToolBar(QStringLiteral("ToolBar"));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setIconSize(QSize(26, 26));
    ToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    ToolBar->addAction(actions.miSave);
    ToolBar->addAction(actions.miUndo);
    ToolBar->addAction(actions.miRedo);
    ToolBar->addAction(actions.miSelectAll);
    ToolBar->addAction(actions.tbCopyTags);
    ToolBar->addAction(actions.tbTranslitTags);
    ToolBar->addAction(actions.miTransliterateFilenames);

    popupMenuEnc = new QMenu(this);
    popupMenuEnc->setObjectName(QStringLiteral("popupMenuEnc"));
    tbChangeEncoding = new QToolButton;
    tbChangeEncoding->setObjectName(QStringLiteral("tbChangeEncoding"));
    tbChangeEncoding->setText(QStringLiteral("ID3v1"));
    tbChangeEncoding->setToolTip(QStringLiteral("Change Encoding of Tags"));
    tbChangeEncoding->setIcon(QIcon(QStringLiteral(":/icons/change-encoding.svg")));
    tbChangeEncoding->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbChangeEncoding->setPopupMode(QToolButton::InstantPopup);
    tbChangeEncoding->setMenu(popupMenuEnc);
    ToolBar->addWidget(tbChangeEncoding);

    ToolBar->addAction(actions.miMakeTagsFromFilenames);
    ToolBar->addAction(actions.miMakeFilenamesfromTags);

    const char* names[] = { "tbSave", "tbSelectAll", "tbCopyTags", "tbTranslitTags", "tbTranslitFilenames" };
    const QList<QAction*> buttons = { actions.miSave, actions.miSelectAll, actions.tbCopyTags,
        actions.tbTranslitTags, actions.miTransliterateFilenames };
    for (int i = 0; i < buttons.size(); ++i)
        ToolBar->widgetForAction(buttons[i])->setObjectName(QString::fromLatin1(names[i]));
    ToolBar->widgetForAction(actions.miMakeTagsFromFilenames)
        ->setObjectName(QStringLiteral("tbTagsFromFilenames"));
    ToolBar->widgetForAction(actions.miMakeFilenamesfromTags)
        ->setObjectName(QStringLiteral("tbFilenamesFromTags"));
    for (QAction* action : ToolBar->actions()) {
        if (QWidget* button = ToolBar->widgetForAction(action); button != tbChangeEncoding)
            button->setFixedSize(33, 32);
    }
}

QWidget* TfrmMain::CreateSelectDirGroup()
{
    gbSelectDir = new QGroupBox(QStringLiteral("Select Directory"));
    gbSelectDir->setObjectName(QStringLiteral("gbSelectDir"));
    gbSelectDir->setMinimumSize(100, 150);
    driveComboBox = new DriveComboBox;
    TntDirectoryListBox = new DirectoryListBox;
    ShowCutTextInToolTips(TntDirectoryListBox);
    auto* layout = new QVBoxLayout(gbSelectDir);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(driveComboBox);
    layout->addWidget(TntDirectoryListBox, 1);
    return gbSelectDir;
}

QWidget* TfrmMain::CreateTagsBox()
{
    sbAllTags = new QScrollArea;
    sbAllTags->setObjectName(QStringLiteral("sbAllTags"));
    sbAllTags->setMinimumWidth(300);
    sbAllTags->setWidgetResizable(true);
    sbAllTags->setFrameShape(QFrame::NoFrame);

    auto* content = new QWidget;
    panTagsTop = new QWidget;
    panTagsTop->setObjectName(QStringLiteral("panTagsTop"));
    panTagsTop->setFixedHeight(31);
    gbMainTags = new QGroupBox(QStringLiteral("Main tags"));
    gbMainTags->setObjectName(QStringLiteral("gbMainTags"));
    gbAdditionalTags = new QGroupBox(QStringLiteral("Additional Tags"));
    gbAdditionalTags->setObjectName(QStringLiteral("gbAdditionalTags"));

    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panTagsTop);
    layout->addWidget(gbMainTags);
    layout->addWidget(gbAdditionalTags);
    layout->addStretch(1);
    sbAllTags->setWidget(content);
    return sbAllTags;
}

QWidget* TfrmMain::CreateFileInformationGroup()
{
    gbFileInformation = new QGroupBox(QStringLiteral("File Information"));
    gbFileInformation->setObjectName(QStringLiteral("gbFileInformation"));
    gbFileInformation->setMinimumWidth(160);

    sgFileInfo = new QTableWidget(kFileInfoRows, 2);
    sgFileInfo->setObjectName(QStringLiteral("sgFileInfo"));
    sgFileInfo->horizontalHeader()->hide();
    sgFileInfo->verticalHeader()->hide();
    sgFileInfo->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    sgFileInfo->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgFileInfo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgFileInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgFileInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    sgFileInfo->setWordWrap(false);
    ShowCutTextInToolTips(sgFileInfo);
    // Two equal columns that fit the designed width of the grid.
    const int designedWidth = 223;
    const int columns = sgFileInfo->columnCount();
    sgFileInfo->horizontalHeader()->setDefaultSectionSize(designedWidth / columns - columns - 9);
    sgFileInfo->horizontalHeader()->setStretchLastSection(true);

    panEncoding = new QWidget;
    panEncoding->setObjectName(QStringLiteral("panEncoding"));
    panEncoding->setFixedHeight(29);
    cbSourceEncv1 = new QComboBox;
    cbSourceEncv1->setObjectName(QStringLiteral("cbSourceEncv1"));
    cbSourceEncv2 = new QComboBox;
    cbSourceEncv2->setObjectName(QStringLiteral("cbSourceEncv2"));
    for (QComboBox* combo : { cbSourceEncv1, cbSourceEncv2 })
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cbSourceEncv2->hide();
    auto* encodingLayout = new QHBoxLayout(panEncoding);
    encodingLayout->setContentsMargins(2, 2, 2, 2);
    encodingLayout->addWidget(new QLabel(QStringLiteral("Tags Encoding")));
    encodingLayout->addWidget(cbSourceEncv1, 1);
    encodingLayout->addWidget(cbSourceEncv2, 1);

    auto* layout = new QVBoxLayout(gbFileInformation);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(sgFileInfo, 1);
    layout->addWidget(panEncoding);
    return gbFileInformation;
}

QWidget* TfrmMain::CreateFileGrids()
{
    pcFileList = new QTabWidget;
    pcFileList->setObjectName(QStringLiteral("pcFileList"));
    pcFileList->setMinimumHeight(120);
    sgID3v1 = MakeFileGrid("sgID3v1");
    sgID3v2 = MakeFileGrid("sgID3v2");
    pcFileList->addTab(MakeTabSheet("tsID3v1", sgID3v1), QStringLiteral("ID3v1"));
    pcFileList->addTab(MakeTabSheet("tsID3v2", sgID3v2), QStringLiteral("ID3v2"));
    return pcFileList;
}

void TfrmMain::PrepareGridColumns(QTableView* grid)
{
    QHeaderView* header = grid->horizontalHeader();
    header->setMinimumSectionSize(20);
    grid->verticalHeader()->setFixedWidth(20);
    header->resizeSection(FileGridModel::FileNameColumn, 150);
    header->resizeSection(FileGridModel::ArtistColumn, 150);
    header->resizeSection(FileGridModel::AlbumColumn, 150);
    header->resizeSection(FileGridModel::YearColumn, 50);
}

} // namespace vennart::gui
