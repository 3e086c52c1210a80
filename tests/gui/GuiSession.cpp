#include "GuiSession.h"

#include "gui/QtText.h"
#include "platform/SystemCodePage.h"
#include "text/UStringConvert.h"

#include <QAbstractItemModelTester>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <string>

using namespace Qt::StringLiterals;

namespace vennart::test {
namespace {

constexpr uint32_t kCyrillicCodePage = 1251;
constexpr std::uint8_t kSampleGenreIndex = 17;

AnsiString Cp1251(const std::u16string& text)
{
    return text::WideToCodePage(text, kCyrillicCodePage);
}

QByteArray ToByteArray(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

} // namespace

Bytes SampleSongFile(const SampleSong& song)
{
    const Bytes frames = Concat({
        Frame("TIT2", Utf16Body(song.title)),
        Frame("TPE1", Utf16Body(song.artist)),
        Frame("TALB", TextBody(Cp1251(song.album))),
        Frame("TYER", TextBody(NarrowSystem(song.year))),
        Frame("TCON", TextBody("(" + std::to_string(kSampleGenreIndex) + ")")),
        Frame("TRCK", TextBody(std::to_string(song.track))),
    });
    const Bytes file = Concat({ Tag(3, frames, 256), Audio(8) });
    if (!song.hasID3v1)
        return file;
    return Concat({ file,
        ID3v1Record({ .Title = Cp1251(song.title),
            .Artist = Cp1251(song.artist),
            .Album = Cp1251(song.album),
            .Year = NarrowSystem(song.year),
            .Track = song.track,
            .Genre = kSampleGenreIndex }) });
}

GuiSession::GuiSession()
    : musicDir_(dir_ / "Music")
    , configDir_(dir_ / "config")
{
    std::filesystem::create_directories(musicDir_);
    std::filesystem::create_directories(configDir_);
    for (const SampleSong& song : kSampleSongs)
        WriteFileBytes(musicDir_ / song.fileName, SampleSongFile(song));
}

GuiSession::~GuiSession()
{
    // ScriptedPrompts reports an unexpected question to GoogleTest, which a Qt Test program does
    // not run: here each question must have taken one queued answer.
    if (prompts_ != nullptr && prompts_->Questions.size() != queuedAnswers_ && !QTest::currentTestFailed()) {
        const std::string message = std::to_string(prompts_->Questions.size()) + " question(s) asked, "
            + std::to_string(queuedAnswers_) + " answer(s) queued";
        QTest::qFail(message.c_str(), __FILE__, __LINE__);
    }
    // The testers watch models the window owns: they go first.
    testers_.clear();
    window_.reset();
}

void GuiSession::WriteSettings(const QStringList& lines) const
{
    const QByteArray bytes = SettingsFileBytes(lines);
    WriteFileBytes(SettingsFile(), Bytes(bytes.begin(), bytes.end()));
}

gui::TfrmMain* GuiSession::Start()
{
    auto prompts = std::make_unique<ScriptedPrompts>();
    prompts_ = prompts.get();
    window_ = std::make_unique<gui::TfrmMain>(
        platform::AppPaths(configDir_, VENNART_DATA_DIR, "vennart.ini"), std::move(prompts));
    for (QAbstractItemModel* model :
        { window_->sgID3v1->model(), window_->sgID3v2->model(), window_->sgFileInfo->model() }) {
        testers_.push_back(std::make_unique<QAbstractItemModelTester>(
            model, QAbstractItemModelTester::FailureReportingMode::QtTest));
    }
    window_->show();
    const bool started
        = QTest::qWaitForWindowExposed(window_.get()) && QTest::qWaitFor([this] { return window_->Ready(); });
    return started ? window_.get() : nullptr;
}

void GuiSession::QueueAnswer(workspace::Answer answer)
{
    ++queuedAnswers_;
    prompts_->QueueAnswer(answer);
}

bool GuiTest::Start()
{
    window = session->Start();
    return window != nullptr;
}

bool GuiTest::StartInMusicDir(const QStringList& more)
{
    session->WriteSettings(QStringList { u"CurrentDir="_s + gui::ToQString(session->MusicDir()) } + more);
    return Start();
}

bool GuiTest::StartWithSelection(int tab, int top, int bottom, const QStringList& more)
{
    if (!StartInMusicDir(more))
        return false;
    ClickTab(*window, tab);
    ClickRows(tab == 0 ? window->sgID3v1 : window->sgID3v2, top, bottom);
    // The panel follows the selection once the posted refresh has run.
    const QString name = QString::fromStdU16String(kSampleSongs[std::size_t(top)].fileName);
    return QTest::qWaitFor([&] {
        return top == bottom ? window->EditFileName->text() == name : !window->EditFileName->isEnabled();
    });
}

void GuiTest::init()
{
    window = nullptr;
    session.emplace();
}

QByteArray SettingsFileBytes(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + u"\r\n"_s;
    return ToByteArray(Utf16LE(text.toStdU16String()));
}

QByteArray FileContent(const std::filesystem::path& file)
{
    return ToByteArray(ReadFileBytes(file));
}

QString Cell(const QAbstractItemView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

QStringList Column(const QAbstractItemView* grid, int column)
{
    QStringList cells;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        cells.append(Cell(grid, row, column));
    return cells;
}

QString MarkedRows(const gui::TfrmMain& window)
{
    QStringList grids;
    for (const QTableView* grid : { window.sgID3v1, window.sgID3v2 }) {
        QStringList rows;
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            const QString mark = grid->model()->headerData(row, Qt::Vertical).toString();
            if (!mark.isEmpty())
                rows.append(mark == u"*"_s ? QString::number(row) : mark);
        }
        grids.append(rows.join(u','));
    }
    return grids.join(u'|');
}

std::vector<int> SelectedRows(const QTableView* grid)
{
    std::vector<int> rows;
    for (const QModelIndex& index : grid->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString Listed(const QComboBox* combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries.append((i == combo->currentIndex() ? u"*"_s : QString()) + combo->itemData(i).toString());
    return entries.join(u',');
}

QString Listed(const QMenu* menu)
{
    QStringList entries;
    for (const QAction* item : menu->actions()) {
        if (item->isVisible())
            entries.append((item->isChecked() ? u"*"_s : QString()) + item->data().toString());
    }
    return entries.join(u',');
}

QString ViewCodePages(const gui::TfrmMain& window)
{
    const QString combos = Listed(window.cbSourceEncv1) + u'|' + Listed(window.cbSourceEncv2);
    const QString menus = Listed(window.miEncodingID3v1) + u'|' + Listed(window.miEncodingID3v2);
    return combos == menus ? combos : combos + u" menus "_s + menus;
}

void ClickRows(QTableView* grid, int top, int bottom)
{
    const auto centre = [grid](int row) { return grid->visualRect(grid->model()->index(row, 1)).center(); };
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, centre(top));
    if (bottom != top)
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(bottom));
}

void ClickTab(gui::TfrmMain& window, int tab)
{
    QTabBar* bar = window.pcFileList->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
}

QComboBox* Field(gui::TfrmMain& window, const char* id)
{
    return window.findChild<QComboBox*>(u"comboBox"_s + QString::fromLatin1(id));
}

void TypeInto(QWidget* edit, const QString& typed)
{
    auto* combo = qobject_cast<QComboBox*>(edit);
    QLineEdit* line = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit*>(edit);
    line->setFocus();
    line->selectAll();
    for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace vennart::test
