// "Make tags from file name" as the user meets it: the number fields' key filter, the replacement
// table growing, the help text, and a preview that shows what OK then stores.
#include "GuiSession.h"
#include "gui/TagsPreviewModel.h"
#include "gui/TfrmTagsFromFileName.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

namespace {

gui::TfrmTagsFromFileName* DialogOf(gui::TfrmMain& window)
{
    return window.findChild<gui::TfrmTagsFromFileName*>(u"TfrmTagsFromFileName"_s);
}

// Runs the command; `inDialog` acts on the open dialog, then `close` ends it.
void RunCommand(
    gui::TfrmMain& window, const std::function<void(gui::TfrmTagsFromFileName&)>& inDialog, bool ok = true)
{
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = DialogOf(window);
        inDialog(*dialog);
        (ok ? dialog->btnOK : dialog->btnCancel)->click();
    });
    window.actions.miMakeTagsFromFilenames->trigger();
}

QStringList PreviewColumn(const gui::TfrmTagsFromFileName& dialog, int column, int role = Qt::DisplayRole)
{
    QStringList texts;
    const auto* model = dialog.sgPreview->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QVariant value = model->index(row, column).data(role);
        texts << (role == Qt::DisplayRole ? value.toString() : value.isValid() ? u"marked"_s : QString());
    }
    return texts;
}

// The title from the fourth character on ("01 Alpha" gives "Alpha"), the artist up to a " - ".
void TitleFromFourthAndArtistToDash(gui::TfrmTagsFromFileName& dialog)
{
    auto& title = dialog.Rows[0];
    title.CheckBox->setChecked(true);
    QTest::keyClicks(title.FromPosition, u"4"_s);
    auto& artist = dialog.Rows[1];
    artist.CheckBox->setChecked(true);
    artist.ToMode->setCurrentIndex(1);
    QTest::keyClicks(artist.ToSymbol, u" - "_s);
}

} // namespace

class TagsFromFileNameTest : public QObject {
    Q_OBJECT
private slots:
    void numberFieldsTakeDigitsAndControlKeysOnly()
    {
        gui::TfrmTagsFromFileName dialog;
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

    void committedWhatInTheLastRowAppendsARow()
    {
        gui::TfrmTagsFromFileName dialog;
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

    void helpBoxShowsTheHelpLinesJoinedByCrLf()
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
        gui::TfrmTagsFromFileName dialog;
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

    void previewShowsWhatOkStores()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        ClickTab(window, 1);
        window.actions.miSelectAll->trigger();
        QStringList titles;
        QStringList artists;
        QStringList changed;
        QStringList unfit;
        RunCommand(window, [&](gui::TfrmTagsFromFileName& dialog) {
            TitleFromFourthAndArtistToDash(dialog);
            titles = PreviewColumn(dialog, 1);
            artists = PreviewColumn(dialog, 2);
            changed = PreviewColumn(dialog, 1, Qt::BackgroundRole);
            unfit = PreviewColumn(dialog, 0, Qt::BackgroundRole);
        });
        QCOMPARE(titles, (QStringList { u"Alpha"_s, u"Beta"_s, u"Gamma"_s }));
        QCOMPARE(artists, (QStringList { u"01 Alpha"_s, u"02 Beta"_s, u"03 Gamma"_s }));
        QCOMPARE(changed, (QStringList { u"marked"_s, u"marked"_s, u"marked"_s }));
        QCOMPARE(unfit, (QStringList { u"marked"_s, u"marked"_s, u"marked"_s }));
        QCOMPARE(Column(window.sgID3v2, 1), titles);
        QCOMPARE(Column(window.sgID3v2, 2), artists);
        QCOMPARE(Marks(window.sgID3v2), (QStringList { u"*"_s, u"*"_s, u"*"_s }));
        QCOMPARE(Marks(window.sgID3v1), (QStringList { QString(), QString(), QString() }));

        QStringList changedAgain;
        RunCommand(
            window,
            [&](gui::TfrmTagsFromFileName& dialog) {
                changedAgain = PreviewColumn(dialog, 1, Qt::BackgroundRole);
            },
            false);
        QCOMPARE(changedAgain, (QStringList { QString(), QString(), QString() }));
    }

    void withNoFileListedTheDialogDoesNotOpen()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        const TempDir empty;
        session.Workspace().OpenFolder(empty.Path());
        bool opened = false;
        QTimer::singleShot(0, &window, [&] {
            auto* dialog = DialogOf(window);
            opened = dialog->isVisible();
            dialog->reject();
        });
        window.actions.miMakeTagsFromFilenames->trigger();
        QTest::qWait(20);
        QVERIFY(!opened);
    }

    void cancelChangesNothingAndTheRulesStay()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        window.actions.miSelectAll->trigger();
        const QStringList before = Column(window.sgID3v1, 1);
        RunCommand(window, TitleFromFourthAndArtistToDash, false);
        QCOMPARE(Column(window.sgID3v1, 1), before);
        QCOMPARE(Marks(window.sgID3v1), (QStringList { QString(), QString(), QString() }));
        QCOMPARE(DialogOf(window)->Rows[0].FromPosition->text(), u"4"_s);
    }
};

QTEST_MAIN(TagsFromFileNameTest)
#include "TagsFromFileNameTest.moc"
