// Detection over a selection: a folder of files in mixed code pages gets each file's own code
// page, ASCII files are told apart, and a whole-selection guess speaks for every 8-bit file.
#include "commands/DetectEncoding.h"

#include "commands/ConvertDetected.h"
#include "support/TestNames.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"
#include "workspace/WorkspaceFixture.h"

#include <array>

namespace vennart::commands {
namespace {

using test::Frame;
using test::TextBody;
using workspace::TagGrid;

class DetectEncoding : public workspace::WorkspaceFixture {
protected:
    static void SetUpTestSuite()
    {
        model = new text::LetterModel(text::LetterModel::Load(VENNART_DATA_DIR "/LetterBigrams.tsv"));
    }
    static void TearDownTestSuite() { delete model; }

    void WriteSong(
        const std::string& name, std::u16string_view title, std::u16string_view artist, uint32_t codePage)
    {
        const auto bytes
            = [&](std::u16string_view text) { return text::WideToCodePage(WideString(text), codePage); };
        test::WriteMp3(folder, name,
            { .frames = test::Concat(
                  { Frame("TIT2", TextBody(bytes(title))), Frame("TPE1", TextBody(bytes(artist))) }),
                .record = test::ID3v1Fields { .Title = bytes(title), .Artist = bytes(artist) } });
    }

    std::vector<std::optional<uint32_t>> Detected(TagGrid grid, bool wholeSelection)
    {
        const std::vector<int> rows { 0, 1, 2, 3 };
        std::vector<std::optional<uint32_t>> codePages;
        for (const auto& guess :
            DetectCodePages(workspace, rows, { grid, { 1251, 20866, 866 }, wholeSelection }, *model))
            codePages.push_back(guess.kind == text::TextKind::EightBit ? guess.codePage : std::nullopt);
        return codePages;
    }

    static text::LetterModel* model;
};

text::LetterModel* DetectEncoding::model = nullptr;

// Four songs, the third in ASCII; the guesses for all four.
struct DetectCase {
    const char* name;
    std::array<uint32_t, 4> written;
    TagGrid grid;
    bool wholeSelection;
    std::vector<std::optional<uint32_t>> expected;
};
VENNART_PRINT_ROW_AS(DetectCase, row.name)

class DetectInFolder : public DetectEncoding, public testing::WithParamInterface<DetectCase> { };

TEST_P(DetectInFolder, GuessesTheCodePageOfEachEightBitFile)
{
    const DetectCase& row = GetParam();
    WriteSong("1.mp3", u"Группа крови", u"Кино", row.written[0]);
    WriteSong("2.mp3", u"Город золотой", u"Аквариум", row.written[1]);
    WriteSong("3.mp3", u"Smoke on the Water", u"Deep Purple", row.written[2]);
    WriteSong("4.mp3", u"Что такое осень", u"ДДТ", row.written[3]);
    Scan();
    EXPECT_EQ(Detected(row.grid, row.wholeSelection), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Folders, DetectInFolder,
    testing::Values(DetectCase { "MixedOnID3v1", { 1251, 20866, 1251, 866 }, TagGrid::ID3v1, false,
                        { 1251, 20866, std::nullopt, 866 } },
        DetectCase { "MixedOnID3v2", { 1251, 20866, 1251, 866 }, TagGrid::ID3v2, false,
            { 1251, 20866, std::nullopt, 866 } },
        DetectCase { "WholeSelectionSpeaksForEveryEightBitFile", { 20866, 20866, 20866, 20866 },
            TagGrid::ID3v2, true, { 20866, 20866, std::nullopt, 20866 } }),
    test::ByName);

TEST_F(DetectEncoding, ConvertGivesEveryFileItsTextFromItsOwnCodePageAndLeavesTheRestAlone)
{
    WriteSong("1.mp3", u"Группа крови", u"Кино", 1251);
    WriteSong("2.mp3", u"Город золотой", u"Аквариум", 20866);
    WriteSong("3.mp3", u"Что такое осень", u"ДДТ", 866);
    Scan();
    const std::vector<int> rows { 0, 1, 2 };
    std::vector<std::optional<uint32_t>> sources;
    for (const auto& guess :
        DetectCodePages(workspace, rows, { TagGrid::ID3v2, { 1251, 20866, 866 }, false }, *model))
        sources.push_back(guess.codePage);
    sources[2].reset(); // an uncertain row the user did not confirm
    workspace.SetViewCodePage(TagGrid::ID3v1, 1251);

    Apply(workspace, ConvertFromDetected(workspace, TagGrid::ID3v2, rows, sources));
    Apply(workspace, ConvertFromDetected(workspace, TagGrid::ID3v1, rows, sources));

    EXPECT_EQ(workspace::GetFrameText(workspace.File(0), "TIT2", 1200), u"Группа крови");
    EXPECT_EQ(workspace::GetFrameText(workspace.File(1), "TPE1", 1200), u"Аквариум");
    EXPECT_EQ(workspace.TagCellText(TagGrid::ID3v1, 1, 2), u"Город золотой");
    // Row 1 is in 1251 already, the ID3v1 view code page: its record has nothing to convert.
    EXPECT_EQ(Marks(), (std::vector<std::string> { "2", "12", "" }));
}

} // namespace
} // namespace vennart::commands
