// The commands over a selection of three files of which the second has no ID3v1 record, and file
// names transliterated in the name cells.
#include "commands/CopyTags.h"
#include "commands/ID3v1Version.h"
#include "commands/Transliterate.h"
#include "tags/ID3v1Tag.h"
#include "workspace/FrameText.h"
#include "workspace/WorkspaceFixture.h"

namespace vennart::commands {
namespace {

using workspace::TagGrid;

const std::vector<int> kAllThree = { 0, 1, 2 };

class MiddleFileWithoutRecord : public workspace::WorkspaceFixture {
protected:
    void SetUp() override
    {
        const test::Bytes title = test::Frame("TIT2", test::TextBody("v2 title"));
        test::WriteMp3(folder, "1.mp3",
            { .frames = title, .record = test::ID3v1Fields { .Title = "one", .Track = -1 } });
        test::WriteMp3(folder, "2.mp3", { .frames = title, .record = std::nullopt });
        test::WriteMp3(folder, "3.mp3",
            { .frames = title, .record = test::ID3v1Fields { .Title = "three", .Track = -1 } });
        Scan();
    }

    const tags::TID3v1Tag* RecordOf(int row) const
    {
        return workspace.File(row).FindFrameByClass<tags::TID3v1Tag>(1);
    }
};

TEST_F(MiddleFileWithoutRecord, CopyToID3v2GoesOnPastIt)
{
    Apply(workspace, CopyTags(workspace, TagGrid::ID3v2, kAllThree));
    EXPECT_EQ(Marks(), (std::vector<std::string> { "2", "", "2" }));
    EXPECT_EQ(workspace::GetFrameText(workspace.File(0), "TIT2", 1200), u"one");
    EXPECT_EQ(workspace::GetFrameText(workspace.File(1), "TIT2", 1200), u"v2 title");
    EXPECT_EQ(workspace::GetFrameText(workspace.File(2), "TIT2", 1200), u"three");
}

TEST_F(MiddleFileWithoutRecord, CopyToID3v1GivesItARecord)
{
    Apply(workspace, CopyTags(workspace, TagGrid::ID3v1, kAllThree));
    EXPECT_EQ(Marks(), (std::vector<std::string> { "1", "1", "1" }));
    ASSERT_NE(RecordOf(1), nullptr);
    EXPECT_EQ(RecordOf(1)->Title, "v2 title");
    EXPECT_EQ(RecordOf(2)->Title, "v2 title");
}

TEST_F(MiddleFileWithoutRecord, VersionSkipsIt)
{
    Apply(workspace, SetID3v1Version(workspace, kAllThree, true));
    EXPECT_EQ(Marks(), (std::vector<std::string> { "1", "", "1" }));
    EXPECT_TRUE(RecordOf(0)->IsV11 && RecordOf(2)->IsV11);
    EXPECT_EQ(RecordOf(1), nullptr);

    Apply(workspace, SetID3v1Version(workspace, std::vector<int> { 0 }, true));
    EXPECT_EQ(Marks(), (std::vector<std::string> { "1", "", "1" }));
}

TEST_F(MiddleFileWithoutRecord, TransliteratedNamesMayCollide)
{
    const text::TranslitTable table({ u"ж=3" });
    workspace.SetRowName(0, u"ж.mp3");
    workspace.SetRowName(1, u"ж.mp3");
    Apply(workspace, TransliterateFileNames(workspace, kAllThree, table));
    EXPECT_EQ(workspace.RowName(0), u"3.mp3");
    EXPECT_EQ(workspace.RowName(1), u"3.mp3");
    EXPECT_EQ(Marks(), (std::vector<std::string> { "12", "12", "" }));
}

} // namespace
} // namespace vennart::commands
