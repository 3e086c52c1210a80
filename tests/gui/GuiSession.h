// One run of the main window for a test: its own config folder with the shipped data, a music
// folder with the sample songs, message boxes answered from a script, and every grid model watched
// by QAbstractItemModelTester. Also the base class of the test programs, the small gestures the tests
// make on the window, and the Qt headers every window test uses.
#pragma once

#include "gui/TfrmMain.h"
#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "support/WorkspaceFakes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractItemModelTester;

namespace vennart::test {

// The sample folder: a few MP3 files built in code, with Cyrillic tags stored as cp1251 bytes (the
// ID3v1 records, the ID3v2 album) and as UTF-16 (the ID3v2 title and artist).
struct SampleSong {
    std::u16string fileName, title, artist, album, year;
    int track = 0;
    bool hasID3v1 = true;
};

// Sorted as the scan lists them. The first two share artist and album and differ in title,
// year and track; the third has no ID3v1 record. Every one has the genre Rock, (17) in the ID3v2 tag
// and 17 in the ID3v1 record.
inline const std::array<SampleSong, 3> kSampleSongs = { {
    { u"01 Alpha.mp3", u"Привет", u"Кино", u"Альбом", u"2001", 1, true },
    { u"02 Beta.mp3", u"Мир", u"Кино", u"Альбом", u"2002", 2, true },
    { u"03 Gamma.mp3", u"Пример", u"Other", u"Second", u"2003", 3, false },
} };

Bytes SampleSongFile(const SampleSong& song);

class GuiSession {
public:
    GuiSession();
    // Fails the running test when the window asked a question no test answer was queued for, or
    // left a queued answer unused.
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

    // The folder the window lists; it holds the sample songs.
    const std::filesystem::path& MusicDir() const { return musicDir_; }
    std::filesystem::path SettingsFile() const { return configDir_ / "vennart.ini"; }

    // Writes the settings file as the program writes it: UTF-16 LE with FF FE, CR LF line ends.
    void WriteSettings(const QStringList& lines) const;

    // Creates and shows the window; none when its deferred start did not come.
    [[nodiscard]] gui::TfrmMain* Start();

    workspace::Workspace& Workspace() { return window_->Workspace(); }
    ScriptedPrompts& Prompts() { return *prompts_; }
    // The answer to the next question the window asks.
    void QueueAnswer(workspace::Answer answer);
    // The value the workspace's settings give `key`.
    QString StoredValue(std::u16string_view key)
    {
        return QString::fromStdU16String(Workspace().FSettings.Read(key));
    }

private:
    TempDir dir_;
    std::filesystem::path musicDir_;
    std::filesystem::path configDir_;
    ScriptedPrompts* prompts_ = nullptr;
    std::size_t queuedAnswers_ = 0;
    std::unique_ptr<gui::TfrmMain> window_;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers_;
};

// The base of a window test program: a run of the window of its own for every test, whose closing
// checks run in cleanup(), and the ways a test starts it.
class GuiTest : public QObject {
    Q_OBJECT

protected:
    std::optional<GuiSession> session;
    // The session's window once the test started it.
    gui::TfrmMain* window = nullptr;

    [[nodiscard]] bool Start();
    // Starts with settings that open the music folder, followed by `more` lines.
    [[nodiscard]] bool StartInMusicDir(const QStringList& more = {});
    // Starts in the music folder, with `more` settings lines, with `tab` visible and rows top..bottom
    // selected in its grid, and waits until the panel shows that selection.
    [[nodiscard]] bool StartWithSelection(int tab, int top, int bottom, const QStringList& more = {});

private slots:
    void init();
    void cleanup() { session.reset(); }
};

// The settings file's bytes for these lines, as Qt Test prints them when a comparison fails.
QByteArray SettingsFileBytes(const QStringList& lines);
QByteArray FileContent(const std::filesystem::path& file);

// What a grid, a dialog's table or a drop-down list's view shows: a cell or a whole column (file
// grids: 0 the file name, 1 to 4 title to year).
QString Cell(const QAbstractItemView* grid, int row, int column);
QStringList Column(const QAbstractItemView* grid, int column);
// The rows that carry the changed mark, in the ID3v1 grid and then in the ID3v2 grid: "0,1|2"; a
// mark other than "*" stands in place of its row.
QString MarkedRows(const gui::TfrmMain& window);
// The selected rows of a grid, top to bottom.
std::vector<int> SelectedRows(const QTableView* grid);

// The entries of a code-page combo box, or the visible items of a code-page menu, by code page with
// "*" before the selected entry or the checked items: "*1251,866".
QString Listed(const QComboBox* combo);
QString Listed(const QMenu* menu);
// The view code pages as the ID3v1 and the ID3v2 combo box list them: "*1251,866|866,*1200"; when the
// View menus list or check other entries, their listing follows after " menus ".
QString ViewCodePages(const gui::TfrmMain& window);
// The default set as ViewCodePages shows it at first, with the default view code pages selected.
inline const QString kDefaultViewCodePages
    = QStringLiteral("*1251,20866,21866,866,65001|1251,20866,21866,866,65001,*1200");

// Runs `open`; when it shows a modal dialog of type `Dialog`, runs `inDialog` on it and tells so.
// The dialog is closed with Cancel when `inDialog` left it open, as a check that failed in it does:
// checks may run while the dialog shows.
template <class Dialog, class Open, class InDialog> [[nodiscard]] bool WhileOpen(Open open, InDialog inDialog)
{
    std::optional<bool> opened;
    QTimer::singleShot(0, qApp, [&opened, &inDialog] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        opened = dialog != nullptr;
        if (dialog == nullptr)
            return;
        inDialog(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    open();
    // Without a dialog the timer fires once `open` has returned.
    return QTest::qWaitFor([&opened] { return opened.has_value(); }) && *opened;
}
// The same for the dialog an action opens.
template <class Dialog, class InDialog> [[nodiscard]] bool WhileOpen(QAction* action, InDialog inDialog)
{
    return WhileOpen<Dialog>([action] { action->trigger(); }, inDialog);
}
// Clicks row `top` of the grid and shift-clicks row `bottom`, as the user selects a range.
void ClickRows(QTableView* grid, int top, int bottom);
// Clicks the tab of the file list.
void ClickTab(gui::TfrmMain& window, int tab);
// The editing panel's field for a frame identifier.
QComboBox* Field(gui::TfrmMain& window, const char* id);
// Replaces the text of an editable field or of the file-name edit by typing, key by key.
void TypeInto(QWidget* edit, const QString& typed);

} // namespace vennart::test
