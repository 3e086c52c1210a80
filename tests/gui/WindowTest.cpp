// Start-up with and without a settings file, leaving a folder, a folder with files that cannot be
// read, and closing: what the window opens, asks and writes.
#include "GuiSession.h"
#include "SampleSongs.h"
#include "gui/DirectoryListBox.h"
#include "gui/QtText.h"
#include "gui/StatusLine.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace vennart;
using namespace vennart::test;
using workspace::Answer;

namespace {

const std::string kCloseQuestion = "Changes was not saved! Close anyway?";
const std::string kLeaveQuestion = "Changes was not saved! Do you want to save changes?";
const SampleSong kOtherSong = { u"10 Other.mp3", u"Elsewhere", u"Someone", u"Away", u"1999", 4, true };

QList<uint> CodePagesOf(const QComboBox* combo)
{
    QList<uint> codePages;
    for (int i = 0; i < combo->count(); ++i)
        codePages.append(combo->itemData(i).toUInt());
    return codePages;
}

// Settings lines with "%1" standing for the music folder.
std::vector<std::u16string> WithFolder(const QStringList& lines, const std::filesystem::path& folder)
{
    std::vector<std::u16string> filled;
    for (const QString& line : lines)
        filled.push_back(QString(line).replace(u"%1"_s, gui::ToQString(folder)).toStdU16String());
    return filled;
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

// An exclusive lock on a file, as another program that is writing it holds one.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const std::filesystem::path& file)
        : fd_(::open(file.c_str(), O_RDONLY))
    {
        QVERIFY(fd_ >= 0 && ::flock(fd_, LOCK_EX) == 0);
    }
    ~ExclusiveLock() { ::close(fd_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    int fd_;
};

// Opens a sub-folder of the folder list's folder with a click and a double click, as the user does.
void OpenSubFolder(gui::TfrmMain& window, const QString& name)
{
    gui::DirectoryListBox* list = window.TntDirectoryListBox;
    const QList<QTreeWidgetItem*> items = list->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(items.size() == 1);
    const QPoint centre = list->visualItemRect(items.front()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

// Checks that the folder list, the workspace and the grid all show `folder`.
void VerifyShowsFolder(GuiSession& session, const std::filesystem::path& folder, const QStringList& names)
{
    QCOMPARE(session.Window().TntDirectoryListBox->Directory(), gui::ToQString(folder));
    QCOMPARE(gui::ToQString(session.Workspace().CurrentDir()), gui::ToQString(folder));
    QCOMPARE(Column(session.Window().sgID3v1, 0), names);
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsFromTheSettingsAndClosingWritesThemBack_data()
    {
        QTest::addColumn<QStringList>("settings"); // none: no settings file, the music folder is current
        QTest::addColumn<QList<uint>>("shownCodePages");
        QTest::addColumn<QStringList>("written");
        const QStringList defaults
            = { u"CurrentDir=%1"_s, u"DefaultV1Encoding=1251"_s, u"DefaultV2Encoding=1200"_s };
        QTest::newRow("no settings file")
            << QStringList() << QList<uint> { 1251, 1251, 1200, 1200 } << defaults;
        QTest::newRow("keys in any case, other lines kept")
            << QStringList { u"Window=maximised"_s, u"currentdir=%1"_s, u"defaultv1encoding=20866"_s,
                   u"No key at all"_s, u"defaultv2encoding=1251"_s }
            << QList<uint> { 20866, 20866, 1251, 1251 }
            << QStringList { u"Window=maximised"_s, u"CurrentDir=%1"_s, u"DefaultV1Encoding=20866"_s,
                   u"No key at all"_s, u"DefaultV2Encoding=1251"_s };
        QTest::newRow("stored folder gone: its nearest parent")
            << QStringList { u"CurrentDir=%1/gone/deeper"_s } << QList<uint> { 1251, 1251, 1200, 1200 }
            << defaults;
    }

    void startsFromTheSettingsAndClosingWritesThemBack()
    {
        QFETCH(QStringList, settings);
        QFETCH(QList<uint>, shownCodePages);
        QFETCH(QStringList, written);
        GuiSession session;
        const std::filesystem::path folder = std::filesystem::canonical(session.MusicDir());
        std::optional<CurrentFolder> current;
        if (settings.isEmpty())
            current.emplace(folder);
        else
            session.WriteSettings(WithFolder(settings, folder));
        QVERIFY(session.Start());
        gui::TfrmMain& window = session.Window();

        QCOMPARE(CodePagesOf(window.cbSourceEncv1), (QList<uint> { 1251, 20866, 21866, 866, 65001 }));
        QCOMPARE(CodePagesOf(window.cbSourceEncv2), (QList<uint> { 1251, 20866, 21866, 866, 65001, 1200 }));
        QCOMPARE(ShownCodePages(window), shownCodePages);
        VerifyShowsFolder(session, folder, SampleNames());
        QCOMPARE(window.panStatus->labStatus->text(), u"Idle"_s);
        QVERIFY(session.Prompts().Errors.empty());

        QVERIFY(window.close());
        QCOMPARE(
            FileContent(session.SettingsFile()), ToByteArray(SettingsFileBytes(WithFolder(written, folder))));
    }

    // What each answer does is the workspace's to test; here, opening a folder asks, and Cancel
    // stays where the edits are while No goes on without them.
    void openingAnotherFolderWithEditsAsksFirst()
    {
        GuiSession session;
        const std::filesystem::path otherDir = session.MusicDir() / "Other";
        std::filesystem::create_directory(otherDir);
        WriteFileBytes(otherDir / kOtherSong.fileName, SampleSongFile(kOtherSong));
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        TypeInto(Field(window, "TIT2"), u"Edited"_s);

        session.QueueAnswer(Answer::Cancel);
        OpenSubFolder(window, u"Other"_s);
        VerifyShowsFolder(session, session.MusicDir(), SampleNames());
        QCOMPARE(Marks(window.sgID3v1), (QStringList { u"*"_s, QString(), QString() }));

        session.QueueAnswer(Answer::No);
        OpenSubFolder(window, u"Other"_s);
        QCOMPARE(session.Prompts().Questions, std::vector<std::string>(2, kLeaveQuestion));
        VerifyShowsFolder(session, otherDir, { u"10 Other.mp3"_s });
        QCOMPARE(Marks(window.sgID3v1), QStringList { QString() });
    }

    void emptyFolderDisablesThePanelAndSelectAllDoesNothing()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        std::filesystem::create_directory(session.MusicDir() / "Empty");
        window.TntDirectoryListBox->SetDirectory(gui::ToQString(session.MusicDir() / "Empty"));

        window.actions.miSelectAll->trigger();

        for (QTableView* grid : { window.sgID3v1, window.sgID3v2 }) {
            QCOMPARE(grid->model()->rowCount(), 0);
            QVERIFY(SelectedRows(grid).empty());
        }
        QVERIFY(!window.sbAllTags->isEnabled());
        QCOMPARE(window.EditFileName->text(), QString());
        QCOMPARE(window.sgFileInfo->item(0, 1)->text(), u"0"_s);
        QVERIFY(session.Prompts().Errors.empty());
    }

    void unreadableFilesAreNamedInOneMessageAndTheOthersListed()
    {
        GuiSession session;
        WriteFileBytes(session.MusicDir() / "00 Damaged.mp3", DamagedSongFile());
        const std::filesystem::path locked = session.MusicDir() / "02 Locked.mp3";
        WriteFileBytes(locked, SampleSongFile(kOtherSong));
        const ExclusiveLock lock(locked);
        QVERIFY(session.StartInMusicDir());

        const std::vector<std::string>& errors = session.Prompts().Errors;
        QCOMPARE(errors.size(), std::size_t { 1 });
        QVERIFY2(errors[0].starts_with("Could not read 2 file(s):\n"), errors[0].c_str());
        QCOMPARE(Column(session.Window().sgID3v1, 0), SampleNames());
        QCOMPARE(Column(session.Window().sgID3v2, 0), SampleNames());
    }

    void closingWithEditsAsksNoStaysYesClosesEvenWhenTheSettingsCannotBeWritten()
    {
        GuiSession session;
        QVERIFY(session.StartInMusicDir());
        gui::TfrmMain& window = session.Window();
        const QByteArray settingsBefore = FileContent(session.SettingsFile());
        const std::filesystem::path song = session.MusicDir() / kSampleSongs[0].fileName;
        const QByteArray songBefore = FileContent(song);
        TypeInto(Field(window, "TIT2"), u"Edited"_s);

        session.QueueAnswer(Answer::No);
        QVERIFY(!window.close());
        QCOMPARE(session.Prompts().Questions, std::vector<std::string> { kCloseQuestion });
        QVERIFY(window.isVisible());
        QVERIFY(session.Workspace().Changed());
        QCOMPARE(Marks(window.sgID3v1), (QStringList { u"*"_s, QString(), QString() }));
        QCOMPARE(ID3v1Of(session.Workspace().File(0)).Title, AnsiString("Edited"));
        QCOMPARE(FileContent(session.SettingsFile()), settingsBefore);

        // "Exit" asks the same question; Yes closes without saving the edits, and a settings file
        // that cannot be written (a folder in its place) is named in a warning.
        std::filesystem::remove(session.SettingsFile());
        std::filesystem::create_directory(session.SettingsFile());
        session.QueueAnswer(Answer::Yes);
        window.actions.Exit1->trigger();
        QCOMPARE(session.Prompts().Questions, (std::vector<std::string> { kCloseQuestion, kCloseQuestion }));
        QVERIFY(!window.isVisible());
        QCOMPARE(FileContent(song), songBefore);
        const std::vector<std::string>& warnings = session.Prompts().Warnings;
        QCOMPARE(warnings.size(), std::size_t { 1 });
        QVERIFY2(warnings[0].find(session.SettingsFile().string()) != std::string::npos, warnings[0].c_str());
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
