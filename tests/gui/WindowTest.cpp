// The main window as users see it: start-up from the settings and closing, leaving a folder with
// edits, the tabs and the view code pages, what takes the room of a larger window, whole texts where
// cells are narrow, the title, and the name field after a refused rename. Then the editing panel
// over one or several selected files, on both tabs: what it shows, what typing and its shortcuts do,
// and saving what it changed. Which values the panel shows and how an edit reaches a tag are the
// workspace's rules; here, the gestures that lead there.
#include "GuiSession.h"
#include "gui/CutTextToolTip.h"
#include "gui/DirectoryListBox.h"
#include "gui/QtText.h"
#include "gui/StatusLine.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QScopeGuard>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;
using workspace::Answer;

namespace {

constexpr int kTitleColumn = 1;
constexpr int kMinimumTitleWidth = 150;

// The names of the sample songs, in the order the grids list them.
const QStringList kSampleNames = { u"01 Alpha.mp3"_s, u"02 Beta.mp3"_s, u"03 Gamma.mp3"_s };

// The item of a code page menu for that code page.
QAction* ItemWithCodePage(const QMenu* menu, uint codePage)
{
    for (QAction* item : menu->actions()) {
        if (item->data().toUInt() == codePage)
            return item;
    }
    return nullptr;
}

// The default set as ViewCodePages shows it with KOI8-R chosen for ID3v1, with cp1251 for ID3v2,
// and with both.
const QString kKoi8rForID3v1 = u"1251,*20866,21866,866,65001|1251,20866,21866,866,65001,*1200"_s;
const QString kCp1251ForID3v2 = u"*1251,20866,21866,866,65001|*1251,20866,21866,866,65001,1200"_s;
const QString kKoi8rAndCp1251 = u"1251,*20866,21866,866,65001|*1251,20866,21866,866,65001,1200"_s;

// Opens a sub-folder of the folder list's folder with a click and a double click, as the user does.
void OpenSubFolder(gui::TfrmMain& window, const QString& name)
{
    gui::DirectoryListBox* list = window.TntDirectoryListBox;
    const QList<QTreeWidgetItem*> items = list->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(items.size() == 1);
    const QPoint centre = list->visualItemRect(items.front()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

// The folder list, the workspace and the grid show `folder` with `names`; the marked rows as given.
void VerifyShowsFolder(gui::TfrmMain& window, const std::filesystem::path& folder, const QStringList& names,
    const QString& marked)
{
    QCOMPARE(window.TntDirectoryListBox->Directory(), gui::ToQString(folder));
    QCOMPARE(gui::ToQString(window.Workspace().CurrentDir()), gui::ToQString(folder));
    QCOMPARE(Column(window.sgID3v1, 0), names);
    QCOMPARE(MarkedRows(window), marked);
}

// Every visible label whose text is wider than the label, and every visible drop-down list that
// cannot show its current entry whole, on both tabs.
QStringList CutTexts(gui::TfrmMain& window)
{
    QStringList cut;
    for (const int tab : { 0, 1 }) {
        ClickTab(window, tab);
        // The tab's own controls are laid out before anything is painted.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            if (label->isVisibleTo(&window) && !label->text().isEmpty()
                && label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width())
                cut.append(label->text());
        }
        for (const QComboBox* combo : window.findChildren<QComboBox*>()) {
            if (!combo->isVisibleTo(&window) || combo->isEditable())
                continue;
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const QRect room = combo->style()->subControlRect(
                QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
            if (combo->fontMetrics().horizontalAdvance(combo->currentText()) > room.width())
                cut.append(combo->currentText());
        }
    }
    return cut;
}

bool IsCut(QTableView* view, int row, int column)
{
    const auto* delegate = qobject_cast<gui::CutTextToolTip*>(view->itemDelegate());
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(view->model()->index(row, column));
    return delegate != nullptr && delegate->IsCut(view, option, view->model()->index(row, column));
}

const QString kDoNotChange = u"<do not change>"_s;

QString FrameTextOf(const tags::TID3v2Class& file, const char* id)
{
    return QString::fromStdU16String(workspace::GetFrameText(file, id, text::kUtf16CodePage));
}

// Makes the window active, as the user's keys reach it, and presses Ctrl+key in `widget`.
[[nodiscard]] bool PressShortcut(gui::TfrmMain& window, QWidget* widget, Qt::Key key)
{
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    widget->setFocus();
    QTest::keyClick(widget, key, Qt::ControlModifier);
    return true;
}

// `shown` as ViewCodePages gives it; `after`: the first file's title (ID3v1) or album (ID3v2) in the
// grid and the panel.
struct ViewCodePageCase {
    int tab;
    uint codePage;
    QString shown, after;
};

// Rows 0..bottom of the ID3v2 grid are selected; `track` is given to the first file's tag before
// typing (empty: the sample's); `keys` are typed over the text from..to (-1 is the text's end);
// `stored` is the first file's track afterwards.
struct TrackCase {
    int bottom;
    QString track;
    int from, to;
    QString keys, shown, stored;
};

} // namespace

class WindowTest : public GuiTest {
    Q_OBJECT

private slots:

    // How the settings file is read and written is the workspace's to test; here, what the window
    // takes from it and gives back on closing.
    void startsFromTheSettingsAndClosingWritesThemBack_data()
    {
        QTest::addColumn<QStringList>("settings"); // none: no settings file, the music folder is current
        QTest::addColumn<QString>("shownCodePages");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("no settings file")
            << QStringList() << kDefaultViewCodePages
            << QStringList { u"CurrentDir=%1"_s, u"DefaultV1Encoding=1251"_s, u"DefaultV2Encoding=1200"_s };
        const QStringList stored
            = { u"CurrentDir=%1"_s, u"DefaultV1Encoding=20866"_s, u"DefaultV2Encoding=1251"_s };
        QTest::newRow("stored view code pages") << stored << kKoi8rAndCp1251 << stored;
    }

    void startsFromTheSettingsAndClosingWritesThemBack()
    {
        QFETCH(QStringList, settings);
        QFETCH(QString, shownCodePages);
        QFETCH(QStringList, written);
        const std::filesystem::path folder = std::filesystem::canonical(session->MusicDir());
        const auto restoreCurrentFolder
            = qScopeGuard([previous = QDir::currentPath()] { QDir::setCurrent(previous); });
        if (settings.isEmpty())
            QDir::setCurrent(gui::ToQString(folder));
        else
            session->WriteSettings(settings.replaceInStrings(u"%1"_s, gui::ToQString(folder)));
        QVERIFY(Start());

        QCOMPARE(ViewCodePages(*window), shownCodePages);
        VerifyShowsFolder(*window, folder, kSampleNames, u"|"_s);
        QCOMPARE(window->panStatus->labStatus->text(), u"Idle"_s);
        QVERIFY(session->Prompts().Errors.empty());

        QVERIFY(window->close());
        QCOMPARE(FileContent(session->SettingsFile()),
            SettingsFileBytes(written.replaceInStrings(u"%1"_s, gui::ToQString(folder))));
    }

    // What each answer does and the question's words are the workspace's to test; here, each folder
    // change asks once (the session counts the questions against the queued answers), the folder
    // list goes back when a failed save or Cancel stays where the edits are, and No opens the other
    // folder.
    void openingAnotherFolderWithEditsAsksFirst()
    {
        const std::filesystem::path otherDir = session->MusicDir() / "Other";
        std::filesystem::create_directory(otherDir);
        WriteFileBytes(otherDir / "10 Other.mp3", SampleSongFile(kSampleSongs[2]));
        QVERIFY(StartInMusicDir());
        TypeInto(Field(*window, "TIT2"), u"Edited"_s);
        // An exclusive lock on the file, as another program that is writing it holds one: Yes fails.
        const int lock = ::open((session->MusicDir() / kSampleSongs[0].fileName).c_str(), O_RDONLY);
        const auto unlock = qScopeGuard([lock] { ::close(lock); });
        QVERIFY(lock >= 0 && ::flock(lock, LOCK_EX) == 0);

        for (const Answer answer : { Answer::Yes, Answer::Cancel }) {
            session->QueueAnswer(answer);
            OpenSubFolder(*window, u"Other"_s);
            VerifyShowsFolder(*window, session->MusicDir(), kSampleNames, u"0|"_s);
        }
        QCOMPARE(session->Prompts().Errors.size(), std::size_t { 1 });
        session->QueueAnswer(Answer::No);
        OpenSubFolder(*window, u"Other"_s);
        VerifyShowsFolder(*window, otherDir, { u"10 Other.mp3"_s }, u"|"_s);
    }

    // Ctrl+A selects every file of both grids. In an empty folder there is nothing to select, the
    // panel is off, and the commands that ask about the selection first have nothing to ask about.
    void selectAllShortcutSelectsEveryRowAndAnEmptyFolderLeavesNothingToSelectOrAskAbout()
    {
        QVERIFY(StartInMusicDir());
        QVERIFY(PressShortcut(*window, window->sgID3v1, Qt::Key_A));
        QCOMPARE(SelectedRows(window->sgID3v1), (std::vector<int> { 0, 1, 2 }));
        QCOMPARE(SelectedRows(window->sgID3v2), (std::vector<int> { 0, 1, 2 }));
        // The file information follows the selection: three files.
        QCOMPARE(window->sgFileInfo->item(0, 1)->text(), u"3"_s);

        std::filesystem::create_directory(session->MusicDir() / "Empty");
        window->TntDirectoryListBox->SetDirectory(gui::ToQString(session->MusicDir() / "Empty"));

        window->actions.miSelectAll->trigger();

        for (QTableView* grid : { window->sgID3v1, window->sgID3v2 })
            QCOMPARE(grid->model()->rowCount(), 0);
        QVERIFY(!window->sbAllTags->isEnabled());
        QCOMPARE(window->EditFileName->text(), QString());
        QCOMPARE(window->sgFileInfo->item(0, 1)->text(), u"0"_s);
        for (QAction* command : { window->actions.miMakeFilenamesfromTags,
                 window->actions.miMakeTagsFromFilenames, window->actions.miDetectEncoding })
            QVERIFY2(!WhileOpen<QDialog>(command, [](QDialog&) {}), qPrintable(command->text()));
        QVERIFY(session->Prompts().Errors.empty());
    }

    // The title names the folder and marks unsaved edits through Undo and Redo. Closing with them
    // asks: No stays, Yes closes even when the settings cannot be written.
    void theTitleMarksUnsavedEditsAndClosingWithThemAsks()
    {
        QVERIFY(StartInMusicDir());
        const QByteArray settingsBefore = FileContent(session->SettingsFile());
        const std::filesystem::path song = session->MusicDir() / kSampleSongs[0].fileName;
        const QByteArray songBefore = FileContent(song);
        QCOMPARE(window->windowTitle(), gui::ToQString(session->MusicDir().filename()) + u"[*] - Vennart"_s);
        TypeInto(Field(*window, "TIT2"), u"Edited"_s);
        QVERIFY(window->isWindowModified());
        window->actions.miUndo->trigger();
        QVERIFY(!window->isWindowModified());
        window->actions.miRedo->trigger();
        QVERIFY(window->isWindowModified());

        session->QueueAnswer(Answer::No);
        QVERIFY(!window->close());
        QCOMPARE(MarkedRows(*window), u"0|"_s);
        QCOMPARE(FileContent(session->SettingsFile()), settingsBefore);

        // "Exit" asks the same question; Yes closes without saving the edits, and a settings file
        // that cannot be written (a folder in its place) is named in a warning.
        std::filesystem::remove(session->SettingsFile());
        std::filesystem::create_directory(session->SettingsFile());
        session->QueueAnswer(Answer::Yes);
        window->actions.Exit1->trigger();
        QVERIFY(!window->isVisible());
        QCOMPARE(FileContent(song), songBefore);
        const std::vector<std::string>& warnings = session->Prompts().Warnings;
        QCOMPARE(warnings.size(), std::size_t { 1 });
        QVERIFY2(
            warnings[0].find(session->SettingsFile().string()) != std::string::npos, warnings[0].c_str());
    }

    void tabChangeShowsTheControlsAndTheSelectionOfTheTab()
    {
        QVERIFY(StartWithSelection(0, 2, 2));
        for (const int tab : { 0, 1, 0 }) {
            ClickTab(*window, tab);
            // Each grid keeps its own selection, and the panel shows the visible one's.
            const bool id3v2 = tab == 1;
            const int selected = id3v2 ? 0 : 2;
            QCOMPARE(SelectedRows(id3v2 ? window->sgID3v2 : window->sgID3v1), std::vector<int> { selected });
            QCOMPARE(window->EditFileName->text(), kSampleNames[selected]);
            QCOMPARE(window->actions.tbCopyTags->toolTip(),
                id3v2 ? u"Copy ID3v2 to ID3v1"_s : u"Copy ID3v1 to ID3v2"_s);
            QCOMPARE(window->cbSourceEncv1->isVisible(), !id3v2);
            QCOMPARE(window->cbSourceEncv2->isVisible(), id3v2);
            QCOMPARE(window->gbAdditionalTags->isVisible(), id3v2);
            QCOMPARE(ItemWithCodePage(window->popupMenuEnc, 1200)->isVisible(), id3v2);
        }
    }

    // A menu item chooses through the combo box, as the user's choice in the combo box does.
    void viewCodePageChoiceMovesMenuComboAndRedrawsGrid_data()
    {
        QTest::addColumn<ViewCodePageCase>("row");
        // The ID3v1 title holds cp1251 bytes; KOI8-R reads them as other Cyrillic letters.
        QTest::newRow("ID3v1") << ViewCodePageCase { 0, 20866, kKoi8rForID3v1, u"оПХБЕР"_s };
        QTest::newRow("ID3v2") << ViewCodePageCase { 1, 1251, kCp1251ForID3v2, u"Альбом"_s };
        // A checked item clicked again stays the one checked.
        QTest::newRow("ID3v1 checked item")
            << ViewCodePageCase { 0, 1251, kDefaultViewCodePages, u"Привет"_s };
    }

    void viewCodePageChoiceMovesMenuComboAndRedrawsGrid()
    {
        QFETCH(ViewCodePageCase, row);
        QVERIFY(StartInMusicDir());
        ClickTab(*window, row.tab);
        const bool id3v1 = row.tab == 0;
        QTableView* grid = id3v1 ? window->sgID3v1 : window->sgID3v2;
        QSignalSpy redraws(grid->model(), &QAbstractItemModel::dataChanged);

        ItemWithCodePage(id3v1 ? window->miEncodingID3v1 : window->miEncodingID3v2, row.codePage)->trigger();

        QCOMPARE(ViewCodePages(*window), row.shown);
        QVERIFY(!redraws.isEmpty());
        QCOMPARE((QStringList { Cell(grid, 0, id3v1 ? kTitleColumn : 3),
                     Field(*window, id3v1 ? "TIT2" : "TALB")->currentText() }),
            QStringList(2, row.after));
        QCOMPARE(
            session->StoredValue(id3v1 ? workspace::kDefaultV1EncodingKey : workspace::kDefaultV2EncodingKey),
            QString::number(row.codePage));
    }

    void aLargerWindowGivesItsRoomToTheFileGridsAndTheirTitleColumnsAndCutsNoText()
    {
        QVERIFY(StartInMusicDir());
        // "Mod Extension (only JS)" is longer than the title column, "Frames" is not.
        QVERIFY(IsCut(window->sgFileInfo, 10, 0));
        QVERIFY(!IsCut(window->sgFileInfo, 3, 0));
        QCOMPARE(CutTexts(*window), QStringList());
        ClickTab(*window, 0);
        const int gridHeight = window->sgID3v1->height();
        const int panelHeight = window->sbAllTags->height();
        QHeaderView* header = window->sgID3v1->horizontalHeader();

        window->resize(1400, 800);
        QTRY_VERIFY(window->sgID3v1->height() > gridHeight);

        QVERIFY2(window->sgID3v1->height() - gridHeight >= 800 - 552 - 40,
            qPrintable(QString::number(window->sgID3v1->height() - gridHeight)));
        QCOMPARE(window->sbAllTags->height(), panelHeight);
        // The title column takes the width the others leave.
        QTRY_COMPARE(header->length(), window->sgID3v1->viewport()->width());
        QVERIFY(header->sectionSize(kTitleColumn) > kMinimumTitleWidth);
        // A wider artist column.
        header->resizeSection(2, header->sectionSize(2) + 60);
        QTRY_COMPARE(header->length(), window->sgID3v1->viewport()->width());
        // The grid of the other tab was hidden while the window grew; it fits once shown.
        ClickTab(*window, 1);
        QTRY_COMPARE(window->sgID3v2->horizontalHeader()->length(), window->sgID3v2->viewport()->width());
        QCOMPARE(CutTexts(*window), QStringList());

        ClickTab(*window, 0);
        window->resize(700, 600);
        QTRY_COMPARE(header->sectionSize(kTitleColumn), kMinimumTitleWidth);
        QVERIFY(header->length() > window->sgID3v1->viewport()->width());
    }

    // Ctrl+Z in the file-name edit takes the new name back. A save that refuses a rename leaves the
    // file's name in the field, already while the error shows.
    void fileNameEditUndoesItsRenameAndShowsTheNameAfterARefusedOne()
    {
        QVERIFY(StartWithSelection(0, 2, 2));
        const QString name = kSampleNames[2];
        TypeInto(window->EditFileName, u"Щука.mp3"_s);
        QCOMPARE(MarkedRows(*window), u"2|2"_s);
        QVERIFY(PressShortcut(*window, window->EditFileName, Qt::Key_Z));
        QCOMPARE(Column(window->sgID3v1, 0), kSampleNames);
        QCOMPARE(window->EditFileName->text(), name);
        QCOMPARE(MarkedRows(*window), u"|"_s);

        // The name of another file of the folder: the rename must not replace it.
        TypeInto(window->EditFileName, kSampleNames[0]);
        QString shownWithTheError;
        session->Prompts().WhileErrorShows = [&] { shownWithTheError = window->EditFileName->text(); };

        window->actions.miSave->trigger();

        QCOMPARE(session->Prompts().Errors.size(), std::size_t { 1 });
        QCOMPARE(shownWithTheError, name);
        QCOMPARE(Cell(window->sgID3v1, 2, 0), name);
        QCOMPARE(window->EditFileName->text(), name);
        QVERIFY(!window->isWindowModified());
    }

    // Which values the panel shows and which rows an edit marks are the workspace's rules, the same
    // on either tab; here, on the ID3v2 tab, the gestures that lead there.
    void twoFilesFillThePanelItsFieldsEditBothAndTheSaveShortcutWritesThem()
    {
        QVERIFY(StartWithSelection(1, 0, 1));
        QComboBox* genre = Field(*window, "TCON");
        QCOMPARE((QStringList { Field(*window, "TIT2")->currentText(), Field(*window, "TPE1")->currentText(),
                     genre->currentText(), window->EditFileName->text() }),
            (QStringList { kDoNotChange, u"Кино"_s, u"Rock"_s, QString() }));

        // Typing edits both files; Ctrl+Z where the user typed takes the edit of both back.
        const QString typed = u"Щука"_s;
        TypeInto(Field(*window, "TIT2"), typed);
        QCOMPARE(Column(window->sgID3v2, 1).mid(0, 2), QStringList(2, typed));
        QCOMPARE(MarkedRows(*window), u"|0,1"_s);
        QVERIFY(PressShortcut(*window, Field(*window, "TIT2")->lineEdit(), Qt::Key_Z));
        QCOMPARE(MarkedRows(*window), u"|"_s);
        QCOMPARE(Field(*window, "TIT2")->currentText(), kDoNotChange);

        // The genre list is the genre table after <do not change>, which changes nothing; the next
        // entry edits.
        genre->setFocus();
        QTest::keyClick(genre, Qt::Key_Home);
        QCOMPARE(genre->currentText(), kDoNotChange);
        QVERIFY(!session->Workspace().Changed());
        QTest::keyClick(genre, Qt::Key_Down);
        QCOMPARE(genre->currentText(), u"Blues"_s);
        // A genre marks the visible grid only; a file name is in both grids and marks both.
        ClickRows(window->sgID3v2, 2, 2);
        QTRY_VERIFY(window->EditFileName->isEnabled());
        TypeInto(window->EditFileName, u"03 Renamed.mp3"_s);
        QCOMPARE(MarkedRows(*window), u"2|0,1,2"_s);

        QVERIFY(PressShortcut(*window, window->sgID3v2, Qt::Key_S));

        QVERIFY(session->Prompts().Errors.empty());
        const tags::TID3v2Class onDisk(session->MusicDir() / kSampleSongs[1].fileName);
        QCOMPARE(FrameTextOf(onDisk, "TCON"), u"Blues"_s);
        QVERIFY(std::filesystem::exists(session->MusicDir() / "03 Renamed.mp3"));
        QCOMPARE(Cell(window->sgID3v1, 2, 0), u"03 Renamed.mp3"_s);
        QCOMPARE(MarkedRows(*window), u"|"_s);
        QCOMPARE(window->panStatus->labStatus->text(), u"Idle"_s);
        QVERIFY(!window->isWindowModified());
    }

    void trackFieldsTakeTypedDigitsOnly_data()
    {
        QTest::addColumn<TrackCase>("row");
        // The filter is the field's own, whichever tab shows it: the main fields are the same on both.
        QTest::newRow("letter after <do not change>")
            << TrackCase { 1, {}, -1, -1, u"x"_s, kDoNotChange, u"1"_s };
        QTest::newRow("digit over part of 3/12")
            << TrackCase { 0, u"3/12"_s, 0, 1, u"4/"_s, u"4/12"_s, u"4/12"_s };
    }

    void trackFieldsTakeTypedDigitsOnly()
    {
        QFETCH(TrackCase, row);
        QVERIFY(StartWithSelection(1, 0, row.bottom));
        if (!row.track.isEmpty()) {
            workspace::SetFrameText(
                session->Workspace().FileToSave(0), "TRCK", row.track.toStdU16String(), text::kUtf16CodePage);
            window->FillTagPanel();
        }
        QLineEdit* edit = Field(*window, "TRCK")->lineEdit();
        const int end = int(edit->text().size());
        const int start = row.from < 0 ? end : row.from;
        edit->setFocus();
        edit->setSelection(start, (row.to < 0 ? end : row.to) - start);

        QTest::keyClicks(edit, row.keys);

        QCOMPARE(edit->text(), row.shown);
        QCOMPARE(FrameTextOf(session->Workspace().File(0), "TRCK"), row.stored);
        QCOMPARE(session->Workspace().Changed(), row.shown != kDoNotChange);
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
