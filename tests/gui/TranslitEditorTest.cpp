// The transliteration table editor: the shipped table's rows, what its rows save to translit.tab,
// byte for byte, and that a failed save keeps both the old file and the edited table.
#include "GuiSession.h"
#include "gui/QtText.h"
#include "gui/TfrmTransliTable.h"
#include "support/FaultyFileSystem.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

namespace {

using Edit = std::function<void(gui::TfrmTransliTable&)>;

const std::vector<WideString> kStartLines = { u"ж=zh", u"ш=sh" };

void SetCell(gui::TfrmTransliTable& editor, int row, int column, const QString& text)
{
    QTableWidget* grid = editor.sgTranslitTable;
    grid->setCurrentCell(row, column);
    grid->item(row, column)->setText(text);
}

void PressDeleteOnRow(gui::TfrmTransliTable& editor, int row)
{
    QTableWidget* grid = editor.sgTranslitTable;
    grid->setFocus();
    grid->selectRow(row);
    QTest::keyClick(grid, Qt::Key_Delete);
}

struct EditorCase {
    const char* name;
    Edit edit;
    std::vector<WideString> savedLines;
};

const EditorCase kEditorCases[] = {
    { "later row takes the earlier one's place",
        [](gui::TfrmTransliTable& e) {
            SetCell(e, 2, 0, u"Жx"_s);
            SetCell(e, 2, 1, u"ZH"_s);
        },
        { u"Ж=ZH", u"ш=sh" } },
    { "empty replacement drops the line", [](gui::TfrmTransliTable& e) { SetCell(e, 0, 1, {}); },
        { u"ш=sh" } },
    { "Delete key empties the row", [](gui::TfrmTransliTable& e) { PressDeleteOnRow(e, 1); }, { u"ж=zh" } },
    { "typed row is appended",
        [](gui::TfrmTransliTable& e) {
            SetCell(e, 2, 0, u"щ"_s);
            SetCell(e, 2, 1, u"shch"_s);
        },
        { u"ж=zh", u"ш=sh", u"щ=shch" } },
};

// Opens the editor, makes the edit while it is shown, and closes it with OK.
void RunEditor(gui::TfrmTransliTable& editor, const Edit& edit)
{
    QTimer::singleShot(0, &editor, [&editor, edit] {
        edit(editor);
        editor.btnOK->click();
    });
    editor.ShowTranslitTable();
}

} // namespace

class TranslitEditorTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheShippedTableAndARowForANewEntry();
    void savesRowsInGridOrder_data();
    void savesRowsInGridOrder();
    void flagsRepeatedCharacterAndKeepsFirstTyped();
    void closingWithoutEditWritesNothing();
    void failedSaveKeepsFileAndTable();
};

void TranslitEditorTest::showsTheShippedTableAndARowForANewEntry()
{
    GuiSession session;
    QVERIFY(session.Start());
    gui::TfrmTransliTable& editor = *session.Window().frmTransliTable;
    int rows = 0;
    QString firstRow;
    QTimer::singleShot(0, &editor, [&] {
        const QTableWidget* grid = editor.sgTranslitTable;
        rows = grid->rowCount();
        firstRow = grid->item(0, 0)->text() + u'=' + grid->item(0, 1)->text();
        editor.close();
    });
    session.Window().actions.miTranslitTable->trigger();
    const auto shipped = text::LoadTranslitTable(std::filesystem::path(VENNART_DATA_DIR) / "translit.tab");
    QCOMPARE(rows, static_cast<int>(shipped.Lines().size()) + 1);
    QCOMPARE(firstRow, gui::ToQString(shipped.Lines().front()));
}

void TranslitEditorTest::savesRowsInGridOrder_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < std::size(kEditorCases); ++i)
        QTest::newRow(kEditorCases[i].name) << int(i);
}

void TranslitEditorTest::savesRowsInGridOrder()
{
    QFETCH(int, index);
    const EditorCase& row = kEditorCases[index];
    TempDir dir;
    const std::filesystem::path file = dir / "translit.tab";
    text::TranslitTable table(kStartLines);
    gui::TfrmTransliTable editor(table, file, platform::SystemFileSystem());
    RunEditor(editor, row.edit);
    QCOMPARE(FileContent(file), ToByteArray(SettingsFileBytes(row.savedLines)));
    QCOMPARE(table.Lines(), row.savedLines);
}

void TranslitEditorTest::flagsRepeatedCharacterAndKeepsFirstTyped()
{
    TempDir dir;
    text::TranslitTable table(kStartLines);
    gui::TfrmTransliTable editor(table, dir / "translit.tab", platform::SystemFileSystem());
    QString typed;
    QStringList tips;
    RunEditor(editor, [&](gui::TfrmTransliTable& e) {
        SetCell(e, 2, 0, u"Жy"_s);
        typed = e.sgTranslitTable->item(2, 0)->text();
        for (int row = 0; row < e.sgTranslitTable->rowCount(); ++row)
            tips.append(e.sgTranslitTable->item(row, 0)->toolTip().left(5));
    });
    QCOMPARE(typed, u"Ж"_s);
    QCOMPARE(tips, (QStringList { {}, {}, u"Row 1"_s, {} }));
}

void TranslitEditorTest::closingWithoutEditWritesNothing()
{
    TempDir dir;
    const std::filesystem::path file = dir / "translit.tab";
    const Bytes utf8 = BytesOf("\xEF\xBB\xBF\xD0\xB6=zh\n");
    WriteFileBytes(file, utf8);
    text::TranslitTable table(kStartLines);
    gui::TfrmTransliTable editor(table, file, platform::SystemFileSystem());
    QTimer::singleShot(0, &editor, [&editor] { editor.close(); });
    editor.ShowTranslitTable();
    QCOMPARE(FileContent(file), ToByteArray(utf8));
}

void TranslitEditorTest::failedSaveKeepsFileAndTable()
{
    TempDir dir;
    const std::filesystem::path file = dir / "translit.tab";
    const Bytes old = SettingsFileBytes(kStartLines);
    WriteFileBytes(file, old);
    FaultyFileSystem readOnlyFolder;
    readOnlyFolder.DenyCreatingIn(dir.Path());
    text::TranslitTable table(kStartLines);
    gui::TfrmTransliTable editor(table, file, readOnlyFolder);
    QString error;
    try {
        RunEditor(editor, [](gui::TfrmTransliTable& e) { SetCell(e, 1, 1, u"sch"_s); });
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    QCOMPARE(error, QString::fromStdString("Cannot create file " + file.string()));
    QCOMPARE(FileContent(file), ToByteArray(old));
    QCOMPARE(table.Lines(), (std::vector<WideString> { u"ж=zh", u"ш=sch" }));
    QCOMPARE(table.Transliterate(u"ш"), WideString(u"sch"));
}

QTEST_MAIN(TranslitEditorTest)
#include "TranslitEditorTest.moc"
