// Frame text as a view code page shows it and stores it back: genres through the genre table, 8-bit
// text under 8-bit code pages, UTF-16 under 1200, the creation of missing frames. Frames other
// programs wrote: Unicode frames give their own text under every code page, UTF-8 further values
// follow an edit, TCON names of other taggers stay, an edit replaces a frame kept opaque; and a
// save that would lose frames asks and names them.
#include "workspace/FrameText.h"

#include "WorkspaceFixture.h"
#include "platform/SystemCodePage.h"
#include "support/TestNames.h"
#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"
#include "text/UStringConvert.h"
#include "workspace/SaveChanges.h"

#include <gtest/gtest.h>

namespace vennart::workspace {
namespace {

constexpr uint32_t kUtf16 = 1200;
constexpr uint32_t kCyrillic = 1251;

// "Привет" in code page 1251, one character per byte as 8-bit frame text is held.
const WideString kPrivet1251 = WidenSystem("\xCF\xF0\xE8\xE2\xE5\xF2");

std::unique_ptr<tags::TTxxxTag> TextFrame(
    const char* id, const WideString& text, tags::TTextEncoding encoding)
{
    auto frame = tags::TTxxxTag::CreateWithText(id, text);
    frame->Encoding = encoding;
    return frame;
}

struct GenreCase {
    const char16_t* stored;
    const char16_t* shown;
};

VENNART_PRINT_ROW_AS(GenreCase, test::Ascii(row.stored))

class GenreShown : public testing::TestWithParam<std::tuple<GenreCase, uint32_t>> { };

TEST_P(GenreShown, ThroughTheGenreTableWhateverTheCodePage)
{
    const auto& [genre, codePage] = GetParam();
    const auto frame = TextFrame("TCON", genre.stored, tags::teISO88591);
    EXPECT_EQ(FrameText(frame.get(), codePage), genre.shown);
}

INSTANTIATE_TEST_SUITE_P(Texts, GenreShown,
    testing::Combine(testing::Values(GenreCase { u"(17)", u"Rock" }, GenreCase { u"17", u"Rock" },
                         GenreCase { u"rOCK", u"Rock" }, GenreCase { u"(17)Rock", u"Rock" },
                         GenreCase { u"Post-Rock", u"Post-Rock" }, GenreCase { u"(RX)", u"(RX)" },
                         GenreCase { u"", u"Unknown" }, GenreCase { u"(0)", u"Blues" },
                         GenreCase { u"(148)", u"Unknown" }, GenreCase { u"(255)", u"" },
                         GenreCase { u"(300)", u"Space" }, GenreCase { u"(99999999999)", u"(99999999999)" }),
        testing::Values(kUtf16, kCyrillic)));

class GenreStored : public testing::TestWithParam<uint32_t> { };

TEST_P(GenreStored, AsTheNumberInBracketsWithEncodingZero)
{
    const auto frame = TextFrame("TCON", u"Rock", tags::teUTF16);
    frame->MoreStrings = { u"Поп" };

    StoreFrameText(*frame, u"HARD rock", GetParam());
    EXPECT_EQ(frame->Text, u"(79)");
    // A chosen genre replaces every genre of the frame.
    EXPECT_TRUE(frame->MoreStrings.empty());
    EXPECT_EQ(frame->Encoding, tags::teISO88591);
    EXPECT_TRUE(frame->Changed);

    StoreFrameText(*frame, u"No such genre", GetParam());
    EXPECT_EQ(frame->Text, u"(148)");
    EXPECT_EQ(FrameText(frame.get(), GetParam()), u"Unknown");
}

INSTANTIATE_TEST_SUITE_P(CodePages, GenreStored, testing::Values(kUtf16, kCyrillic, 866u));

struct ShownCase {
    std::string Name;
    tags::TTextEncoding Encoding;
    WideString Stored; // as the reader holds it: UTF-8 and 8-bit text one character per byte
    WideString Shown1200, Shown1251, Shown20866;
};

VENNART_PRINT_ROW_AS(ShownCase, row.Name)

class FrameShown : public testing::TestWithParam<ShownCase> { };

TEST_P(FrameShown, UnderEveryViewCodePage)
{
    const auto frame = TextFrame("TIT2", GetParam().Stored, GetParam().Encoding);
    EXPECT_EQ(FrameText(frame.get(), kUtf16), GetParam().Shown1200);
    EXPECT_EQ(FrameText(frame.get(), kCyrillic), GetParam().Shown1251);
    EXPECT_EQ(FrameText(frame.get(), 20866), GetParam().Shown20866);
    EXPECT_EQ(FrameText(nullptr, 20866), u"");
}

// "Привет": UTF-8 bytes D0 9F D1 80 …, 1251 bytes CF F0 E8 E2 E5 F2.
INSTANTIATE_TEST_SUITE_P(Titles, FrameShown,
    testing::Values(ShownCase { "Utf16", tags::teUTF16, u"Привет", u"Привет", u"Привет", u"Привет" },
        ShownCase { "Utf16BigEndian", tags::teUTF16NoBOM, u"Привет", u"Привет", u"Привет", u"Привет" },
        ShownCase { "Utf8", tags::teUTF8, WidenSystem("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"),
            u"Привет", u"Привет", u"Привет" },
        ShownCase {
            "EightBitFollowsTheCodePage", tags::teISO88591, kPrivet1251, u"Ïðèâåò", u"Привет", u"оПХБЕР" }),
    testing::PrintToStringParamName());

TEST(StoreFrameText, FurtherUtf8ValuesAreReencodedWithTheEditedFrame)
{
    const auto title = TextFrame("TIT2", u"Old", tags::teUTF8);
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

TEST(StoreFrameText, StoresUtf16WithEncodingOneAndTheBytesOfAnEightBitCodePageWithEncodingZero)
{
    const auto frame = TextFrame("TIT2", WidenSystem("old"), tags::teISO88591);

    StoreFrameText(*frame, u"Привет", kUtf16);
    EXPECT_EQ(frame->Text, u"Привет");
    EXPECT_EQ(frame->Encoding, tags::teUTF16);
    EXPECT_TRUE(frame->Changed);

    StoreFrameText(*frame, u"Привет", kCyrillic);
    EXPECT_EQ(frame->Text, kPrivet1251);
    EXPECT_EQ(frame->Encoding, tags::teISO88591);
    EXPECT_EQ(FrameText(frame.get(), kCyrillic), u"Привет");
}

TEST(StoreFrameText, ACommentDescriptionAndAUserTextValueFollowTheTextIntoEachEncodingWithoutLoss)
{
    tags::TCOMMTag comment;
    comment.Encoding = tags::teUTF16;
    comment.Description = u"Описание";
    const auto userText = TextFrame("TXXX", u"Настроение", tags::teUTF16);
    userText->MoreStrings = { u"Грусть" };

    for (const auto& [codePage, encoding] :
        { std::pair { kCyrillic, tags::teISO88591 }, std::pair { kUtf16, tags::teUTF16 } }) {
        SCOPED_TRACE(codePage);
        StoreFrameText(comment, u"Текст", codePage);
        StoreFrameText(*userText, u"Настроение", codePage);
        EXPECT_EQ(comment.Encoding, encoding);
        EXPECT_EQ(userText->Encoding, encoding);
        EXPECT_EQ(FrameText(&comment, codePage), u"Текст");
        EXPECT_EQ(text::ReinterpretWide(comment.Description, kCyrillic), u"Описание");
        ASSERT_EQ(userText->MoreStrings.size(), 1u);
        EXPECT_EQ(text::ReinterpretWide(userText->MoreStrings[0], kCyrillic), u"Грусть");
    }
}

TEST(StoreFrameText, AHiddenEightBitStringKeepsItsBytesUnderAnotherEightBitCodePageAndThroughUtf16)
{
    tags::TCOMMTag comment;
    comment.Encoding = tags::teISO88591;
    comment.Description = kPrivet1251;

    StoreFrameText(comment, u"Текст", 866);
    EXPECT_EQ(comment.Description, kPrivet1251);
    EXPECT_EQ(FrameText(&comment, 866), u"Текст");

    StoreFrameText(comment, u"one", kUtf16);
    StoreFrameText(comment, u"two", kCyrillic);
    EXPECT_EQ(comment.Encoding, tags::teISO88591);
    EXPECT_EQ(comment.Description, kPrivet1251);
}

TEST(StoreFrameText, UrlFramesStoreTheirUrl)
{
    tags::TWXXXTag userUrl;
    userUrl.Description = u"Сайт";
    StoreFrameText(userUrl, u"http://пример.рф", kUtf16);
    EXPECT_EQ(userUrl.URL, u"http://пример.рф");
    EXPECT_EQ(userUrl.Encoding, tags::teUTF16);
    EXPECT_EQ(FrameText(&userUrl, kUtf16), u"http://пример.рф");

    StoreFrameText(userUrl, u"http://a.b/", kCyrillic);
    EXPECT_EQ(userUrl.Encoding, tags::teISO88591);
    EXPECT_EQ(text::ReinterpretWide(userUrl.Description, kCyrillic), u"Сайт");

    auto url = tags::TWURLTag::CreateWithURL("WCOM", "http://old");
    StoreFrameText(*url, u"http://shop.example/", kUtf16);
    EXPECT_EQ(url->URL, "http://shop.example/");
    EXPECT_EQ(FrameText(url.get(), kCyrillic), u"http://shop.example/");
}

TEST(SetFrameText, ChangesTheFirstFrameOfTheIdentifierAndLowerCaseMeansTheFrameOnDisk)
{
    const test::TempDir folder;
    tags::TID3v2Class file(test::WriteMp3(folder, "a.mp3",
        { .frames = test::Concat(
              { test::Frame("TIT2", test::TextBody("one")), test::Frame("TIT2", test::TextBody("two")) }) }));
    ASSERT_TRUE(SetFrameText(file, "TIT2", u"Привет", kUtf16));
    EXPECT_EQ(file.FrameCount(), 2);
    EXPECT_EQ(GetFrameText(file, "TIT2", kUtf16), u"Привет");
    EXPECT_EQ(FrameText(file.FindFrameByID("TIT2", 2), kUtf16), u"two");
    ASSERT_TRUE(SetFrameText(file, "tit2", u"three", kUtf16));
    ASSERT_TRUE(SetFrameText(file, "tcom", u"Bach", kUtf16));
    EXPECT_EQ(FrameText(file.FindFrameByID("TIT2", 1), kUtf16), u"three");
    ASSERT_NE(file.FindFrameByID("TCOM", 1), nullptr);
    EXPECT_EQ(file.FindFrameByID("tcom", 1), nullptr);
}

struct CreatedFrame {
    const char* id;
    const char* kind; // "none": no frame can be created for the identifier
};

VENNART_PRINT_ROW_AS(CreatedFrame, row.id)

class SetFrameTextCreates : public testing::TestWithParam<CreatedFrame> { };

TEST_P(SetFrameTextCreates, TheMissingFrameOfTheRightKindOrNone)
{
    test::TempDir folder;
    tags::TID3v2Class file(test::WriteMp3(folder, "a.mp3"));
    const bool created = SetFrameText(file, GetParam().id, u"http://value/", kUtf16);
    ASSERT_EQ(file.FrameCount(), created ? 1 : 0);
    const tags::TTag* frame = created ? file.GetFrame(0) : nullptr;
    const std::string kind = !frame                  ? "none"
        : dynamic_cast<const tags::TCOMMTag*>(frame) ? "COMM"
        : dynamic_cast<const tags::TTxxxTag*>(frame) ? "text"
        : dynamic_cast<const tags::TWXXXTag*>(frame) ? "WXXX"
        : dynamic_cast<const tags::TWURLTag*>(frame) ? "URL"
                                                     : "other";
    EXPECT_EQ(kind, GetParam().kind);
    if (frame) {
        EXPECT_EQ(frame->ID, GetParam().id);
        EXPECT_FALSE(frame->ShortName.empty());
        EXPECT_EQ(GetFrameText(file, GetParam().id, kUtf16), u"http://value/");
    }
}

INSTANTIATE_TEST_SUITE_P(Identifiers, SetFrameTextCreates,
    testing::Values(CreatedFrame { "COMM", "COMM" }, CreatedFrame { "TCOM", "text" },
        CreatedFrame { "TXXX", "text" }, CreatedFrame { "WXXX", "WXXX" }, CreatedFrame { "WCOM", "URL" },
        CreatedFrame { "WOAR", "URL" }, CreatedFrame { "APIC", "none" }, CreatedFrame { "PRIV", "none" },
        CreatedFrame { "UFID", "none" }, CreatedFrame { "GEOB", "none" }, CreatedFrame { "", "none" }));

struct DropAnswer {
    const char* Name;
    Answer Given;
};

VENNART_PRINT_ROW_AS(DropAnswer, row.Name)

class DroppedFramesSave : public WorkspaceFixture, public testing::WithParamInterface<DropAnswer> { };

// No keeps the file and its edits; Yes saves and the result names the lost frames.
TEST_P(DroppedFramesSave, AsksFirstNamingTheFrames)
{
    const test::Bytes v22
        = test::Concat({ test::BytesOf("TT2"), { 0, 0, 2, 0, 't' }, test::BytesOf("CRM"), { 0, 0, 1, 'x' } });
    test::WriteMp3(folder, "a.mp3", { .frames = v22, .audio = test::Audio(2), .major = 2 });
    Scan();
    EditTitle(0, u"edited");
    const test::Bytes before = test::ReadFileBytes(folder / "a.mp3");
    prompts.QueueAnswer(GetParam().Given);

    SaveChanges(workspace);

    ASSERT_EQ(prompts.Questions.size(), 1u);
    EXPECT_NE(prompts.Questions[0].find("CRM"), std::string::npos);
    EXPECT_EQ(GetFrameText(workspace.File(0), "TIT2", kUtf16), u"edited");
    if (GetParam().Given == Answer::No) {
        EXPECT_EQ(test::ReadFileBytes(folder / "a.mp3"), before);
        EXPECT_TRUE(prompts.Errors.empty());
    } else {
        ASSERT_EQ(prompts.Errors.size(), 1u);
        EXPECT_NE(prompts.Errors[0].find("a.mp3: CRM"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, DroppedFramesSave,
    testing::Values(DropAnswer { "NoKeepsTheFile", Answer::No }, DropAnswer { "YesSaves", Answer::Yes }),
    testing::PrintToStringParamName());

} // namespace
} // namespace vennart::workspace
