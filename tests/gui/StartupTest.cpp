// Start-up with and without a settings file, and what closing the window asks and writes.
#include "GuiSession.h"
#include "SampleSongs.h"
#include "gui/DirectoryListBox.h"
#include "gui/QtText.h"
#include "gui/StatusLine.h"
#include "tags/ID3v1Tag.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QTest>

using namespace vennart;
using namespace vennart::test;

namespace {

const std::string kCloseQuestion = "Changes was not saved! Close anyway?";

QList<uint> CodePagesOf(const QComboBox* combo)
{
    QList<uint> codePages;
    for (int i = 0; i < combo->count(); ++i)
        codePages.append(combo->itemData(i).toUInt());
    return codePages;
}

// The process's current folder for the life of the object.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder)
        : previous_(QDir::currentPath())
    {
        QDir::setCurrent(gui::ToQString(folder));
    }
    ~CurrentFolder() { QDir::setCurrent(previous_); }

private:
    QString previous_;
};

Bytes Utf8SettingsBytes(const std::vector<std::u16string>& lines)
{
    std::string text = "\xEF\xBB\xBF";
    for (const std::u16string& line : lines)
        text += QString::fromStdU16String(line).toStdString() + "\r\n";
    return BytesOf(text);
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithDefaultsWithoutSettingsFile()
    {
        GuiSession session;
        const CurrentFolder current(session.MusicDir());
        QVERIFY(session.Start());
        gui::TfrmMain& window = session.Window();

        QCOMPARE(CodePagesOf(window.cbSourceEncv1), (QList<uint> { 1251, 20866, 21866, 866, 65001 }));
        QCOMPARE(window.cbSourceEncv1->currentData().toUInt(), 1251u);
        QCOMPARE(CodePagesOf(window.cbSourceEncv2), (QList<uint> { 1251, 20866, 21866, 866, 65001, 1200 }));
        QCOMPARE(window.cbSourceEncv2->currentData().toUInt(), 1200u);
        QCOMPARE(CheckedCodePages(window.miEncodingID3v1), QList<uint> { 1251 });
        QCOMPARE(CheckedCodePages(window.miEncodingID3v2), QList<uint> { 1200 });
        const QAction* utf16Item = ItemWithCodePage(window.popupMenuEnc, 1200);
        QVERIFY(utf16Item != nullptr);
        QVERIFY(!utf16Item->isVisible());

        QCOMPARE(gui::ToQString(session.Workspace().CurrentDir()),
            gui::ToQString(std::filesystem::canonical(session.MusicDir())));
        QCOMPARE(window.sgID3v1->model()->rowCount(), int(kSampleSongs.size()));
        QCOMPARE(window.panStatus->labStatus->text(), QStringLiteral("Idle"));
        QVERIFY(session.Prompts().Errors.empty());
    }

    void freshRunWritesCurrentDirAndBothEncodings()
    {
        GuiSession session;
        const CurrentFolder current(session.MusicDir());
        QVERIFY(session.Start());
        QVERIFY(session.Window().close());

        const std::u16string folder = PathText(std::filesystem::canonical(session.MusicDir()));
        QCOMPARE(FileContent(session.SettingsFile()),
            ToByteArray(SettingsFileBytes(
                { u"CurrentDir=" + folder, u"DefaultV1Encoding=1251", u"DefaultV2Encoding=1200" })));
    }

    void appliesSettingsFileAndKeepsUnknownLines_data()
    {
        QTest::addColumn<bool>("utf8");
        QTest::newRow("UTF-16 LE") << false;
        QTest::newRow("UTF-8 with byte-order mark") << true;
    }

    void appliesSettingsFileAndKeepsUnknownLines()
    {
        QFETCH(bool, utf8);
        GuiSession session;
        const std::u16string folder = PathText(session.MusicDir());
        const std::vector<std::u16string> lines = { u"Window=maximised", u"currentdir=" + folder,
            u"defaultv1encoding=20866", u"No key at all", u"defaultv2encoding=1251" };
        WriteFileBytes(session.SettingsFile(), utf8 ? Utf8SettingsBytes(lines) : SettingsFileBytes(lines));
        QVERIFY(session.Start());
        gui::TfrmMain& window = session.Window();

        QCOMPARE(gui::ToQString(session.Workspace().CurrentDir()), gui::ToQString(session.MusicDir()));
        QCOMPARE(window.TntDirectoryListBox->Directory(), gui::ToQString(session.MusicDir()));
        QCOMPARE(Cell(window.sgID3v1, 0, 0), QString::fromStdU16String(kSampleSongs[0].fileName));
        QCOMPARE(window.cbSourceEncv1->currentData().toUInt(), 20866u);
        QCOMPARE(window.cbSourceEncv2->currentData().toUInt(), 1251u);
        QCOMPARE(CheckedCodePages(window.miEncodingID3v1), QList<uint> { 20866 });
        QCOMPARE(CheckedCodePages(window.miEncodingID3v2), QList<uint> { 1251 });

        QVERIFY(window.close());
        QCOMPARE(FileContent(session.SettingsFile()),
            ToByteArray(SettingsFileBytes({ u"Window=maximised", u"CurrentDir=" + folder,
                u"DefaultV1Encoding=20866", u"No key at all", u"DefaultV2Encoding=1251" })));
    }

    void storedFolderThatIsGoneOpensNearestParent()
    {
        GuiSession session;
        session.WriteSettings({ u"CurrentDir=" + PathText(session.MusicDir() / "gone" / "deeper") });
        QVERIFY(session.Start());
        QCOMPARE(gui::ToQString(session.Workspace().CurrentDir()), gui::ToQString(session.MusicDir()));
        QCOMPARE(session.Window().sgID3v1->model()->rowCount(), int(kSampleSongs.size()));
    }

    void closeWithUnsavedEditsAsksAndNoKeepsWindowOpen()
    {
        GuiSession session;
        session.WriteMusicDirSettings();
        const QByteArray settingsBefore = FileContent(session.SettingsFile());
        const QByteArray songBefore = FileContent(PathOf(session.MusicDir(), kSampleSongs[0].fileName));
        QVERIFY(session.Start());
        gui::TfrmMain& window = session.Window();
        TypeInto(Field(window, "TIT2"), QStringLiteral("Edited"));
        QCOMPARE(RowMark(window.sgID3v1, 0), QStringLiteral("*"));

        session.Prompts().QueueAnswer(workspace::Answer::No);
        QVERIFY(!window.close());
        QCOMPARE(session.Prompts().Questions, std::vector<std::string> { kCloseQuestion });
        QVERIFY(window.isVisible());
        QVERIFY(session.Workspace().Changed());
        QCOMPARE(RowMark(window.sgID3v1, 0), QStringLiteral("*"));
        QCOMPARE(
            session.Workspace().File(0).FindFrameByClass<tags::TID3v1Tag>(1)->Title, AnsiString("Edited"));
        QCOMPARE(FileContent(session.SettingsFile()), settingsBefore);

        // "Exit" asks the same question; Yes closes without saving the edits.
        session.Prompts().QueueAnswer(workspace::Answer::Yes);
        window.actions.Exit1->trigger();
        QCOMPARE(session.Prompts().Questions, (std::vector<std::string> { kCloseQuestion, kCloseQuestion }));
        QVERIFY(!window.isVisible());
        QCOMPARE(FileContent(PathOf(session.MusicDir(), kSampleSongs[0].fileName)), songBefore);
        QVERIFY(FileContent(session.SettingsFile()) != settingsBefore);
    }

    void unwritableSettingsFileWarnsAndStillCloses()
    {
        GuiSession session;
        session.WriteMusicDirSettings();
        QVERIFY(session.Start());
        // A folder in the settings file's place cannot be replaced by a file.
        std::filesystem::remove(session.SettingsFile());
        std::filesystem::create_directory(session.SettingsFile());

        QVERIFY(session.Window().close());
        QVERIFY(!session.Window().isVisible());
        QCOMPARE(session.Prompts().Warnings.size(), std::size_t { 1 });
        QVERIFY2(session.Prompts().Warnings[0].find(session.SettingsFile().string()) != std::string::npos,
            session.Prompts().Warnings[0].c_str());
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
