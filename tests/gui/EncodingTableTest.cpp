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

// The default set: as the dialog checks it (catalogue order), and as the combo boxes list it,
// ID3v1 first, "*" before the selected entry.
const QString kDefaultChecked = u"1251,20866,21866,866,65001,1200"_s;
const QString kDefaultActive = u"*1251,20866,21866,866,65001|1251,20866,21866,866,65001,*1200"_s;

struct DialogRun {
    QString checkedOnOpen;
    bool okEnabled = false;
    bool lineShown = false;
    bool closedByOk = false;
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

// Opens the dialog through its menu item, leaves checked what `checkOnly` lists (all it checks when
// null) and presses OK; Cancel when OK did not close it.
DialogRun RunDialog(gui::TfrmMain& window, const QString& checkOnly)
{
    gui::TEncodingTable& dialog = *window.frmEncodingTable;
    DialogRun run;
    QTimer::singleShot(0, &dialog, [&dialog, &run, checkOnly] {
        QListWidget* list = dialog.clbEncodingTables;
        QSet<QString> codePages;
        for (int i = 0; i < list->count(); ++i)
            codePages.insert(list->item(i)->data(Qt::UserRole).toString());
        QCOMPARE(codePages.size(), list->count());
        run.checkedOnOpen = CheckedEntries(list);
        for (int i = 0; i < list->count() && !checkOnly.isNull(); ++i) {
            const bool keep = checkOnly.split(u',').contains(list->item(i)->data(Qt::UserRole).toString());
            list->item(i)->setCheckState(keep ? Qt::Checked : Qt::Unchecked);
        }
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
    QTest::addColumn<QString>("checkOnly");
    QTest::addColumn<QString>("checkedOnOpen");
    QTest::addColumn<bool>("okEnabled");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<QString>("activeAfter");
    QTest::newRow("first use, OK: nothing stored")
        << QString() << QString() << kDefaultChecked << true << QString() << kDefaultActive;
    QTest::newRow("OK without change keeps a differently ordered value")
        << u"1200,866,1251"_s << QString() << u"1251,866,1200"_s << true << u"1200,866,1251"_s
        << u"866,*1251|*1200,866,1251"_s;
    QTest::newRow("unchecking all removes the key")
        << u"866,1200"_s << u""_s << u"866,1200"_s << true << QString() << kDefaultActive;
    QTest::newRow("code page unknown to the catalogue counts as a change")
        << u"1251,4242,1200"_s << QString() << u"1251,1200"_s << true << u"1251,1200"_s
        << u"*1251|1251,*1200"_s;
    QTest::newRow("UTF-16 alone: OK disabled")
        << QString() << u"1200"_s << kDefaultChecked << false << QString() << kDefaultActive;
    QTest::newRow("UTF-16 and an 8-bit page: saved view code page gone")
        << QString() << u"866,1200"_s << kDefaultChecked << true << u"866,1200"_s << u"*866|866,*1200"_s;
    QTest::newRow("start-up value without an 8-bit page means the default set")
        << u"1200"_s << QString() << kDefaultChecked << true << u"1200"_s << kDefaultActive;
}

void EncodingTableTest::storesTheCheckedCodePages()
{
    QFETCH(QString, stored);
    QFETCH(QString, checkOnly);
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

    const DialogRun run = RunDialog(window, checkOnly);
    QCOMPARE(run.checkedOnOpen, checkedOnOpen);
    QCOMPARE(run.okEnabled, okEnabled);
    QCOMPARE(run.lineShown, !okEnabled);
    QCOMPARE(run.closedByOk, okEnabled);

    const workspace::Settings& after = session.Workspace().FSettings;
    QCOMPARE(gui::ToQString(after.Read(workspace::kCodePagesKey)), storedAfter);
    const bool keyPresent = std::any_of(after.Lines().begin(), after.Lines().end(),
        [](const WideString& line) { return line.starts_with(u"CodePages="); });
    QCOMPARE(keyPresent, !storedAfter.isNull());
    QCOMPARE(Listed(window.cbSourceEncv1) + u'|' + Listed(window.cbSourceEncv2), activeAfter);
    QCOMPARE(Listed(window.miEncodingID3v1), Listed(window.cbSourceEncv1));
    QCOMPARE(Listed(window.miEncodingID3v2), Listed(window.cbSourceEncv2));
    const QString unmarked = QString(activeAfter).remove(u'*');
    QCOMPARE(Listed(window.miChangeEncodingID3v1) + u'|' + Listed(window.miChangeEncodingID3v2), unmarked);
    // On the ID3v1 tab the tool button's pop-up offers no UTF-16.
    QCOMPARE(Listed(window.popupMenuEnc), Listed(window.miChangeEncodingID3v1));
    QCOMPARE(session.Workspace().ViewCodePage(workspace::TagGrid::ID3v1),
        window.cbSourceEncv1->currentData().toUInt());
    QCOMPARE(session.Workspace().ViewCodePage(workspace::TagGrid::ID3v2),
        window.cbSourceEncv2->currentData().toUInt());
}

QTEST_MAIN(EncodingTableTest)
#include "EncodingTableTest.moc"
