// The transliteration, copy and version commands as the window runs them: which grid's selection
// they take, which rows they mark, which tab shows afterwards, and that one Undo takes it all back.
#include "GuiSession.h"
#include "SampleSongs.h"

#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

namespace {

enum class Command { CopyButton, ID3v2ToID3v1, TranslitTagsButton, TranslitFileNames, Version10 };

QAction* ActionOf(gui::TfrmMain& window, Command command)
{
    switch (command) {
    case Command::CopyButton:
        return window.actions.tbCopyTags;
    case Command::ID3v2ToID3v1:
        return window.actions.miID3v2toID3v1;
    case Command::TranslitTagsButton:
        return window.actions.tbTranslitTags;
    case Command::TranslitFileNames:
        return window.actions.miTransliterateFilenames;
    case Command::Version10:
        return window.actions.miID3Version10;
    }
    return nullptr;
}

} // namespace

class TagToolsTest : public QObject {
    Q_OBJECT
private slots:
    void marksRowsAndShowsTab_data();
    void marksRowsAndShowsTab();
};

void TagToolsTest::marksRowsAndShowsTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<Command>("command");
    QTest::addColumn<int>("tabAfter");
    QTest::addColumn<QStringList>("marksID3v1");
    QTest::addColumn<QStringList>("marksID3v2");
    QTest::addColumn<QString>("firstTitleID3v2");
    QTest::addColumn<QString>("undoCaption");
    const QStringList none = { {}, {}, {} };
    const QStringList all = { u"*"_s, u"*"_s, u"*"_s };
    const QStringList firstTwo = { u"*"_s, u"*"_s, {} };
    QTest::newRow("copy button on ID3v1 copies into ID3v2")
        << 0 << Command::CopyButton << 1 << none << firstTwo << u"Привет"_s << u"Undo Copy Tags"_s;
    QTest::newRow("ID3v2 to ID3v1 gives the third file a record")
        << 1 << Command::ID3v2ToID3v1 << 0 << all << none << u"Привет"_s << u"Undo Copy Tags"_s;
    QTest::newRow("translit button on ID3v2") << 1 << Command::TranslitTagsButton << 1 << none << all
                                              << u"Privet"_s << u"Undo Transliterate Tags"_s;
    QTest::newRow("ASCII file names stay unmarked")
        << 1 << Command::TranslitFileNames << 1 << none << none << u"Привет"_s << u"Undo"_s;
    QTest::newRow("version 1.0 skips the file without a record")
        << 0 << Command::Version10 << 0 << firstTwo << none << u"Привет"_s << u"Undo Set ID3v1 Version"_s;
}

void TagToolsTest::marksRowsAndShowsTab()
{
    QFETCH(int, tab);
    QFETCH(Command, command);
    QFETCH(int, tabAfter);
    QFETCH(QStringList, marksID3v1);
    QFETCH(QStringList, marksID3v2);
    QFETCH(QString, firstTitleID3v2);
    QFETCH(QString, undoCaption);
    GuiSession session;
    QVERIFY(session.StartInMusicDir());
    gui::TfrmMain& window = session.Window();
    ClickTab(window, tab);
    ClickRows(tab == 0 ? window.sgID3v1 : window.sgID3v2, 0, 2);

    ActionOf(window, command)->trigger();
    QCOMPARE(window.pcFileList->currentIndex(), tabAfter);
    QCOMPARE(Marks(window.sgID3v1), marksID3v1);
    QCOMPARE(Marks(window.sgID3v2), marksID3v2);
    QCOMPARE(Cell(window.sgID3v2, 0, 1), firstTitleID3v2);
    QCOMPARE(window.actions.miUndo->text(), undoCaption);

    window.actions.miUndo->trigger();
    const QStringList none = { {}, {}, {} };
    QCOMPARE(Marks(window.sgID3v1), none);
    QCOMPARE(Marks(window.sgID3v2), none);
    QCOMPARE(Cell(window.sgID3v2, 0, 1), u"Привет"_s);
}

QTEST_MAIN(TagToolsTest)
#include "TagToolsTest.moc"
