// Large frame bodies that stay in the file: a save writes them back byte for byte, they are read
// only from the file they were read from as it was then, and copies of a tag object share them.
#include "TagChecks.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"
#include "tags/BinaryFrames.h"
#include "tags/ID3v2Class.h"
#include "tags/TextFrame.h"

#include <algorithm>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vennart::tags {
namespace {

using namespace test;
using testing::AllOf;
using testing::HasSubstr;

Bytes Pattern(std::size_t size, int seed)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 31 + static_cast<std::size_t>(seed));
    return bytes;
}

constexpr std::size_t kCoverSize = 100 * 1024;

// A cover, private data and an unknown frame, each large enough to stay in the file, between texts.
Bytes Frames(int seed, std::size_t coverSize = kCoverSize)
{
    return Concat({
        Frame("TIT2", TextBody("Title")),
        Frame("APIC", Concat({ TextBody("image/jpeg"), { 0, 3, 'c', 0 }, Pattern(coverSize, seed) })),
        Frame("PRIV", Concat({ BytesOf("owner"), { 0 }, Pattern(8 * 1024, seed + 1) })),
        Frame("GEOB", Pattern(5 * 1024, seed + 2)),
        Frame("TALB", TextBody("Album")),
        Frame("PRIV", Concat({ BytesOf("o"), { 0 }, Bytes(100, 7) })),
    });
}

Bytes Song(int seed, std::size_t coverSize = kCoverSize)
{
    return Concat({ Tag(3, Frames(seed, coverSize), 512), Audio(4) });
}

const HeldBytes& Picture(const TID3v2Class& tag)
{
    return tag.FindFrameByClass<TAPICTag>(1)->PictureData;
}

class HeldInFile : public testing::Test {
protected:
    std::filesystem::path Write(const Bytes& bytes)
    {
        WriteFileBytes(song, bytes);
        return song;
    }

    TempDir dir;
    std::filesystem::path song = dir / "song.mp3";
};

// The bodies are read again only while saving; twice, since the first save moves them.
TEST_F(HeldInFile, LargeBodiesStayInTheFileAndASaveWritesThemByteForByte)
{
    TID3v2Class tag(Write(Song(2)));
    EXPECT_EQ(std::tuple(Picture(tag).InFile(), tag.FindFrameByClass<TPRIVTag>(1)->PrivateData.InFile(),
                  tag.FindFrameByClass<TUnknownTag>(1)->RawData.InFile(),
                  tag.FindFrameByClass<TPRIVTag>(2)->PrivateData.InFile()),
        std::tuple(true, true, true, false));
    dynamic_cast<TTxxxTag*>(tag.FindFrameByID("TIT2", 1))->SetText(u"Other");
    tag.Save();
    const Bytes once = ReadFileBytes(song);
    tag.Save();
    EXPECT_EQ(ReadFileBytes(song), once);
    const Bytes expected = Frames(2);
    const Bytes heldPart(
        expected.begin() + static_cast<std::ptrdiff_t>(Frame("TIT2", TextBody("Title")).size()),
        expected.end());
    EXPECT_NE(std::search(once.begin(), once.end(), heldPart.begin(), heldPart.end()), once.end());
    EXPECT_EQ(Picture(tag).Load().ToVector(), Pattern(kCoverSize, 2));
    EXPECT_EQ(Picture(TID3v2Class(song)).Load().ToVector(), Pattern(kCoverSize, 2));
}

// A cover stored compressed or unsynchronised is decoded again when it is read again.
struct StoredCover {
    const char* Name;
    std::uint8_t Major;
    Bytes (*Frame)(const Bytes& body);
};

VENNART_PRINT_ROW_AS(StoredCover, row.Name)

// The body's size in four bytes, then the body compressed.
Bytes SizedCompressed(const Bytes& body)
{
    const std::size_t n = body.size();
    return Concat({ { std::uint8_t(n >> 24), std::uint8_t(n >> 16), std::uint8_t(n >> 8), std::uint8_t(n) },
        Compressed(body) });
}

Bytes Unsynchronised(const Bytes& body)
{
    Bytes stored;
    for (const std::uint8_t byte : body) {
        stored.push_back(byte);
        if (byte == 0xFF)
            stored.push_back(0);
    }
    return stored;
}

const StoredCover kStoredCovers[] {
    { "CompressedIn23", 3, [](const Bytes& body) { return Frame("APIC", SizedCompressed(body), 0x0080); } },
    { "UnsynchronisedIn24", 4,
        [](const Bytes& body) { return Frame("APIC", Unsynchronised(body), 0x0002, SizeStyle::Syncsafe); } },
};

class HeldStoredCover : public HeldInFile, public testing::WithParamInterface<StoredCover> { };

TEST_P(HeldStoredCover, IsDecodedAgainAndSavedPlain)
{
    const Bytes body = Concat({ TextBody("image/png"), { 0, 3, 0 }, Pattern(kCoverSize, 6) });
    TID3v2Class tag(Write(Concat({ Tag(GetParam().Major, GetParam().Frame(body), 64), Audio(4) })));
    EXPECT_TRUE(Picture(tag).InFile());
    EXPECT_EQ(Picture(tag).Load().ToVector(), Pattern(kCoverSize, 6));
    tag.Save();
    const Bytes saved = ReadFileBytes(song);
    const Bytes plain
        = Frame("APIC", body, 0, GetParam().Major >= 4 ? SizeStyle::Syncsafe : SizeStyle::Plain);
    EXPECT_NE(std::search(saved.begin(), saved.end(), plain.begin(), plain.end()), saved.end());
    EXPECT_EQ(Picture(TID3v2Class(song)).Load().ToVector(), Pattern(kCoverSize, 6));
}

INSTANTIATE_TEST_SUITE_P(Stored, HeldStoredCover, testing::ValuesIn(kStoredCovers),
    [](const auto& info) { return std::string(info.param.Name); });

// What another program may do between the reading and the use of a cover; each one is noticed.
struct OtherWriter {
    const char* Name;
    void (*Write)(const std::filesystem::path& song);
    const char* Message = "song.mp3";
};

VENNART_PRINT_ROW_AS(OtherWriter, row.Name)

const OtherWriter kOtherWriters[] {
    { "WritesALargerCover",
        [](const std::filesystem::path& song) { WriteFileBytes(song, Song(9, kCoverSize + 1)); } },
    { "ReplacesTheFileWithAnother",
        [](const std::filesystem::path& song) {
            const std::filesystem::path other = song.parent_path() / "other";
            WriteFileBytes(other, Song(9));
            std::filesystem::rename(other, song);
        } },
    { "CutsTheFileShort",
        [](const std::filesystem::path& song) { std::filesystem::resize_file(song, 2000); } },
    { "RemovesTheFile", [](const std::filesystem::path& song) { std::filesystem::remove(song); } },
    // The same size and time, and a title of the same length: only the text frame's bytes tell.
    { "KeepsSizeAndTimeButChangesATitle",
        [](const std::filesystem::path& song) {
            Bytes bytes = Song(3);
            bytes[10 + 10 + 1] = 'Z';
            struct stat before { };
            stat(song.c_str(), &before);
            const int fd = open(song.c_str(), O_WRONLY);
            EXPECT_EQ(pwrite(fd, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
            close(fd);
            const timespec times[] { before.st_atim, before.st_mtim };
            utimensat(AT_FDCWD, song.c_str(), times, 0);
        },
        "it changed since it was read" },
};

class HeldInChangedFile : public HeldInFile, public testing::WithParamInterface<OtherWriter> { };

TEST_P(HeldInChangedFile, IsNeverReadAndTheSaveIsRefused)
{
    TID3v2Class tag(Write(Song(3)));
    GetParam().Write(song);
    const Bytes after = std::filesystem::exists(song) ? ReadFileBytes(song) : Bytes {};
    EXPECT_THAT(
        ErrorOf([&] { Picture(tag).Load(); }), AllOf(HasSubstr("song.mp3"), HasSubstr(GetParam().Message)));
    EXPECT_THAT(ErrorOf([&] { tag.Save(); }), HasSubstr("song.mp3"));
    EXPECT_EQ(std::filesystem::exists(song) ? ReadFileBytes(song) : Bytes {}, after);
}

INSTANTIATE_TEST_SUITE_P(Writers, HeldInChangedFile, testing::ValuesIn(kOtherWriters),
    [](const auto& info) { return std::string(info.param.Name); });

// An undo snapshot shares the cover, and keeps reading it from the file it was read from: once its
// original is saved over, the snapshot's cover is no longer there to be read.
TEST_F(HeldInFile, ACloneSharesTheBodiesOfItsOriginal)
{
    TID3v2Class tag(Write(Song(5)));
    const std::unique_ptr<TID3v2Class> snapshot = tag.Clone();
    EXPECT_TRUE(Picture(*snapshot).InFile());
    EXPECT_EQ(Picture(*snapshot).Load(), Picture(tag).Load());
    snapshot->Save();
    EXPECT_EQ(Picture(*snapshot).Load().ToVector(), Pattern(kCoverSize, 5));
    EXPECT_THAT(ErrorOf([&] { Picture(tag).Load(); }), HasSubstr("it changed since it was read"));
}

} // namespace
} // namespace vennart::tags
