// The batch commands (copying between the record and the frames, the record's version, re-encoding,
// transliteration, conversion from detected code pages, tags from file names and file names from
// tags), each run over a folder of its own and every row read back as stored; and the detection the
// conversion follows.
//
// Then every batch command in turn, each on what the one before left, applied through the undo
// history over a folder of real-world files (the shared corpus, when present) and of built ones,
// then undone: each row is again what it was byte for byte (its ID3v2 tag as a save renders it, its
// ID3v1 record, the frames a save would rewrite, its name cell and marks), and so are the view code
// pages and whether there is anything to save. Redone, the command gives again exactly what it
// gave the first time.
#include "commands/ConvertDetected.h"
#include "commands/CopyTags.h"
#include "commands/DetectEncoding.h"
#include "commands/FileNamesFromTags.h"
#include "commands/History.h"
#include "commands/ID3v1Version.h"
#include "commands/Reencode.h"
#include "commands/Selection.h"
#include "commands/TagsFromFileNames.h"
#include "commands/Transliterate.h"
#include "support/Corpus.h"
#include "support/TestNames.h"
#include "tags/ID3v2Writer.h"
#include "tags/TextFrame.h"
#include "text/UStringConvert.h"
#include "workspace/WorkspaceFixture.h"

#include <array>
#include <functional>
#include <gmock/gmock.h>
#include <sstream>

namespace vennart::commands {
namespace {

using test::Frame;
using test::ID3v1Fields;
using test::TextBody;
using test::Utf16Body;
using workspace::TagGrid;
using enum workspace::TagGrid;

// "Привет", "Шансон" and "Кино" in code page 1251; "€" exists in 1251 but not in 866.
const std::string kPrivet1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";
const std::string kShanson1251 = "\xD8\xE0\xED\xF1\xEE\xED";
const std::string kKino1251 = "\xCA\xE8\xED\xEE";
const std::string kEuro1251 = "\x88";

using Rows = std::vector<int>;
using Command = std::function<ChangeSet(const workspace::Workspace&, const Rows&)>;

std::string Utf8(const WideString& text)
{
    return text::WideToCodePage(text, text::kUtf8CodePage);
}

// A text frame as stored: its text, after "8:" when it is 8-bit text (read in `codePage`).
std::string FrameValue(const tags::TTag* frame, uint32_t codePage)
{
    const auto* textFrame = dynamic_cast<const tags::TTxxxTag*>(frame);
    if (textFrame == nullptr)
        return frame == nullptr ? "-" : Utf8(workspace::FrameText(frame, codePage));
    if (textFrame->Encoding != tags::teISO88591)
        return Utf8(textFrame->Text);
    return "8:" + Utf8(text::ReinterpretWide(textFrame->Text, codePage));
}

// "v1.1:" or "v1.0:", then title|artist|album|year|comment|track|genre; "-" for no record.
std::string RecordValue(const tags::TID3v1Tag* record, uint32_t codePage)
{
    if (record == nullptr)
        return "-";
    std::string value = record->IsV11 ? "v1.1:" : "v1.0:";
    for (const AnsiString* field :
        { &record->Title, &record->Artist, &record->Album, &record->Year, &record->Comment })
        value += Utf8(text::CodePageToWide(*field, codePage)) + "|";
    return value + std::to_string(record->Track) + "|" + std::to_string(record->Genre);
}

struct CommandCase {
    const char* name;
    std::vector<test::Mp3Content> songs; // written as 1.mp3, 2.mp3, …
    Command command; // over every row
    // What each row is read back as, separated by spaces: "name" its name cell, "v1" its record, or a
    // frame identifier.
    std::string fields;
    // Per row: its marks ("1", "2", "12" or "-"), then each field.
    std::vector<std::string> expected;
    uint32_t cp2 = 1200; // the ID3v2 view code page; the ID3v1 one is 1251, as the workspace starts
    TagGrid tab = ID3v2; // shown with every row selected: the tab the name commands take
    std::vector<std::string> files = {}; // the names on disk instead of 1.mp3, 2.mp3, …
    std::vector<std::u16string> names = {}; // typed into the name cells first; empty: none
};
VENNART_PRINT_ROW_AS(CommandCase, row.name)

class TagCommand : public workspace::WorkspaceFixture, public testing::WithParamInterface<CommandCase> {
protected:
    std::string RowText(int row, const std::string& fields) const
    {
        const tags::TID3v2Class& file = workspace.File(row);
        std::string text = Marks()[static_cast<std::size_t>(row)];
        text = text.empty() ? "-" : text;
        std::istringstream names(fields);
        for (std::string field; names >> field;) {
            text += " ";
            if (field == "name")
                text += Utf8(workspace.RowName(row));
            else if (field == "v1")
                text += RecordValue(file.FindFrameByClass<tags::TID3v1Tag>(1), workspace.ViewCodePage(ID3v1));
            else
                text += field + "=" + FrameValue(file.FindFrameByID(field, 1), workspace.ViewCodePage(ID3v2));
        }
        return text;
    }
};

TEST_P(TagCommand, LeavesEachRowAsStored)
{
    const CommandCase& row = GetParam();
    for (std::size_t i = 0; i < row.songs.size(); ++i)
        test::WriteMp3(
            folder, row.files.empty() ? std::to_string(i + 1) + ".mp3" : row.files[i], row.songs[i]);
    Scan();
    workspace.SetActiveGrid(row.tab);
    workspace.SelectAllFiles();
    for (std::size_t i = 0; i < row.names.size(); ++i) {
        if (!row.names[i].empty())
            workspace.SetRowName(static_cast<int>(i), row.names[i]);
    }
    workspace.SetViewCodePage(ID3v2, row.cp2);
    const Rows rows = SelectedRows(workspace);

    Apply(workspace, row.command(workspace, rows));

    std::vector<std::string> shown;
    for (const int each : rows)
        shown.push_back(RowText(each, row.fields));
    EXPECT_EQ(shown, row.expected);
}

// The transliteration table the program ships.
const text::TranslitTable& Table()
{
    static const text::TranslitTable table = text::LoadTranslitTable(VENNART_DATA_DIR "/translit.tab");
    return table;
}

// Each command over the rows it is given, as the menu runs it.
Command CopyTo(TagGrid to)
{
    return [to](auto& w, auto& rows) { return CopyTags(w, to, rows); };
}

Command Version(bool v11)
{
    return [v11](auto& w, auto& rows) { return SetID3v1Version(w, rows, v11); };
}

Command ReencodeTo(TagGrid grid, uint32_t to)
{
    return [grid, to](auto& w, auto& rows) { return Reencode(w, grid, rows, to).set; };
}

Command Translit(TagGrid grid)
{
    return [grid](auto& w, auto& rows) { return TransliterateTags(w, grid, rows, Table()); };
}

Command TranslitNames()
{
    return [](auto& w, auto& rows) { return TransliterateFileNames(w, rows, Table()); };
}
// As the user confirms detection in a mixed folder: rows from 1251, from KOI8-R and left alone, in turn.
Command ConvertFrom(TagGrid grid)
{
    return [grid](auto& w, auto& rows) {
        std::vector<std::optional<uint32_t>> sources;
        for (const int row : rows)
            sources.push_back(std::array<std::optional<uint32_t>, 3> { 1251, 20866, std::nullopt }[row % 3]);
        return ConvertFromDetected(w, grid, rows, sources);
    };
}

// As the user takes what detection among 1251, KOI8-R and 866 finds, file by file or for the
// selection as a whole: each row converted from its guess, or left alone.
Command DetectAndConvert(TagGrid grid, bool wholeSelection = false)
{
    return [grid, wholeSelection](auto& w, auto& rows) {
        static const text::LetterModel model = text::LetterModel::Load(VENNART_DATA_DIR "/LetterBigrams.tsv");
        std::vector<std::optional<uint32_t>> sources;
        for (const auto& guess :
            DetectCodePages(w, rows, { grid, { 1251, 20866, 866 }, wholeSelection }, model))
            sources.push_back(CodePageToConvertFrom(guess));
        return ConvertFromDetected(w, grid, rows, sources);
    };
}

TagsFromNameOptions TitleAndTrackFromName()
{
    TagsFromNameOptions options;
    options.Rule("TIT2")->checked = true;
    options.Rule("TRCK")->checked = true;
    return options;
}

Command TagsFromNames(const TagsFromNameOptions& options = TitleAndTrackFromName())
{
    return [options](auto& w, auto& rows) { return TagsFromFileNames(w, rows, options); };
}

Command NamesFrom(const char16_t* mask)
{
    return [mask](auto& w, auto& rows) { return FileNamesFromTags(w, rows, mask); };
}

// The record copied from a song of the artist in UTF-16 and the 8-bit frames given, over a record of
// version 1.1 (track 9) or 1.0.
CommandCase CopyToRecord(const char* name, const char* frames, std::string shown, bool v11 = true)
{
    const test::Mp3Content song { .frames
        = test::Concat({ Frame("TPE1", Utf16Body(u"Привет")), test::TextFrames(frames) }),
        .record = ID3v1Fields { .Title = "old", .Track = v11 ? 9 : -1 } };
    return { name, { song }, CopyTo(ID3v1), "v1", { std::move(shown) } };
}

// Three files with an 8-bit ID3v2 title; the middle one has no ID3v1 record.
const std::vector<test::Mp3Content> kMiddleWithoutRecord
    = { test::Titled("v2 title", ID3v1Fields { .Title = "one" }), test::Titled("v2 title"),
          test::Titled("v2 title", ID3v1Fields { .Title = "three" }) };

// Title and artist in both tags, stored in the code page.
test::Mp3Content SongIn(std::u16string_view title, std::u16string_view artist, uint32_t codePage)
{
    const AnsiString titleBytes = text::WideToCodePage(WideString(title), codePage);
    const AnsiString artistBytes = text::WideToCodePage(WideString(artist), codePage);
    return test::Song("TIT2=" + titleBytes + "|TPE1=" + artistBytes,
        ID3v1Fields { .Title = titleBytes, .Artist = artistBytes });
}

// Four songs stored in the code pages given; the third is ASCII in any.
std::vector<test::Mp3Content> DetectedFolder(std::array<uint32_t, 4> codePages)
{
    return { SongIn(u"Группа крови", u"Кино", codePages[0]),
        SongIn(u"Город золотой", u"Аквариум", codePages[1]),
        SongIn(u"Smoke on the Water", u"Deep Purple", codePages[2]),
        SongIn(u"Что такое осень", u"ДДТ", codePages[3]) };
}

// A command over one ID3v2 frame of the given body, read back as that frame.
CommandCase OneFrame(const char* name, const char* id, const test::Bytes& body, Command command,
    std::string shown, uint32_t cp2 = 1200)
{
    return { name, { { .frames = Frame(id, body) } }, std::move(command), id, { std::move(shown) }, cp2 };
}

// Title, artist, track, composer and an album in 1251 in the ID3v2 tag, and the record given.
std::vector<test::Mp3Content> Tagged(const char* track = "5/12",
    std::optional<ID3v1Fields> record
    = ID3v1Fields { .Title = "V1 Title", .Artist = "V1 Artist", .Track = 7 })
{
    return { test::Song(
        std::string("TIT2=Title|TPE1=Artist|TRCK=") + track + "|TCOM=Composer|TALB=\xC0\xEB\xFC\xE1\xEE\xEC",
        record) };
}

// A name command over the song of Tagged() or of `songs`, its ID3v2 text shown in 1251.
CommandCase Names(const char* name, const char16_t* mask, std::string shown, TagGrid tab = ID3v2,
    std::vector<test::Mp3Content> songs = Tagged(), std::vector<std::string> files = {},
    std::vector<std::u16string> names = {})
{
    return { name, std::move(songs), NamesFrom(mask), "name", { std::move(shown) }, 1251, tab,
        std::move(files), std::move(names) };
}

const CommandCase kCommandCases[] = {
    { "CopyToID3v2FieldsThroughBothCodePages",
        { test::Song("TIT2=old", ID3v1Fields { .Artist = kPrivet1251, .Track = 0, .Genre = 17 }) },
        CopyTo(ID3v2), "TIT2 TPE1 TRCK TCON", { "2 TIT2= TPE1=Привет TRCK=0 TCON=8:(17)" } },
    { "CopyToID3v2GenreWithoutNameIs148", { { .record = ID3v1Fields { .Genre = 255 } } }, CopyTo(ID3v2),
        "TCON", { "2 TCON=8:(148)" } },
    CopyToRecord("CopyToID3v1TrackOfTotal", "TRCK=5/12|TCON=(17)", "1 v1.1:|Привет||||5|17"),
    CopyToRecord("CopyToID3v1TrackLow8Bits", "TRCK=300|TCON=17", "1 v1.1:|Привет||||44|17"),
    CopyToRecord("CopyToID3v1TrackLettersKept", "TRCK=x1|TCON=Rock", "1 v1.1:|Привет||||9|17"),
    CopyToRecord("CopyToID3v1TrackNegativeKept", "TRCK=-3|TCON=200", "1 v1.1:|Привет||||9|148"),
    CopyToRecord("CopyToID3v1Version10StoresZero", "TRCK=5|TCON=(0)", "1 v1.0:|Привет||||0|0", false),
    { "CopyToID3v2GoesOnPastAFileWithoutRecord", kMiddleWithoutRecord, CopyTo(ID3v2), "TIT2",
        { "2 TIT2=one", "- TIT2=8:v2 title", "2 TIT2=three" } },
    { "CopyToID3v1GivesAFileWithoutOneARecord", kMiddleWithoutRecord, CopyTo(ID3v1), "v1",
        { "1 v1.0:v2 title|||||0|148", "1 v1.1:v2 title|||||0|148", "1 v1.0:v2 title|||||0|148" } },
    { "VersionSkipsAFileWithoutRecord", kMiddleWithoutRecord, Version(true), "v1",
        { "1 v1.1:one|||||0|0", "- -", "1 v1.1:three|||||0|0" } },
    { "VersionAlreadySetChangesNothing", kMiddleWithoutRecord, Version(false), "v1",
        { "- v1.0:one|||||0|0", "- -", "- v1.0:three|||||0|0" } },
    { "ReencodeID3v1OnlyRecordsAndKeepsTrackAndGenre",
        { { .record = ID3v1Fields { .Title = kPrivet1251 } }, test::Titled("x"),
            { .record = ID3v1Fields { .Title = kPrivet1251, .Track = 4, .Genre = 17 } } },
        ReencodeTo(ID3v1, 866), "v1 TIT2",
        { "1 v1.0:Привет|||||0|0 TIT2=-", "- - TIT2=8:x", "1 v1.1:Привет|||||4|17 TIT2=-" } },
    OneFrame("ReencodeID3v2IntoTheViewCodePageChangesNothing", "TIT2", TextBody(kPrivet1251),
        ReencodeTo(ID3v2, 1251), "- TIT2=8:Привет", 1251),
    OneFrame("ReencodeUtf16To1251IsEightBit", "TIT2", Utf16Body(u"Привет"), ReencodeTo(ID3v2, 1251),
        "2 TIT2=8:Привет"),
    OneFrame("ReencodeEightBit1251To1200IsUtf16", "TIT2", TextBody(kPrivet1251), ReencodeTo(ID3v2, 1200),
        "2 TIT2=Привет", 1251),
    OneFrame("ReencodeFreeGenreCyrillicTo1200", "TCON", TextBody(kShanson1251), ReencodeTo(ID3v2, 1200),
        "2 TCON=Шансон", 1251),
    OneFrame("ReencodeFreeGenreCyrillicTo1251", "TCON", Utf16Body(u"Шансон"), ReencodeTo(ID3v2, 1251),
        "2 TCON=8:Шансон"),
    OneFrame("ReencodeTableGenreNameBecomesItsNumber", "TCON", TextBody("Rock"), ReencodeTo(ID3v2, 1200),
        "2 TCON=8:(17)", 1251),
    OneFrame("ReencodeGenreNumberIsStoredAs8Bit", "TCON", Utf16Body(u"(17)"), ReencodeTo(ID3v2, 1251),
        "2 TCON=8:(17)"),
    { "TranslitID3v1OnlyNonAsciiFieldsAndCutsTheComment",
        { { .record = ID3v1Fields { .Title = kPrivet1251,
                .Artist = "ABBA",
                .Comment = std::string(20, '\xE6'),
                .Track = 7 } } },
        Translit(ID3v1), "v1", { "1 v1.1:Privet|ABBA|||zhzhzhzhzhzhzhzhzhzhzhzhzhzh|7|0" } },
    { "TranslitID3v1AsciiIsLeftAlone", { { .record = ID3v1Fields { .Title = "Plain" } } }, Translit(ID3v1),
        "v1", { "- v1.0:Plain|||||0|0" } },
    { "TranslitID3v2EightBitUnder1251",
        { test::Song("TIT2=" + kPrivet1251 + "|TALB=x", ID3v1Fields { .Title = kPrivet1251 }) },
        Translit(ID3v2), "TIT2 TALB v1", { "2 TIT2=8:Privet TALB=8:x v1.0:Привет|||||0|0" }, 1251 },
    OneFrame("TranslitID3v2Utf16Under1200", "TIT2", Utf16Body(u"Привет"), Translit(ID3v2), "2 TIT2=Privet"),
    OneFrame("TranslitID3v2Utf16Under1251", "TIT2", Utf16Body(u"Привет"), Translit(ID3v2), "2 TIT2=8:Privet",
        1251),
    { "TranslitNamesWholeAndMayCollide", { {}, {}, {}, {} }, TranslitNames(), "name",
        { "12 Privet.MP3", "12 zh.mp3", "12 zh.mp3", "- 4.mp3" }, 1200, ID3v2, {},
        { u"Привет.MP3", u"ж.mp3", u"ж.mp3", u"" } },
    // The first file is in 1251 already, the ID3v1 view code page: its record has nothing to convert.
    { "DetectedFileByFileOnID3v1", DetectedFolder({ 1251, 20866, 1251, 866 }), DetectAndConvert(ID3v1), "v1",
        { "- v1.0:Группа крови|Кино||||0|0", "1 v1.0:Город золотой|Аквариум||||0|0",
            "- v1.0:Smoke on the Water|Deep Purple||||0|0", "1 v1.0:Что такое осень|ДДТ||||0|0" } },
    // The album in KOI8-R speaks for its one file in 1251 too.
    { "DetectedForTheWholeSelection", DetectedFolder({ 20866, 20866, 20866, 1251 }),
        DetectAndConvert(ID3v2, true), "TPE1",
        { "2 TPE1=Кино", "2 TPE1=Аквариум", "- TPE1=8:Deep Purple", "2 TPE1=ддр" } },
    { "TagsFromNameStoreID3v2AsEightBitOfTheViewCodePage", { {} }, TagsFromNames(), "TIT2", { "2 TIT2=8:Аб" },
        1251, ID3v2, { "\xD0\x90\xD0\xB1.mp3" } },
    { "TagsFromNameNoRuleCheckedChangesNoFileOnID3v1", { {}, { .record = ID3v1Fields { .Title = "Kept" } } },
        TagsFromNames(TagsFromNameOptions {}), "v1", { "- -", "- v1.0:Kept|||||0|0" }, 1200, ID3v1 },
    Names("NamesArtistDashTitle", u"%vvar - %vvtt", "12 Artist - Title.mp3"),
    Names("NamesTrailingMp3RemovedBeforeExpansion", u"%vvtt.MP3", "12 Title.mp3"),
    Names("NamesUpperCaseCodes", u"%VVTT", "12 Title.mp3"),
    Names("NamesFrameCodeOnID3v2", u"%TCOM", "12 Composer.mp3"),
    Names("NamesFrameCodeIsExactCase", u"x%tcom", "12 x.mp3"),
    Names("NamesFrameCodeOnID3v1GivesNothing", u"x%TCOM", "12 x.mp3", ID3v1),
    Names("NamesShortPercentAtTheEndDisappears", u"%vvtt%ab", "12 Title.mp3"),
    Names("NamesTrackOfTotalStays", u"%vvtr", "12 5/12.mp3"),
    Names("NamesOneDigitTrackPadded", u"%vvtr", "12 05.mp3", ID3v2, Tagged("5")),
    Names("NamesTwoDigitTrackStays", u"%vvtr", "12 12.mp3", ID3v2, Tagged("12")),
    Names("NamesID3v1TrackPadded", u"%vvtr %vvtt", "12 07 V1 Title.mp3", ID3v1),
    Names("NamesID3v1TextThroughViewCodePage", u"%vvar", "12 Альбом.mp3", ID3v1,
        Tagged("5/12", ID3v1Fields { .Artist = "\xC0\xEB\xFC\xE1\xEE\xEC" })),
    Names("NamesID3v2TextThroughViewCodePage", u"%vvab", "12 Альбом.mp3"),
    Names("NamesOldNameWithoutExtension", u"%vvfn (%vvtt)", "12 Old Name (Title).mp3", ID3v2, Tagged(),
        { "Old Name.mp3" }),
    Names("NamesDifferingOnlyInCaseAreLeftAlone", u"old name", "- Old Name.mp3", ID3v2, Tagged(),
        { "Old Name.mp3" }),
    Names(
        "NamesFileWithoutRecordOnID3v1IsLeftAlone", u"%vvtt", "- 1.mp3", ID3v1, Tagged("5/12", std::nullopt)),
    Names(
        "NamesOldNameIsTheEditedCell", u"%vvfn 2", "12 Edited 2.mp3", ID3v2, Tagged(), {}, { u"Edited.mp3" }),
    Names("NamesEditedCellUnchangedIsLeftAlone", u"%vvfn", "- Edited.mp3", ID3v2, Tagged(), {},
        { u"Edited.mp3" }),
};

INSTANTIATE_TEST_SUITE_P(Commands, TagCommand, testing::ValuesIn(kCommandCases), test::ByName);

using ReencodeFolder = workspace::WorkspaceFixture;

// The rows whose text a re-encoding would turn into "?", top to bottom, and the question asked
// before it: the first ten of those files, then how many more.
TEST_F(ReencodeFolder, NamesTheRowsThatWouldLoseCharactersTheFirstTenInTheQuestion)
{
    const test::Mp3Content kept { .frames = Frame("TIT2", Utf16Body(u"Привет")),
        .record = ID3v1Fields { .Title = kPrivet1251 } };
    test::WriteMp3(folder, "a.mp3", kept);
    test::WriteMp3(folder, "b.mp3", { .record = ID3v1Fields { .Title = "5" + kEuro1251 } });
    test::WriteMp3(folder, "c.mp3", { .frames = Frame("TCON", Utf16Body(u"日本のロック")) });
    for (char name = 'd'; name <= 'n'; ++name)
        test::WriteMp3(
            folder, std::string(1, name) + ".mp3", { .frames = Frame("TPE1", Utf16Body(u"Ελλάδα")) });
    test::WriteMp3(folder, "o.mp3", kept);
    Scan();
    workspace.SelectAllFiles();
    const Rows rows = SelectedRows(workspace);

    EXPECT_EQ(Reencode(workspace, ID3v1, rows, 866).lossyRows, (Rows { 1 }));
    const Reencoding reencoding = Reencode(workspace, ID3v2, rows, 1251);
    EXPECT_EQ(reencoding.lossyRows, (Rows { 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 }));
    const std::string question
        = LossyReencodingQuestion(workspace, reencoding.lossyRows, "Cyrillic (Windows)");
    EXPECT_THAT(question, testing::StartsWith("Cyrillic (Windows) cannot hold"));
    EXPECT_THAT(question, testing::HasSubstr("\nl.mp3\nand 2 more\n"));
    EXPECT_THAT(question, testing::Not(testing::HasSubstr("m.mp3")));
}

using test::kCorpus;

// A digest of the bytes, so that a row's state is one line of text.
std::string Digest(const tags::ByteVector& bytes)
{
    return std::to_string(std::hash<std::string_view> {}(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
}

// Per row: its file, its ID3v2 tag as a save renders it, its ID3v1 record, which frames a save would
// rewrite, its name cell and its marks; last, whether there is anything to save and the view code pages.
std::vector<std::string> StateOf(const workspace::Workspace& w)
{
    std::vector<std::string> state;
    for (int row = 0; row < w.FileCount(); ++row) {
        const tags::TID3v2Class& file = w.File(row);
        std::string changed;
        for (const auto& frame : file.Frames)
            changed += frame->Changed ? '1' : '0';
        tags::ByteWriter record;
        if (const auto* v1 = file.FindFrameByClass<tags::TID3v1Tag>(1))
            v1->SaveToStream(record, tags::FrameSizeFormat::Plain);
        state.push_back(file.FileName.filename().string() + ": tag "
            + Digest(tags::RenderID3v2Tag(tags::ID3v2Header {}, file.Frames, file.FileName)) + ", record "
            + Digest(record.Data()) + ", changed frames " + changed + ", name " + Utf8(w.RowName(row))
            + ", marks " + (w.IsRowMarked(row, ID3v1) ? "1" : "") + (w.IsRowMarked(row, ID3v2) ? "2" : ""));
    }
    state.push_back(std::string("changed ") + (w.Changed() ? "yes" : "no") + ", code pages "
        + std::to_string(w.ViewCodePage(ID3v1)) + " " + std::to_string(w.ViewCodePage(ID3v2)));
    return state;
}

struct UndoCase {
    const char* name;
    TagGrid tab; // the visible tab, whose view code page and rows the command takes
    Command command;
};

// In turn, each under the view code pages the steps before it left.
const UndoCase kCommands[] = {
    { "ConvertDetectedOnID3v1", ID3v1, ConvertFrom(ID3v1) },
    { "ConvertDetectedOnID3v2", ID3v2, ConvertFrom(ID3v2) },
    { "TransliterateID3v1", ID3v1, Translit(ID3v1) },
    { "TransliterateID3v2", ID3v2, Translit(ID3v2) },
    { "ReencodeID3v1From1251To866", ID3v1, ReencodeTo(ID3v1, 866) },
    { "ReencodeID3v2From1200To1251", ID3v2, ReencodeTo(ID3v2, 1251) },
    { "ReencodeID3v2From1251To1200", ID3v2, ReencodeTo(ID3v2, 1200) },
    { "TransliterateFileNames", ID3v2, TranslitNames() },
    { "CopyID3v2ToID3v1", ID3v1, CopyTo(ID3v1) },
    { "CopyID3v1ToID3v2", ID3v2, CopyTo(ID3v2) },
    { "ID3v1Version10", ID3v1, Version(false) },
    { "ID3v1Version11", ID3v1, Version(true) },
    { "TagsFromNamesOnID3v1", ID3v1, TagsFromNames() },
    { "TagsFromNamesOnID3v2", ID3v2, TagsFromNames() },
    { "NamesFromTagsOnID3v1", ID3v1, NamesFrom(u"%vvar - %vvtt") },
    { "NamesFromTagsOnID3v2", ID3v2, NamesFrom(u"%vvtr %vvtt (%vvab)") },
};
// The built files cover what the corpus may lack: 8-bit and UTF-16 text, a genre of the user's own
// and one of the table, a picture, user frames, no ID3v2 tag, no ID3v1 record, both record versions.
void WriteBuiltFiles(const test::TempDir& folder)
{
    using namespace test;
    const Bytes zero { 0 };
    const Bytes comment = Concat({ Bytes { 0, 'r', 'u', 's', 0 }, BytesOf(kPrivet1251) });
    const Bytes picture = Concat({ zero, BytesOf("image/png"), Bytes { 0, 3, 0 }, Bytes(300, 0x89) });
    const Bytes userUrl = Concat({ zero, BytesOf("site"), zero, BytesOf("http://x") });
    WriteMp3(folder, "Кино - Группа крови.mp3",
        { .frames = Concat({ TextFrames("TIT2=" + kPrivet1251 + "|TPE1=" + kKino1251 + "|TCON=" + kShanson1251
                                 + "|TRCK=3/12"),
              Frame("COMM", comment) }),
            .record = ID3v1Fields {
                .Title = kPrivet1251, .Artist = kKino1251, .Comment = "c", .Track = 3, .Genre = 17 } });
    WriteMp3(folder, "02 Unicode.mp3",
        { .frames = Concat({ Frame("TIT2", Utf16Body(u"Ελλάδα")), Frame("TPE1", Utf16Body(u"Привет")),
              Frame("TCON", Utf16Body(u"Post-Rock")), Frame("TXXX", Utf16Body(u"key")),
              Frame("APIC", picture) }),
            .record = ID3v1Fields { .Title = "Plain", .Comment = std::string(30, 'x') } });
    WriteMp3(
        folder, "No ID3v2.mp3", { .frames = std::nullopt, .record = ID3v1Fields { .Artist = kKino1251 } });
    WriteMp3(folder, "No record.mp3",
        { .frames = Concat({ TextFrames("TIT2=Rock|TCON=(17)"), Frame("WXXX", userUrl) }) });
}

class CommandFolder : public workspace::WorkspaceFixture {
protected:
    void SetUp() override
    {
        WriteBuiltFiles(folder);
        // Each corpus file under a name of its own that the scan lists.
        for (const std::string& file : test::CorpusFiles()) {
            std::string name = file;
            std::ranges::replace(name, '/', '_');
            if (!name.ends_with(".mp3"))
                name += ".mp3";
            std::filesystem::copy_file(kCorpus / file, folder / name);
        }
        Scan();
        ASSERT_GE(workspace.FileCount(), 4);
        workspace.SelectAllFiles();
    }

    History history { workspace };
};

// Steps that build on each other: each undone gives back every byte as it was before it and redone
// gives again what it gave; all undone from the newest, they lead back to the folder as read.
TEST_F(CommandFolder, EveryCommandUndoneRestoresEveryByteAndRedoneGivesItsResultAgain)
{
    const std::vector<std::string> original = StateOf(workspace);
    for (const UndoCase& command : kCommands) {
        SCOPED_TRACE(command.name);
        workspace.SetActiveGrid(command.tab);
        const std::vector<std::string> before = StateOf(workspace);
        history.Do(command.command(workspace, SelectedRows(workspace)));
        const std::vector<std::string> applied = StateOf(workspace);
        EXPECT_NE(applied, before) << "the command changed nothing to undo";
        history.Undo();
        EXPECT_EQ(StateOf(workspace), before) << "undo left rows changed";
        history.Redo();
        EXPECT_EQ(StateOf(workspace), applied) << "redo differs from the first run";
    }
    // Run again, the last command finds nothing left to change: that is no step of its own.
    history.Do(std::rbegin(kCommands)->command(workspace, SelectedRows(workspace)));
    const std::vector<std::string> applied = StateOf(workspace);
    std::size_t undone = 0;
    for (; history.CanUndo(); ++undone)
        history.Undo();
    EXPECT_EQ(undone, std::size(kCommands));
    EXPECT_EQ(StateOf(workspace), original) << "undone, rows differ from the folder as read";
    EXPECT_FALSE(workspace.Changed());
    while (history.CanRedo())
        history.Redo();
    EXPECT_EQ(StateOf(workspace), applied) << "redone, rows differ";
}

} // namespace
} // namespace vennart::commands
