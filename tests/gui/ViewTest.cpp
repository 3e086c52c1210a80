// The tab change and the view code pages: which controls each tab shows, and how a code page chosen
// in the View menu or in the "Tags Encoding" box changes the other and what the grid shows.
#include "GuiSession.h"
#include "SampleSongs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

namespace {

constexpr int kTitleColumn = 1;
constexpr int kArtistColumn = 2;
constexpr int kAlbumColumn = 3;
constexpr int kMinimumTitleWidth = 150;

bool FillsItsWidth(const QTableView* grid)
{
    return grid->horizontalHeader()->length() == grid->viewport()->width();
}

} // namespace

class ViewTest : public QObject {
    Q_OBJECT
private slots:
    void tabChangeShowsTheControlsAndTheSelectionOfTheTab_data()
    {
        QTest::addColumn<QList<int>>("clickedTabs");
        QTest::newRow("at start") << QList<int> {};
        QTest::newRow("ID3v2") << QList<int> { 1 };
        QTest::newRow("back to ID3v1") << QList<int> { 1, 0 };
    }

    void tabChangeShowsTheControlsAndTheSelectionOfTheTab()
    {
        QFETCH(QList<int>, clickedTabs);
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        ClickRows(window.sgID3v1, 2, 2);
        QTRY_COMPARE(window.EditFileName->text(), QString::fromStdU16String(kSampleSongs[2].fileName));
        for (int tab : clickedTabs)
            ClickTab(window, tab);

        // Each grid keeps its own selection, and the panel shows the visible one's.
        const bool id3v2 = !clickedTabs.isEmpty() && clickedTabs.back() == 1;
        const int selected = id3v2 ? 0 : 2;
        QCOMPARE(SelectedRows(id3v2 ? window.sgID3v2 : window.sgID3v1), std::vector<int> { selected });
        QCOMPARE(window.EditFileName->text(), QString::fromStdU16String(kSampleSongs[selected].fileName));
        QCOMPARE(window.actions.tbCopyTags->toolTip(),
            id3v2 ? u"Copy ID3v2 to ID3v1"_s : u"Copy ID3v1 to ID3v2"_s);
        QCOMPARE(window.cbSourceEncv1->isVisible(), !id3v2);
        QCOMPARE(window.cbSourceEncv2->isVisible(), id3v2);
        QCOMPARE(window.gbAdditionalTags->isVisible(), id3v2);
        QCOMPARE(ItemWithCodePage(window.popupMenuEnc, 1200)->isVisible(), id3v2);
        QCOMPARE(
            session.Workspace().ActiveGrid(), id3v2 ? workspace::TagGrid::ID3v2 : workspace::TagGrid::ID3v1);
    }

    void titleColumnTakesTheWidthTheOthersLeaveOnEitherTab()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        QHeaderView* header = window.sgID3v1->horizontalHeader();

        window.resize(1400, 600);
        QTRY_VERIFY(FillsItsWidth(window.sgID3v1));
        QVERIFY(header->sectionSize(kTitleColumn) > kMinimumTitleWidth);
        header->resizeSection(kArtistColumn, header->sectionSize(kArtistColumn) + 60);
        QTRY_VERIFY(FillsItsWidth(window.sgID3v1));
        // The grid of the other tab was hidden while the window grew; it fits once shown.
        ClickTab(window, 1);
        QTRY_VERIFY(FillsItsWidth(window.sgID3v2));

        ClickTab(window, 0);
        window.resize(700, 600);
        QTRY_COMPARE(header->sectionSize(kTitleColumn), kMinimumTitleWidth);
        QVERIFY(header->length() > window.sgID3v1->viewport()->width());
    }

    void viewCodePageChoiceMovesMenuComboAndRedrawsGrid_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("throughMenu");
        QTest::addColumn<uint>("codePage");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        // The ID3v1 title holds cp1251 bytes; KOI8-R reads them as other Cyrillic letters.
        const QString title1251 = u"Привет"_s;
        const QString titleKoi8 = u"оПХБЕР"_s;
        // The ID3v2 album holds cp1251 bytes with encoding 0; UTF-16 view shows them as Latin-1.
        const QString albumLatin1 = u"Àëüáîì"_s;
        const QString album1251 = u"Альбом"_s;
        QTest::newRow("ID3v1 in menu") << 0 << true << 20866u << title1251 << titleKoi8;
        QTest::newRow("ID3v1 in combo box") << 0 << false << 20866u << title1251 << titleKoi8;
        QTest::newRow("ID3v2 in menu") << 1 << true << 1251u << albumLatin1 << album1251;
        QTest::newRow("ID3v2 in combo box") << 1 << false << 1251u << albumLatin1 << album1251;
        // A checked item clicked again stays the one checked.
        QTest::newRow("ID3v1 checked item in menu") << 0 << true << 1251u << title1251 << title1251;
    }

    void viewCodePageChoiceMovesMenuComboAndRedrawsGrid()
    {
        QFETCH(int, tab);
        QFETCH(bool, throughMenu);
        QFETCH(uint, codePage);
        QFETCH(QString, before);
        QFETCH(QString, after);
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        ClickTab(window, tab);
        const bool id3v1 = tab == 0;
        QMenu* menu = id3v1 ? window.miEncodingID3v1 : window.miEncodingID3v2;
        QComboBox* combo = id3v1 ? window.cbSourceEncv1 : window.cbSourceEncv2;
        QTableView* grid = id3v1 ? window.sgID3v1 : window.sgID3v2;
        QComboBox* field = Field(window, id3v1 ? "TIT2" : "TALB");
        const int column = id3v1 ? kTitleColumn : kAlbumColumn;
        QCOMPARE(Cell(grid, 0, column), before);
        QCOMPARE(field->currentText(), before);
        QSignalSpy redraws(grid->model(), &QAbstractItemModel::dataChanged);

        if (throughMenu)
            ItemWithCodePage(menu, codePage)->trigger();
        else
            combo->setCurrentIndex(combo->findData(codePage));

        QList<uint> shown = { 1251, 1251, 1200, 1200 };
        shown[2 * tab] = shown[2 * tab + 1] = codePage;
        QCOMPARE(ShownCodePages(window), shown);
        QVERIFY(!redraws.isEmpty());
        QCOMPARE(Cell(grid, 0, column), after);
        QCOMPARE(field->currentText(), after);
        const std::u16string key(id3v1 ? workspace::kDefaultV1EncodingKey : workspace::kDefaultV2EncodingKey);
        QCOMPARE(
            QString::fromStdU16String(session.Workspace().FSettings.Read(key)), QString::number(codePage));
    }
};

QTEST_MAIN(ViewTest)
#include "ViewTest.moc"
