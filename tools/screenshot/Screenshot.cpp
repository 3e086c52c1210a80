// Builds a sample folder of MP3 files with Cyrillic tags (8-bit cp1251 text and UTF-16 text), one of
// them VBR, starts the main window over it offscreen, selects a file on the ID3v1 tab (or three on the
// ID3v2 tab, with frames beyond the main ones) and saves the window as a PNG.
#include "gui/MessageBoxPrompts.h"
#include "gui/TfrmMain.h"
#include "platform/SystemCodePage.h"
#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "text/UStringConvert.h"
#include "workspace/Settings.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QTabWidget>
#include <QTableView>
#include <cstdio>
#include <string_view>

namespace {

using namespace vennart;
using test::Bytes;

struct Song {
    std::u16string file, title, artist, album, year, composer;
    bool utf16;
    bool vbr = false;
};

// 2297 frames of 1152 samples at 44100 Hz play one minute.
constexpr std::uint32_t kVBRFrames = 2297;
constexpr std::uint32_t kVBRBytes = 1'440'000;

Bytes TextBody(const std::u16string& text, bool utf16)
{
    if (utf16)
        return test::Concat({ { 0x01 }, test::Utf16LE(text) });
    return test::Concat({ { 0x00 }, test::BytesOf(text::WideToCodePage(text, 1251)) });
}

Bytes SongFile(const Song& song, int track)
{
    const Bytes frames = test::Concat({
        test::Frame("TIT2", TextBody(song.title, song.utf16)),
        test::Frame("TPE1", TextBody(song.artist, song.utf16)),
        test::Frame("TALB", TextBody(song.album, song.utf16)),
        test::Frame("TYER", TextBody(song.year, false)),
        test::Frame("TCON", TextBody(u"(17)", false)),
        test::Frame("TRCK", TextBody(WidenSystem(std::to_string(track)), false)),
        test::Frame("TCOM", TextBody(song.composer, song.utf16)),
        test::Frame("TCOP", TextBody(u"Мелодия", false)),
    });
    test::ID3v1Fields record;
    record.Title = text::WideToCodePage(song.title, 1251);
    record.Artist = text::WideToCodePage(song.artist, 1251);
    record.Album = text::WideToCodePage(song.album, 1251);
    record.Year = text::WideToCodePage(song.year, 1251);
    record.Track = track;
    record.Genre = 17;
    const Bytes audio = song.vbr
        ? test::Concat({ test::XingFrame({}, "Xing", kVBRFrames, kVBRBytes), test::Audio(40) })
        : test::Audio(40);
    return test::Concat({ test::Tag(3, frames, 512), audio, test::ID3v1Record(record) });
}

void WriteSampleFolder(const std::filesystem::path& folder)
{
    const Song songs[] = {
        { u"01 Кино - Группа крови.mp3", u"Группа крови", u"Кино", u"Группа крови", u"1988", u"Виктор Цой",
            false },
        { u"02 Кино - Звезда по имени Солнце.mp3", u"Звезда по имени Солнце", u"Кино",
            u"Звезда по имени Солнце", u"1989", u"Виктор Цой", true, true },
        { u"03 Аквариум - Город золотой.mp3", u"Город золотой", u"Аквариум", u"Десять стрел", u"1986",
            u"Алексей Хвостенко", false },
        { u"04 ДДТ - Что такое осень.mp3", u"Что такое осень", u"ДДТ", u"Актриса весна", u"1992",
            u"Юрий Шевчук", true },
        { u"05 Земфира - Искала.mp3", u"Искала", u"Земфира", u"Прости меня моя любовь", u"2000", u"Земфира",
            true },
        { u"06 Наутилус Помпилиус - Прогулки по воде.mp3", u"Прогулки по воде", u"Наутилус Помпилиус",
            u"Князь тишины", u"1988", u"Вячеслав Бутусов", false },
    };
    int track = 1;
    for (const Song& song : songs)
        test::WriteFileBytes(
            folder / text::WideToCodePage(song.file, text::kUtf8CodePage), SongFile(song, track++));
}

// "1280x800"; an invalid size for anything else.
QSize ParseSize(std::string_view text)
{
    const QStringList parts
        = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).split(u'x');
    bool widthOk = false;
    bool heightOk = false;
    const QSize size(parts.value(0).toInt(&widthOk), parts.value(1).toInt(&heightOk));
    return parts.size() == 2 && widthOk && heightOk ? size : QSize();
}

} // namespace

int main(int argc, char** argv)
{
    const bool id3v2 = argc >= 3 && std::string_view(argv[2]) == "id3v2";
    QSize size(1000, 680);
    if (argc == 4)
        size = ParseSize(argv[3]);
    if (argc < 2 || argc > 4 || (argc >= 3 && !id3v2 && std::string_view(argv[2]) != "id3v1")
        || !size.isValid()) {
        std::fprintf(stderr, "usage: %s <output.png> [id3v1|id3v2 [<width>x<height>]]\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vennart"));

    test::TempDir dir;
    const std::filesystem::path music = dir / "Music";
    std::filesystem::create_directories(music);
    WriteSampleFolder(music);
    std::filesystem::create_directories(dir / "config");
    const platform::AppPaths paths(dir / "config", VENNART_DATA_DIR, "vennart.ini");
    workspace::Settings settings;
    settings.Write(workspace::kCurrentDirKey, text::CodePageToWide(music.string(), text::kUtf8CodePage));
    // The sample's 8-bit ID3v2 text is cp1251; UTF-16 text shows the same under any code page.
    settings.Write(workspace::kDefaultV2EncodingKey, u"1251");
    settings.Save(paths.SettingsFile());

    gui::TfrmMain window(paths);
    window.resize(size);
    window.show();
    while (!window.Ready())
        QApplication::processEvents();
    if (id3v2) {
        // The ID3v2 tab with three files selected: their common values, and where they differ.
        window.pcFileList->setCurrentIndex(1);
        QApplication::processEvents();
        window.sgID3v2->selectRow(0);
        window.sgID3v2->selectionModel()->select(
            QItemSelection(window.sgID3v2->model()->index(0, 0), window.sgID3v2->model()->index(2, 4)),
            QItemSelectionModel::Select);
    } else {
        window.sgID3v1->selectRow(1);
    }
    QApplication::processEvents();
    QApplication::processEvents();
    const bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
    return saved ? 0 : 1;
}
