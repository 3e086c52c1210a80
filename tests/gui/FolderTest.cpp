// Leaving a folder with unsaved edits, and a folder with files that cannot be read.
#include "GuiSession.h"
#include "SampleSongs.h"
#include "gui/DirectoryListBox.h"
#include "gui/QtText.h"
#include "tags/ID3v1Tag.h"
#include "text/UStringConvert.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace vennart;
using namespace vennart::test;
using workspace::Answer;

Q_DECLARE_METATYPE(vennart::workspace::Answer)

namespace {

const std::string kLeaveQuestion = "Changes was not saved! Do you want to save changes?";
const SampleSong kOtherSong = { u"10 Other.mp3", u"Elsewhere", u"Someone", u"Away", u"1999", 4, true };

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

AnsiString ID3v1TitleOnDisk(const std::filesystem::path& file)
{
    const tags::TID3v2Class onDisk(file);
    return onDisk.FindFrameByClass<tags::TID3v1Tag>(1)->Title;
}

AnsiString ID3v1TitleInMemory(workspace::Workspace& workspace, int row)
{
    return workspace.File(row).FindFrameByClass<tags::TID3v1Tag>(1)->Title;
}

// Edits the title of the first file, as the user types it.
void EditFirstTitle(gui::TfrmMain& window)
{
    TypeInto(Field(window, "TIT2"), QStringLiteral("Edited"));
}

} // namespace

class FolderTest : public QObject {
    Q_OBJECT

    std::filesystem::path otherDir_;

    [[nodiscard]] bool StartWithOtherFolder(GuiSession& session)
    {
        otherDir_ = session.MusicDir() / "Other";
        std::filesystem::create_directory(otherDir_);
        WriteFileBytes(PathOf(otherDir_, kOtherSong.fileName), SampleSongFile(kOtherSong));
        session.WriteMusicDirSettings();
        return session.Start();
    }

private slots:
    void leavingWithEditsYesSavesAndNoDrops_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Yes") << Answer::Yes << true;
        QTest::newRow("No") << Answer::No << false;
    }

    void leavingWithEditsYesSavesAndNoDrops()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, saved);
        GuiSession session;
        QVERIFY(StartWithOtherFolder(session));
        gui::TfrmMain& window = session.Window();
        EditFirstTitle(window);

        session.Prompts().QueueAnswer(answer);
        OpenSubFolder(window, QStringLiteral("Other"));

        QCOMPARE(session.Prompts().Questions, std::vector<std::string> { kLeaveQuestion });
        QCOMPARE(gui::ToQString(session.Workspace().CurrentDir()), gui::ToQString(otherDir_));
        QCOMPARE(window.sgID3v1->model()->rowCount(), 1);
        QCOMPARE(Cell(window.sgID3v1, 0, 0), QStringLiteral("10 Other.mp3"));
        QCOMPARE(RowMark(window.sgID3v1, 0), QString());
        QVERIFY(!session.Workspace().Changed());
        const AnsiString expected = saved ? "Edited" : text::WideToCodePage(kSampleSongs[0].title, 1251);
        QCOMPARE(ID3v1TitleOnDisk(PathOf(session.MusicDir(), kSampleSongs[0].fileName)), expected);
        QVERIFY(session.Prompts().Errors.empty());
    }

    void leavingWithEditsCancelStaysAndNextChangeIsHandled()
    {
        GuiSession session;
        QVERIFY(StartWithOtherFolder(session));
        gui::TfrmMain& window = session.Window();
        const QByteArray songBefore = FileContent(PathOf(session.MusicDir(), kSampleSongs[0].fileName));
        EditFirstTitle(window);

        session.Prompts().QueueAnswer(Answer::Cancel);
        OpenSubFolder(window, QStringLiteral("Other"));
        QCOMPARE(window.TntDirectoryListBox->Directory(), gui::ToQString(session.MusicDir()));
        QCOMPARE(gui::ToQString(session.Workspace().CurrentDir()), gui::ToQString(session.MusicDir()));
        QCOMPARE(window.sgID3v1->model()->rowCount(), int(kSampleSongs.size()));
        QCOMPARE(RowMark(window.sgID3v1, 0), QStringLiteral("*"));
        QCOMPARE(ID3v1TitleInMemory(session.Workspace(), 0), AnsiString("Edited"));
        QVERIFY(session.Workspace().Changed());
        QCOMPARE(FileContent(PathOf(session.MusicDir(), kSampleSongs[0].fileName)), songBefore);

        session.Prompts().QueueAnswer(Answer::No);
        OpenSubFolder(window, QStringLiteral("Other"));
        QCOMPARE(session.Prompts().Questions, (std::vector<std::string> { kLeaveQuestion, kLeaveQuestion }));
        QCOMPARE(window.TntDirectoryListBox->Directory(), gui::ToQString(otherDir_));
        QCOMPARE(Cell(window.sgID3v1, 0, 0), QStringLiteral("10 Other.mp3"));
        QCOMPARE(FileContent(PathOf(session.MusicDir(), kSampleSongs[0].fileName)), songBefore);
    }

    void saveThatFailsWhenLeavingKeepsTheOldFolder()
    {
        GuiSession session;
        QVERIFY(StartWithOtherFolder(session));
        gui::TfrmMain& window = session.Window();
        EditFirstTitle(window);
        const ExclusiveLock lock(PathOf(session.MusicDir(), kSampleSongs[0].fileName));

        session.Prompts().QueueAnswer(Answer::Yes);
        OpenSubFolder(window, QStringLiteral("Other"));

        const std::vector<std::string>& errors = session.Prompts().Errors;
        QCOMPARE(errors.size(), std::size_t { 1 });
        QVERIFY2(errors[0].find("01 Alpha.mp3") != std::string::npos, errors[0].c_str());
        QCOMPARE(window.TntDirectoryListBox->Directory(), gui::ToQString(session.MusicDir()));
        QCOMPARE(gui::ToQString(session.Workspace().CurrentDir()), gui::ToQString(session.MusicDir()));
        QCOMPARE(window.sgID3v1->model()->rowCount(), int(kSampleSongs.size()));
        QCOMPARE(RowMark(window.sgID3v1, 0), QStringLiteral("*"));
        QCOMPARE(ID3v1TitleInMemory(session.Workspace(), 0), AnsiString("Edited"));
        QVERIFY(session.Workspace().Changed());
    }

    void emptyFolderDisablesThePanelAndSelectAllDoesNothing()
    {
        GuiSession session;
        QVERIFY(StartWithOtherFolder(session));
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
        QCOMPARE(window.sgFileInfo->item(0, 0)->text(), QStringLiteral("Files"));
        QCOMPARE(window.sgFileInfo->item(0, 1)->text(), QStringLiteral("0"));
        QVERIFY(session.Prompts().Errors.empty());
    }

    void unreadableFilesAreNamedInOneMessageAndTheOthersListed()
    {
        GuiSession session;
        WriteFileBytes(session.MusicDir() / "00 Damaged.mp3", DamagedSongFile());
        const std::filesystem::path locked = session.MusicDir() / "02 Locked.mp3";
        WriteFileBytes(locked, SampleSongFile(kOtherSong));
        const ExclusiveLock lock(locked);
        session.WriteMusicDirSettings();
        QVERIFY(session.Start());

        const std::vector<std::string>& errors = session.Prompts().Errors;
        QCOMPARE(errors.size(), std::size_t { 1 });
        QVERIFY2(errors[0].starts_with("Could not read 2 file(s):\n"), errors[0].c_str());
        QVERIFY2(errors[0].find("00 Damaged.mp3") != std::string::npos, errors[0].c_str());
        QVERIFY2(errors[0].find("02 Locked.mp3") != std::string::npos, errors[0].c_str());
        for (QTableView* grid : { session.Window().sgID3v1, session.Window().sgID3v2 }) {
            QCOMPARE(grid->model()->rowCount(), int(kSampleSongs.size()));
            for (int row = 0; row < int(kSampleSongs.size()); ++row)
                QCOMPARE(Cell(grid, row, 0), QString::fromStdU16String(kSampleSongs[row].fileName));
        }
    }

private:
    // Opens a sub-folder of the folder list's folder with a click and a double click, as the user does.
    static void OpenSubFolder(gui::TfrmMain& window, const QString& name)
    {
        gui::DirectoryListBox* list = window.TntDirectoryListBox;
        const QList<QTreeWidgetItem*> items = list->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(items.size() == 1);
        const QPoint centre = list->visualItemRect(items.front()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    }
};

QTEST_MAIN(FolderTest)
#include "FolderTest.moc"
