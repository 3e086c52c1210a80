// "Make Filename from Tag" as the user meets it: the code buttons and the frame list, the preview
// of the new names, and what OK, an empty mask and an empty folder do to the grids and the FileMask
// setting.
#include "GuiSession.h"
#include "SampleSongs.h"
#include "gui/RenamePreviewModel.h"
#include "gui/TfrmFileNameFromTag.h"
#include "workspace/Settings.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

namespace {

gui::TfrmFileNameFromTag* DialogOf(gui::TfrmMain& window)
{
    return window.findChild<gui::TfrmFileNameFromTag*>(u"TfrmFileNameFromTag"_s);
}

// Runs the command; `inDialog` acts on the open dialog, then it closes with OK.
void RunCommand(gui::TfrmMain& window, const std::function<void(gui::TfrmFileNameFromTag&)>& inDialog)
{
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = DialogOf(window);
        inDialog(*dialog);
        dialog->btnOK->click();
    });
    window.actions.miMakeFilenamesfromTags->trigger();
}

QStringList PreviewColumn(const gui::TfrmFileNameFromTag& dialog, int column)
{
    QStringList texts;
    const auto* model = dialog.sgPreview->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

} // namespace

class FileNameFromTagTest : public QObject {
    Q_OBJECT
private slots:
    void codeButtonAppendsItsCodeAtTheEndWithTheCaretThere()
    {
        gui::TfrmFileNameFromTag dialog;
        dialog.show();
        dialog.editFileName->setText(u"ab"_s);
        dialog.editFileName->setCursorPosition(0);
        dialog.findChild<QPushButton*>(u"btnArtist"_s)->click();
        QCOMPARE(dialog.editFileName->text(), u"ab%vvar"_s);
        QCOMPARE(dialog.editFileName->cursorPosition(), 7);
        QCOMPARE(dialog.focusWidget(), dialog.editFileName);
    }

    void frameListFollowsTagEditListAndShowsOnlyOnID3v2()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        session.Workspace().FSettings.Write(workspace::kTagEditListKey, u"tcom,XXXX,TPUB");
        QStringList shown;
        bool visibleOnID3v1 = true;
        RunCommand(window, [&](gui::TfrmFileNameFromTag& dialog) {
            for (int i = 0; i < dialog.cbID3v2Tags->count(); ++i)
                shown << dialog.cbID3v2Tags->itemText(i);
            visibleOnID3v1 = dialog.cbID3v2Tags->isVisible() || dialog.lblID3v2tag->isVisible();
            dialog.cbID3v2Tags->activated(0);
            dialog.editFileName->clear();
        });
        QCOMPARE(shown, (QStringList { u"Composer"_s, u"Publisher"_s }));
        QVERIFY(!visibleOnID3v1);
    }

    void emptyMaskOnOkChangesNothing()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        session.Workspace().FSettings.Write(workspace::kFileMaskKey, u"%vvtt");
        RunCommand(window, [](gui::TfrmFileNameFromTag& dialog) { dialog.editFileName->clear(); });
        QCOMPARE(session.Workspace().FSettings.Read(workspace::kFileMaskKey), u"%vvtt");
        QCOMPARE(Marks(window.sgID3v1), (QStringList { QString(), QString(), QString() }));
    }

    void okWritesThePreviewedNamesIntoBothGrids()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        ClickTab(window, 1);
        window.actions.miSelectAll->trigger();
        QStringList previewed;
        QString status;
        RunCommand(window, [&](gui::TfrmFileNameFromTag& dialog) {
            QTest::keyClicks(dialog.editFileName, u"%vvar.mp3"_s);
            previewed = PreviewColumn(dialog, gui::RenamePreviewModel::NewNameColumn);
            status = dialog.labPreviewStatus->text();
        });
        QCOMPARE(previewed, (QStringList { u"Кино.mp3"_s, u"Кино.mp3"_s, u"Other.mp3"_s }));
        QCOMPARE(status, u"2 names collide or cannot be used"_s);
        QCOMPARE(Column(window.sgID3v1, 0), previewed);
        QCOMPARE(Column(window.sgID3v2, 0), previewed);
        QCOMPARE(Marks(window.sgID3v1), (QStringList { u"*"_s, u"*"_s, u"*"_s }));
        QCOMPARE(session.Workspace().FSettings.Read(workspace::kFileMaskKey), u"%vvar.mp3");
    }

    void withNoFileListedTheDialogDoesNotOpen()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        const TempDir empty;
        session.Workspace().OpenFolder(empty.Path());
        session.Workspace().FSettings.Write(workspace::kFileMaskKey, u"%vvtt");
        bool opened = false;
        QTimer::singleShot(0, &window, [&] {
            auto* dialog = DialogOf(window);
            opened = dialog->isVisible();
            dialog->editFileName->setText(u"%vvar"_s);
            dialog->btnOK->click();
        });
        window.actions.miMakeFilenamesfromTags->trigger();
        QTest::qWait(20);
        QVERIFY(!opened);
        QCOMPARE(session.Workspace().FSettings.Read(workspace::kFileMaskKey), u"%vvtt");
    }
};

QTEST_MAIN(FileNameFromTagTest)
#include "FileNameFromTagTest.moc"
