// Frames other programs wrote, as the view code pages show and store them: Unicode frames give their
// own text under every code page, UTF-8 further values follow an edit, TCON names of other taggers
// stay, an edit replaces a frame kept opaque; and a save that would lose frames asks and names them.
#include "WorkspaceFixture.h"
#include "platform/SystemCodePage.h"
#include "support/Id3Builder.h"
#include "tags/BinaryFrames.h"
#include "tags/TextFrame.h"
#include "workspace/FrameText.h"
#include "workspace/SaveChanges.h"

namespace vennart::workspace {
namespace {

constexpr uint32_t kUtf16 = 1200;

struct ShownCase {
    std::string Name;
    tags::TTextEncoding Encoding;
    WideString Stored; // as the reader holds it: UTF-8 and 8-bit text one character per byte
    WideString Shown1200, Shown1251, Shown20866;
};

void PrintTo(const ShownCase& c, std::ostream* out)
{
    *out << c.Name;
}

class FrameShown : public testing::TestWithParam<ShownCase> { };

TEST_P(FrameShown, UnderEveryViewCodePage)
{
    const auto frame = tags::TTxxxTag::CreateWithText("TIT2", GetParam().Stored);
    frame->Encoding = GetParam().Encoding;
    EXPECT_EQ(FrameText(frame.get(), kUtf16), GetParam().Shown1200);
    EXPECT_EQ(FrameText(frame.get(), 1251), GetParam().Shown1251);
    EXPECT_EQ(FrameText(frame.get(), 20866), GetParam().Shown20866);
}

// "Привет": UTF-8 bytes D0 9F D1 80 …, 1251 bytes CF F0 E8 E2 E5 F2.
INSTANTIATE_TEST_SUITE_P(Titles, FrameShown,
    testing::Values(ShownCase { "Utf16", tags::teUTF16, u"Привет", u"Привет", u"Привет", u"Привет" },
        ShownCase { "Utf16BigEndian", tags::teUTF16NoBOM, u"Привет", u"Привет", u"Привет", u"Привет" },
        ShownCase { "Utf8", tags::teUTF8, WidenSystem("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"),
            u"Привет", u"Привет", u"Привет" },
        ShownCase { "EightBitFollowsTheCodePage", tags::teISO88591, WidenSystem("\xCF\xF0\xE8\xE2\xE5\xF2"),
            u"Ïðèâåò", u"Привет", u"оПХБЕР" }),
    [](const auto& info) { return info.param.Name; });

TEST(StoreFrameText, FurtherUtf8ValuesAreReencodedWithTheEditedFrame)
{
    const auto title = tags::TTxxxTag::CreateWithText("TIT2", u"Old");
    title->Encoding = tags::teUTF8;
    title->MoreStrings = { WidenSystem("\xC3\x9Cn\xC3\xAF"
                                       "code \xD0\x96") };
    StoreFrameText(*title, u"Edited", kUtf16);
    EXPECT_EQ(title->Encoding, tags::teUTF16);
    EXPECT_EQ(title->MoreStrings, std::vector<WideString> { u"Ünïcode Ж" });
}

TEST(StoreFrameText, AGenreOfAnotherTaggerIsKeptUnlessAnotherIsPicked)
{
    for (const WideString stored : { u"Rock", u"Post-Rock", u"(17)Rock" }) {
        const auto genre = tags::TTxxxTag::CreateWithText("TCON", stored);
        StoreFrameText(*genre, FrameText(genre.get(), 1251), 1251);
        EXPECT_EQ(genre->Text, stored);
        EXPECT_FALSE(genre->Changed);
        StoreFrameText(*genre, u"Blues", 1251);
        EXPECT_EQ(genre->Text, u"(0)");
    }
}

TEST(SetFrameText, AnEditReplacesAFrameKeptOpaqueWhereItStands)
{
    const test::TempDir dir;
    test::WriteFileBytes(dir / "a.mp3",
        test::Concat({ test::Tag(3, test::Frame("TIT2", test::TextBody("old"), 0x0040)), test::Audio(1) }));
    tags::TID3v2Class file(dir / "a.mp3");
    file.AddFrame(tags::TTxxxTag::CreateWithText("TALB", u"album"));
    ASSERT_NE(dynamic_cast<const tags::TUnknownTag*>(file.FindFrameByID("TIT2", 1)), nullptr);
    ASSERT_TRUE(SetFrameText(file, "TIT2", u"new", kUtf16));
    EXPECT_EQ(file.GetFrame(0)->ID, "TIT2");
    EXPECT_EQ(GetFrameText(file, "TIT2", kUtf16), u"new");
    EXPECT_EQ(file.FindFrameByID("TIT2", 2), nullptr);
}

class DroppedFramesSave : public WorkspaceFixture {
protected:
    void SetUp() override
    {
        const test::Bytes v22 = test::Concat(
            { test::BytesOf("TT2"), { 0, 0, 2, 0, 't' }, test::BytesOf("CRM"), { 0, 0, 1, 'x' } });
        test::WriteMp3(folder, "a.mp3", { .frames = v22, .audio = test::Audio(2), .major = 2 });
        Scan();
        SetFrameText(workspace.FileToSave(0), "TIT2", u"edited", kUtf16);
        workspace.MarkRowChanged(0, TagGrid::ID3v2);
    }
};

TEST_F(DroppedFramesSave, AsksFirstAndNoKeepsTheFileAndItsEdits)
{
    prompts.QueueAnswer(Answer::No);
    const test::Bytes before = test::ReadFileBytes(folder / "a.mp3");
    SaveChanges(workspace);
    ASSERT_EQ(prompts.Questions.size(), 1u);
    EXPECT_NE(prompts.Questions[0].find("CRM"), std::string::npos);
    EXPECT_EQ(test::ReadFileBytes(folder / "a.mp3"), before);
    EXPECT_EQ(GetFrameText(workspace.File(0), "TIT2", kUtf16), u"edited");
}

TEST_F(DroppedFramesSave, YesSavesAndTheResultNamesTheLostFrames)
{
    prompts.QueueAnswer(Answer::Yes);
    SaveChanges(workspace);
    ASSERT_EQ(prompts.Errors.size(), 1u);
    EXPECT_NE(prompts.Errors[0].find("a.mp3: CRM"), std::string::npos);
    EXPECT_EQ(GetFrameText(workspace.File(0), "TIT2", kUtf16), u"edited");
}

} // namespace
} // namespace vennart::workspace
