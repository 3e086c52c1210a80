// "Change Encoding of Tags" over a folder: which rows it marks, what the stored bytes become on both
// tabs, a genre of the user's own that must survive it, and a target that cannot hold every character.
#include "commands/Reencode.h"

#include "platform/SystemCodePage.h"
#include "support/TestNames.h"
#include "tags/ID3v1Tag.h"
#include "tags/TextFrame.h"
#include "workspace/FrameText.h"
#include "workspace/WorkspaceFixture.h"

#include <gmock/gmock.h>
#include <numeric>

namespace vennart::commands {
namespace {

using workspace::TagGrid;

constexpr uint32_t kUtf16 = 1200;
constexpr uint32_t kCyrillic = 1251;
constexpr uint32_t kDos = 866;
constexpr int kTitleColumn = 2;
// "Привет" and "Шансон" in code pages 1251 and 866; "€" exists in 1251 but not in 866.
constexpr const char* kPrivet1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";
constexpr const char* kPrivet866 = "\x8F\xE0\xA8\xA2\xA5\xE2";
constexpr const char* kShanson1251 = "\xD8\xE0\xED\xF1\xEE\xED";
constexpr const char* kEuro1251 = "\x88";

class ReencodeFolder : public workspace::WorkspaceFixture {
protected:
    std::vector<int> AllRows() const
    {
        std::vector<int> rows(static_cast<std::size_t>(workspace.FileCount()));
        std::iota(rows.begin(), rows.end(), 0);
        return rows;
    }

    // The command from `from` into `to` over every file, computed but not applied.
    Reencoding Compute(TagGrid grid, uint32_t from, uint32_t to)
    {
        workspace.SetViewCodePage(grid, from);
        return Reencode(workspace, grid, AllRows(), to);
    }

    const tags::TTxxxTag& TextFrameOf(int row, const char* id) const
    {
        return dynamic_cast<const tags::TTxxxTag&>(*workspace.File(row).FindFrameByID(id, 1));
    }
};

TEST_F(ReencodeFolder, ID3v1MarksOnlyTheRowsWithARecordAndShowsTheSameText)
{
    test::WriteMp3(
        folder, "1.mp3", { .frames = std::nullopt, .record = test::ID3v1Fields { .Title = kPrivet1251 } });
    test::WriteMp3(
        folder, "2.mp3", { .frames = test::Frame("TIT2", test::TextBody("x")), .record = std::nullopt });
    test::WriteMp3(folder, "3.mp3",
        { .frames = std::nullopt,
            .record = test::ID3v1Fields { .Title = kPrivet1251, .Track = 4, .Genre = 17 } });
    Scan();

    Apply(workspace, Compute(TagGrid::ID3v1, kCyrillic, kDos).set);

    EXPECT_EQ(Marks(), (std::vector<std::string> { "1", "", "1" }));
    EXPECT_TRUE(workspace.Changed());
    EXPECT_EQ(workspace.ViewCodePage(TagGrid::ID3v1), kDos);
    for (int row : { 0, 2 }) {
        EXPECT_EQ(workspace.File(row).FindFrameByClass<tags::TID3v1Tag>(1)->Title, kPrivet866);
        EXPECT_EQ(workspace.TagCellText(TagGrid::ID3v1, row, kTitleColumn), u"Привет");
    }
    const auto& untouched = *workspace.File(2).FindFrameByClass<tags::TID3v1Tag>(1);
    EXPECT_EQ(untouched.Track, 4);
    EXPECT_EQ(untouched.Genre, 17);
    EXPECT_FALSE(workspace.File(1).FindFrameByID("TIT2", 1)->Changed);
}

TEST_F(ReencodeFolder, IntoTheViewCodePageChangesNothingOnEitherTab)
{
    test::WriteMp3(folder, "1.mp3",
        { .frames = test::Frame("TIT2", test::TextBody(kPrivet1251)),
            .record = test::ID3v1Fields { .Title = kPrivet1251 } });
    Scan();
    for (const auto& [grid, codePage] :
        { std::pair { TagGrid::ID3v1, kCyrillic }, std::pair { TagGrid::ID3v2, kUtf16 } }) {
        const Reencoding reencoding = Compute(grid, codePage, codePage);
        EXPECT_TRUE(reencoding.set.IsEmpty());
        EXPECT_TRUE(reencoding.lossyRows.empty());
    }
}

// One ID3v2 frame re-encoded: its stored text and encoding afterwards.
struct FrameCase {
    const char* name;
    const char* id;
    test::Bytes body;
    uint32_t from;
    uint32_t to;
    WideString stored;
    tags::TTextEncoding encoding;
};

VENNART_PRINT_ROW_AS(FrameCase, row.name)

class ReencodeID3v2Frame : public ReencodeFolder, public testing::WithParamInterface<FrameCase> { };

TEST_P(ReencodeID3v2Frame, StoresTheTextInTheTarget)
{
    const FrameCase& row = GetParam();
    test::WriteMp3(folder, "1.mp3", { .frames = test::Frame(row.id, row.body) });
    Scan();
    const WideString shown = workspace::GetFrameText(workspace.File(0), row.id, row.from);

    Apply(workspace, Compute(TagGrid::ID3v2, row.from, row.to).set);

    EXPECT_EQ(TextFrameOf(0, row.id).Text, row.stored);
    EXPECT_EQ(TextFrameOf(0, row.id).Encoding, row.encoding);
    EXPECT_EQ(workspace::GetFrameText(workspace.File(0), row.id, row.to), shown);
    EXPECT_EQ(Marks(), (std::vector<std::string> { "2" }));
}

INSTANTIATE_TEST_SUITE_P(Frames, ReencodeID3v2Frame,
    testing::Values(FrameCase { "Utf16To1251IsEightBit", "TIT2", test::Utf16Body(u"Привет"), kUtf16,
                        kCyrillic, WidenSystem(kPrivet1251), tags::teISO88591 },
        FrameCase { "EightBit1251To1200IsUtf16", "TIT2", test::TextBody(kPrivet1251), kCyrillic, kUtf16,
            u"Привет", tags::teUTF16 },
        FrameCase { "FreeGenreLatinKeepsItsText", "TCON", test::TextBody("Post-Rock"), kCyrillic, kUtf16,
            u"Post-Rock", tags::teUTF16 },
        FrameCase { "FreeGenreCyrillicTo1200", "TCON", test::TextBody(kShanson1251), kCyrillic, kUtf16,
            u"Шансон", tags::teUTF16 },
        FrameCase { "FreeGenreCyrillicTo1251", "TCON", test::Utf16Body(u"Шансон"), kUtf16, kCyrillic,
            WidenSystem(kShanson1251), tags::teISO88591 },
        FrameCase { "TableGenreNameBecomesItsNumber", "TCON", test::TextBody("Rock"), kCyrillic, kUtf16,
            u"(17)", tags::teISO88591 },
        FrameCase { "GenreNumberIsStoredAs8Bit", "TCON", test::Utf16Body(u"(17)"), kUtf16, kCyrillic, u"(17)",
            tags::teISO88591 }),
    test::ByName);

// A target that cannot hold some characters: the command names those rows while nothing has changed.
struct LossyCase {
    const char* name;
    TagGrid grid;
    uint32_t from;
    uint32_t to;
    test::Mp3Content lossy;
};

VENNART_PRINT_ROW_AS(LossyCase, row.name)

class LossyReencoding : public ReencodeFolder, public testing::WithParamInterface<LossyCase> { };

TEST_P(LossyReencoding, NamesTheRowsBeforeAnythingChanges)
{
    const LossyCase& row = GetParam();
    const test::Mp3Content kept { .frames = test::Frame("TIT2", test::Utf16Body(u"Привет")),
        .record = test::ID3v1Fields { .Title = kPrivet1251 } };
    test::WriteMp3(folder, "1.mp3", kept);
    test::WriteMp3(folder, "2.mp3", row.lossy);
    test::WriteMp3(folder, "3.mp3", kept);
    Scan();

    const Reencoding reencoding = Compute(row.grid, row.from, row.to);

    EXPECT_EQ(reencoding.lossyRows, std::vector<int> { 1 });
    EXPECT_EQ(Marks(), (std::vector<std::string> { "", "", "" }));
    EXPECT_FALSE(workspace.Changed());
    EXPECT_EQ(workspace.ViewCodePage(row.grid), row.from);
}

INSTANTIATE_TEST_SUITE_P(Targets, LossyReencoding,
    testing::Values(LossyCase { "ID3v1EuroInto866", TagGrid::ID3v1, kCyrillic, kDos,
                        { .frames = std::nullopt,
                            .record = test::ID3v1Fields { .Title = std::string("5") + kEuro1251 } } },
        LossyCase { "ID3v2GreekInto1251", TagGrid::ID3v2, kUtf16, kCyrillic,
            { .frames = test::Frame("TPE1", test::Utf16Body(u"Ελλάδα")) } },
        LossyCase { "ID3v2FreeGenreInto1251", TagGrid::ID3v2, kUtf16, kCyrillic,
            { .frames = test::Frame("TCON", test::Utf16Body(u"日本のロック")) } }),
    test::ByName);

TEST_F(ReencodeFolder, TheQuestionNamesTenFilesThenHowManyMore)
{
    for (char name = 'a'; name <= 'l'; ++name)
        test::WriteMp3(folder, std::string(1, name) + ".mp3",
            { .frames = test::Frame("TIT2", test::Utf16Body(u"Ελλάδα")) });
    Scan();
    const Reencoding reencoding = Compute(TagGrid::ID3v2, kUtf16, kCyrillic);
    ASSERT_EQ(reencoding.lossyRows.size(), std::size_t { 12 });

    const std::string question
        = LossyReencodingQuestion(workspace, reencoding.lossyRows, "Cyrillic (Windows)");

    EXPECT_THAT(question, testing::StartsWith("Cyrillic (Windows) cannot hold"));
    EXPECT_THAT(question, testing::HasSubstr("\nj.mp3\nand 2 more\n"));
    EXPECT_THAT(question, testing::Not(testing::HasSubstr("k.mp3")));
}

} // namespace
} // namespace vennart::commands
