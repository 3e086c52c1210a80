// The editing panel over one or several selected files, on both tabs, and saving what it changed.
#include "GuiSession.h"
#include "SampleSongs.h"
#include "gui/StatusLine.h"
#include "tags/ID3v1Tag.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace vennart;
using namespace vennart::test;

namespace {

const QString kDoNotChange = QStringLiteral("<do not change>");

QTableView* GridOfTab(gui::TfrmMain& window, int tab)
{
    return tab == 0 ? window.sgID3v1 : window.sgID3v2;
}

QTableView* OtherGrid(gui::TfrmMain& window, int tab)
{
    return GridOfTab(window, 1 - tab);
}

const tags::TID3v1Tag& ID3v1Of(const tags::TID3v2Class& file)
{
    return *file.FindFrameByClass<tags::TID3v1Tag>(1);
}

QString FrameTextOf(const tags::TID3v2Class& file, const char* id)
{
    return QString::fromStdU16String(workspace::GetFrameText(file, id, text::kUtf16CodePage));
}

QStringList Marks(const QTableView* grid)
{
    QStringList marks;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        marks.append(RowMark(grid, row));
    return marks;
}

void AddTabColumn()
{
    QTest::addColumn<int>("tab");
}

void AddTabRows()
{
    AddTabColumn();
    QTest::newRow("ID3v1") << 0;
    QTest::newRow("ID3v2") << 1;
}

// Starts the window on the sample folder with `tab` visible and rows top..bottom selected in it.
[[nodiscard]] bool StartWithSelection(GuiSession& session, int tab, int top, int bottom)
{
    session.WriteMusicDirSettings();
    if (!session.Start())
        return false;
    gui::TfrmMain& window = session.Window();
    ClickTab(window, tab);
    ClickRows(GridOfTab(window, tab), top, bottom);
    // The panel follows the selection once the posted refresh has run.
    const QString name = QString::fromStdU16String(kSampleSongs[std::size_t(top)].fileName);
    return QTest::qWaitFor([&] {
        return top == bottom ? window.EditFileName->text() == name : !window.EditFileName->isEnabled();
    });
}

} // namespace

class PanelTest : public QObject {
    Q_OBJECT
private slots:
    void twoFilesShowCommonValuesAndDoNotChangeWhereTheyDiffer_data() { AddTabRows(); }

    void twoFilesShowCommonValuesAndDoNotChangeWhereTheyDiffer()
    {
        QFETCH(int, tab);
        GuiSession session;
        QVERIFY(StartWithSelection(session, tab, 0, 1));
        gui::TfrmMain& window = session.Window();

        QCOMPARE(Field(window, "TIT2")->currentText(), kDoNotChange);
        QCOMPARE(Field(window, "TPE1")->currentText(), QStringLiteral("Кино"));
        QCOMPARE(Field(window, "TYER")->currentText(), kDoNotChange);
        QCOMPARE(
            Field(window, "TCON")->currentText(), QString::fromStdU16String(std::u16string(kSampleGenre)));
        QCOMPARE(Field(window, "TRCK")->currentText(), kDoNotChange);
        QCOMPARE(window.EditFileName->text(), QString());
        QVERIFY(!window.EditFileName->isEnabled());
    }

    void typingWritesEverySelectedFileAndMarksTheVisibleGridOnly_data()
    {
        AddTabColumn();
        QTest::addColumn<QString>("typed");
        QTest::newRow("ID3v1") << 0 << QStringLiteral("Same title");
        QTest::newRow("ID3v1 Cyrillic") << 0 << QStringLiteral("Щука");
        QTest::newRow("ID3v2") << 1 << QStringLiteral("Same title");
        QTest::newRow("ID3v2 Cyrillic") << 1 << QStringLiteral("Щука");
    }

    void typingWritesEverySelectedFileAndMarksTheVisibleGridOnly()
    {
        QFETCH(int, tab);
        QFETCH(QString, typed);
        GuiSession session;
        QVERIFY(StartWithSelection(session, tab, 0, 1));
        gui::TfrmMain& window = session.Window();

        TypeInto(Field(window, "TIT2"), typed);

        for (int row : { 0, 1 }) {
            const tags::TID3v2Class& file = session.Workspace().File(row);
            if (tab == 0)
                QCOMPARE(ID3v1Of(file).Title, text::WideToCodePage(typed.toStdU16String(), 1251));
            else
                QCOMPARE(FrameTextOf(file, "TIT2"), typed);
            QCOMPARE(Cell(GridOfTab(window, tab), row, 1), typed);
        }
        QCOMPARE(FrameTextOf(session.Workspace().File(2), "TIT2"),
            QString::fromStdU16String(kSampleSongs[2].title));
        QCOMPARE(Marks(GridOfTab(window, tab)),
            (QStringList { QStringLiteral("*"), QStringLiteral("*"), QString() }));
        QCOMPARE(Marks(OtherGrid(window, tab)), (QStringList { QString(), QString(), QString() }));
        QVERIFY(session.Workspace().Changed());
    }

    void choosingDoNotChangeChangesNothing_data() { AddTabRows(); }

    void choosingDoNotChangeChangesNothing()
    {
        QFETCH(int, tab);
        GuiSession session;
        QVERIFY(StartWithSelection(session, tab, 0, 0));
        gui::TfrmMain& window = session.Window();
        const tags::TID3v2Class& file = session.Workspace().File(0);
        const QString titleBefore = FrameTextOf(file, "TIT2");
        const AnsiString id3v1TitleBefore = ID3v1Of(file).Title;

        Field(window, "TIT2")->setCurrentIndex(0);
        QComboBox* genre = Field(window, "TCON");
        genre->setFocus();
        QTest::keyClick(genre, Qt::Key_Home);
        QCOMPARE(genre->currentText(), kDoNotChange);

        QCOMPARE(FrameTextOf(file, "TIT2"), titleBefore);
        QCOMPARE(ID3v1Of(file).Title, id3v1TitleBefore);
        QCOMPARE(FrameTextOf(file, "TCON"), QStringLiteral("Rock"));
        QCOMPARE(ID3v1Of(file).Genre, std::uint8_t { 17 });
        QCOMPARE(Marks(GridOfTab(window, tab)), (QStringList { QString(), QString(), QString() }));
        QVERIFY(!session.Workspace().Changed());

        // The same gesture one entry further down is an edit: the genre list does reach the files.
        QTest::keyClick(genre, Qt::Key_Down);
        QCOMPARE(genre->currentText(), QStringLiteral("Blues"));
        QCOMPARE(tab == 0 ? QString::number(ID3v1Of(file).Genre) : FrameTextOf(file, "TCON"),
            tab == 0 ? QStringLiteral("0") : QStringLiteral("Blues"));
        QCOMPARE(RowMark(GridOfTab(window, tab), 0), QStringLiteral("*"));
    }

    void lettersTypedIntoTheTrackFieldAreDropped_data() { AddTabRows(); }

    void lettersTypedIntoTheTrackFieldAreDropped()
    {
        QFETCH(int, tab);
        GuiSession session;
        QVERIFY(StartWithSelection(session, tab, 0, 0));
        gui::TfrmMain& window = session.Window();

        QLineEdit* track = Field(window, "TRCK")->lineEdit();
        track->setFocus();
        track->selectAll();
        QTest::keyClicks(track, QStringLiteral("1a2-b"));

        QCOMPARE(track->text(), QStringLiteral("12"));
        const tags::TID3v2Class& file = session.Workspace().File(0);
        if (tab == 0)
            QCOMPARE(ID3v1Of(file).Track, std::uint8_t { 12 });
        else
            QCOMPARE(FrameTextOf(file, "TRCK"), QStringLiteral("12"));
    }

    void lettersTypedAfterDoNotChangeInTheTrackFieldChangeNothing_data() { AddTabRows(); }

    void lettersTypedAfterDoNotChangeInTheTrackFieldChangeNothing()
    {
        QFETCH(int, tab);
        GuiSession session;
        QVERIFY(StartWithSelection(session, tab, 0, 1));
        gui::TfrmMain& window = session.Window();
        QLineEdit* track = Field(window, "TRCK")->lineEdit();
        QCOMPARE(track->text(), kDoNotChange);

        track->setFocus();
        track->end(false);
        QTest::keyClick(track, Qt::Key_X);

        QCOMPARE(track->text(), kDoNotChange);
        for (int row : { 0, 1 }) {
            const tags::TID3v2Class& file = session.Workspace().File(row);
            QCOMPARE(FrameTextOf(file, "TRCK"), QString::number(kSampleSongs[std::size_t(row)].track));
            QCOMPARE(int(ID3v1Of(file).Track), kSampleSongs[std::size_t(row)].track);
        }
        QVERIFY(!session.Workspace().Changed());
    }

    void digitsTypedOverPartOfATrackTextReplaceIt()
    {
        GuiSession session;
        QVERIFY(StartWithSelection(session, 1, 0, 0));
        gui::TfrmMain& window = session.Window();
        tags::TID3v2Class& file = session.Workspace().File(0);
        workspace::SetFrameText(file, "TRCK", u"3/12", text::kUtf16CodePage);
        window.FillTagPanel();
        QLineEdit* track = Field(window, "TRCK")->lineEdit();
        QCOMPARE(track->text(), QStringLiteral("3/12"));

        track->setFocus();
        track->setSelection(0, 1);
        QTest::keyClick(track, Qt::Key_4);
        QTest::keyClick(track, Qt::Key_Slash);

        QCOMPARE(track->text(), QStringLiteral("4/12"));
        QCOMPARE(FrameTextOf(file, "TRCK"), QStringLiteral("4/12"));
    }

    void fieldListsOfferTheGenreTableAndTheFilesValues_data()
    {
        AddTabColumn();
        QTest::addColumn<QStringList>("trackList");
        QTest::newRow("ID3v1") << 0 << QStringList { kDoNotChange };
        QTest::newRow("ID3v2") << 1
                               << QStringList { kDoNotChange, QStringLiteral("1"), QStringLiteral("2"),
                                      QStringLiteral("3") };
    }

    void fieldListsOfferTheGenreTableAndTheFilesValues()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, trackList);
        GuiSession session;
        QVERIFY(StartWithSelection(session, tab, 0, 0));
        gui::TfrmMain& window = session.Window();

        const QComboBox* genre = Field(window, "TCON");
        QCOMPARE(genre->count(), 150);
        QCOMPARE(genre->itemText(0), kDoNotChange);
        QCOMPARE(genre->itemText(1), QStringLiteral("Blues"));
        QCOMPARE(genre->itemText(149), QStringLiteral("Unknown"));
        const QComboBox* track = Field(window, "TRCK");
        QStringList tracks;
        for (int i = 0; i < track->count(); ++i)
            tracks.append(track->itemText(i));
        QCOMPARE(tracks, trackList);
    }

    void fileNameEditWritesBothGridsAndMarksBoth()
    {
        GuiSession session;
        QVERIFY(StartWithSelection(session, 0, 1, 1));
        gui::TfrmMain& window = session.Window();
        QVERIFY(window.EditFileName->isEnabled());

        TypeInto(window.EditFileName, QStringLiteral("renamed.mp3"));

        for (QTableView* grid : { window.sgID3v1, window.sgID3v2 }) {
            QCOMPARE(Cell(grid, 1, 0), QStringLiteral("renamed.mp3"));
            QCOMPARE(Marks(grid), (QStringList { QString(), QStringLiteral("*"), QString() }));
        }
    }

    void selectAllShortcutSelectsEveryRowInBothGrids()
    {
        GuiSession session;
        session.WriteMusicDirSettings();
        QVERIFY(session.Start());
        gui::TfrmMain& window = session.Window();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.sgID3v1->setFocus();

        QTest::keyClick(window.sgID3v1, Qt::Key_A, Qt::ControlModifier);

        const std::vector<int> all = { 0, 1, 2 };
        QCOMPARE(SelectedRows(window.sgID3v1), all);
        QCOMPARE(SelectedRows(window.sgID3v2), all);
        QVERIFY(!window.EditFileName->isEnabled());
        QCOMPARE(Field(window, "TIT2")->currentText(), kDoNotChange);
        QCOMPARE(window.sgFileInfo->item(0, 0)->text(), QStringLiteral("Files"));
        QCOMPARE(window.sgFileInfo->item(0, 1)->text(), QStringLiteral("3"));
    }

    void saveShortcutWritesRenamesAndClearsTheMarks()
    {
        GuiSession session;
        QVERIFY(StartWithSelection(session, 0, 0, 1));
        gui::TfrmMain& window = session.Window();
        TypeInto(Field(window, "TIT2"), QStringLiteral("Saved"));
        ClickRows(window.sgID3v1, 2, 2);
        QTRY_VERIFY(window.EditFileName->isEnabled());
        TypeInto(window.EditFileName, QStringLiteral("03 Renamed.mp3"));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.sgID3v1->setFocus();

        QTest::keyClick(window.sgID3v1, Qt::Key_S, Qt::ControlModifier);

        QVERIFY(session.Prompts().Errors.empty());
        for (int row : { 0, 1 }) {
            const tags::TID3v2Class onDisk(
                PathOf(session.MusicDir(), kSampleSongs[std::size_t(row)].fileName));
            QCOMPARE(ID3v1Of(onDisk).Title, AnsiString("Saved"));
        }
        QVERIFY(!std::filesystem::exists(PathOf(session.MusicDir(), kSampleSongs[2].fileName)));
        QVERIFY(std::filesystem::exists(session.MusicDir() / "03 Renamed.mp3"));
        QCOMPARE(Cell(window.sgID3v1, 2, 0), QStringLiteral("03 Renamed.mp3"));
        for (QTableView* grid : { window.sgID3v1, window.sgID3v2 })
            QCOMPARE(Marks(grid), (QStringList { QString(), QString(), QString() }));
        QVERIFY(!session.Workspace().Changed());
        QCOMPARE(window.panStatus->labStatus->text(), QStringLiteral("Idle"));
    }
};

QTEST_MAIN(PanelTest)
#include "PanelTest.moc"
