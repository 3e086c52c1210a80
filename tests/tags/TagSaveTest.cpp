// Saving a tag object back into its file.
#include "TagChecks.h"
#include "support/FaultyFileSystem.h"
#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Class.h"
#include "tags/TextFrame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

using test::Audio;
using test::Bytes;
using test::BytesOf;
using test::Concat;
using test::Frame;
using test::ID3v1Record;
using test::SizeStyle;
using test::Tag;
using test::TagHeader;
using test::TextBody;
using testing::AllOf;
using testing::HasSubstr;

// The tag a save writes in front of the audio: header, frames, zero padding up to 256 bytes.
Bytes SavedTag(std::uint8_t major, const Bytes& frames, std::uint8_t revision = 0)
{
    return Concat({ TagHeader(major, 246, 0, revision), frames, Bytes(246 - frames.size(), 0) });
}

// A file's bytes in front of its audio before and after a save.
struct SaveCase {
    const char* Name;
    Bytes Original;
    Bytes Saved;
};

VENNART_PRINT_ROW_AS(SaveCase, row.Name)

std::vector<SaveCase> SaveCases()
{
    const Bytes v22
        = Concat({ TagHeader(2, 20), BytesOf("TT2"), { 0, 0, 5 }, BytesOf("abcde"), Bytes(9, 0) });
    const Bytes title = TextBody(std::string(200, 't'));
    const Bytes plainSizes = Concat({ Frame("TIT2", title), Frame("TALB", TextBody("a")), Bytes(30, 0) });
    const Bytes utf16 = Frame("TIT2", { 0x01, 0xFF, 0xFE, 0x41, 0x00 });
    Bytes unsynchronised = utf16;
    unsynchronised.insert(unsynchronised.begin() + 12, 0x00);
    const Bytes v24 = Tag(4, Frame("TIT2", TextBody("a")), 10, 0x10);
    const Bytes footer = Concat({ BytesOf("3DI"), Bytes(v24.begin() + 3, v24.begin() + 10) });
    const Bytes terminated = Concat({ { 0x01 }, test::Utf16LE(u"Ab"), { 0, 0 } });
    return {
        { "NoTagsGainAnEmpty256ByteTag", {}, SavedTag(3, {}) },
        { "Version22BecomesA23Tag", v22, SavedTag(3, Frame("TIT2", Concat({ { 0xFF }, BytesOf("bcde") }))) },
        // Plain sizes in a 2.4 tag, as iTunes wrote them.
        { "Version24KeepsItsVersionAndGetsSevenBitFrameSizes",
            Concat({ TagHeader(4, static_cast<std::uint32_t>(plainSizes.size()), 0, 2), plainSizes }),
            SavedTag(4,
                Concat({ Frame("TIT2", title, 0, SizeStyle::Syncsafe),
                    Frame("TALB", TextBody("a"), 0, SizeStyle::Syncsafe) }),
                2) },
        { "UnsynchronisationAndExtendedHeaderAreNotWritten",
            Tag(3, Concat({ { 0, 0, 0, 6, 0, 0, 0, 0, 0, 0 }, unsynchronised }), 4, 0x80 | 0x40),
            SavedTag(3, utf16) },
        { "FooterIsNotWritten", Concat({ v24, footer }),
            SavedTag(4, Frame("TIT2", TextBody("a"), 0, SizeStyle::Syncsafe)) },
        { "Version24UnsynchronisationFlagIsCleared",
            Tag(4, Frame("TIT2", terminated, 0, SizeStyle::Syncsafe), 3, 0x80),
            SavedTag(4, Frame("TIT2", { 0x01, 0xFF, 0xFE, 'A', 0, 'b', 0 }, 0, SizeStyle::Syncsafe)) },
    };
}

class TagSaveBytes : public testing::TestWithParam<SaveCase> { };

TEST_P(TagSaveBytes, AreExactAndTheSameWhenSavedAgain)
{
    test::TempDir dir;
    const auto file = dir / "song.mp3";
    const Bytes audio = Audio(4);
    test::WriteFileBytes(file, Concat({ GetParam().Original, audio }));
    for (int save = 1; save <= 2; ++save) {
        TID3v2Class(file).Save();
        EXPECT_EQ(test::ReadFileBytes(file), Concat({ GetParam().Saved, audio })) << "save " << save;
    }
    EXPECT_EQ(test::FolderNames(dir.Path()), std::vector<std::string> { "song.mp3" });
}

INSTANTIATE_TEST_SUITE_P(Files, TagSaveBytes, testing::ValuesIn(SaveCases()),
    [](const auto& info) { return std::string(info.param.Name); });

class TagSave : public testing::Test {
protected:
    test::TempDir dir;
    std::filesystem::path file = dir / "song.mp3";
    const Bytes audio = Audio(4);
    const Bytes record = ID3v1Record({ "v1" });
};

TEST_F(TagSave, ReadingTheSavedFileGivesTheSameFramesAndAudio)
{
    const Bytes frames = Concat({ Frame("TIT2", TextBody("Title")),
        Frame("TXXX", Concat({ TextBody("REPLAYGAIN"), TextBody("-6 dB") })),
        Frame("APIC", Concat({ TextBody("image/png"), { 0, 3, 0 }, Bytes(300, 0xEE) })),
        Frame("GEOB", Bytes(50, 0x01), 0x8000), Frame("TALB", TextBody("x"), 0x0080),
        Frame("PRIV", Concat({ BytesOf("me"), { 0, 1, 2 } })), Frame("WCOM", BytesOf("http://a")) });
    test::WriteFileBytes(file, Concat({ Tag(3, frames, 123), audio, record }));
    TID3v2Class before(file);
    before.Save();
    const Bytes saved = test::ReadFileBytes(file);
    EXPECT_EQ(FrameSignatures(TID3v2Class(file)), FrameSignatures(before));
    EXPECT_EQ(AudioOf(saved), Concat({ audio, record }));
    // Frames are written as they were read, the compressed one included.
    EXPECT_EQ(
        Bytes(saved.begin() + 10, saved.begin() + 10 + static_cast<std::ptrdiff_t>(frames.size())), frames);
}

TEST_F(TagSave, AnUnchangedRecordIsCopiedAChangedOneRewrittenInPlace)
{
    test::WriteFileBytes(file, Concat({ audio, record }));
    TID3v2Class tag(file);
    tag.Save();
    EXPECT_EQ(AudioOf(test::ReadFileBytes(file)), Concat({ audio, record }));

    tag.FindFrameByClass<TID3v1Tag>(1)->SetTitle("new title");
    tag.Save();
    EXPECT_EQ(AudioOf(test::ReadFileBytes(file)), Concat({ audio, ID3v1Record({ "new title" }) }));
    EXPECT_FALSE(tag.FindFrameByClass<TID3v1Tag>(1)->Changed);
}

TEST_F(TagSave, ANewRecordIsAppendedAndThenOverwritten)
{
    test::WriteFileBytes(file, audio);
    TID3v2Class tag(file);
    auto newRecord = std::make_unique<TID3v1Tag>();
    newRecord->SetTitle("first");
    tag.AddFrame(std::move(newRecord));
    tag.Save();
    EXPECT_EQ(AudioOf(test::ReadFileBytes(file)),
        Concat({ audio, ID3v1Record({ .Title = "first", .Genre = TID3v1Tag::kNoGenre }) }));

    TID3v2Class again(file);
    again.FindFrameByClass<TID3v1Tag>(1)->SetTitle("second");
    again.Save();
    EXPECT_EQ(AudioOf(test::ReadFileBytes(file)),
        Concat({ audio, ID3v1Record({ .Title = "second", .Genre = TID3v1Tag::kNoGenre }) }));
}

TEST_F(TagSave, ARecordInsideATagThatClaimsTheWholeFileIsKept)
{
    // Some writers give the tag a size that runs to the end of the file, over the ID3v1 record.
    const Bytes frames = Frame("TIT2", TextBody("t"));
    const Bytes body = Concat({ frames, Bytes(64, 0), record });
    test::WriteFileBytes(file, Concat({ TagHeader(3, static_cast<std::uint32_t>(body.size())), body }));
    TID3v2Class tag(file);
    ASSERT_TRUE(tag.HasID3v1);
    tag.Save();
    EXPECT_EQ(AudioOf(test::ReadFileBytes(file)), record);
    EXPECT_TRUE(TID3v2Class(file).HasID3v1);
}

TEST_F(TagSave, LettersTAGInsideAFrameOfAFileThatIsAllTagAreNoRecord)
{
    // After the first save the file is 256 bytes of tag; its last 128 bytes begin inside the URL.
    const Bytes url = Concat({ BytesOf(std::string(108, 'u')), BytesOf("TAG"), BytesOf("trailing") });
    test::WriteFileBytes(file, Tag(3, Frame("WCOM", url)));
    TID3v2Class(file).Save();
    const Bytes once = test::ReadFileBytes(file);
    TID3v2Class saved(file);
    EXPECT_FALSE(saved.HasID3v1);
    EXPECT_EQ(saved.FrameCount(), 1);
    saved.Save();
    EXPECT_EQ(test::ReadFileBytes(file), once);
}

TEST_F(TagSave, ThroughASymbolicLinkTheTargetIsReplacedWithItsPermissionsAndTheLinkStays)
{
    std::filesystem::create_directory(dir / "real");
    const auto target = dir / "real" / "target.mp3";
    test::WriteFileBytes(target, audio);
    std::filesystem::permissions(target, static_cast<std::filesystem::perms>(0640));
    std::filesystem::create_symlink(target, file);
    TID3v2Class(file).Save();
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(test::ReadFileBytes(target), Concat({ SavedTag(3, {}), audio }));
    EXPECT_EQ(std::filesystem::status(target).permissions(), static_cast<std::filesystem::perms>(0640));
    EXPECT_EQ(test::FolderNames(dir / "real"), std::vector<std::string> { "target.mp3" });
}

class TagSaveRefused : public TagSave {
protected:
    void ExpectRefused(const std::string& message)
    {
        const Bytes original = Concat({ Tag(3, Frame("TIT2", TextBody("a")), 5), audio });
        test::WriteFileBytes(file, original);
        TID3v2Class tag(file, fs);
        dynamic_cast<TTxxxTag&>(*tag.GetFrame(0)).SetText(u"b");
        EXPECT_THAT(test::ErrorOf([&] { tag.Save(); }), AllOf(HasSubstr(message), HasSubstr("song.mp3")));
        EXPECT_EQ(test::ReadFileBytes(file), original);
        EXPECT_EQ(test::FolderNames(dir.Path()), std::vector<std::string> { "song.mp3" });
        EXPECT_TRUE(tag.GetFrame(0)->Changed);
    }

    test::FaultyFileSystem fs;
};

TEST_F(TagSaveRefused, AReadOnlyFileIsNotReplaced)
{
    fs.DenyWriting(file);
    ExpectRefused("Permission denied");
}

TEST_F(TagSaveRefused, AFolderThatRefusesTheTemporaryFile)
{
    fs.DenyCreatingIn(dir.Path());
    ExpectRefused("Could not create temporary file.");
}

TEST_F(TagSave, AMissingFileIsAnErrorNamingIt)
{
    test::WriteFileBytes(file, audio);
    TID3v2Class tag(file);
    std::filesystem::remove(file);
    EXPECT_THAT(test::ErrorOf([&] { tag.Save(); }), HasSubstr("song.mp3"));
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace vennart::tags
