// Saving a tag object back into its file.
#include "FrameSignature.h"
#include "platform/Error.h"
#include "support/FaultyFileSystem.h"
#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "tags/BinaryFrames.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Class.h"
#include "tags/TextFrame.h"

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

Bytes Text(std::string_view text)
{
    return Concat({ { 0x00 }, BytesOf(text) });
}

Bytes Tail(const Bytes& bytes, std::size_t from)
{
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end());
}

// Where the audio starts in a file that begins with a tag.
std::size_t AfterTag(const Bytes& file)
{
    return 10
        + (std::size_t { file[6] } << 21 | std::size_t { file[7] } << 14 | std::size_t { file[8] } << 7
            | file[9]);
}

class TagSave : public testing::Test {
protected:
    // Writes bytes, reads them into a tag object, saves it; the saved file's bytes.
    Bytes SaveUnchanged(const Bytes& bytes)
    {
        test::WriteFileBytes(file, bytes);
        TID3v2Class tag(file);
        tag.Save();
        return test::ReadFileBytes(file);
    }

    test::TempDir dir;
    std::filesystem::path file = dir / "song.mp3";
    const Bytes audio = Audio(4);
    const Bytes record = ID3v1Record({ "v1" });
};

TEST_F(TagSave, AFileWithoutTagsGainsAnEmpty256ByteTag)
{
    const Bytes saved = SaveUnchanged(audio);
    ASSERT_EQ(saved.size(), 256 + audio.size());
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 10), (Bytes { 'I', 'D', '3', 3, 0, 0, 0, 0, 0x01, 0x76 }));
    EXPECT_EQ(Tail(saved, 256), audio);
    EXPECT_FALSE(std::filesystem::exists(dir / "song.mp3.$$$"));
}

TEST_F(TagSave, ReadingTheSavedFileGivesTheSameFramesAndAudio)
{
    const Bytes frames
        = Concat({ Frame("TIT2", Text("Title")), Frame("TXXX", Concat({ Text("REPLAYGAIN"), Text("-6 dB") })),
            Frame("APIC", Concat({ Text("image/png"), { 0, 3, 0 }, Bytes(300, 0xEE) })),
            Frame("GEOB", Bytes(50, 0x01), 0x8000), Frame("TALB", Text("x"), 0x0080),
            Frame("PRIV", Concat({ BytesOf("me"), { 0, 1, 2 } })), Frame("WCOM", BytesOf("http://a")) });
    const Bytes original = Concat({ Tag(3, frames, 123), audio, record });
    test::WriteFileBytes(file, original);
    const TID3v2Class before(file);
    const Bytes saved = SaveUnchanged(original);
    const TID3v2Class after(file);
    EXPECT_EQ(FrameSignatures(after), FrameSignatures(before));
    EXPECT_EQ(Tail(saved, AfterTag(saved)), Concat({ audio, record }));
    // Frames are written as they were read, the compressed one included.
    EXPECT_EQ(
        Bytes(saved.begin() + 10, saved.begin() + 10 + static_cast<std::ptrdiff_t>(frames.size())), frames);
}

TEST_F(TagSave, SavingTwiceGivesIdenticalBytes)
{
    const Bytes first = SaveUnchanged(Concat(
        { Tag(4, Frame("TIT2", Concat({ { 0x01 }, test::Utf16LE(u"Ab"), { 0, 0 } }), 0, SizeStyle::Syncsafe),
              3, 0x80),
            audio }));
    EXPECT_EQ(SaveUnchanged(first), first);
}

TEST_F(TagSave, AVersion22TagIsReplacedByA23Tag)
{
    const Bytes v22
        = Concat({ TagHeader(2, 20), BytesOf("TT2"), { 0, 0, 5 }, BytesOf("abcde"), Bytes(9, 0) });
    const Bytes saved = SaveUnchanged(Concat({ v22, audio }));
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 6), (Bytes { 'I', 'D', '3', 3, 0, 0 }));
    EXPECT_EQ(Tail(saved, AfterTag(saved)), audio);
}

TEST_F(TagSave, AVersion24TagKeepsItsVersionAndGetsSevenBitFrameSizes)
{
    // Written with plain sizes, as iTunes did.
    const Bytes tag
        = Concat({ TagHeader(4, 0), Frame("TIT2", Text(std::string(200, 't'))), Frame("TALB", Text("a")) });
    Bytes original = Concat({ tag, Bytes(30, 0), audio });
    original[9] = static_cast<std::uint8_t>((tag.size() + 30 - 10) & 0x7F);
    original[8] = static_cast<std::uint8_t>((tag.size() + 30 - 10) >> 7);
    original[4] = 2;
    const Bytes saved = SaveUnchanged(original);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 5), (Bytes { 'I', 'D', '3', 4, 2 }));
    EXPECT_EQ(Bytes(saved.begin() + 14, saved.begin() + 18), (Bytes { 0, 0, 0x01, 0x49 }));
    const TID3v2Class reread(file);
    ASSERT_EQ(reread.FrameCount(), 2);
    EXPECT_EQ(dynamic_cast<TTxxxTag&>(*reread.GetFrame(0)).Text, WideString(200, u't'));
    EXPECT_EQ(dynamic_cast<TTxxxTag&>(*reread.GetFrame(1)).Text, u"a");
}

TEST_F(TagSave, UnsynchronisationExtendedHeaderAndFooterAreNotWritten)
{
    Bytes unsynchronised = Frame("TIT2", { 0x01, 0xFF, 0xFE, 0x41, 0x00 });
    unsynchronised.insert(unsynchronised.begin() + 12, 0x00);
    const Bytes v23 = Tag(3, Concat({ { 0, 0, 0, 6, 0, 0, 0, 0, 0, 0 }, unsynchronised }), 4, 0x80 | 0x40);
    const Bytes saved = SaveUnchanged(Concat({ v23, audio }));
    EXPECT_EQ(saved[5], 0);
    EXPECT_EQ(Bytes(saved.begin() + 10, saved.begin() + 25), Frame("TIT2", { 0x01, 0xFF, 0xFE, 0x41, 0x00 }));

    const Bytes v24 = Tag(4, Frame("TIT2", Text("a")), 10, 0x10);
    const Bytes footer = Concat({ BytesOf("3DI"), Bytes(v24.begin() + 3, v24.begin() + 10) });
    const Bytes savedV24 = SaveUnchanged(Concat({ v24, footer, audio }));
    EXPECT_EQ(savedV24[5], 0);
    EXPECT_EQ(Tail(savedV24, AfterTag(savedV24)), audio);
}

TEST_F(TagSave, AnUnchangedRecordIsCopiedAChangedOneRewrittenInPlace)
{
    test::WriteFileBytes(file, Concat({ audio, record }));
    TID3v2Class tag(file);
    tag.Save();
    EXPECT_EQ(Tail(test::ReadFileBytes(file), 256), Concat({ audio, record }));

    tag.FindFrameByClass<TID3v1Tag>(1)->SetTitle("new title");
    tag.Save();
    EXPECT_EQ(Tail(test::ReadFileBytes(file), 256), Concat({ audio, ID3v1Record({ "new title" }) }));
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
    EXPECT_EQ(Tail(test::ReadFileBytes(file), 256), Concat({ audio, ID3v1Record({ "first" }) }));

    TID3v2Class again(file);
    again.FindFrameByClass<TID3v1Tag>(1)->SetTitle("second");
    again.Save();
    EXPECT_EQ(Tail(test::ReadFileBytes(file), 256), Concat({ audio, ID3v1Record({ "second" }) }));
}

TEST_F(TagSave, ARecordInsideATagThatClaimsTheWholeFileIsKept)
{
    // Some writers give the tag a size that runs to the end of the file, over the ID3v1 record.
    const Bytes frames = Frame("TIT2", Text("t"));
    const Bytes body = Concat({ frames, Bytes(64, 0), record });
    test::WriteFileBytes(file, Concat({ TagHeader(3, static_cast<std::uint32_t>(body.size())), body }));
    TID3v2Class tag(file);
    ASSERT_TRUE(tag.HasID3v1);
    tag.Save();
    const Bytes saved = test::ReadFileBytes(file);
    EXPECT_EQ(Tail(saved, saved.size() - record.size()), record);
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

TEST_F(TagSave, PermissionsAreKept)
{
    test::WriteFileBytes(file, audio);
    std::filesystem::permissions(file, static_cast<std::filesystem::perms>(0640));
    TID3v2Class(file).Save();
    EXPECT_EQ(std::filesystem::status(file).permissions(), static_cast<std::filesystem::perms>(0640));
}

TEST_F(TagSave, ThroughASymbolicLinkTheTargetIsReplacedAndTheLinkStays)
{
    std::filesystem::create_directory(dir / "real");
    const auto target = dir / "real" / "target.mp3";
    test::WriteFileBytes(target, audio);
    std::filesystem::create_symlink(target, file);
    TID3v2Class(file).Save();
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(test::ReadFileBytes(target).size(), 256 + audio.size());
    EXPECT_FALSE(std::filesystem::exists(dir / "real" / "target.mp3.$$$"));
}

class TagSaveRefused : public TagSave {
protected:
    void ExpectRefused(test::FaultyFileSystem& fs, std::string_view message)
    {
        const Bytes original = Concat({ Tag(3, Frame("TIT2", Text("a")), 5), audio });
        test::WriteFileBytes(file, original);
        TID3v2Class tag(file, fs);
        dynamic_cast<TTxxxTag&>(*tag.GetFrame(0)).SetText(u"b");
        try {
            tag.Save();
            FAIL();
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("song.mp3"), std::string::npos) << error.what();
        }
        EXPECT_EQ(test::ReadFileBytes(file), original);
        EXPECT_FALSE(std::filesystem::exists(dir / "song.mp3.$$$"));
        EXPECT_TRUE(tag.GetFrame(0)->Changed);
    }

    test::FaultyFileSystem fs;
};

TEST_F(TagSaveRefused, AReadOnlyFileIsNotReplaced)
{
    fs.DenyWriting(file);
    ExpectRefused(fs, "Permission denied");
}

TEST_F(TagSaveRefused, AFolderThatRefusesTheTemporaryFile)
{
    fs.DenyCreatingIn(dir.Path());
    ExpectRefused(fs, "Could not create temporary file.");
}

TEST_F(TagSave, AMissingFileIsAnErrorNamingIt)
{
    test::WriteFileBytes(file, audio);
    TID3v2Class tag(file);
    std::filesystem::remove(file);
    EXPECT_THROW(tag.Save(), Error);
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace vennart::tags
