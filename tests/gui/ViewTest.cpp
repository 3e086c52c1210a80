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

using namespace vennart;
using namespace vennart::test;

namespace {

constexpr int kTitleColumn = 1;
constexpr int kArtistColumn = 2;
constexpr int kMinimumTitleWidth = 150;

} // namespace

class ViewTest : public QObject {
    Q_OBJECT
private slots:
    void tabChangeShowsTheControlsOfTheTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("copyTagsHint");
        QTest::addColumn<bool>("additionalTagsShown");
        QTest::newRow("ID3v2") << 1 << QStringLiteral("Copy ID3v2 to ID3v1") << true;
        QTest::newRow("back to ID3v1") << 0 << QStringLiteral("Copy ID3v1 to ID3v2") << false;
    }

    void tabChangeShowsTheControlsOfTheTab()
    {
        QFETCH(int, tab);
        QFETCH(QString, copyTagsHint);
        QFETCH(bool, additionalTagsShown);
        GuiSession session;
        session.WriteMusicDirSettings();
        QVERIFY(session.Start());
        gui::TfrmMain& window = session.Window();
        ClickTab(window, 1);
        ClickTab(window, tab);

        const bool id3v2 = tab == 1;
        QCOMPARE(window.actions.tbCopyTags->toolTip(), copyTagsHint);
        QCOMPARE(window.cbSourceEncv1->isVisible(), !id3v2);
        QCOMPARE(window.cbSourceEncv2->isVisible(), id3v2);
        QCOMPARE(window.gbAdditionalTags->isVisible(), additionalTagsShown);
        QCOMPARE(ItemWithCodePage(window.popupMenuEnc, 1200)->isVisible(), id3v2);
        QCOMPARE(
            session.Workspace().ActiveGrid(), id3v2 ? workspace::TagGrid::ID3v2 : workspace::TagGrid::ID3v1);
    }

    void eachGridKeepsItsSelectionAndThePanelFollowsTheVisibleOne()
    {
        GuiSession session;
        session.WriteMusicDirSettings();
        QVERIFY(session.Start());
        gui::TfrmMain& window = session.Window();
        ClickRows(window.sgID3v1, 2, 2);
        QTRY_COMPARE(window.EditFileName->text(), QString::fromStdU16String(kSampleSongs[2].fileName));

        ClickTab(window, 1);
        QCOMPARE(SelectedRows(window.sgID3v2), std::vector<int> { 0 });
        QCOMPARE(window.EditFileName->text(), QString::fromStdU16String(kSampleSongs[0].fileName));
        ClickTab(window, 0);
        QCOMPARE(SelectedRows(window.sgID3v1), std::vector<int> { 2 });
        QCOMPARE(window.EditFileName->text(), QString::fromStdU16String(kSampleSongs[2].fileName));
    }

    void titleColumnTakesTheWidthTheOthersLeave()
    {
        GuiSession session;
        session.WriteMusicDirSettings();
        QVERIFY(session.Start());
        gui::TfrmMain& window = session.Window();
        QHeaderView* header = window.sgID3v1->horizontalHeader();
        const auto fitted = [&] { return header->length() == window.sgID3v1->viewport()->width(); };

        window.resize(1400, 600);
        QTRY_VERIFY(fitted());
        QVERIFY(header->sectionSize(kTitleColumn) > kMinimumTitleWidth);
        header->resizeSection(kArtistColumn, header->sectionSize(kArtistColumn) + 60);
        QTRY_VERIFY(fitted());

        window.resize(700, 600);
        QTRY_COMPARE(header->sectionSize(kTitleColumn), kMinimumTitleWidth);
        QVERIFY(header->length() > window.sgID3v1->viewport()->width());
    }

    void titleColumnOfTheOtherTabFitsWhenItIsShown()
    {
        GuiSession session;
        session.WriteMusicDirSettings();
        QVERIFY(session.Start());
        gui::TfrmMain& window = session.Window();
        window.resize(1400, 600);
        QTRY_COMPARE(window.sgID3v1->horizontalHeader()->length(), window.sgID3v1->viewport()->width());

        ClickTab(window, 1);

        QHeaderView* header = window.sgID3v2->horizontalHeader();
        QTRY_COMPARE(header->length(), window.sgID3v2->viewport()->width());
    }

    void viewCodePageChoiceMovesMenuComboAndRedrawsGrid_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("throughMenu");
        QTest::addColumn<uint>("codePage");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        // The ID3v1 title holds cp1251 bytes; KOI8-R reads them as other Cyrillic letters.
        const QString title1251 = QStringLiteral("Привет");
        const QString titleKoi8 = QStringLiteral("оПХБЕР");
        // The ID3v2 album holds cp1251 bytes with encoding 0; UTF-16 view shows them as Latin-1.
        const QString albumLatin1 = QStringLiteral("Àëüáîì");
        const QString album1251 = QStringLiteral("Альбом");
        QTest::newRow("ID3v1 in menu") << 0 << true << 20866u << 1 << title1251 << titleKoi8;
        QTest::newRow("ID3v1 in combo box") << 0 << false << 20866u << 1 << title1251 << titleKoi8;
        QTest::newRow("ID3v2 in menu") << 1 << true << 1251u << 3 << albumLatin1 << album1251;
        QTest::newRow("ID3v2 in combo box") << 1 << false << 1251u << 3 << albumLatin1 << album1251;
        // A checked item clicked again stays the one checked.
        QTest::newRow("ID3v1 checked item in menu") << 0 << true << 1251u << 1 << title1251 << title1251;
    }

    void viewCodePageChoiceMovesMenuComboAndRedrawsGrid()
    {
        QFETCH(int, tab);
        QFETCH(bool, throughMenu);
        QFETCH(uint, codePage);
        QFETCH(int, column);
        QFETCH(QString, before);
        QFETCH(QString, after);
        GuiSession session;
        session.WriteMusicDirSettings();
        QVERIFY(session.Start());
        gui::TfrmMain& window = session.Window();
        ClickTab(window, tab);
        const bool id3v1 = tab == 0;
        QMenu* menu = id3v1 ? window.miEncodingID3v1 : window.miEncodingID3v2;
        QComboBox* combo = id3v1 ? window.cbSourceEncv1 : window.cbSourceEncv2;
        QTableView* grid = id3v1 ? window.sgID3v1 : window.sgID3v2;
        QComboBox* field = Field(window, id3v1 ? "TIT2" : "TALB");
        QCOMPARE(Cell(grid, 0, column), before);
        QCOMPARE(field->currentText(), before);
        QSignalSpy redraws(grid->model(), &QAbstractItemModel::dataChanged);

        if (throughMenu)
            ItemWithCodePage(menu, codePage)->trigger();
        else
            combo->setCurrentIndex(combo->findData(codePage));

        QCOMPARE(combo->currentData().toUInt(), codePage);
        QCOMPARE(CheckedCodePages(menu), QList<uint> { codePage });
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
