// Frame text as a view code page shows it and stores it back: genres through the genre table, 8-bit
// text under 8-bit code pages, UTF-16 under 1200, the creation of missing frames. Frames other
// programs wrote: Unicode frames give their own text under every code page, UTF-8 further values
// follow an edit, TCON names of other taggers stay, an edit replaces a frame kept opaque; and a
// save that would lose frames asks and names them.
#include "workspace/FrameText.h"

#include "WorkspaceFixture.h"
#include "platform/SystemCodePage.h"
#include "support/TestNames.h"
#include "tags/CommentFrame.h"
#include "tags/TagChecks.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"
#include "text/UStringConvert.h"
#include "workspace/SaveChanges.h"

#include <functional>
#include <gmock/gmock.h>

namespace vennart::workspace {
namespace {

using namespace std::string_literals;
using testing::ElementsAre;
using testing::HasSubstr;

constexpr uint32_t kUtf16 = 1200;
constexpr uint32_t kCyrillic = 1251;

// "Привет" in code page 1251, one character per byte as 8-bit frame text is held.
const WideString kPrivet1251 = WidenSystem("\xCF\xF0\xE8\xE2\xE5\xF2");

// The text as code page 1251 stores it, one character per byte.
WideString In1251(const WideString& text)
{
    return WidenSystem(text::WideToCodePage(text, kCyrillic));
}

std::unique_ptr<tags::TTxxxTag> TextFrame(
    const char* id, const WideString& text, tags::TTextEncoding encoding, std::vector<WideString> more = {})
{
    auto frame = tags::TTxxxTag::CreateWithText(id, text);
    frame->Encoding = encoding;
    frame->MoreStrings = std::move(more);
    return frame;
}

TEST(GenreShown, ThroughTheGenreTableWhateverTheCodePage)
{
    // Each genre as stored, then as shown.
    const std::pair<const char16_t*, const char16_t*> genres[] { { u"(17)", u"Rock" }, { u"17", u"Rock" },
        { u"rOCK", u"Rock" }, { u"(17)Rock", u"Rock" }, { u"Post-Rock", u"Post-Rock" }, { u"(RX)", u"(RX)" },
        { u"", u"Unknown" }, { u"(0)", u"Blues" }, { u"(148)", u"Unknown" }, { u"(255)", u"" },
        { u"(300)", u"Space" }, { u"(99999999999)", u"(99999999999)" } };
    for (const auto& [stored, shown] : genres) {
        for (const uint32_t codePage : { kUtf16, kCyrillic })
            EXPECT_EQ(FrameText(TextFrame("TCON", stored, tags::teISO88591).get(), codePage), shown)
                << test::Ascii(stored) << " under " << codePage;
    }
}

// "Привет": UTF-8 bytes D0 9F D1 80 …, 1251 bytes CF F0 E8 E2 E5 F2.
TEST(FrameShown, UnicodeAsItIsAndEightBitTextUnderTheViewCodePage)
{
    const struct {
        const char* name;
        tags::TTextEncoding encoding;
        WideString stored; // as the reader holds it: UTF-8 and 8-bit text one character per byte
        WideString shown1200, shown1251, shown20866;
    } cases[] { { "Utf16", tags::teUTF16, u"Привет", u"Привет", u"Привет", u"Привет" },
        { "Utf16BigEndian", tags::teUTF16NoBOM, u"Привет", u"Привет", u"Привет", u"Привет" },
        { "Utf8", tags::teUTF8, WidenSystem("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"), u"Привет",
            u"Привет", u"Привет" },
        { "EightBitFollowsTheCodePage", tags::teISO88591, kPrivet1251, u"Ïðèâåò", u"Привет", u"оПХБЕР" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto frame = TextFrame("TIT2", c.stored, c.encoding);
        EXPECT_EQ(FrameText(frame.get(), kUtf16), c.shown1200);
        EXPECT_EQ(FrameText(frame.get(), kCyrillic), c.shown1251);
        EXPECT_EQ(FrameText(frame.get(), 20866), c.shown20866);
    }
    EXPECT_EQ(FrameText(nullptr, 20866), u"");
}

// A comment or a user URL frame with a description held in the encoding.
template <typename Frame>
std::unique_ptr<tags::TTag> Described(const WideString& description, tags::TTextEncoding encoding)
{
    auto frame = std::make_unique<Frame>();
    frame->Encoding = encoding;
    frame->Description = description;
    return frame;
}

struct StoreCase {
    const char* name;
    std::function<std::unique_ptr<tags::TTag>()> frame;
    // Stored in turn, each text under its code page.
    std::vector<std::pair<WideString, uint32_t>> typed;
    WideString held;
    // What the frame shows under the last code page.
    WideString shown;
    bool changed = true;
};

VENNART_PRINT_ROW_AS(StoreCase, row.name)

class StoreFrameTextTest : public testing::TestWithParam<StoreCase> { };

TEST_P(StoreFrameTextTest, HoldsTheTextInTheCodePagesEncodingAndMovesTheOtherStringsWithoutLoss)
{
    const std::unique_ptr<tags::TTag> frame = GetParam().frame();
    for (const auto& [text, codePage] : GetParam().typed)
        StoreFrameText(*frame, text, codePage);
    EXPECT_EQ(tags::FieldsOf(*frame), GetParam().held);
    EXPECT_EQ(FrameText(frame.get(), GetParam().typed.back().second), GetParam().shown);
    EXPECT_EQ(frame->Changed, GetParam().changed);
}

INSTANTIATE_TEST_SUITE_P(Frames, StoreFrameTextTest,
    testing::Values(
        StoreCase { "Utf16WithEncodingOne", [] { return TextFrame("TIT2", u"old", tags::teISO88591); },
            { { u"Привет", kUtf16 } }, u"text|1|Привет", u"Привет" },
        StoreCase { "EightBitCodePageBytesWithEncodingZero",
            [] { return TextFrame("TIT2", u"old", tags::teUTF16); }, { { u"Привет", kCyrillic } },
            u"text|0|" + kPrivet1251, u"Привет" },
        StoreCase { "FurtherUtf8ValuesReencodedWithTheEditedFrame",
            [] { return TextFrame("TIT2", u"Old", tags::teUTF8, { WidenSystem("\xC3\x9C\xD0\x96") }); },
            { { u"Edited", kUtf16 } }, u"text|1|Edited|ÜЖ", u"Edited" },
        // A chosen genre replaces every genre of the frame, as its number in brackets.
        StoreCase { "GenreByNameIgnoringCase",
            [] { return TextFrame("TCON", u"Rock", tags::teUTF16, { u"Поп" }); },
            { { u"HARD rock", kCyrillic } }, u"text|0|(79)", u"Hard Rock" },
        StoreCase { "GenreOutsideTheTableIsUnknown", [] { return TextFrame("TCON", u"Rock", tags::teUTF16); },
            { { u"No such genre", kUtf16 } }, u"text|0|(148)", u"Unknown" },
        // The genre of another tagger is kept while it is not changed.
        StoreCase { "GenreNameOfAnotherTaggerKept", [] { return TextFrame("TCON", u"Rock", tags::teUTF16); },
            { { u"Rock", kCyrillic } }, u"text|1|Rock", u"Rock", false },
        StoreCase { "GenreTextOfAnotherTaggerKept",
            [] { return TextFrame("TCON", u"Post-Rock", tags::teUTF16); }, { { u"Post-Rock", 866 } },
            u"text|1|Post-Rock", u"Post-Rock", false },
        StoreCase { "GenreNumberAndNameKept", [] { return TextFrame("TCON", u"(17)Rock", tags::teUTF16); },
            { { u"Rock", kCyrillic } }, u"text|1|(17)Rock", u"Rock", false },
        StoreCase { "UserTextValueFollowsIntoEightBitAndStaysThroughUtf16",
            [] { return TextFrame("TXXX", u"Настроение", tags::teUTF16, { u"Грусть" }); },
            { { u"Настроение", kCyrillic }, { u"Настроение", kUtf16 } },
            u"text|1|Настроение|" + In1251(u"Грусть"), u"Настроение" },
        StoreCase { "CommentDescriptionFollowsIntoEightBitAndStaysThroughUtf16",
            [] { return Described<tags::TCOMMTag>(u"Описание", tags::teUTF16); },
            { { u"Текст", kCyrillic }, { u"Текст", kUtf16 } },
            u"comment|1|\0\0\0|"s + In1251(u"Описание") + u"|Текст", u"Текст" },
        // A string of 8-bit characters keeps its bytes whatever code page the text is typed in.
        StoreCase { "HiddenEightBitStringKeepsItsBytes",
            [] { return Described<tags::TCOMMTag>(kPrivet1251, tags::teISO88591); },
            { { u"Текст", 866 }, { u"one", kUtf16 }, { u"two", kCyrillic } },
            u"comment|0|\0\0\0|"s + kPrivet1251 + u"|two", u"two" },
        StoreCase { "UserUrlDescriptionFollowsIntoEightBit",
            [] { return Described<tags::TWXXXTag>(u"Сайт", tags::teUTF16); },
            { { u"http://пример.рф", kUtf16 }, { u"http://a.b/", kCyrillic } },
            u"wxxx|0|" + In1251(u"Сайт") + u"|http://a.b/", u"http://a.b/" },
        StoreCase { "UserUrlKeepsItsUnicodeUrl", [] { return std::make_unique<tags::TWXXXTag>(); },
            { { u"http://пример.рф", kUtf16 } }, u"wxxx|1||http://пример.рф", u"http://пример.рф" },
        StoreCase { "UrlFrameStoresItsUrl",
            [] { return tags::TWURLTag::CreateWithURL("WCOM", "http://old"); },
            { { u"http://shop.example/", kCyrillic } }, u"url|http://shop.example/",
            u"http://shop.example/" }),
    test::ByName);

struct SetCase {
    const char* name;
    test::Bytes frames;
    std::vector<const char*> ids; // each set in turn to the text "value"
    std::vector<WideString> after;
};

VENNART_PRINT_ROW_AS(SetCase, row.name)

class SetFrameTextTest : public testing::TestWithParam<SetCase> { };

TEST_P(SetFrameTextTest, ChangesTheFirstFrameOfTheIdentifierOrCreatesOneOfItsKind)
{
    const test::TempDir folder;
    tags::TID3v2Class file(test::WriteMp3(folder, "a.mp3", { .frames = GetParam().frames }));
    for (const char* id : GetParam().ids)
        EXPECT_EQ(SetFrameText(file, id, u"value", kUtf16), GetParam().after.size() > 0) << id;
    EXPECT_EQ(tags::Describe(file), GetParam().after);
    for (const auto& frame : file.Frames)
        EXPECT_FALSE(frame->ShortName().empty()) << frame->ID;
}

// Frames that cannot be created (neither T nor W, not COMM) are not set.
INSTANTIATE_TEST_SUITE_P(Identifiers, SetFrameTextTest,
    testing::Values(
        // Identifiers are upper case on disk.
        SetCase { "FirstOfTwoAndLowerCaseIsTheFrameOnDisk", test::TextFrames("TIT2=one|TIT2=two"),
            { "tit2", "tcom" }, { u"TIT2 0 text|1|value", u"TIT2 0 text|0|two", u"TCOM 0 text|1|value" } },
        // An encrypted frame, kept as its bytes, is replaced where it stands.
        SetCase { "OpaqueFrameReplaced",
            test::Concat({ test::Frame("TIT2", test::TextBody("old"), 0x0040),
                test::Frame("TALB", test::TextBody("album")) }),
            { "TIT2" }, { u"TIT2 0 text|1|value", u"TALB 0 text|0|album" } },
        SetCase { "CommentUserTextUserUrlAndUrlCreated", {}, { "COMM", "TXXX", "WXXX", "WCOM" },
            { u"COMM 0 comment|1|\0\0\0||value"s, u"TXXX 0 text|1|value", u"WXXX 0 wxxx|1||value",
                u"WCOM 0 url|value" } },
        SetCase { "OthersNotCreated", {}, { "APIC", "PRIV", "UFID", "GEOB", "" }, {} }),
    test::ByName);

using LostFrames = WorkspaceFixture;

// No keeps the file and its edits; Yes saves and the result names the lost frames.
TEST_F(LostFrames, AreAskedAboutBeforeTheSaveAndNamedAfterIt)
{
    const test::Bytes v22
        = test::Concat({ test::BytesOf("TT2"), { 0, 0, 2, 0, 't' }, test::BytesOf("CRM"), { 0, 0, 1, 'x' } });
    test::WriteMp3(folder, "a.mp3", { .frames = v22, .audio = test::Audio(2), .major = 2 });
    Scan();
    EditTitle(0, u"edited");
    const test::Bytes before = test::ReadFileBytes(folder / "a.mp3");
    prompts.QueueAnswer(Answer::No);
    SaveChanges(workspace);
    EXPECT_EQ(test::ReadFileBytes(folder / "a.mp3"), before);
    EXPECT_TRUE(prompts.Errors.empty());
    EXPECT_EQ(GetFrameText(workspace.File(0), "TIT2", kUtf16), u"edited");

    prompts.QueueAnswer(Answer::Yes);
    SaveChanges(workspace);

    EXPECT_EQ(TitleOnDisk(folder / "a.mp3"), u"edited");
    EXPECT_THAT(prompts.Questions, ElementsAre(HasSubstr("CRM"), HasSubstr("CRM")));
    EXPECT_THAT(prompts.Errors, ElementsAre(HasSubstr("a.mp3: CRM")));
}

} // namespace
} // namespace vennart::workspace
