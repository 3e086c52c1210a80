// "ID3v2 tags to edit": which rows the dialog ticks from TagEditList, what OK stores, and the
// panel rows that follow.
#include "GuiSession.h"
#include "gui/QtText.h"
#include "gui/TfrmSelectTags.h"
#include "workspace/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

namespace {

enum class Close { Ok, UntickAllThenOk, TickTdatThenCancel };

const QString kDefaultInRowOrder = u"TCOM,TCOP,TENC,TEXT,TOPE,TPE2,TPE3,TPE4,TPUB,TRDA,TRSN"_s;
const QString kDefaultAsStored = u"TCOM,TOPE,TCOP,TENC,TEXT,TPE2,TPE3,TPE4,TPUB,TRDA,TRSN"_s;

QString TickedRows(const gui::TfrmSelectTags& dialog)
{
    QStringList ticked;
    for (const auto& [id, check] : dialog.TagRows()) {
        if (check->isChecked())
            ticked.append(QString::fromStdString(id));
    }
    return ticked.join(u',');
}

QString AdditionalPanelRows(gui::TfrmMain& window)
{
    QStringList ids;
    for (const QComboBox* combo : window.gbAdditionalTags->findChildren<QComboBox*>())
        ids.append(combo->objectName().mid(8));
    return ids.join(u',');
}

// Opens the dialog through its menu item and closes it as `close` says; the rows it ticked.
QString RunDialog(gui::TfrmMain& window, Close close)
{
    gui::TfrmSelectTags& dialog = *window.frmSelectTags;
    QString ticked;
    QTimer::singleShot(0, &dialog, [&dialog, &ticked, close] {
        ticked = TickedRows(dialog);
        for (const auto& [id, check] : dialog.TagRows()) {
            if (close == Close::UntickAllThenOk)
                check->setChecked(false);
            if (close == Close::TickTdatThenCancel && id == "TDAT")
                check->setChecked(true);
        }
        (close == Close::TickTdatThenCancel ? dialog.btnCancel : dialog.btnOK)->click();
    });
    window.actions.miTagsToDisplay->trigger();
    return ticked;
}

} // namespace

class SelectTagsTest : public QObject {
    Q_OBJECT
private slots:
    void storesTickedRows_data();
    void storesTickedRows();
};

void SelectTagsTest::storesTickedRows_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<Close>("close");
    QTest::addColumn<QString>("ticked");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<QString>("panelAfter");
    QTest::newRow("first use, OK") << QString() << Close::Ok << kDefaultInRowOrder << kDefaultInRowOrder
                                   << kDefaultInRowOrder;
    QTest::newRow("lower case in row order, OK")
        << u"tcom,tpe2"_s << Close::Ok << u"TCOM,TPE2"_s << u"tcom,tpe2"_s << u"TCOM,TPE2"_s;
    QTest::newRow("untick all") << u"TCOM,TPE2"_s << Close::UntickAllThenOk << u"TCOM,TPE2"_s << QString()
                                << kDefaultAsStored;
    QTest::newRow("main frame ticks nothing")
        << u"TIT2,TCOM"_s << Close::Ok << u"TCOM"_s << u"TCOM"_s << u"TCOM"_s;
    QTest::newRow("cancel") << u"TCOM,TPE2"_s << Close::TickTdatThenCancel << u"TCOM,TPE2"_s << u"TCOM,TPE2"_s
                            << u"TCOM,TPE2"_s;
}

void SelectTagsTest::storesTickedRows()
{
    QFETCH(QString, stored);
    QFETCH(Close, close);
    QFETCH(QString, ticked);
    QFETCH(QString, storedAfter);
    QFETCH(QString, panelAfter);
    GuiSession session;
    std::vector<std::u16string> settings
        = { u"CurrentDir=" + gui::ToQString(session.MusicDir()).toStdU16String() };
    if (!stored.isEmpty())
        settings.push_back(u"TagEditList=" + stored.toStdU16String());
    session.WriteSettings(settings);
    QVERIFY(session.Start());
    gui::TfrmMain& window = session.Window();

    QCOMPARE(RunDialog(window, close), ticked);
    const workspace::Settings& after = session.Workspace().FSettings;
    QCOMPARE(gui::ToQString(after.Read(workspace::kTagEditListKey)), storedAfter);
    const bool keyPresent = std::any_of(after.Lines().begin(), after.Lines().end(),
        [](const WideString& line) { return line.starts_with(u"TagEditList="); });
    QCOMPARE(keyPresent, !storedAfter.isEmpty());
    QCOMPARE(AdditionalPanelRows(window), panelAfter);
}

QTEST_MAIN(SelectTagsTest)
#include "SelectTagsTest.moc"
