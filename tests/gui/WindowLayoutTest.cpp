// The main window's frame as users see it: what takes the room of a larger window, nothing cut at
// the usual sizes, whole texts in tooltips where cells are narrow, the title, and the name field
// after a save that could not rename.
#include "GuiSession.h"
#include "SampleSongs.h"
#include "gui/CutTextToolTip.h"
#include "gui/QtText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

namespace {

// Every visible label whose text is wider than the label, and every visible drop-down list that
// cannot show its current entry whole.
QStringList CutTexts(const QWidget& window)
{
    QStringList cut;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&window) && !label->text().isEmpty()
            && label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width())
            cut.append(label->text());
    }
    for (const QComboBox* combo : window.findChildren<QComboBox*>()) {
        if (!combo->isVisibleTo(&window) || combo->isEditable())
            continue;
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const QRect room = combo->style()->subControlRect(
            QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        if (combo->fontMetrics().horizontalAdvance(combo->currentText()) > room.width())
            cut.append(combo->currentText());
    }
    return cut;
}

bool IsCut(QTableView* view, int row, int column)
{
    const auto* delegate = qobject_cast<gui::CutTextToolTip*>(view->itemDelegate());
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(view->model()->index(row, column));
    return delegate != nullptr && delegate->IsCut(view, option, view->model()->index(row, column));
}

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void aLargerWindowGivesItsRoomToTheFileGridsAndCutsNoCaption()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        for (const int tab : { 0, 1 }) {
            ClickTab(window, tab);
            // The tab's own controls are laid out before anything is painted.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            const QStringList cut = CutTexts(window);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u" | "_s)));
        }
        const int gridHeight = window.sgID3v2->height();
        const int panelHeight = window.sbAllTags->height();

        window.resize(1280, 800);
        QTRY_VERIFY(window.sgID3v2->height() > gridHeight);

        QVERIFY2(window.sgID3v2->height() - gridHeight >= 800 - 552 - 40,
            qPrintable(QString::number(window.sgID3v2->height() - gridHeight)));
        QCOMPARE(window.sbAllTags->height(), panelHeight);
        for (const int tab : { 0, 1 }) {
            ClickTab(window, tab);
            // The tab's own controls are laid out before anything is painted.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            const QStringList cut = CutTexts(window);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u" | "_s)));
        }
    }

    void cutCellTextsShowWholeInTooltips()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        // "Mod Extension (only JS)" is longer than the title column, "Frames" is not.
        QVERIFY(IsCut(window.sgFileInfo, 10, 0));
        QVERIFY(!IsCut(window.sgFileInfo, 3, 0));
        QVERIFY(!IsCut(window.sgID3v1, 0, 0));
    }

    void theTitleNamesTheFolderAndMarksUnsavedEdits()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        const QString folder = gui::ToQString(session.MusicDir().filename());
        QCOMPARE(window.windowTitle(), folder + u"[*] - Vennart"_s);
        QVERIFY(!window.isWindowModified());

        TypeInto(Field(window, "TIT2"), u"Edited"_s);
        QVERIFY(window.isWindowModified());
        window.actions.miUndo->trigger();
        QVERIFY(!window.isWindowModified());
        window.actions.miRedo->trigger();
        QVERIFY(window.isWindowModified());
        window.actions.miSave->trigger();
        QVERIFY(!window.isWindowModified());
    }

    void afterASaveThatRefusedARenameTheNameFieldShowsTheFilesName()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        ClickRows(window.sgID3v1, 2, 2);
        const QString name = QString::fromStdU16String(kSampleSongs[2].fileName);
        QTRY_COMPARE(window.EditFileName->text(), name);
        // The name of another file of the folder: the rename must not replace it.
        TypeInto(window.EditFileName, QString::fromStdU16String(kSampleSongs[0].fileName));
        QString shownWithTheError;
        session.Prompts().WhileErrorShows = [&] { shownWithTheError = window.EditFileName->text(); };

        window.actions.miSave->trigger();

        QCOMPARE(session.Prompts().Errors.size(), std::size_t { 1 });
        QCOMPARE(shownWithTheError, name);
        QCOMPARE(Cell(window.sgID3v1, 2, 0), name);
        QCOMPARE(window.EditFileName->text(), name);
        QVERIFY(!window.isWindowModified());
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "WindowLayoutTest.moc"
