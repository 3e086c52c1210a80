// "Detect Encoding" as the user meets it: the code page found for each selected file, the
// verdict for the selection, and "Show as" moving the tab's view code page to it.
#include "GuiSession.h"
#include "gui/TfrmDetectEncoding.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;

class DetectEncodingTest : public QObject {
    Q_OBJECT
private slots:
    void findsTheCodePageOfEachFileAndShowsTheTabInIt()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        window.cbSourceEncv1->setCurrentIndex(window.cbSourceEncv1->findData(20866));
        window.actions.miSelectAll->trigger();
        QStringList codePages;
        QString verdict;
        QTimer::singleShot(0, &window, [&] {
            auto* dialog = window.findChild<gui::TfrmDetectEncoding*>(u"TfrmDetectEncoding"_s);
            const auto* model = dialog->sgFiles->model();
            for (int row = 0; row < model->rowCount(); ++row)
                codePages << model->index(row, gui::DetectionModel::CodePageColumn).data().toString();
            verdict = dialog->labVerdict->text();
            dialog->btnShowAs->click();
        });
        window.actions.miDetectEncoding->trigger();

        const QString cp1251 = u"Cyrillic (Windows-1251)"_s;
        QCOMPARE(codePages, (QStringList { cp1251, cp1251, u"no 8-bit text"_s }));
        QVERIFY2(verdict.startsWith(cp1251 + u" for 2 of 3 files"_s), qPrintable(verdict));
        QCOMPARE(window.cbSourceEncv1->currentData().toUInt(), 1251u);
        QCOMPARE(session.Workspace().ViewCodePage(workspace::TagGrid::ID3v1), 1251u);
    }
};

QTEST_MAIN(DetectEncodingTest)
#include "DetectEncodingTest.moc"
