// "Encoding settings": which entries the dialog checks, when OK may be pressed, what it stores under
// CodePages, and the code pages the menus and combo boxes offer afterwards.
#include "GuiSession.h"
#include "gui/QtText.h"
#include "gui/TEncodingTable.h"
#include "workspace/Settings.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

namespace {

enum class Close { Ok, UncheckAllThenOk, OnlyUtf16ThenOk, OnlyUtf16And866ThenOk };

// The default set in both its orders: as the setting spells it and as the catalogue lists it, ID3v1
// first, "*" before the selected entry.
const QString kDefaultActive = u"*1251,20866,21866,866,65001|1251,20866,21866,866,65001,*1200"_s;
const QString kDefaultChecked = u"1251,20866,21866,866,65001,1200"_s;

struct DialogRun {
    QString checkedOnOpen;
    bool okEnabled = false;
    bool lineShown = false;
    bool closedByOk = false;
};

uint CodePageOf(const QListWidgetItem* entry)
{
    return entry->data(Qt::UserRole).toUInt();
}

QString CheckedEntries(const QListWidget* list)
{
    QStringList checked;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->checkState() == Qt::Checked)
            checked.append(QString::number(CodePageOf(list->item(i))));
    }
    return checked.join(u',');
}

void Check(QListWidget* list, Close close)
{
    for (int i = 0; i < list->count(); ++i) {
        const uint codePage = CodePageOf(list->item(i));
        const bool keep = (close == Close::OnlyUtf16ThenOk && codePage == 1200)
            || (close == Close::OnlyUtf16And866ThenOk && (codePage == 1200 || codePage == 866));
        if (close != Close::Ok)
            list->item(i)->setCheckState(keep ? Qt::Checked : Qt::Unchecked);
    }
}

// Opens the dialog through its menu item, checks as `close` says and presses OK; Cancel when OK
// did not close it.
DialogRun RunDialog(gui::TfrmMain& window, Close close)
{
    gui::TEncodingTable& dialog = *window.frmEncodingTable;
    DialogRun run;
    QTimer::singleShot(0, &dialog, [&dialog, &run, close] {
        QListWidget* list = dialog.clbEncodingTables;
        QSet<uint> codePages;
        for (int i = 0; i < list->count(); ++i)
            codePages.insert(CodePageOf(list->item(i)));
        QCOMPARE(codePages.size(), list->count());
        run.checkedOnOpen = CheckedEntries(list);
        Check(list, close);
        run.okEnabled = dialog.btnOK->isEnabled();
        run.lineShown = dialog.labNeedsEightBit->isVisible();
        dialog.btnOK->click();
        run.closedByOk = !dialog.isVisible();
        if (!run.closedByOk)
            dialog.btnCancel->click();
    });
    window.actions.miEncodings->trigger();
    return run;
}

QList<uint> CodePagesOf(const QMenu* menu)
{
    QList<uint> codePages;
    for (const QAction* item : menu->actions())
        codePages.append(item->data().toUInt());
    return codePages;
}

QList<uint> CodePagesOf(const QComboBox* combo)
{
    QList<uint> codePages;
    for (int i = 0; i < combo->count(); ++i)
        codePages.append(combo->itemData(i).toUInt());
    return codePages;
}

QString Listed(const QComboBox* combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) {
        const QString codePage = QString::number(combo->itemData(i).toUInt());
        entries.append(i == combo->currentIndex() ? u'*' + codePage : codePage);
    }
    return entries.join(u',');
}

bool HasCodePagesKey(const workspace::Settings& settings)
{
    return std::any_of(settings.Lines().begin(), settings.Lines().end(),
        [](const WideString& line) { return line.starts_with(u"CodePages="); });
}

} // namespace

class EncodingTableTest : public QObject {
    Q_OBJECT
private slots:
    void storesTheCheckedCodePages_data();
    void storesTheCheckedCodePages();
};

void EncodingTableTest::storesTheCheckedCodePages_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<Close>("close");
    QTest::addColumn<QString>("checkedOnOpen");
    QTest::addColumn<bool>("okEnabled");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<QString>("activeAfter");
    QTest::newRow("first use, OK: nothing stored")
        << QString() << Close::Ok << kDefaultChecked << true << QString() << kDefaultActive;
    QTest::newRow("OK without change keeps a differently ordered value")
        << u"1200,866,1251"_s << Close::Ok << u"1251,866,1200"_s << true << u"1200,866,1251"_s
        << u"866,*1251|*1200,866,1251"_s;
    QTest::newRow("unchecking all removes the key")
        << u"866,1200"_s << Close::UncheckAllThenOk << u"866,1200"_s << true << QString() << kDefaultActive;
    QTest::newRow("code page unknown to the catalogue counts as a change")
        << u"1251,4242,1200"_s << Close::Ok << u"1251,1200"_s << true << u"1251,1200"_s
        << u"*1251|1251,*1200"_s;
    QTest::newRow("UTF-16 alone: OK disabled")
        << QString() << Close::OnlyUtf16ThenOk << kDefaultChecked << false << QString() << kDefaultActive;
    QTest::newRow("UTF-16 and an 8-bit page: OK, saved view code page gone")
        << QString() << Close::OnlyUtf16And866ThenOk << kDefaultChecked << true << u"866,1200"_s
        << u"*866|866,*1200"_s;
    QTest::newRow("start-up value without an 8-bit page means the default set")
        << u"1200"_s << Close::Ok << kDefaultChecked << true << u"1200"_s << kDefaultActive;
}

void EncodingTableTest::storesTheCheckedCodePages()
{
    QFETCH(QString, stored);
    QFETCH(Close, close);
    QFETCH(QString, checkedOnOpen);
    QFETCH(bool, okEnabled);
    QFETCH(QString, storedAfter);
    QFETCH(QString, activeAfter);
    GuiSession session;
    std::vector<std::u16string> settings
        = { u"CurrentDir=" + gui::ToQString(session.MusicDir()).toStdU16String() };
    if (!stored.isNull())
        settings.push_back(u"CodePages=" + stored.toStdU16String());
    session.WriteSettings(settings);
    QVERIFY(session.Start());
    gui::TfrmMain& window = session.Window();

    const DialogRun run = RunDialog(window, close);
    QCOMPARE(run.checkedOnOpen, checkedOnOpen);
    QCOMPARE(run.okEnabled, okEnabled);
    QCOMPARE(run.lineShown, !okEnabled);
    QCOMPARE(run.closedByOk, okEnabled);

    const workspace::Settings& after = session.Workspace().FSettings;
    QCOMPARE(gui::ToQString(after.Read(workspace::kCodePagesKey)), storedAfter);
    QCOMPARE(HasCodePagesKey(after), !storedAfter.isNull());
    QCOMPARE(Listed(window.cbSourceEncv1) + u'|' + Listed(window.cbSourceEncv2), activeAfter);
    // Every menu offers what its combo box lists, and checks what it selects.
    const QList<uint> v1 = CodePagesOf(window.cbSourceEncv1);
    const QList<uint> v2 = CodePagesOf(window.cbSourceEncv2);
    QCOMPARE(CodePagesOf(window.miEncodingID3v1), v1);
    QCOMPARE(CodePagesOf(window.miChangeEncodingID3v1), v1);
    QCOMPARE(CodePagesOf(window.miEncodingID3v2), v2);
    QCOMPARE(CodePagesOf(window.miChangeEncodingID3v2), v2);
    QCOMPARE(CodePagesOf(window.popupMenuEnc), v2);
    // The window is on the ID3v1 tab, for which the tool button offers no UTF-16.
    if (const QAction* utf16 = ItemWithCodePage(window.popupMenuEnc, 1200))
        QVERIFY(!utf16->isVisible());
    const uint shown1 = window.cbSourceEncv1->currentData().toUInt();
    const uint shown2 = window.cbSourceEncv2->currentData().toUInt();
    QCOMPARE(ShownCodePages(window), (QList<uint> { shown1, shown1, shown2, shown2 }));
    QCOMPARE(session.Workspace().ViewCodePage(workspace::TagGrid::ID3v1), shown1);
    QCOMPARE(session.Workspace().ViewCodePage(workspace::TagGrid::ID3v2), shown2);
}

QTEST_MAIN(EncodingTableTest)
#include "EncodingTableTest.moc"
