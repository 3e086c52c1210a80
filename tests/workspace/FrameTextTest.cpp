// Frame text as a view code page shows it and stores it back: genres through the genre table, 8-bit
// text under 8-bit code pages, UTF-16 under 1200, and the creation of missing frames.
#include "workspace/FrameText.h"

#include "Mp3Folder.h"
#include "platform/SystemCodePage.h"
#include "support/TextTestSupport.h"
#include "tags/CommentFrame.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"
#include "text/UStringConvert.h"

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

void PrintTo(const GenreCase& c, std::ostream* out)
{
    *out << test::Ascii(c.stored);
}

class GenreShown : public testing::TestWithParam<std::tuple<GenreCase, uint32_t>> { };

TEST_P(GenreShown, ThroughTheGenreTableWhateverTheCodePage)
{
    const auto& [genre, codePage] = GetParam();
    const auto frame = TextFrame("TCON", genre.stored, tags::teISO88591);
    EXPECT_EQ(FrameText(frame.get(), codePage), genre.shown);
}

INSTANTIATE_TEST_SUITE_P(Texts, GenreShown,
    testing::Combine(testing::Values(GenreCase { u"(17)", u"Rock" }, GenreCase { u"17", u"Rock" },
                         GenreCase { u"Rock", u"Unknown" }, GenreCase { u"(17)Rock", u"Unknown" },
                         GenreCase { u"", u"Unknown" }, GenreCase { u"(0)", u"Blues" },
                         GenreCase { u"(148)", u"Unknown" }, GenreCase { u"(255)", u"" },
                         GenreCase { u"(300)", u"Space" }, GenreCase { u"(99999999999)", u"Unknown" }),
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

TEST(FrameText, ShowsEightBitTextInTheViewCodePageUtf16AsItIsAndNoFrameAsNothing)
{
    const auto eightBit = TextFrame("TIT2", kPrivet1251, tags::teISO88591);
    const auto utf16 = TextFrame("TIT2", u"Привет", tags::teUTF16);

    EXPECT_EQ(FrameText(eightBit.get(), kCyrillic), u"Привет");
    EXPECT_EQ(FrameText(eightBit.get(), kUtf16), kPrivet1251);
    EXPECT_EQ(FrameText(utf16.get(), kUtf16), u"Привет");
    EXPECT_EQ(FrameText(nullptr, kCyrillic), u"");
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

class SetFrameTextInFile : public testing::Test {
protected:
    test::TempDir folder;
    tags::TID3v2Class file { test::WriteMp3(folder, "a.mp3",
        { .frames = test::Concat({ test::Frame("TIT2", test::TextBody("one")),
              test::Frame("TIT2", test::TextBody("two")) }) }) };
};

TEST_F(SetFrameTextInFile, AnIdentifierInLowerCaseMeansTheFrameOnDisk)
{
    ASSERT_TRUE(SetFrameText(file, "tit2", u"three", kUtf16));
    ASSERT_TRUE(SetFrameText(file, "tcom", u"Bach", kUtf16));
    EXPECT_EQ(FrameText(file.FindFrameByID("TIT2", 1), kUtf16), u"three");
    ASSERT_NE(file.FindFrameByID("TCOM", 1), nullptr);
    EXPECT_EQ(file.FindFrameByID("tcom", 1), nullptr);
}

TEST_F(SetFrameTextInFile, ChangesTheFirstFrameOfTheIdentifier)
{
    ASSERT_TRUE(SetFrameText(file, "TIT2", u"Привет", kUtf16));

    EXPECT_EQ(file.FrameCount(), 2);
    EXPECT_EQ(GetFrameText(file, "TIT2", kUtf16), u"Привет");
    EXPECT_EQ(FrameText(file.FindFrameByID("TIT2", 2), kUtf16), u"two");
}

struct CreatedFrame {
    const char* id;
    const char* kind;
};

void PrintTo(const CreatedFrame& c, std::ostream* out)
{
    *out << c.id;
}

class SetFrameTextCreates : public testing::TestWithParam<CreatedFrame> { };

TEST_P(SetFrameTextCreates, TheMissingFrameOfTheRightKind)
{
    test::TempDir folder;
    tags::TID3v2Class file(test::WriteMp3(folder, "a.mp3"));

    ASSERT_TRUE(SetFrameText(file, GetParam().id, u"http://value/", kUtf16));

    ASSERT_EQ(file.FrameCount(), 1);
    const tags::TTag* frame = file.GetFrame(0);
    EXPECT_EQ(frame->ID, GetParam().id);
    EXPECT_FALSE(frame->ShortName.empty());
    const std::string kind = dynamic_cast<const tags::TCOMMTag*>(frame) ? "COMM"
        : dynamic_cast<const tags::TTxxxTag*>(frame)                    ? "text"
        : dynamic_cast<const tags::TWXXXTag*>(frame)                    ? "WXXX"
        : dynamic_cast<const tags::TWURLTag*>(frame)                    ? "URL"
                                                                        : "other";
    EXPECT_EQ(kind, GetParam().kind);
    EXPECT_EQ(GetFrameText(file, GetParam().id, kUtf16), u"http://value/");
}

INSTANTIATE_TEST_SUITE_P(Identifiers, SetFrameTextCreates,
    testing::Values(CreatedFrame { "COMM", "COMM" }, CreatedFrame { "TCOM", "text" },
        CreatedFrame { "TXXX", "text" }, CreatedFrame { "WXXX", "WXXX" }, CreatedFrame { "WCOM", "URL" },
        CreatedFrame { "WOAR", "URL" }));

class SetFrameTextRefuses : public testing::TestWithParam<const char*> { };

TEST_P(SetFrameTextRefuses, IdentifiersNoFrameCanBeCreatedFor)
{
    test::TempDir folder;
    tags::TID3v2Class file(test::WriteMp3(folder, "a.mp3"));

    EXPECT_FALSE(SetFrameText(file, GetParam(), u"x", kUtf16));
    EXPECT_EQ(file.FrameCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Identifiers, SetFrameTextRefuses, testing::Values("APIC", "PRIV", "UFID", "GEOB", ""));

} // namespace
} // namespace vennart::workspace
