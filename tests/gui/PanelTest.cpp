// The editing panel over one or several selected files, on both tabs, and saving what it changed.
#include "GuiSession.h"
#include "SampleSongs.h"
#include "gui/StatusLine.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

namespace {

const QString kDoNotChange = u"<do not change>"_s;
const QStringList kNoMarks = { QString(), QString(), QString() };

QTableView* GridOfTab(gui::TfrmMain& window, int tab)
{
    return tab == 0 ? window.sgID3v1 : window.sgID3v2;
}

QString FrameTextOf(const tags::TID3v2Class& file, const char* id)
{
    return QString::fromStdU16String(workspace::GetFrameText(file, id, text::kUtf16CodePage));
}

QStringList ItemTexts(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

void AddTabRows()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("ID3v1") << 0;
    QTest::newRow("ID3v2") << 1;
}

// Starts the window on the sample folder with `tab` visible and rows top..bottom selected in it.
[[nodiscard]] bool StartWithSelection(GuiSession& session, int tab, int top, int bottom)
{
    if (!session.StartInMusicDir())
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

// Presses a shortcut in the active window with the ID3v1 grid focused.
[[nodiscard]] bool PressShortcut(gui::TfrmMain& window, Qt::Key key)
{
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    window.sgID3v1->setFocus();
    QTest::keyClick(window.sgID3v1, key, Qt::ControlModifier);
    return true;
}

} // namespace

class PanelTest : public QObject {
    Q_OBJECT
private slots:
    void twoFilesFillThePanelAndTypingWritesBoth_data() { AddTabRows(); }

    void twoFilesFillThePanelAndTypingWritesBoth()
    {
        QFETCH(int, tab);
        GuiSession session;
        QVERIFY(StartWithSelection(session, tab, 0, 1));
        gui::TfrmMain& window = session.Window();
        QCOMPARE(Field(window, "TIT2")->currentText(), kDoNotChange);
        QCOMPARE(Field(window, "TPE1")->currentText(), u"Кино"_s);
        QCOMPARE(Field(window, "TYER")->currentText(), kDoNotChange);
        QCOMPARE(Field(window, "TCON")->currentText(), u"Rock"_s);
        QCOMPARE(Field(window, "TRCK")->currentText(), kDoNotChange);
        QCOMPARE(window.EditFileName->text(), QString());
        QVERIFY(!window.EditFileName->isEnabled());
        // The lists offer the genre table and the listed files' values; ID3v1 has no track values.
        const QStringList genres = ItemTexts(Field(window, "TCON"));
        QCOMPARE(genres.size(), 150);
        QCOMPARE((QStringList { genres.first(), genres.at(1), genres.last() }),
            (QStringList { kDoNotChange, u"Blues"_s, u"Unknown"_s }));
        const QStringList trackValues = tab == 0 ? QStringList() : QStringList { u"1"_s, u"2"_s, u"3"_s };
        QCOMPARE(ItemTexts(Field(window, "TRCK")), QStringList { kDoNotChange } + trackValues);

        const QString typed = u"Щука"_s;
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
        QCOMPARE(Marks(GridOfTab(window, tab)), (QStringList { u"*"_s, u"*"_s, QString() }));
        QCOMPARE(Marks(GridOfTab(window, 1 - tab)), kNoMarks);
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
        QCOMPARE(FrameTextOf(file, "TCON"), u"Rock"_s);
        QCOMPARE(ID3v1Of(file).Genre, std::uint8_t { 17 });
        QCOMPARE(Marks(GridOfTab(window, tab)), kNoMarks);
        QVERIFY(!session.Workspace().Changed());

        // The same gesture one entry further down is an edit: the genre list does reach the files.
        QTest::keyClick(genre, Qt::Key_Down);
        QCOMPARE(genre->currentText(), u"Blues"_s);
        // An edit puts a new tag object into the row (the old one is kept for undo).
        const tags::TID3v2Class& edited = session.Workspace().File(0);
        QCOMPARE(tab == 0 ? QString::number(ID3v1Of(edited).Genre) : FrameTextOf(edited, "TCON"),
            tab == 0 ? u"0"_s : u"Blues"_s);
        QCOMPARE(Marks(GridOfTab(window, tab)).front(), u"*"_s);
    }

    void undoShortcutInTheTypedFieldRestoresBothFiles_data() { AddTabRows(); }

    void undoShortcutInTheTypedFieldRestoresBothFiles()
    {
        QFETCH(int, tab);
        GuiSession session;
        QVERIFY(StartWithSelection(session, tab, 0, 1));
        gui::TfrmMain& window = session.Window();
        QTableView* grid = GridOfTab(window, tab);
        const QStringList titles = Column(grid, 1);
        const auto storedTitles = [&] {
            QStringList stored;
            for (int row : { 0, 1 }) {
                const tags::TID3v2Class& file = session.Workspace().File(row);
                stored << FrameTextOf(file, "TIT2") << QString::fromLatin1(ID3v1Of(file).Title);
            }
            return stored;
        };
        const QStringList storedBefore = storedTitles();
        QComboBox* title = Field(window, "TIT2");
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        TypeInto(title, u"Щука"_s);
        QCOMPARE(Marks(grid), (QStringList { u"*"_s, u"*"_s, QString() }));

        // Where the user typed, as the user presses it.
        QTest::keyClick(title->lineEdit(), Qt::Key_Z, Qt::ControlModifier);

        QCOMPARE(Column(grid, 1), titles);
        QCOMPARE(Marks(grid), kNoMarks);
        QCOMPARE(title->currentText(), kDoNotChange);
        QCOMPARE(storedTitles(), storedBefore);
        QVERIFY(!session.Workspace().Changed());
        QVERIFY(!window.isWindowModified());
    }

    void undoShortcutInTheFileNameEditRestoresTheName()
    {
        GuiSession session;
        QVERIFY(StartWithSelection(session, 0, 2, 2));
        gui::TfrmMain& window = session.Window();
        const QString name = QString::fromStdU16String(kSampleSongs[2].fileName);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        TypeInto(window.EditFileName, u"Renamed.mp3"_s);
        QCOMPARE(Cell(window.sgID3v1, 2, 0), u"Renamed.mp3"_s);

        QTest::keyClick(window.EditFileName, Qt::Key_Z, Qt::ControlModifier);

        QCOMPARE(Cell(window.sgID3v1, 2, 0), name);
        QCOMPARE(window.EditFileName->text(), name);
        QCOMPARE(Marks(window.sgID3v1), kNoMarks);
        QVERIFY(!session.Workspace().Changed());
    }

    void trackFieldsTakeTypedDigitsOnly_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("bottom"); // the last selected row; the first is row 0
        QTest::addColumn<QString>("track"); // given to the first file's ID3v2 tag before typing
        QTest::addColumn<int>("from"); // the typed-over text runs from..to; -1 is the text's end
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        // The filter is the field's own, whichever tab shows it.
        QTest::newRow("ID3v1 letters among digits")
            << 0 << 0 << QString() << 0 << -1 << u"1a2-b"_s << u"12"_s;
        QTest::newRow("ID3v2 letter after <do not change>")
            << 1 << 1 << QString() << -1 << -1 << u"x"_s << kDoNotChange;
        QTest::newRow("ID3v2 digit over part of 3/12")
            << 1 << 0 << u"3/12"_s << 0 << 1 << u"4/"_s << u"4/12"_s;
    }

    void trackFieldsTakeTypedDigitsOnly()
    {
        QFETCH(int, tab);
        QFETCH(int, bottom);
        QFETCH(QString, track);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        GuiSession session;
        QVERIFY(StartWithSelection(session, tab, 0, bottom));
        gui::TfrmMain& window = session.Window();
        if (!track.isEmpty()) {
            workspace::SetFrameText(
                session.Workspace().FileToSave(0), "TRCK", track.toStdU16String(), text::kUtf16CodePage);
            window.FillTagPanel();
        }
        QLineEdit* edit = Field(window, "TRCK")->lineEdit();
        const int end = int(edit->text().size());
        const int start = from < 0 ? end : from;
        edit->setFocus();
        edit->setSelection(start, (to < 0 ? end : to) - start);

        QTest::keyClicks(edit, keys);

        QCOMPARE(edit->text(), shown);
        const bool edited = shown != kDoNotChange;
        for (int row = 0; row <= bottom; ++row) {
            const QString sampled = QString::number(kSampleSongs[std::size_t(row)].track);
            const QString id3v2Before = row == 0 && !track.isEmpty() ? track : sampled;
            const tags::TID3v2Class& file = session.Workspace().File(row);
            QCOMPARE(QString::number(ID3v1Of(file).Track), edited && tab == 0 ? shown : sampled);
            QCOMPARE(FrameTextOf(file, "TRCK"), edited && tab == 1 ? shown : id3v2Before);
        }
        QCOMPARE(session.Workspace().Changed(), edited);
    }

    void selectAllShortcutSelectsEveryRowInBothGrids()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();

        QVERIFY(PressShortcut(window, Qt::Key_A));

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
        QVERIFY(StartWithSelection(session, 0, 0, 1));
        gui::TfrmMain& window = session.Window();
        TypeInto(Field(window, "TIT2"), u"Saved"_s);
        ClickRows(window.sgID3v1, 2, 2);
        QTRY_VERIFY(window.EditFileName->isEnabled());
        TypeInto(window.EditFileName, u"03 Renamed.mp3"_s);
        // A title marks the visible grid only; a file name is in both grids and marks both.
        QCOMPARE(Marks(window.sgID3v1), QStringList(3, u"*"_s));
        QCOMPARE(Marks(window.sgID3v2), (QStringList { QString(), QString(), u"*"_s }));
        QCOMPARE(Column(window.sgID3v2, 0), Column(window.sgID3v1, 0));
        QCOMPARE(Cell(window.sgID3v2, 2, 0), u"03 Renamed.mp3"_s);

        QVERIFY(PressShortcut(window, Qt::Key_S));

        QVERIFY(session.Prompts().Errors.empty());
        for (std::size_t row : { 0, 1 }) {
            const tags::TID3v2Class onDisk(session.MusicDir() / kSampleSongs[row].fileName);
            QCOMPARE(ID3v1Of(onDisk).Title, AnsiString("Saved"));
        }
        QVERIFY(!std::filesystem::exists(session.MusicDir() / kSampleSongs[2].fileName));
        QVERIFY(std::filesystem::exists(session.MusicDir() / "03 Renamed.mp3"));
        QCOMPARE(Cell(window.sgID3v1, 2, 0), u"03 Renamed.mp3"_s);
        QCOMPARE(Marks(window.sgID3v1), kNoMarks);
        QCOMPARE(Marks(window.sgID3v2), kNoMarks);
        QVERIFY(!session.Workspace().Changed());
        QCOMPARE(window.panStatus->labStatus->text(), u"Idle"_s);
    }
};

QTEST_MAIN(PanelTest)
#include "PanelTest.moc"
