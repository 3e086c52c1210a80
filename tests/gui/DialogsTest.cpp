// The dialogs as the user meets them. First the commands of the Actions menu: the dialogs' own
// controls and previews, and what OK, Cancel and Undo do to the grids and the settings. What a
// command computes is for the commands' tests; here, the dialog's options reach the command and its
// result reaches the grid. Then the dialogs that edit what the program keeps between runs: "ID3v2
// tags to edit" and "Encoding settings" under their settings keys, the transliteration table in
// translit.tab: what each shows of the stored value, what OK stores and Cancel keeps, what it
// refuses, and the controls that follow the stored value.
#include "GuiSession.h"
#include "gui/QtText.h"
#include "gui/RenamePreviewModel.h"
#include "gui/TEncodingTable.h"
#include "gui/TfrmDetectEncoding.h"
#include "gui/TfrmFileNameFromTag.h"
#include "gui/TfrmSelectTags.h"
#include "gui/TfrmTagsFromFileName.h"
#include "gui/TfrmTransliTable.h"
#include "support/FaultyFileSystem.h"
#include "workspace/Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;
using gui::TfrmFileNameFromTag;
using gui::TfrmTagsFromFileName;

namespace {

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

// `marked` as MarkedRows renders them.
struct ToolCase {
    int tab;
    QAction* gui::MainActions::*command;
    int tabAfter;
    QString marked, firstTitleID3v2, undoCaption;
};

const QString kDefaultTags = u"TCOM,TCOP,TENC,TEXT,TOPE,TPE2,TPE3,TPE4,TPUB,TRDA,TRSN"_s;

// The default set as the encoding dialog checks it, in catalogue order.
const QString kDefaultChecked = u"1251,20866,21866,866,65001,1200"_s;

enum class Closing { Ok, Cancel, OkRefused };

// A dialog that edits a list of checked entries: "ID3v2 tags to edit" under TagEditList, "Encoding
// settings" under CodePages. `stored` null: no line for the key; `checkOnly` null: the entries stay
// as the dialog checks them; OkRefused: OK is disabled with a hint why, Cancel closes the dialog.
// `shownAfter`: the frames of the editing panel's additional rows, or the view code pages as
// ViewCodePages gives them.
struct CheckListCase {
    std::u16string_view key;
    QString stored, checkOnly, checkedOnOpen;
    Closing closing;
    QString storedAfter, shownAfter;
};

// The entries `dialog` checks, by the frame or the code page each stands for; then, unless `only`
// is null, checks the entries `only` names and unchecks the others.
QString CheckOnly(QDialog& dialog, const QString& only)
{
    QStringList checked;
    const auto visit = [&checked, &only](const QString& name, bool isChecked, const auto& check) {
        if (isChecked)
            checked.append(name);
        if (!only.isNull())
            check(only.split(u',').contains(name));
    };
    if (auto* tags = qobject_cast<gui::TfrmSelectTags*>(&dialog)) {
        for (const auto& [id, box] : tags->TagRows())
            visit(QString::fromStdString(id), box->isChecked(), [box](bool on) { box->setChecked(on); });
    } else {
        QListWidget* list = qobject_cast<gui::TEncodingTable*>(&dialog)->clbEncodingTables;
        for (int i = 0; i < list->count(); ++i) {
            QListWidgetItem* item = list->item(i);
            visit(item->data(Qt::UserRole).toString(), item->checkState() == Qt::Checked,
                [item](bool on) { item->setCheckState(on ? Qt::Checked : Qt::Unchecked); });
        }
    }
    return checked.join(u',');
}

struct CellEdit {
    int row, column;
    QString text;
};

// Opens the editor and, while it is shown, removes row `deletedRow` with the Delete key when one is
// given and types into the cells; then closes it with OK.
void RunEditor(gui::TfrmTransliTable& editor, const std::vector<CellEdit>& cells, int deletedRow = -1)
{
    const auto edit = [&cells, deletedRow](gui::TfrmTransliTable& shown) {
        QTableWidget* grid = shown.sgTranslitTable;
        if (deletedRow >= 0) {
            grid->setFocus();
            // Not selectRow(), which extends the selection while an earlier test's Shift seems held.
            grid->setRangeSelected(QTableWidgetSelectionRange(deletedRow, 0, deletedRow, 1), true);
            QTest::keyClick(grid, Qt::Key_Delete);
        }
        for (const CellEdit& cell : cells) {
            grid->setCurrentCell(cell.row, cell.column);
            grid->item(cell.row, cell.column)->setText(cell.text);
        }
        shown.btnOK->click();
    };
    QVERIFY(WhileOpen<gui::TfrmTransliTable>([&editor] { editor.ShowTranslitTable(); }, edit));
}

} // namespace

class DialogsTest : public GuiTest {
    Q_OBJECT

private slots:

    // On the ID3v1 tab the frame list is hidden and an empty mask changes nothing; on the ID3v2 tab
    // the list offers the frames of TagEditList, and OK writes the previewed names into both grids.
    // The mask the dialog starts with is the stored one.
    void maskDialogOnEitherTab()
    {
        QVERIFY(StartInMusicDir({ u"TagEditList=tcom,XXXX,TPUB"_s, u"FileMask=%vvtt"_s }));
        QAction* command = window->actions.miMakeFilenamesfromTags;
        QVERIFY(WhileOpen<TfrmFileNameFromTag>(command, [](TfrmFileNameFromTag& dialog) {
            QVERIFY(!dialog.cbID3v2Tags->isVisible() && !dialog.lblID3v2tag->isVisible());
            QCOMPARE(dialog.editFileName->text(), u"%vvtt"_s);
            dialog.editFileName->clear();
            dialog.btnOK->click();
        }));
        QCOMPARE(session->StoredValue(workspace::kFileMaskKey), u"%vvtt"_s);
        QCOMPARE(MarkedRows(*window), u"|"_s);

        ClickTab(*window, 1);
        window->actions.miSelectAll->trigger();
        const QStringList names = { u"Кино.mp3"_s, u"Кино.mp3"_s, u"Other.mp3"_s };
        QVERIFY(WhileOpen<TfrmFileNameFromTag>(command, [&names](TfrmFileNameFromTag& dialog) {
            QVERIFY(dialog.cbID3v2Tags->isVisible());
            QCOMPARE(Column(dialog.cbID3v2Tags->view(), 0), (QStringList { u"Composer"_s, u"Publisher"_s }));
            // A code button and a frame of the list append their code, with the caret at the end.
            dialog.editFileName->setText(u"ab"_s);
            dialog.editFileName->setCursorPosition(0);
            dialog.findChild<QPushButton*>(u"btnArtist"_s)->click();
            QCOMPARE(dialog.editFileName->cursorPosition(), 7);
            QCOMPARE(dialog.focusWidget(), dialog.editFileName);
            dialog.cbID3v2Tags->activated(0);
            QCOMPARE(dialog.editFileName->text(), u"ab%vvar%TCOM"_s);
            dialog.editFileName->clear();
            QTest::keyClicks(dialog.editFileName, u"%vvar.mp3"_s);
            QCOMPARE(Column(dialog.sgPreview, gui::RenamePreviewModel::NewNameColumn), names);
            QCOMPARE(dialog.labPreviewStatus->text(), u"2 names collide or cannot be used"_s);
            dialog.btnOK->click();
        }));
        QCOMPARE(Column(window->sgID3v1, 0) + Column(window->sgID3v2, 0), names + names);
        QCOMPARE(MarkedRows(*window), u"0,1,2|0,1,2"_s);
        QCOMPARE(session->StoredValue(workspace::kFileMaskKey), u"%vvar.mp3"_s);
    }

    // The number fields take digits and keys that type nothing; the replacement table grows when its
    // last row gets a "what"; Help shows the help lines joined by CR LF.
    void ruleFieldsTakeDigitsOnlyTheReplacementTableGrowsAndHelpShowsTheLines()
    {
        TfrmTagsFromFileName dialog;
        dialog.show();
        QLineEdit* edit = dialog.Rows[0].FromPosition;
        QTest::keyClicks(edit, u"1a0-x 5"_s);
        QCOMPARE(edit->text(), u"105"_s);
        for (const Qt::Key key : { Qt::Key_Backspace, Qt::Key_Left, Qt::Key_Delete })
            QTest::keyClick(edit, key);
        QCOMPARE(edit->text(), u"1"_s);
        QTest::keyClicks(dialog.Rows[0].FromSymbol, u"a_"_s);
        QCOMPARE(dialog.Rows[0].FromSymbol->text(), u"a_"_s);

        // Each cell edit and the row count after it.
        auto* table = dialog.sgReplacementTable;
        QList<int> rowCounts = { table->rowCount() };
        for (const auto& [row, column, text] : { CellEdit { 0, 1, u"with"_s }, CellEdit { 0, 0, u"what"_s },
                 CellEdit { 0, 0, u"again"_s }, CellEdit { 1, 0, QString() } }) {
            table->item(row, column)->setText(text);
            rowCounts.append(table->rowCount());
        }
        QCOMPARE(rowCounts, (QList<int> { 1, 1, 2, 2, 2 }));

        QString shown;
        QVERIFY(WhileOpen<QMessageBox>(
            [&dialog] { dialog.btnHelp->click(); }, [&shown](QMessageBox& box) { shown = box.text(); }));
        QCOMPARE(shown.split(u"\r\n"_s).size(), 10);
        QVERIFY2(shown.startsWith(u"Position - "_s), qPrintable(shown));
    }

    void tagsPreviewShowsWhatOkStoresAndTheRulesStayForTheNextRun()
    {
        QVERIFY(StartWithSelection(1, 0, 2));
        QAction* command = window->actions.miMakeTagsFromFilenames;
        QVERIFY(WhileOpen<TfrmTagsFromFileName>(command, [](TfrmTagsFromFileName& dialog) {
            // The title from the fourth character on ("01 Alpha" gives "Alpha"), the artist up to a " - ".
            dialog.Rows[0].CheckBox->setChecked(true);
            QTest::keyClicks(dialog.Rows[0].FromPosition, u"4"_s);
            dialog.Rows[1].CheckBox->setChecked(true);
            dialog.Rows[1].ToMode->setCurrentIndex(1);
            QTest::keyClicks(dialog.Rows[1].ToSymbol, u" - "_s);
            dialog.btnCancel->click();
        }));
        QCOMPARE(MarkedRows(*window), u"|"_s);

        QVERIFY(WhileOpen<TfrmTagsFromFileName>(command, [](TfrmTagsFromFileName& dialog) {
            QCOMPARE(dialog.Rows[0].FromPosition->text(), u"4"_s);
            // Every name lacks the " - " the artist rule looks for.
            QCOMPARE(ShownRows(dialog.sgPreview),
                (QStringList { u"01 Alpha.mp3! | Alpha! | 01 Alpha!"_s, u"02 Beta.mp3! | Beta! | 02 Beta!"_s,
                    u"03 Gamma.mp3! | Gamma! | 03 Gamma!"_s }));
            dialog.btnOK->click();
        }));
        QCOMPARE(Column(window->sgID3v2, 1), (QStringList { u"Alpha"_s, u"Beta"_s, u"Gamma"_s }));
        QCOMPARE(MarkedRows(*window), u"|0,1,2"_s);

        // Run again, the preview marks no value as changed: the tags hold them now. WhileOpen cancels.
        QVERIFY(WhileOpen<TfrmTagsFromFileName>(command, [](TfrmTagsFromFileName& dialog) {
            QCOMPARE(ShownRows(dialog.sgPreview),
                (QStringList { u"01 Alpha.mp3! | Alpha | 01 Alpha"_s, u"02 Beta.mp3! | Beta | 02 Beta"_s,
                    u"03 Gamma.mp3! | Gamma | 03 Gamma"_s }));
        }));
    }

    void detectEncodingFindsTheCodePageOfEachFileAndShowsTheTabInIt()
    {
        QVERIFY(StartWithSelection(0, 0, 2, { u"DefaultV1Encoding=20866"_s }));
        QVERIFY(WhileOpen<gui::TfrmDetectEncoding>(
            window->actions.miDetectEncoding, [](gui::TfrmDetectEncoding& dialog) {
                const QString cp1251 = u"Cyrillic (Windows-1251)"_s;
                QCOMPARE(Column(dialog.sgFiles, gui::DetectionModel::CodePageColumn),
                    (QStringList { cp1251, cp1251, u"no 8-bit text"_s }));
                QVERIFY2(dialog.labVerdict->text().startsWith(cp1251 + u" for 2 of 3 files"_s),
                    qPrintable(dialog.labVerdict->text()));
                dialog.btnShowAs->click();
            }));
        QCOMPARE(ViewCodePages(*window), kDefaultViewCodePages);
        QCOMPARE(Cell(window->sgID3v1, 0, 1), u"Привет"_s);
    }

    // The transliteration, copy and version commands: which grid's selection they take, which rows
    // they mark, which tab shows afterwards, and that one Undo takes it all back.
    void tagToolsMarkRowsAndShowTheTab_data()
    {
        QTest::addColumn<ToolCase>("row");
        using gui::MainActions;
        QTest::newRow("copy button on ID3v1 copies into ID3v2")
            << ToolCase { 0, &MainActions::tbCopyTags, 1, u"|0,1"_s, u"Привет"_s, u"Undo Copy Tags"_s };
        QTest::newRow("ID3v2 to ID3v1 gives the third file a record")
            << ToolCase { 1, &MainActions::miID3v2toID3v1, 0, u"0,1,2|"_s, u"Привет"_s, u"Undo Copy Tags"_s };
        QTest::newRow("translit button on ID3v2") << ToolCase { 1, &MainActions::tbTranslitTags, 1,
            u"|0,1,2"_s, u"Privet"_s, u"Undo Transliterate Tags"_s };
        QTest::newRow("ASCII file names stay unmarked")
            << ToolCase { 1, &MainActions::miTransliterateFilenames, 1, u"|"_s, u"Привет"_s, u"Undo"_s };
        QTest::newRow("version 1.0 skips the file without a record") << ToolCase { 0,
            &MainActions::miID3Version10, 0, u"0,1|"_s, u"Привет"_s, u"Undo Set ID3v1 Version"_s };
    }

    void tagToolsMarkRowsAndShowTheTab()
    {
        QFETCH(ToolCase, row);
        QVERIFY(StartWithSelection(row.tab, 0, 2));

        (window->actions.*row.command)->trigger();
        QCOMPARE(window->pcFileList->currentIndex(), row.tabAfter);
        QCOMPARE(MarkedRows(*window), row.marked);
        QCOMPARE(Cell(window->sgID3v2, 0, 1), row.firstTitleID3v2);
        QCOMPARE(window->actions.miUndo->text(), row.undoCaption);

        window->actions.miUndo->trigger();
        QCOMPARE(MarkedRows(*window), u"|"_s);
        QCOMPARE(Cell(window->sgID3v2, 0, 1), u"Привет"_s);
    }

    // Which code-page lists count as changed and which stand for the default set is the code-page
    // lists' rule; here, the dialogs' paths.
    void checkListsStoreTheCheckedEntries_data()
    {
        QTest::addColumn<CheckListCase>("row");
        using enum Closing;
        const std::u16string_view tags = workspace::kTagEditListKey;
        const std::u16string_view codePages = workspace::kCodePagesKey;
        QTest::newRow("tags, first use, OK")
            << CheckListCase { tags, {}, {}, kDefaultTags, Ok, kDefaultTags, kDefaultTags };
        QTest::newRow("tags in lower case in row order, OK")
            << CheckListCase { tags, u"tcom,tpe2"_s, {}, u"TCOM,TPE2"_s, Ok, u"tcom,tpe2"_s, u"TCOM,TPE2"_s };
        QTest::newRow("tags, main frame ticks nothing")
            << CheckListCase { tags, u"TIT2,TCOM"_s, {}, u"TCOM"_s, Ok, u"TCOM"_s, u"TCOM"_s };
        QTest::newRow("tags, cancel") << CheckListCase { tags, u"TCOM,TPE2"_s, u"TCOM,TPE2,TDAT"_s,
            u"TCOM,TPE2"_s, Cancel, u"TCOM,TPE2"_s, u"TCOM,TPE2"_s };
        QTest::newRow("code pages, first use, OK: nothing stored")
            << CheckListCase { codePages, {}, {}, kDefaultChecked, Ok, {}, kDefaultViewCodePages };
        QTest::newRow("code pages, unchecking all removes the key") << CheckListCase { codePages,
            u"866,1200"_s, u""_s, u"866,1200"_s, Ok, {}, kDefaultViewCodePages };
        QTest::newRow("code pages, UTF-16 alone: OK disabled") << CheckListCase { codePages, {}, u"1200"_s,
            kDefaultChecked, OkRefused, {}, kDefaultViewCodePages };
        QTest::newRow("code pages, UTF-16 and an 8-bit page: saved view code page gone")
            << CheckListCase { codePages, {}, u"866,1200"_s, kDefaultChecked, Ok, u"866,1200"_s,
                   u"*866|866,*1200"_s };
    }

    void checkListsStoreTheCheckedEntries()
    {
        QFETCH(CheckListCase, row);
        const bool codePages = row.key == workspace::kCodePagesKey;
        const QString line = QStringView(row.key).toString() + u'=' + row.stored;
        QVERIFY(StartInMusicDir(row.stored.isNull() ? QStringList() : QStringList { line }));

        QAction* command = codePages ? window->actions.miEncodings : window->actions.miTagsToDisplay;
        QVERIFY(WhileOpen<QDialog>(command, [&row](QDialog& dialog) {
            QCOMPARE(CheckOnly(dialog, row.checkOnly), row.checkedOnOpen);
            const bool refused = row.closing == Closing::OkRefused;
            const auto* hint = dialog.findChild<QLabel*>(u"labNeedsEightBit"_s);
            QCOMPARE(hint != nullptr && hint->isVisible(), refused);
            dialog.findChild<QPushButton*>(row.closing == Closing::Cancel ? u"btnCancel"_s : u"btnOK"_s)
                ->click();
            QCOMPARE(dialog.isVisible(), refused);
        }));
        QCOMPARE(session->StoredValue(row.key), row.storedAfter);
        // The rows of the additional ID3v2 frames in the editing panel.
        QStringList panelRows;
        for (const QComboBox* combo : window->gbAdditionalTags->findChildren<QComboBox*>())
            panelRows.append(combo->objectName().mid(8));
        QCOMPARE(codePages ? ViewCodePages(*window) : panelRows.join(u','), row.shownAfter);
        // The menus of the re-encoding command and the view follow the code pages.
        QCOMPARE(Listed(window->miChangeEncodingID3v1) + u'|' + Listed(window->miChangeEncodingID3v2),
            ViewCodePages(*window).remove(u'*'));
        // On the ID3v1 tab the tool button's pop-up offers no UTF-16.
        QCOMPARE(Listed(window->popupMenuEnc), Listed(window->miChangeEncodingID3v1));
        QCOMPARE(session->Workspace().ViewCodePage(workspace::TagGrid::ID3v1),
            window->cbSourceEncv1->currentData().toUInt());
    }

    void translitEditorShowsTheShippedTableAndClosingUneditedWritesNothing()
    {
        QVERIFY(Start());
        QVERIFY(WhileOpen<gui::TfrmTransliTable>(
            window->actions.miTranslitTable, [](gui::TfrmTransliTable& editor) { editor.close(); }));
        const QTableWidget* grid = window->frmTransliTable->sgTranslitTable;
        const auto shipped
            = text::LoadTranslitTable(std::filesystem::path(VENNART_DATA_DIR) / "translit.tab");
        QCOMPARE(grid->rowCount(), static_cast<int>(shipped.Lines().size()) + 1);
        QCOMPARE(grid->item(0, 0)->text() + u'=' + grid->item(0, 1)->text(),
            gui::ToQString(shipped.Lines().front()));
        QVERIFY(!std::filesystem::exists(session->SettingsFile().parent_path() / "translit.tab"));
    }

    // How rows become the table's lines is the table's own rule; here, the gestures that edit them,
    // one run of the editor after the other, the last one with a folder that refuses the new file.
    void translitEditorSavesWhatEachRunEditedAndAFailedSaveKeepsTheFile()
    {
        TempDir dir;
        const std::filesystem::path file = dir / "translit.tab";
        FaultyFileSystem fileSystem;
        text::TranslitTable table({ u"ж=zh", u"ш=sh" });
        gui::TfrmTransliTable editor(table, file, fileSystem);
        const QTableWidget* grid = editor.sgTranslitTable;

        // A repeated character is flagged, cut to one character, and saved in the first one's place.
        RunEditor(editor, { { 2, 0, u"Жy"_s }, { 2, 1, u"ZH"_s } });
        QCOMPARE(grid->item(2, 0)->text(), u"Ж"_s);
        QStringList tips;
        for (int row = 0; row < grid->rowCount(); ++row)
            tips.append(grid->item(row, 0)->toolTip().left(5));
        QCOMPARE(tips, (QStringList { {}, {}, u"Row 1"_s, {} }));
        QCOMPARE(FileContent(file), SettingsFileBytes({ u"Ж=ZH"_s, u"ш=sh"_s }));

        // Delete empties the second row, which leaves the table; a character typed into the empty
        // last row adds a row.
        RunEditor(editor, { { 2, 0, u"щ"_s }, { 2, 1, u"shch"_s } }, 1);
        QCOMPARE(grid->rowCount(), 4);
        const QByteArray saved = SettingsFileBytes({ u"Ж=ZH"_s, u"щ=shch"_s });
        QCOMPARE(FileContent(file), saved);

        fileSystem.DenyCreatingIn(dir.Path());
        QString error;
        try {
            RunEditor(editor, { { 1, 1, u"sch"_s } });
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
        QCOMPARE(error, QString::fromStdString("Cannot create file " + file.string()));
        QCOMPARE(FileContent(file), saved);
        QCOMPARE(table.Lines(), (std::vector<WideString> { u"Ж=ZH", u"щ=sch" }));
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
