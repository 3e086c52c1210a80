#include "GuiSession.h"

#include "SampleSongs.h"
#include "gui/QtText.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

namespace vennart::test {

GuiSession::GuiSession()
    : musicDir_(dir_ / "Music")
    , configDir_(dir_ / "config")
{
    std::filesystem::create_directories(musicDir_);
    std::filesystem::create_directories(configDir_);
    WriteSampleSongs(musicDir_);
}

GuiSession::~GuiSession()
{
    // The testers watch models the window owns: they go first.
    testers_.clear();
    window_.reset();
}

std::filesystem::path GuiSession::SettingsFile() const
{
    return configDir_ / "vennart.ini";
}

void GuiSession::WriteSettings(const std::vector<std::u16string>& lines) const
{
    WriteFileBytes(SettingsFile(), SettingsFileBytes(lines));
}

void GuiSession::WriteMusicDirSettings() const
{
    WriteSettings({ u"CurrentDir=" + PathText(musicDir_) });
}

bool GuiSession::Start()
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
    return QTest::qWaitForWindowExposed(window_.get())
        && QTest::qWaitFor([this] { return window_->Ready(); });
}

Bytes SettingsFileBytes(const std::vector<std::u16string>& lines)
{
    Bytes bytes { 0xFF, 0xFE };
    for (const std::u16string& line : lines)
        bytes = Concat({ bytes, Utf16LE(line + u"\r\n", false) });
    return bytes;
}

QByteArray ToByteArray(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QByteArray FileContent(const std::filesystem::path& file)
{
    return ToByteArray(ReadFileBytes(file));
}

std::u16string PathText(const std::filesystem::path& path)
{
    return gui::ToQString(path).toStdU16String();
}

QString Cell(const QTableView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

QString RowMark(const QTableView* grid, int row)
{
    return grid->model()->headerData(row, Qt::Vertical).toString();
}

QAction* ItemWithCodePage(const QMenu* menu, uint codePage)
{
    for (QAction* item : menu->actions()) {
        if (item->data().toUInt() == codePage)
            return item;
    }
    return nullptr;
}

QList<uint> CheckedCodePages(const QMenu* menu)
{
    QList<uint> codePages;
    for (const QAction* item : menu->actions()) {
        if (item->isChecked())
            codePages.append(item->data().toUInt());
    }
    return codePages;
}

std::vector<int> SelectedRows(const QTableView* grid)
{
    std::vector<int> rows;
    for (const QModelIndex& index : grid->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
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
    return window.findChild<QComboBox*>(QStringLiteral("comboBox") + QString::fromLatin1(id));
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
