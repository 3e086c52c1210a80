// The dialogs that edit what the program keeps between runs: "ID3v2 tags to edit" and "Encoding
// settings" under their settings keys, the transliteration table in translit.tab. Each one: what
// it shows of the stored value, what OK stores and Cancel keeps, what it refuses, and the controls
// that follow the stored value.
#include "GuiSession.h"
#include "gui/QtText.h"
#include "gui/TEncodingTable.h"
#include "gui/TfrmSelectTags.h"
#include "gui/TfrmTransliTable.h"
#include "support/FaultyFileSystem.h"
#include "workspace/Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSet>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

namespace {

// Starts in the music folder with `value` stored under `key`; no line for the key when null.
bool StartWithStored(GuiSession& session, std::u16string_view key, const QString& value)
{
    if (value.isNull())
        return session.StartInMusicDir();
    return session.StartInMusicDir({ std::u16string(key) + u'=' + value.toStdU16String() });
}

// The rows of the additional ID3v2 frames in the editing panel.
QString AdditionalPanelRows(gui::TfrmMain& window)
{
    QStringList ids;
    for (const QComboBox* combo : window.gbAdditionalTags->findChildren<QComboBox*>())
        ids.append(combo->objectName().mid(8));
    return ids.join(u',');
}

const QString kDefaultTagsInRowOrder = u"TCOM,TCOP,TENC,TEXT,TOPE,TPE2,TPE3,TPE4,TPUB,TRDA,TRSN"_s;
const QString kDefaultTagsAsStored = u"TCOM,TOPE,TCOP,TENC,TEXT,TPE2,TPE3,TPE4,TPUB,TRDA,TRSN"_s;

struct TagListCase {
    QString stored; // null: no TagEditList line
    QString tickOnly; // null: the rows stay as the dialog ticks them
    bool ok; // else Cancel
    QString tickedOnOpen;
    QString storedAfter;
    QString panelAfter;
};

// The default set: as the encoding dialog checks it (catalogue order), and as the combo boxes list
// it, ID3v1 first, "*" before the selected entry.
const QString kDefaultChecked = u"1251,20866,21866,866,65001,1200"_s;
const QString kDefaultActive = u"*1251,20866,21866,866,65001|1251,20866,21866,866,65001,*1200"_s;

struct CodePagesCase {
    QString stored; // null: no CodePages line
    QString checkOnly; // null: the entries stay as the dialog checks them
    QString checkedOnOpen;
    bool okEnabled; // else the dialog is closed with Cancel
    QString storedAfter;
    QString activeAfter;
};

QString CheckedEntries(const QListWidget* list)
{
    QStringList checked;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->checkState() == Qt::Checked)
            checked.append(list->item(i)->data(Qt::UserRole).toString());
    }
    return checked.join(u',');
}

QString Listed(const QComboBox* combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries.append((i == combo->currentIndex() ? u"*"_s : QString()) + combo->itemData(i).toString());
    return entries.join(u',');
}

// Visible items only; "*" before the checked ones.
QString Listed(const QMenu* menu)
{
    QStringList entries;
    for (const QAction* item : menu->actions()) {
        if (item->isVisible())
            entries.append((item->isChecked() ? u"*"_s : QString()) + item->data().toString());
    }
    return entries.join(u',');
}

const std::vector<WideString> kTranslitLines = { u"ж=zh", u"ш=sh" };

void SetCell(gui::TfrmTransliTable& editor, int row, int column, const QString& text)
{
    QTableWidget* grid = editor.sgTranslitTable;
    grid->setCurrentCell(row, column);
    grid->item(row, column)->setText(text);
}

// Opens the editor, makes the edit while it is shown, and closes it with OK.
template <class Edit> void RunEditor(gui::TfrmTransliTable& editor, Edit edit)
{
    QTimer::singleShot(0, &editor, [&editor, edit] {
        edit(editor);
        editor.btnOK->click();
    });
    editor.ShowTranslitTable();
}

} // namespace

class SettingsDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void tagListStoresTheTickedRows_data()
    {
        QTest::addColumn<TagListCase>("row");
        const QString kDefault = kDefaultTagsInRowOrder;
        QTest::newRow("first use, OK") << TagListCase { {}, {}, true, kDefault, kDefault, kDefault };
        QTest::newRow("lower case in row order, OK")
            << TagListCase { u"tcom,tpe2"_s, {}, true, u"TCOM,TPE2"_s, u"tcom,tpe2"_s, u"TCOM,TPE2"_s };
        QTest::newRow("untick all") << TagListCase { u"TCOM,TPE2"_s, u""_s, true, u"TCOM,TPE2"_s, {},
            kDefaultTagsAsStored };
        QTest::newRow("main frame ticks nothing")
            << TagListCase { u"TIT2,TCOM"_s, {}, true, u"TCOM"_s, u"TCOM"_s, u"TCOM"_s };
        QTest::newRow("cancel") << TagListCase { u"TCOM,TPE2"_s, u"TCOM,TPE2,TDAT"_s, false, u"TCOM,TPE2"_s,
            u"TCOM,TPE2"_s, u"TCOM,TPE2"_s };
    }

    void tagListStoresTheTickedRows()
    {
        QFETCH(TagListCase, row);
        GuiSession session;
        QVERIFY(StartWithStored(session, workspace::kTagEditListKey, row.stored));
        gui::TfrmMain& window = session.Window();

        QStringList tickedOnOpen;
        WhileOpen<gui::TfrmSelectTags>(window.actions.miTagsToDisplay, [&](gui::TfrmSelectTags& dialog) {
            for (const auto& [id, check] : dialog.TagRows()) {
                const QString name = QString::fromStdString(id);
                if (check->isChecked())
                    tickedOnOpen.append(name);
                if (!row.tickOnly.isNull())
                    check->setChecked(row.tickOnly.split(u',').contains(name));
            }
            (row.ok ? dialog.btnOK : dialog.btnCancel)->click();
        });
        QCOMPARE(tickedOnOpen.join(u','), row.tickedOnOpen);
        QCOMPARE(StoredValue(session.Workspace().FSettings, workspace::kTagEditListKey), row.storedAfter);
        QCOMPARE(AdditionalPanelRows(window), row.panelAfter);
    }

    void codePagesStoresTheCheckedEntries_data()
    {
        QTest::addColumn<CodePagesCase>("row");
        QTest::newRow("first use, OK: nothing stored")
            << CodePagesCase { {}, {}, kDefaultChecked, true, {}, kDefaultActive };
        QTest::newRow("OK without change keeps a differently ordered value")
            << CodePagesCase { u"1200,866,1251"_s, {}, u"1251,866,1200"_s, true, u"1200,866,1251"_s,
                   u"866,*1251|*1200,866,1251"_s };
        QTest::newRow("unchecking all removes the key")
            << CodePagesCase { u"866,1200"_s, u""_s, u"866,1200"_s, true, {}, kDefaultActive };
        QTest::newRow("code page unknown to the catalogue counts as a change")
            << CodePagesCase { u"1251,4242,1200"_s, {}, u"1251,1200"_s, true, u"1251,1200"_s,
                   u"*1251|1251,*1200"_s };
        QTest::newRow("UTF-16 alone: OK disabled")
            << CodePagesCase { {}, u"1200"_s, kDefaultChecked, false, {}, kDefaultActive };
        QTest::newRow("UTF-16 and an 8-bit page: saved view code page gone")
            << CodePagesCase { {}, u"866,1200"_s, kDefaultChecked, true, u"866,1200"_s, u"*866|866,*1200"_s };
        QTest::newRow("start-up value without an 8-bit page means the default set")
            << CodePagesCase { u"1200"_s, {}, kDefaultChecked, true, u"1200"_s, kDefaultActive };
    }

    void codePagesStoresTheCheckedEntries()
    {
        QFETCH(CodePagesCase, row);
        GuiSession session;
        QVERIFY(StartWithStored(session, workspace::kCodePagesKey, row.stored));
        gui::TfrmMain& window = session.Window();

        QString checkedOnOpen;
        bool okEnabled = false;
        bool lineShown = false;
        bool closedByOk = false;
        WhileOpen<gui::TEncodingTable>(window.actions.miEncodings, [&](gui::TEncodingTable& dialog) {
            QListWidget* list = dialog.clbEncodingTables;
            QSet<QString> codePages;
            for (int i = 0; i < list->count(); ++i)
                codePages.insert(list->item(i)->data(Qt::UserRole).toString());
            QCOMPARE(codePages.size(), list->count());
            checkedOnOpen = CheckedEntries(list);
            for (int i = 0; i < list->count() && !row.checkOnly.isNull(); ++i) {
                const bool keep
                    = row.checkOnly.split(u',').contains(list->item(i)->data(Qt::UserRole).toString());
                list->item(i)->setCheckState(keep ? Qt::Checked : Qt::Unchecked);
            }
            okEnabled = dialog.btnOK->isEnabled();
            lineShown = dialog.labNeedsEightBit->isVisible();
            dialog.btnOK->click();
            closedByOk = !dialog.isVisible();
            if (!closedByOk)
                dialog.btnCancel->click();
        });
        QCOMPARE(checkedOnOpen, row.checkedOnOpen);
        QCOMPARE(okEnabled, row.okEnabled);
        QCOMPARE(lineShown, !row.okEnabled);
        QCOMPARE(closedByOk, row.okEnabled);

        QCOMPARE(StoredValue(session.Workspace().FSettings, workspace::kCodePagesKey), row.storedAfter);
        QCOMPARE(Listed(window.cbSourceEncv1) + u'|' + Listed(window.cbSourceEncv2), row.activeAfter);
        QCOMPARE(Listed(window.miEncodingID3v1), Listed(window.cbSourceEncv1));
        QCOMPARE(Listed(window.miEncodingID3v2), Listed(window.cbSourceEncv2));
        const QString unmarked = QString(row.activeAfter).remove(u'*');
        QCOMPARE(
            Listed(window.miChangeEncodingID3v1) + u'|' + Listed(window.miChangeEncodingID3v2), unmarked);
        // On the ID3v1 tab the tool button's pop-up offers no UTF-16.
        QCOMPARE(Listed(window.popupMenuEnc), Listed(window.miChangeEncodingID3v1));
        QCOMPARE(session.Workspace().ViewCodePage(workspace::TagGrid::ID3v1),
            window.cbSourceEncv1->currentData().toUInt());
        QCOMPARE(session.Workspace().ViewCodePage(workspace::TagGrid::ID3v2),
            window.cbSourceEncv2->currentData().toUInt());
    }

    void translitEditorShowsTheShippedTableAndClosingUneditedWritesNothing()
    {
        GuiSession session;
        QVERIFY(session.Start());
        WhileOpen<gui::TfrmTransliTable>(
            session.Window().actions.miTranslitTable, [](gui::TfrmTransliTable& editor) { editor.close(); });
        const QTableWidget* grid = session.Window().frmTransliTable->sgTranslitTable;
        const auto shipped
            = text::LoadTranslitTable(std::filesystem::path(VENNART_DATA_DIR) / "translit.tab");
        QCOMPARE(grid->rowCount(), static_cast<int>(shipped.Lines().size()) + 1);
        QCOMPARE(grid->item(0, 0)->text() + u'=' + grid->item(0, 1)->text(),
            gui::ToQString(shipped.Lines().front()));
        QVERIFY(!std::filesystem::exists(session.SettingsFile().parent_path() / "translit.tab"));
    }

    // How rows become the table's lines is the table's own rule; here, the gestures that edit them,
    // one run of the editor after the other, the last one with a folder that refuses the new file.
    void translitEditorSavesWhatEachRunEditedAndAFailedSaveKeepsTheFile()
    {
        TempDir dir;
        const std::filesystem::path file = dir / "translit.tab";
        FaultyFileSystem fileSystem;
        text::TranslitTable table(kTranslitLines);
        gui::TfrmTransliTable editor(table, file, fileSystem);
        const QTableWidget* grid = editor.sgTranslitTable;

        // A repeated character is flagged, cut to one character, and saved in the first one's place.
        RunEditor(editor, [](gui::TfrmTransliTable& e) {
            SetCell(e, 2, 0, u"Жy"_s);
            SetCell(e, 2, 1, u"ZH"_s);
        });
        QCOMPARE(grid->item(2, 0)->text(), u"Ж"_s);
        QStringList tips;
        for (int row = 0; row < grid->rowCount(); ++row)
            tips.append(grid->item(row, 0)->toolTip().left(5));
        QCOMPARE(tips, (QStringList { {}, {}, u"Row 1"_s, {} }));
        QCOMPARE(FileContent(file), ToByteArray(SettingsFileBytes({ u"Ж=ZH", u"ш=sh" })));

        RunEditor(editor, [](gui::TfrmTransliTable& e) {
            e.sgTranslitTable->setFocus();
            e.sgTranslitTable->selectRow(1);
            QTest::keyClick(e.sgTranslitTable, Qt::Key_Delete);
        });
        QCOMPARE(FileContent(file), ToByteArray(SettingsFileBytes({ u"Ж=ZH" })));

        // A character typed into the empty last row adds a row.
        RunEditor(editor, [](gui::TfrmTransliTable& e) {
            SetCell(e, 1, 0, u"щ"_s);
            SetCell(e, 1, 1, u"shch"_s);
        });
        const Bytes saved = SettingsFileBytes({ u"Ж=ZH", u"щ=shch" });
        QCOMPARE(FileContent(file), ToByteArray(saved));

        fileSystem.DenyCreatingIn(dir.Path());
        QString error;
        try {
            RunEditor(editor, [](gui::TfrmTransliTable& e) { SetCell(e, 1, 1, u"sch"_s); });
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
        QCOMPARE(error, QString::fromStdString("Cannot create file " + file.string()));
        QCOMPARE(FileContent(file), ToByteArray(saved));
        QCOMPARE(table.Lines(), (std::vector<WideString> { u"Ж=ZH", u"щ=sch" }));
        QCOMPARE(table.Transliterate(u"щ"), WideString(u"sch"));
    }
};

QTEST_MAIN(SettingsDialogsTest)
#include "SettingsDialogsTest.moc"
