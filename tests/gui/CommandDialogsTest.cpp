// The commands of the Actions menu as the user meets them: the dialogs' own controls and previews,
// and what OK, Cancel and Undo do to the grids and the settings. What a command computes is for the
// commands' tests; here, the dialog's options reach the command and its result reaches the grid.
#include "GuiSession.h"
#include "gui/RenamePreviewModel.h"
#include "gui/TfrmDetectEncoding.h"
#include "gui/TfrmFileNameFromTag.h"
#include "gui/TfrmTagsFromFileName.h"
#include "workspace/Settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;
using gui::TfrmFileNameFromTag;
using gui::TfrmTagsFromFileName;

namespace {

// The title from the fourth character on ("01 Alpha" gives "Alpha"), the artist up to a " - ".
void TitleFromFourthAndArtistToDash(TfrmTagsFromFileName& dialog)
{
    auto& title = dialog.Rows[0];
    title.CheckBox->setChecked(true);
    QTest::keyClicks(title.FromPosition, u"4"_s);
    auto& artist = dialog.Rows[1];
    artist.CheckBox->setChecked(true);
    artist.ToMode->setCurrentIndex(1);
    QTest::keyClicks(artist.ToSymbol, u" - "_s);
}

// A table's rows, each one's cells joined by " | ", with "!" after a cell the preview colours.
QStringList ShownRows(const QAbstractItemView* table)
{
    QStringList rows;
    const QAbstractItemModel* model = table->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex cell = model->index(row, column);
            cells.append(
                cell.data().toString() + (cell.data(Qt::BackgroundRole).isValid() ? u"!"_s : QString()));
        }
        rows.append(cells.join(u" | "_s));
    }
    return rows;
}

struct ToolCase {
    int tab;
    QAction* gui::MainActions::*command;
    int tabAfter;
    QStringList marksID3v1;
    QStringList marksID3v2;
    QString firstTitleID3v2;
    QString undoCaption;
};

} // namespace

class CommandDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void maskCodeButtonAppendsItsCodeAtTheEndWithTheCaretThere()
    {
        TfrmFileNameFromTag dialog;
        dialog.show();
        dialog.editFileName->setText(u"ab"_s);
        dialog.editFileName->setCursorPosition(0);
        dialog.findChild<QPushButton*>(u"btnArtist"_s)->click();
        QCOMPARE(dialog.editFileName->text(), u"ab%vvar"_s);
        QCOMPARE(dialog.editFileName->cursorPosition(), 7);
        QCOMPARE(dialog.focusWidget(), dialog.editFileName);
    }

    // On the ID3v1 tab the frame list is hidden and an empty mask changes nothing; on the ID3v2 tab
    // the list offers the frames of TagEditList, and OK writes the previewed names into both grids.
    void maskDialogOnEitherTab()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir({ u"TagEditList=tcom,XXXX,TPUB", u"FileMask=%vvtt" }));
        gui::TfrmMain& window = session.Window();
        QAction* command = window.actions.miMakeFilenamesfromTags;
        bool listShown = true;
        WhileOpen<TfrmFileNameFromTag>(command, [&](TfrmFileNameFromTag& dialog) {
            listShown = dialog.cbID3v2Tags->isVisible() || dialog.lblID3v2tag->isVisible();
            dialog.editFileName->clear();
            dialog.btnOK->click();
        });
        QVERIFY(!listShown);
        QCOMPARE(StoredValue(session.Workspace().FSettings, workspace::kFileMaskKey), u"%vvtt"_s);
        QCOMPARE(Marks(window.sgID3v1), MarksOn({}));

        ClickTab(window, 1);
        window.actions.miSelectAll->trigger();
        QStringList listed;
        QString chosenFrame;
        QStringList previewed;
        QString status;
        WhileOpen<TfrmFileNameFromTag>(command, [&](TfrmFileNameFromTag& dialog) {
            listShown = dialog.cbID3v2Tags->isVisible();
            listed = ItemTexts(dialog.cbID3v2Tags);
            dialog.editFileName->clear();
            dialog.cbID3v2Tags->activated(0);
            chosenFrame = dialog.editFileName->text();
            dialog.editFileName->clear();
            QTest::keyClicks(dialog.editFileName, u"%vvar.mp3"_s);
            previewed = Column(dialog.sgPreview, gui::RenamePreviewModel::NewNameColumn);
            status = dialog.labPreviewStatus->text();
            dialog.btnOK->click();
        });
        QVERIFY(listShown);
        QCOMPARE(listed, (QStringList { u"Composer"_s, u"Publisher"_s }));
        QCOMPARE(chosenFrame, u"%TCOM"_s);
        QCOMPARE(previewed, (QStringList { u"Кино.mp3"_s, u"Кино.mp3"_s, u"Other.mp3"_s }));
        QCOMPARE(status, u"2 names collide or cannot be used"_s);
        QCOMPARE(Column(window.sgID3v1, 0), previewed);
        QCOMPARE(Column(window.sgID3v2, 0), previewed);
        QCOMPARE(Marks(window.sgID3v1), MarksOn({ 0, 1, 2 }));
        QCOMPARE(StoredValue(session.Workspace().FSettings, workspace::kFileMaskKey), u"%vvar.mp3"_s);
    }

    void ruleNumberFieldsTakeDigitsAndControlKeysOnly()
    {
        TfrmTagsFromFileName dialog;
        dialog.show();
        QLineEdit* edit = dialog.Rows[0].FromPosition;
        QTest::keyClicks(edit, u"1a0-x 5"_s);
        QCOMPARE(edit->text(), u"105"_s);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), u"1"_s);
        QTest::keyClicks(dialog.Rows[0].FromSymbol, u"a_"_s);
        QCOMPARE(dialog.Rows[0].FromSymbol->text(), u"a_"_s);
    }

    void replacementTableGrowsWhenItsLastRowGetsAWhat()
    {
        TfrmTagsFromFileName dialog;
        auto* table = dialog.sgReplacementTable;
        QCOMPARE(table->rowCount(), 1);
        table->item(0, 1)->setText(u"with"_s);
        QCOMPARE(table->rowCount(), 1);
        table->item(0, 0)->setText(u"what"_s);
        QCOMPARE(table->rowCount(), 2);
        table->item(0, 0)->setText(u"again"_s);
        table->item(1, 0)->setText(QString());
        QCOMPARE(table->rowCount(), 2);
    }

    void ruleHelpShowsTheHelpLinesJoinedByCrLf()
    {
        const QString expected
            = u"Position - Starting (From) or Ending (To) part from Filename wil be copied to Tag text:\r\n"
              "--if empty then first (from) or last (to) position of Filename excluding extension\r\n"
              "Symbol - Starting (From) or Ending (To) with which symbol or sequence of symbols part\r\n"
              "of file name should be copied:\r\n"
              "--empty means Space\r\n"
              "--Count is the number of Symbol from the beginning of filename,for example Symbol='_' and\r\n"
              "  Count=2 means after second '_' part of Filename  will be copied (if From) or till second\r\n"
              "  occurance of '_' part of File name will be copied to Tag text (if To)\r\n"
              "--empty Count means 1 (first occurance)\r\n"
              "--Symbol (or group of symbols) does not included in Tag text"_s;
        TfrmTagsFromFileName dialog;
        QString shown;
        QTimer::singleShot(0, &dialog, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->text();
            box->accept();
        });
        dialog.btnHelp->click();
        QCOMPARE(shown, expected);
    }

    void tagsPreviewShowsWhatOkStoresAndTheRulesStayForTheNextRun()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        ClickTab(window, 1);
        window.actions.miSelectAll->trigger();
        QAction* command = window.actions.miMakeTagsFromFilenames;
        WhileOpen<TfrmTagsFromFileName>(command, [](TfrmTagsFromFileName& dialog) {
            TitleFromFourthAndArtistToDash(dialog);
            dialog.btnCancel->click();
        });
        QCOMPARE(Marks(window.sgID3v2), MarksOn({}));

        QStringList previewed;
        QString fromPosition;
        WhileOpen<TfrmTagsFromFileName>(command, [&](TfrmTagsFromFileName& dialog) {
            fromPosition = dialog.Rows[0].FromPosition->text();
            previewed = ShownRows(dialog.sgPreview);
            dialog.btnOK->click();
        });
        QCOMPARE(fromPosition, u"4"_s);
        // Every name lacks the " - " the artist rule looks for.
        QCOMPARE(previewed,
            (QStringList { u"01 Alpha.mp3! | Alpha! | 01 Alpha!"_s, u"02 Beta.mp3! | Beta! | 02 Beta!"_s,
                u"03 Gamma.mp3! | Gamma! | 03 Gamma!"_s }));
        QCOMPARE(Column(window.sgID3v2, 1), (QStringList { u"Alpha"_s, u"Beta"_s, u"Gamma"_s }));
        QCOMPARE(Column(window.sgID3v2, 2), (QStringList { u"01 Alpha"_s, u"02 Beta"_s, u"03 Gamma"_s }));
        QCOMPARE(Marks(window.sgID3v2), MarksOn({ 0, 1, 2 }));
        QCOMPARE(Marks(window.sgID3v1), MarksOn({}));

        QStringList previewedAgain;
        WhileOpen<TfrmTagsFromFileName>(command, [&](TfrmTagsFromFileName& dialog) {
            previewedAgain = ShownRows(dialog.sgPreview);
            dialog.btnCancel->click();
        });
        QCOMPARE(previewedAgain,
            (QStringList { u"01 Alpha.mp3! | Alpha | 01 Alpha"_s, u"02 Beta.mp3! | Beta | 02 Beta"_s,
                u"03 Gamma.mp3! | Gamma | 03 Gamma"_s }));
    }

    void detectEncodingFindsTheCodePageOfEachFileAndShowsTheTabInIt()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir({ u"DefaultV1Encoding=20866" }));
        gui::TfrmMain& window = session.Window();
        window.actions.miSelectAll->trigger();
        QStringList codePages;
        QString verdict;
        WhileOpen<gui::TfrmDetectEncoding>(
            window.actions.miDetectEncoding, [&](gui::TfrmDetectEncoding& dialog) {
                codePages = Column(dialog.sgFiles, gui::DetectionModel::CodePageColumn);
                verdict = dialog.labVerdict->text();
                dialog.btnShowAs->click();
            });
        const QString cp1251 = u"Cyrillic (Windows-1251)"_s;
        QCOMPARE(codePages, (QStringList { cp1251, cp1251, u"no 8-bit text"_s }));
        QVERIFY2(verdict.startsWith(cp1251 + u" for 2 of 3 files"_s), qPrintable(verdict));
        QCOMPARE(window.cbSourceEncv1->currentData().toUInt(), 1251u);
        QCOMPARE(session.Workspace().ViewCodePage(workspace::TagGrid::ID3v1), 1251u);
    }

    // The transliteration, copy and version commands: which grid's selection they take, which rows
    // they mark, which tab shows afterwards, and that one Undo takes it all back.
    void tagToolsMarkRowsAndShowTheTab_data()
    {
        QTest::addColumn<ToolCase>("row");
        using gui::MainActions;
        const QStringList none = MarksOn({});
        const QStringList all = MarksOn({ 0, 1, 2 });
        const QStringList firstTwo = MarksOn({ 0, 1 });
        QTest::newRow("copy button on ID3v1 copies into ID3v2")
            << ToolCase { 0, &MainActions::tbCopyTags, 1, none, firstTwo, u"Привет"_s, u"Undo Copy Tags"_s };
        QTest::newRow("ID3v2 to ID3v1 gives the third file a record")
            << ToolCase { 1, &MainActions::miID3v2toID3v1, 0, all, none, u"Привет"_s, u"Undo Copy Tags"_s };
        QTest::newRow("translit button on ID3v2") << ToolCase { 1, &MainActions::tbTranslitTags, 1, none, all,
            u"Privet"_s, u"Undo Transliterate Tags"_s };
        QTest::newRow("ASCII file names stay unmarked")
            << ToolCase { 1, &MainActions::miTransliterateFilenames, 1, none, none, u"Привет"_s, u"Undo"_s };
        QTest::newRow("version 1.0 skips the file without a record") << ToolCase { 0,
            &MainActions::miID3Version10, 0, firstTwo, none, u"Привет"_s, u"Undo Set ID3v1 Version"_s };
    }

    void tagToolsMarkRowsAndShowTheTab()
    {
        QFETCH(ToolCase, row);
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        ClickTab(window, row.tab);
        ClickRows(GridOfTab(window, row.tab), 0, 2);

        (window.actions.*row.command)->trigger();
        QCOMPARE(window.pcFileList->currentIndex(), row.tabAfter);
        QCOMPARE(Marks(window.sgID3v1), row.marksID3v1);
        QCOMPARE(Marks(window.sgID3v2), row.marksID3v2);
        QCOMPARE(Cell(window.sgID3v2, 0, 1), row.firstTitleID3v2);
        QCOMPARE(window.actions.miUndo->text(), row.undoCaption);

        window.actions.miUndo->trigger();
        QCOMPARE(Marks(window.sgID3v1), MarksOn({}));
        QCOMPARE(Marks(window.sgID3v2), MarksOn({}));
        QCOMPARE(Cell(window.sgID3v2, 0, 1), u"Привет"_s);
    }
};

QTEST_MAIN(CommandDialogsTest)
#include "CommandDialogsTest.moc"
