// vennart-cli run as a shell runs it, on songs in a temporary folder: a dry run changes no byte and
// foretells the real run, whose values show --json reads back, one unwritable file does not stop
// the others, usage errors end with status 2, and --recursive reaches every folder.
#include "CliProcess.h"
#include "Mp3Folder.h"
#include "support/TestNames.h"

#include <QJsonArray>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <tuple>

namespace vennart::test {
namespace {

namespace fs = std::filesystem;

const std::string kSettings = "settings.ini";

// Three songs with both tags, named "Artist n - Song n.mp3"; an empty settings file beside them,
// so that no settings of the machine's own play a part.
void WriteSongs(const TempDir& folder)
{
    for (int n = 1; n <= 3; ++n) {
        const std::string number = std::to_string(n);
        WriteMp3(folder, "Artist " + number + " - Song " + number + ".mp3",
            { .frames = Concat(
                  { Frame("TIT2", TextBody("Song " + number)), Frame("TPE1", Utf16Body(u"Исполнитель")) }),
                .record = ID3v1Fields { .Title = "Song", .Artist = "Band", .Track = n } });
    }
    WriteFileBytes(folder / kSettings, {});
}

// The tool run in the folder on its settings file, with `more` after the arguments.
CliResult RunIn(const TempDir& folder, std::vector<std::string> arguments,
    std::initializer_list<std::string> more, bool asUnprivileged = false)
{
    arguments.insert(arguments.end(), { "--settings", kSettings });
    arguments.insert(arguments.end(), more);
    return RunCli(arguments, folder.Path(), asUnprivileged);
}

std::string Text(const QJsonValue& value)
{
    return value.isDouble() ? std::to_string(value.toInt()) : value.toString().toStdString();
}

// The JSON lines of a run by their "file" member.
std::map<std::string, QJsonObject> ByFile(const CliResult& run)
{
    std::map<std::string, QJsonObject> files;
    for (const QJsonObject& file : run.JsonLines())
        files[Text(file["file"])] = file;
    return files;
}

// What show --json, with the options after "show" in `show`, tells of each file.
std::map<std::string, QJsonObject> Shown(
    const TempDir& folder, const std::vector<std::string>& show = { "show" })
{
    return ByFile(RunIn(folder, show, { "--json", "." }));
}

// The fields a dry run names, read from what show --json printed.
std::map<std::string, std::string> ShownFields(const QJsonObject& file)
{
    std::map<std::string, std::string> fields { { "name", Text(file["name"]) } };
    if (const QJsonObject record = file["id3v1"].toObject(); !record.isEmpty()) {
        for (const char* key : { "version", "title", "artist", "album", "year", "comment", "track" })
            fields[std::string("ID3v1 ") + key] = Text(record[key]);
        fields["ID3v1 genre"]
            = record["genreName"].toString().isEmpty() ? Text(record["genre"]) : Text(record["genreName"]);
    }
    std::map<std::string, int> seen;
    for (const QJsonValue& frame : file["id3v2"].toObject()["frames"].toArray()) {
        const std::string id = Text(frame.toObject()["id"]);
        const int occurrence = ++seen[id];
        const std::string field = occurrence == 1 ? id : id + "#" + std::to_string(occurrence);
        fields[field] = Text(frame.toObject()["text"]);
        fields[field + " storage"] = Text(frame.toObject()["storage"]);
    }
    return fields;
}

using Change = std::tuple<std::string, std::string, std::string>; // field, old, new

std::set<Change> Difference(const QJsonObject& before, const QJsonObject& after)
{
    auto old = ShownFields(before);
    auto now = ShownFields(after);
    // A field that appears was empty before, one that goes is empty after.
    for (const auto& [field, text] : now)
        old.try_emplace(field);
    std::set<Change> changes;
    for (const auto& [field, text] : old) {
        if (now[field] != text)
            changes.insert({ field, text, now[field] });
    }
    return changes;
}

struct CommandCase {
    std::string name;
    std::vector<std::string> arguments;
    std::vector<std::string> show = { "show" }; // with the view code pages of the command
    std::map<std::string, std::string> shown = {}; // what show --json then gives of every file
};
VENNART_PRINT_ROW_AS(CommandCase, row.name)

// Each test runs the tool on the three songs of a folder of its own.
class CliTest : public testing::Test {
protected:
    CliTest() { WriteSongs(folder); }

    TempDir folder;
};

class DryRunTest : public CliTest, public testing::WithParamInterface<CommandCase> { };

TEST_P(DryRunTest, ChangesNothingAndForetellsTheRun)
{
    const auto shownBefore = Shown(folder, GetParam().show);
    const auto bytesBefore = ContentOf(folder);

    const CliResult dryRun = RunIn(folder, GetParam().arguments, { "--dry-run", "--json", "." });
    ASSERT_EQ(dryRun.status, 0) << dryRun.err;
    EXPECT_EQ(ContentOf(folder), bytesBefore);
    auto described = ByFile(dryRun);
    ASSERT_FALSE(described.empty());

    const CliResult run = RunIn(folder, GetParam().arguments, { "." });
    ASSERT_EQ(run.status, 0) << run.err;
    const auto shownAfter = Shown(folder, GetParam().show);
    for (const auto& [path, before] : shownBefore) {
        std::set<Change> foretold; // none for a file the dry run does not name
        for (const QJsonValue& change : described[path]["changes"].toArray())
            foretold.insert({ Text(change["field"]), Text(change["old"]), Text(change["new"]) });
        std::string newPath = path;
        for (const auto& [field, old, now] : foretold)
            newPath = field == "name" ? "./" + now : newPath;
        ASSERT_TRUE(shownAfter.contains(newPath)) << newPath;
        EXPECT_EQ(Difference(before, shownAfter.at(newPath)), foretold) << path;
        const auto fields = ShownFields(shownAfter.at(newPath));
        for (const auto& [field, text] : GetParam().shown)
            EXPECT_EQ(fields.contains(field) ? fields.at(field) : "(none)", text) << newPath << " " << field;
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, DryRunTest,
    testing::Values(CommandCase { "SetBothTagsWithEscapesInUtf16",
                        { "set", "--v2-code-page", "1200", "title=Привет, \"мир\" \\ 1\t2\x01", "TCOM=Бах" },
                        { "show", "--v2-code-page", "1200" },
                        { { "TIT2", "Привет, \"мир\" \\ 1\t2\x01" }, { "TCOM", "Бах" } } },
        CommandCase { "SetID3v2In1251", { "set", "--v2", "--v2-code-page", "1251", "title=Привет, мир" },
            { "show", "--v2-code-page", "1251" },
            { { "TIT2", "Привет, мир" }, { "TIT2 storage", "code page 1251" } } },
        CommandCase { "SetID3v1TitleIn1251", { "set", "--v1", "--v1-code-page", "1251", "title=Привет" },
            { "show", "--v1-code-page", "1251" }, { { "ID3v1 title", "Привет" } } },
        CommandCase {
            "TagsFromNames", { "tags-from-names", "--rule", "TPE1=..' - '", "--rule", "TIT2=' - '.." } },
        CommandCase { "TranslitID3v2", { "translit", "--v2" } },
        CommandCase { "CopyID3v1ToID3v2", { "copy", "--v1-to-v2" } },
        CommandCase { "NamesFromTags", { "names-from-tags", "--mask", "%vvtt by %vvar" } },
        CommandCase { "ReencodeID3v2", { "reencode", "--v2-code-page", "1252", "--to", "1200" },
            { "show", "--v2-code-page", "1252" } }),
    ByName);

TEST_F(CliTest, DryRunShowsTheCollisionsTheRunRefuses)
{
    const auto bytes = ContentOf(folder);
    const std::vector<std::string> sameName { "names-from-tags", "--mask", "%vvar" };

    const CliResult dryRun = RunIn(folder, sameName, { "--dry-run", "--json", "." });
    EXPECT_EQ(dryRun.status, 1);
    EXPECT_EQ(ContentOf(folder), bytes);
    ASSERT_EQ(dryRun.JsonLines().size(), 3U);
    for (const QJsonObject& file : dryRun.JsonLines())
        EXPECT_EQ(file["problems"].toArray().size(), 1) << Text(file["file"]);

    const CliResult run = RunIn(folder, sameName, { "." });
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(fs::exists(folder / "Исполнитель.mp3"));
    const auto shown = Shown(folder);
    EXPECT_EQ(shown.size(), 3U) << "a refused rename lost a file";
    for (const auto& [path, file] : shown) {
        EXPECT_TRUE(path == "./Исполнитель.mp3" || run.err.find(path.substr(2)) != std::string::npos)
            << path << " not named in: " << run.err;
    }
}

TEST_F(CliTest, UnwritableFileIsNamedAndTheOthersAreSaved)
{
    const fs::path locked = folder / "Artist 2 - Song 2.mp3";
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto lockedBytes = ReadFileBytes(locked);

    const CliResult run = RunIn(folder, { "set" }, { "title=Saved", "." }, true);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Artist 2 - Song 2.mp3"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(locked), lockedBytes);
    const auto shown = Shown(folder);
    for (const char* saved : { "./Artist 1 - Song 1.mp3", "./Artist 3 - Song 3.mp3" })
        EXPECT_EQ(Text(shown.at(saved)["id3v2"]["frames"][0]["text"]), "Saved") << saved;
}

// Arguments the tool refuses as a usage error, each with its name.
const std::pair<const char*, std::vector<std::string>> kUsageErrors[] = {
    { "NoCommand", {} },
    { "UnknownCommand", { "frobnicate", "." } },
    { "UnknownOption", { "set", "--frobnicate", "title=x", "." } },
    { "OptionOfAnotherCommand", { "show", "--mask", "%vvtt", "." } },
    { "NoPath", { "show" } },
    { "CodePageNotANumber", { "show", "--v2-code-page", "12x", "." } },
    { "CodePageUnknown", { "set", "--v2-code-page", "4294967295", "title=x", "." } },
    { "UnknownField", { "set", "nofield=x", "." } },
    { "ValueNotUtf8", { "set", "title=\xff\xfe", "." } },
    { "MissingSettingsFile", { "show", "--settings", "absent.ini", "." } },
    { "BadRule", { "tags-from-names", "--rule", "TXXX=1..2", "." } },
    { "ReencodeWithoutTarget", { "reencode", "." } },
    { "ReencodeToAndDetect", { "reencode", "--to", "1200", "--detect", "." } },
    { "CandidateNotACodePage", { "detect", "--candidates", "1251,x", "." } },
};

TEST_F(CliTest, UsageErrorsEndWithStatus2AndTheUsage)
{
    const auto bytes = ContentOf(folder);
    for (const auto& [name, arguments] : kUsageErrors) {
        SCOPED_TRACE(name);
        const CliResult run = RunCli(arguments, folder.Path());
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("usage: vennart-cli"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(ContentOf(folder), bytes);
    }
}

// cp1251 and KOI8-R songs beside the three in ASCII: detect names each file's code page in JSON
// lines, an empty one for ASCII text, and reencode --detect converts each from its own.
TEST_F(CliTest, DetectNamesEachFilesCodePageAndReencodeConvertsEachFromIt)
{
    WriteMp3(folder, "cp1251.mp3",
        Song("TIT2=\xC3\xF0\xF3\xEF\xEF\xE0\x20\xEA\xF0\xEE\xE2\xE8|TPE1=\xCA\xE8\xED\xEE"));
    WriteMp3(folder, "koi8.mp3",
        Song("TIT2=\xE7\xCF\xD2\xCF\xC4\x20\xDA\xCF\xCC\xCF\xD4\xCF\xCA|TPE1="
             "\xE1\xCB\xD7\xC1\xD2\xC9\xD5\xCD"));

    const CliResult detect = RunIn(folder, { "detect" }, { "--json", "--candidates", "1251,20866", "." });
    ASSERT_EQ(detect.status, 0) << detect.err;
    std::set<std::string> found;
    for (const QJsonObject& line : detect.JsonLines()) {
        found.insert(Text(line["file"]) + " " + Text(line["tag"]) + " " + Text(line["code_page"]) + " of "
            + std::to_string(line["ranking"].toArray().size())
            + (line["confidence"].toDouble() > 0.9 ? ", sure" : ", unsure"));
    }
    EXPECT_EQ(found,
        (std::set<std::string> { "./Artist 1 - Song 1.mp3 v2  of 0, unsure",
            "./Artist 2 - Song 2.mp3 v2  of 0, unsure", "./Artist 3 - Song 3.mp3 v2  of 0, unsure",
            "./cp1251.mp3 v2 1251 of 2, sure", "./koi8.mp3 v2 20866 of 2, sure" }));

    const CliResult convert
        = RunIn(folder, { "reencode", "--detect" }, { "--candidates", "1251,20866", "." });
    ASSERT_EQ(convert.status, 0) << convert.err;
    const auto shown = Shown(folder);
    EXPECT_EQ(Text(shown.at("./cp1251.mp3")["id3v2"]["frames"][0]["text"]), "Группа крови");
    EXPECT_EQ(Text(shown.at("./koi8.mp3")["id3v2"]["frames"][1]["text"]), "Аквариум");
    EXPECT_EQ(Text(shown.at("./koi8.mp3")["id3v2"]["frames"][0]["storage"]), "UTF-16");
}

TEST_F(CliTest, RecursiveReachesEveryNestedFolder)
{
    for (const char* below : { "sub/deeper", ".hidden", "Other" })
        fs::create_directories(folder / below);
    for (const char* song : { "sub/a.mp3", "sub/deeper/b.MP3", ".hidden/c.mp3", "Other/d.mp3" })
        WriteMp3(folder, song);

    EXPECT_EQ(Shown(folder).size(), 3U);
    std::set<std::string> files;
    for (const auto& [path, shown] : Shown(folder, { "show", "--recursive" }))
        files.insert(path);
    EXPECT_EQ(files,
        (std::set<std::string> { "./.hidden/c.mp3", "./Artist 1 - Song 1.mp3", "./Artist 2 - Song 2.mp3",
            "./Artist 3 - Song 3.mp3", "./Other/d.mp3", "./sub/a.mp3", "./sub/deeper/b.MP3" }));
}

} // namespace
} // namespace vennart::test
