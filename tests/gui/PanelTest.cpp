// The editing panel over one or several selected files, on both tabs: what it shows, what typing
// and its shortcuts do, and saving what it changed. Which values it shows and how an edit reaches a
// tag are the workspace's rules; here, the gestures that lead there.
#include "GuiSession.h"
#include "gui/StatusLine.h"
#include "tags/ID3v1Tag.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

#include <QLabel>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

namespace {

const QString kDoNotChange = u"<do not change>"_s;

QString FrameTextOf(const tags::TID3v2Class& file, const char* id)
{
    return QString::fromStdU16String(workspace::GetFrameText(file, id, text::kUtf16CodePage));
}

const tags::TID3v1Tag& ID3v1Of(const tags::TID3v2Class& file)
{
    return *file.FindFrameByClass<tags::TID3v1Tag>(1);
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

struct TrackCase {
    int tab;
    int bottom; // the last selected row; the first is row 0
    QString track; // given to the first file's ID3v2 tag before typing; empty: the sample's
    int from; // the typed-over text runs from..to; -1 is the text's end
    int to;
    QString keys;
    QString shown;
};

void AddTabRows()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("ID3v1") << 0;
    QTest::newRow("ID3v2") << 1;
}

} // namespace

class PanelTest : public QObject {
    Q_OBJECT
private slots:
    void twoFilesFillThePanelAndItsFieldsEditBoth_data() { AddTabRows(); }

    void twoFilesFillThePanelAndItsFieldsEditBoth()
    {
        QFETCH(int, tab);
        GuiSession session;
        QVERIFY(session.StartWithSelection(tab, 0, 1));
        gui::TfrmMain& window = session.Window();
        QComboBox* genre = Field(window, "TCON");
        QCOMPARE(Field(window, "TIT2")->currentText(), kDoNotChange);
        QCOMPARE(Field(window, "TPE1")->currentText(), u"Кино"_s);
        QCOMPARE(genre->currentText(), u"Rock"_s);
        QCOMPARE(window.EditFileName->text(), QString());
        // The genre list is the genre table; which values the other lists offer is the workspace's.
        const QStringList genres = ItemTexts(genre);
        QCOMPARE(genres.size(), 150);
        QCOMPARE((QStringList { genres.first(), genres.at(1), genres.last() }),
            (QStringList { kDoNotChange, u"Blues"_s, u"Unknown"_s }));

        // Choosing <do not change> changes nothing; the next entry edits.
        genre->setFocus();
        QTest::keyClick(genre, Qt::Key_Home);
        QCOMPARE(genre->currentText(), kDoNotChange);
        QVERIFY(!session.Workspace().Changed());
        QTest::keyClick(genre, Qt::Key_Down);
        QCOMPARE(genre->currentText(), u"Blues"_s);
        const tags::TID3v2Class& edited = session.Workspace().File(1);
        QCOMPARE(tab == 0 ? QString::number(ID3v1Of(edited).Genre) : FrameTextOf(edited, "TCON"),
            tab == 0 ? u"0"_s : u"Blues"_s);

        // The grid shows what the tags hold, in the tab's view code page.
        const QString typed = u"Щука"_s;
        TypeInto(Field(window, "TIT2"), typed);

        QCOMPARE(Column(GridOfTab(window, tab), 1).mid(0, 2), QStringList(2, typed));
        QCOMPARE(Marks(GridOfTab(window, tab)), MarksOn({ 0, 1 }));
        QCOMPARE(Marks(GridOfTab(window, 1 - tab)), MarksOn({}));
    }

    void undoShortcutWhereTheUserTypedTakesTheEditBack_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("fileName"); // the file-name edit, else the title field over two files
        QTest::newRow("ID3v1 title") << 0 << false;
        QTest::newRow("ID3v2 title") << 1 << false;
        QTest::newRow("file name") << 0 << true;
    }

    void undoShortcutWhereTheUserTypedTakesTheEditBack()
    {
        QFETCH(int, tab);
        QFETCH(bool, fileName);
        GuiSession session;
        QVERIFY(session.StartWithSelection(tab, fileName ? 2 : 0, fileName ? 2 : 1));
        gui::TfrmMain& window = session.Window();
        QTableView* grid = GridOfTab(window, tab);
        const int column = fileName ? 0 : 1;
        const QStringList shown = Column(grid, column);
        QWidget* edit = fileName ? static_cast<QWidget*>(window.EditFileName) : Field(window, "TIT2");
        TypeInto(edit, u"Щука.mp3"_s);
        QCOMPARE(Marks(grid), fileName ? MarksOn({ 2 }) : MarksOn({ 0, 1 }));

        QVERIFY(PressShortcut(
            window, fileName ? window.EditFileName : Field(window, "TIT2")->lineEdit(), Qt::Key_Z));

        QCOMPARE(Column(grid, column), shown);
        QCOMPARE(Marks(grid), MarksOn({}));
        QCOMPARE(fileName ? window.EditFileName->text() : Field(window, "TIT2")->currentText(),
            fileName ? shown[2] : kDoNotChange);
        QVERIFY(!session.Workspace().Changed());
        QVERIFY(!window.isWindowModified());
    }

    void trackFieldsTakeTypedDigitsOnly_data()
    {
        QTest::addColumn<TrackCase>("row");
        // The filter is the field's own, whichever tab shows it.
        QTest::newRow("ID3v1 letters among digits") << TrackCase { 0, 0, {}, 0, -1, u"1a2-b"_s, u"12"_s };
        QTest::newRow("ID3v2 letter after <do not change>")
            << TrackCase { 1, 1, {}, -1, -1, u"x"_s, kDoNotChange };
        QTest::newRow("ID3v2 digit over part of 3/12")
            << TrackCase { 1, 0, u"3/12"_s, 0, 1, u"4/"_s, u"4/12"_s };
    }

    void trackFieldsTakeTypedDigitsOnly()
    {
        QFETCH(TrackCase, row);
        GuiSession session;
        QVERIFY(session.StartWithSelection(row.tab, 0, row.bottom));
        gui::TfrmMain& window = session.Window();
        if (!row.track.isEmpty()) {
            workspace::SetFrameText(
                session.Workspace().FileToSave(0), "TRCK", row.track.toStdU16String(), text::kUtf16CodePage);
            window.FillTagPanel();
        }
        QLineEdit* edit = Field(window, "TRCK")->lineEdit();
        const int end = int(edit->text().size());
        const int start = row.from < 0 ? end : row.from;
        edit->setFocus();
        edit->setSelection(start, (row.to < 0 ? end : row.to) - start);

        QTest::keyClicks(edit, row.keys);

        QCOMPARE(edit->text(), row.shown);
        const bool edited = row.shown != kDoNotChange;
        const tags::TID3v2Class& file = session.Workspace().File(0);
        QCOMPARE(row.tab == 0 ? QString::number(ID3v1Of(file).Track) : FrameTextOf(file, "TRCK"),
            edited                    ? row.shown
                : row.track.isEmpty() ? u"1"_s
                                      : row.track);
        QCOMPARE(session.Workspace().Changed(), edited);
    }

    void selectAllShortcutSelectsEveryRowInBothGrids()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();

        QVERIFY(PressShortcut(window, window.sgID3v1, Qt::Key_A));

        QCOMPARE(SelectedRows(window.sgID3v1), (std::vector<int> { 0, 1, 2 }));
        QCOMPARE(SelectedRows(window.sgID3v2), (std::vector<int> { 0, 1, 2 }));
        QVERIFY(!window.EditFileName->isEnabled());
        QCOMPARE(Field(window, "TIT2")->currentText(), kDoNotChange);
        QCOMPARE(window.sgFileInfo->item(0, 0)->text(), u"Files"_s);
        QCOMPARE(window.sgFileInfo->item(0, 1)->text(), u"3"_s);
    }

    void editsMarkTheirGridsAndTheSaveShortcutWritesRenamesAndClearsTheMarks()
    {
        GuiSession session;
        QVERIFY(session.StartWithSelection(0, 0, 1));
        gui::TfrmMain& window = session.Window();
        TypeInto(Field(window, "TIT2"), u"Saved"_s);
        ClickRows(window.sgID3v1, 2, 2);
        QTRY_VERIFY(window.EditFileName->isEnabled());
        TypeInto(window.EditFileName, u"03 Renamed.mp3"_s);
        // A title marks the visible grid only; a file name is in both grids and marks both.
        QCOMPARE(Marks(window.sgID3v1), MarksOn({ 0, 1, 2 }));
        QCOMPARE(Marks(window.sgID3v2), MarksOn({ 2 }));
        QCOMPARE(Cell(window.sgID3v2, 2, 0), u"03 Renamed.mp3"_s);

        QVERIFY(PressShortcut(window, window.sgID3v1, Qt::Key_S));

        QVERIFY(session.Prompts().Errors.empty());
        const tags::TID3v2Class onDisk(session.MusicDir() / kSampleSongs[1].fileName);
        QCOMPARE(ID3v1Of(onDisk).Title, AnsiString("Saved"));
        QVERIFY(std::filesystem::exists(session.MusicDir() / "03 Renamed.mp3"));
        QCOMPARE(Cell(window.sgID3v1, 2, 0), u"03 Renamed.mp3"_s);
        QCOMPARE(Marks(window.sgID3v1), MarksOn({}));
        QCOMPARE(Marks(window.sgID3v2), MarksOn({}));
        QCOMPARE(window.panStatus->labStatus->text(), u"Idle"_s);
        QVERIFY(!window.isWindowModified());
    }
};

QTEST_MAIN(PanelTest)
#include "PanelTest.moc"
