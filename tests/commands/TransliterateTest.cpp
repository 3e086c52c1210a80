// Transliteration of one file's ID3v1 fields, ID3v2 frames and name through the view code page, and
// of the name cells of a selection.
#include "commands/Transliterate.h"

#include "platform/SystemCodePage.h"
#include "support/TestNames.h"
#include "tags/TextFrame.h"
#include "workspace/WorkspaceFixture.h"

namespace vennart::commands {
namespace {

constexpr uint32_t kUtf16 = 1200;
constexpr uint32_t kCyrillic = 1251;
// "Привет" and "ж" in code page 1251.
constexpr const char* kPrivet1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";
constexpr char kZhe1251 = '\xE6';

const text::TranslitTable kTable({ u"п=p", u"р=r", u"и=i", u"в=v", u"е=e", u"т=t", u"ж=zh" });

TEST(TransliterateID3v1, ChangesOnlyNonAsciiFieldsAndCutsTheComment)
{
    tags::TID3v1Tag record;
    record.SetTitle(kPrivet1251);
    record.SetArtist("ABBA");
    record.SetComment(AnsiString(20, kZhe1251));
    record.SetTrack(7);
    record.Changed = false;

    ASSERT_TRUE(TransliterateID3v1(record, kCyrillic, kTable));
    EXPECT_EQ(record.Title, "Privet");
    EXPECT_EQ(record.Artist, "ABBA");
    EXPECT_EQ(record.Comment, AnsiString(28, 'z').replace(1, 27, "hzhzhzhzhzhzhzhzhzhzhzhzhzh"));
    EXPECT_EQ(record.Track, 7);

    tags::TID3v1Tag ascii;
    ascii.SetTitle("Plain");
    EXPECT_FALSE(TransliterateID3v1(ascii, kCyrillic, kTable));
}

struct FrameCase {
    const char* name;
    test::Bytes body;
    uint32_t codePage;
    tags::TTextEncoding storedAs;
};

VENNART_PRINT_ROW_AS(FrameCase, row.name)

class TransliterateID3v2Frame : public testing::TestWithParam<FrameCase> { };

TEST_P(TransliterateID3v2Frame, StoresTheTextInTheViewCodePage)
{
    test::TempDir folder;
    tags::TID3v2Class file(test::WriteMp3(folder, "a.mp3",
        { .frames = test::Concat(
              { test::Frame("TIT2", GetParam().body), test::Frame("TALB", test::TextBody("x")) }),
            .record = test::ID3v1Fields { .Title = kPrivet1251 } }));

    ASSERT_TRUE(TransliterateID3v2(file, GetParam().codePage, kTable));
    const auto* title = dynamic_cast<const tags::TTxxxTag*>(file.FindFrameByID("TIT2", 1));
    EXPECT_EQ(title->Text, u"Privet");
    EXPECT_EQ(title->Encoding, GetParam().storedAs);
    EXPECT_FALSE(file.FindFrameByID("TALB", 1)->Changed);
    EXPECT_EQ(file.FindFrameByClass<tags::TID3v1Tag>(1)->Title, kPrivet1251);
}

INSTANTIATE_TEST_SUITE_P(Frames, TransliterateID3v2Frame,
    testing::Values(
        FrameCase { "EightBitUnder1251", test::TextBody(kPrivet1251), kCyrillic, tags::teISO88591 },
        FrameCase { "Utf16Under1200", test::Utf16Body(u"Привет"), kUtf16, tags::teUTF16 },
        FrameCase { "Utf16Under1251", test::Utf16Body(u"Привет"), kCyrillic, tags::teISO88591 }),
    test::ByName);

TEST(TransliterateFileName, WholeNameWithExtensionOrNothing)
{
    WideString cyrillic = u"Привет.MP3";
    EXPECT_TRUE(TransliterateFileName(cyrillic, kTable));
    EXPECT_EQ(cyrillic, u"Privet.MP3");
    WideString ascii = u"Privet.mp3";
    EXPECT_FALSE(TransliterateFileName(ascii, kTable));
}

class TransliterateNames : public workspace::WorkspaceFixture { };

TEST_F(TransliterateNames, MayMakeTwoCellsCollide)
{
    for (const char* name : { "1.mp3", "2.mp3", "3.mp3" })
        test::WriteMp3(folder, name);
    Scan();
    workspace.SetRowName(0, u"ж.mp3");
    workspace.SetRowName(1, u"ж.mp3");
    Apply(workspace,
        TransliterateFileNames(workspace, std::vector<int> { 0, 1, 2 }, text::TranslitTable({ u"ж=3" })));
    EXPECT_EQ(workspace.RowName(0), u"3.mp3");
    EXPECT_EQ(workspace.RowName(1), u"3.mp3");
    EXPECT_EQ(Marks(), (std::vector<std::string> { "12", "12", "" }));
}

} // namespace
} // namespace vennart::commands
