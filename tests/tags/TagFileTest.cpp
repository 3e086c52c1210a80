// Reading whole files into a tag object and saving it back. Reading: tags other programs wrote
// (ID3v2.2, compressed and unsynchronised frames, plain sizes in 2.4, extended headers) and bad inputs;
// each read file is saved and read again with every frame the save can write. Saving: the bytes
// written, the ID3v1 record, tag sizes that cannot be trusted, and saves that are refused. Large frame
// bodies stay in the file: a save writes them back byte for byte, they are read only from the file
// they were read from as it was then, and copies of a tag object share them.
#include "TagChecks.h"
#include "platform/SystemCodePage.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"
#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/FrameBody.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Writer.h"
#include "tags/Syncsafe.h"
#include "tags/TextFrame.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tuple>

namespace vennart::tags {
namespace {

using namespace std::literals;
using namespace test;
using testing::AllOf;
using testing::HasSubstr;

class TagFile : public testing::Test {
protected:
    std::filesystem::path Write(const Bytes& bytes)
    {
        WriteFileBytes(file, bytes);
        return file;
    }

    TempDir dir;
    std::filesystem::path file = dir / "song.mp3";
};

Bytes V22Frame(std::string_view id, const Bytes& body)
{
    const auto size = static_cast<std::uint8_t>(body.size());
    return Concat({ BytesOf(id), { 0, 0, size }, body });
}

// A frame as Describe gives it: an ISO-8859-1 text frame, or a frame kept byte for byte.
WideString Text(std::string_view id, std::u16string_view text, int flags = 0)
{
    return WidenSystem(std::string(id) + " " + std::to_string(flags) + " text|0|") + WideString(text);
}

WideString Kept(std::string_view id, int flags, std::string_view body)
{
    return WidenSystem(std::string(id) + " " + std::to_string(flags) + " unknown|" + std::string(body));
}

struct FileCase {
    std::string name;
    Bytes File;
    std::vector<WideString> Frames;
    bool Damaged = false;
    std::vector<AnsiString> Unwritable = {};
};

VENNART_PRINT_ROW_AS(FileCase, row.name)

std::vector<FileCase> FileCases()
{
    const Bytes a = Frame("TIT2", TextBody("a"));
    const Bytes b = Frame("TALB", TextBody("b"));
    const WideString readA = Text("TIT2", u"a");
    const WideString readB = Text("TALB", u"b");
    const Bytes title = TextBody("Title");
    std::vector<FileCase> cases {
        { "Empty", {}, {} },
        { "ShorterThanATagHeader", BytesOf("ID3\3\1"), {} },
        { "OnlyARecord", ID3v1Record({ "t" }), { u"TAG 0 v1.0|t|||||0|0" } },
        { "RecordFirstThenTheFramesUpToThePadding",
            Concat({ Tag(3, TextFrames("TIT2=Title|TPE1=Artist"), 100),
                ID3v1Record({ .Title = "v1", .Track = 2 }) }),
            { u"TAG 0 v1.1|v1|||||2|0", Text("TIT2", u"Title"), Text("TPE1", u"Artist") } },
        { "TagClaimsRecordBytes", Concat({ TagHeader(3, 150), a, ID3v1Record({}) }),
            { u"TAG 0 v1.0||||||0|0", readA } },
        { "LastFrameEndsExactlyAtTheTagsEnd", Tag(3, Concat({ a, b })), { readA, readB } },
        { "EmptyBodyThenTheNextFrame", Tag(3, Concat({ Frame("TIT2", {}), b }), 10),
            { Text("TIT2", u""), readB } },
        { "ShorterThanARecord", Concat({ TagHeader(3, 50), a, Bytes(40, 0) }), { readA } },
        // Nothing is allocated beyond what the file holds, whatever the size field claims.
        { "TagLargerThanTheFile", Concat({ TagHeader(3, 0x0FFFFFFF), a, Bytes(5, 0) }), { readA } },
        { "FramePastTheTagEndsTheList",
            Concat({ TagHeader(3, 20), a, Frame("TALB", TextBody("longer")), Audio(1) }), { readA } },
        { "GarbageAfterTheLastFrameEndsTheList",
            Concat({ Tag(3, Concat({ a, BytesOf("\x01garbage") }), 20), Audio(1) }), { readA } },
        { "NoMPEGSync", Concat({ Tag(3, a, 20), Bytes(3000, 0x7F) }), { readA } },
        { "V24ExtendedHeaderSizeCountsItself",
            Tag(4, Concat({ { 0, 0, 0, 12, 1, 0x20, 5, 8, 0x3A, 0x3B, 6, 7 }, a }), 0, 0x40), { readA } },
        { "V23ExtendedHeaderFlagWithoutAPlausibleHeader", Tag(3, a, 50, 0x40), { readA } },
        { "V24ExtendedHeaderFlagWithoutAPlausibleHeader", Tag(4, a, 50, 0x40), { readA } },
        { "V23EncryptedGroupedAndBrokenCompressedFramesAreKept",
            Tag(3,
                Concat({ Frame("TIT2", { 0, 0, 0, 9, 0x78, 0x9C, 1, 2, 3 }, 0x0080),
                    Frame("TALB", TextBody("x"), 0x0040), Frame("TPE1", TextBody("y"), 0x0020),
                    Frame("TCON", TextBody("z"), 0xC000) })),
            { Kept("TIT2", 128, "\0\0\0\x09\x78\x9C\1\2\3"s), Kept("TALB", 64, "\0x"s),
                Kept("TPE1", 32, "\0y"s), Text("TCON", u"z", 0xC000) } },
        { "V24UnsynchronisedFramesAreDecodedOthersKept",
            Tag(4,
                Concat({ Frame("TIT2", TextBody("a"), 0x0040), Frame("TALB", TextBody("b"), 0x0008),
                    Frame("TPE1", TextBody("c"), 0x0004), Frame("TCON", TextBody("d\xFF\0\xE0"sv), 0x0002),
                    Frame("TYER", TextBody("e"), 0x0001), Frame("TRCK", TextBody("f"), 0x0080) })),
            { Kept("TIT2", 64, "\0a"s), Kept("TALB", 8, "\0b"s), Kept("TPE1", 4, "\0c"s),
                Text("TCON", u"d\xFF\xE0"), Kept("TYER", 1, "\0e"s), Text("TRCK", u"f", 128) } },
        // A plain size of 384 (00 00 01 80) read 7 bits per byte would end on the zero byte at 256.
        { "V24PlainSizeWithATopBitIsReadPlain",
            Tag(4,
                Concat({ Frame("TIT2", TextBody(std::string(255, 'x') + '\0' + std::string(127, 'y'))), b })),
            { Text("TIT2", WideString(255, u'x') + u"|" + WideString(127, u'y')), readB } },
        // A 7-bit size of 200 (00 00 01 48) ending on padding wins over its plain reading (328) that
        // would end on a frame.
        { "V24SevenBitSizeEndingOnPadding",
            Tag(4,
                Concat({ Frame("TIT2", TextBody(std::string(199, 'x')), 0, SizeStyle::Syncsafe),
                    Bytes(128, 0), b })),
            { Text("TIT2", WideString(199, u'x')) } },
        { "V22FramesBecomeTheir23Counterparts",
            Tag(2,
                Concat({ V22Frame("TT2", title), V22Frame("TP1", TextBody("Artist")),
                    V22Frame("COM", BytesOf("\0engdesc\0text"sv)),
                    V22Frame("PIC", BytesOf("\0PNG\3cover\0\x89P\0\xFF"sv)),
                    V22Frame("CRM", BytesOf("secret")) })),
            { Text("TIT2", u"Title"), Text("TPE1", u"Artist"), u"COMM 0 comment|0|eng|desc|text",
                u"APIC 0 picture|0|image/png|3|cover|\x89P\0\xFF"s, u"CRM 0 unknown|secret" },
            false, { "CRM" } },
        { "V23ZlibCompressedTitle",
            Tag(3, Frame("TIT2", Concat({ { 0, 0, 0, 6 }, Compressed(title) }), 0x0080)),
            { Text("TIT2", u"Title") } },
        { "V24ZlibCompressedTitleWithDataLength",
            Tag(4, Frame("TIT2", Concat({ { 0, 0, 0, 6 }, Compressed(title) }), 0x4009, SizeStyle::Syncsafe)),
            { Text("TIT2", u"Title", 0x4000) } },
    };
    // Written so by iTunes: the plain reading is taken when a size byte has its top bit set, or when
    // only it leads to the next frame.
    for (const std::size_t size : { 50, 127, 200, 299, 1000, 70000 }) {
        cases.push_back({ "V24PlainSize" + std::to_string(size),
            Tag(4, Concat({ Frame("TIT2", TextBody(std::string(size, 'x'))), b }), 20),
            { Text("TIT2", WideString(size, u'x')), readB } });
    }
    for (const std::uint8_t major : { 3, 4 }) {
        const std::string version = "In2" + std::to_string(major);
        cases.push_back({ "FrameSizeAllOnes" + version,
            Concat({ TagHeader(major, 100), BytesOf("TIT2\xFF\xFF\xFF\xFF\0\0\0a"sv), Bytes(200, 0) }), {},
            true });
        cases.push_back({ "FramePastTheFileEnd" + version,
            Concat(
                { TagHeader(major, 0x7FFF), Frame("TPE1", TextBody("b")), BytesOf("TIT2\0\0\1\0\0\0\0a"sv) }),
            {}, true });
    }
    return cases;
}

class TagFileRead : public TagFile, public testing::WithParamInterface<FileCase> { };

// Every one either reads what can be read or fails with an error naming the file; none crashes.
TEST_P(TagFileRead, ReadsItsFramesAndKeepsThemThroughASave)
{
    const FileCase& c = GetParam();
    WriteFileBytes(file, c.File);
    if (c.Damaged) {
        EXPECT_THAT(
            ErrorOf([&] { TID3v2Class tag(file); }), AllOf(HasSubstr("song.mp3"), HasSubstr("damaged")));
        return;
    }
    TID3v2Class tag(file);
    EXPECT_EQ(Describe(tag), c.Frames);
    EXPECT_GE(tag.AudioSize, 0);
    EXPECT_EQ(UnwritableFrames(tag.Frames), c.Unwritable);
    const std::vector<WideString> written = Describe(tag, true);
    tag.Save();
    EXPECT_EQ(Describe(TID3v2Class(file)), written);
}

INSTANTIATE_TEST_SUITE_P(Files, TagFileRead, testing::ValuesIn(FileCases()), ByName);

TEST_F(TagFile, FramesAreFoundByIdentifierOrKindCountingFromOne)
{
    const Bytes comment = Frame("COMM", Concat({ { 0x00 }, BytesOf("eng"), { 0x00 } }));
    const TID3v2Class tag(
        Write(Concat({ Tag(3, Concat({ TextFrames("TIT2=a"), comment, comment })), ID3v1Record({}) })));
    EXPECT_EQ(std::vector<const TTag*>({ tag.FindFrameByID("COMM", 2), tag.FindFrameByID("COMM", 3),
                  tag.FindFrameByID("comm", 1), tag.FindFrameByID("COM", 1),
                  tag.FindFrameByClass<TCOMMTag>(2), tag.FindFrameByClass<TTag>(4),
                  tag.FindFrameByClass<TID3v1Tag>(1), tag.FindFrameByClass<TAPICTag>(1) }),
        std::vector<const TTag*>({ tag.GetFrame(3), nullptr, nullptr, nullptr, tag.GetFrame(3),
            tag.GetFrame(3), tag.GetFrame(0), nullptr }));
}

TEST_F(TagFile, TheFirstMPEGHeaderIsSearchedAfterTheTag)
{
    const Bytes tagBytes = Tag(3, Frame("TIT2", TextBody("\xFF\xFB\x90\x64")), 10);
    const TID3v2Class tag(Write(Concat({ tagBytes, { 0x00, 0x20 }, Audio(5), ID3v1Record({}) })));
    const TMPEGHeaderInfo i = tag.GetMPEGInfo();
    const auto fileSize = static_cast<std::int64_t>(tagBytes.size() + 2 + 5 * 417 + 128);
    EXPECT_EQ(std::tuple(i.Version, i.SamplingRate, i.FrameLength, i.FileSize, i.FrameCount, tag.AudioSize),
        std::tuple(3, 44100u, 418, fileSize, 5, 5 * 417 - 4 - 2));
}

// A missing file fails where it is opened, as FileTest checks.
TEST_F(TagFile, AFolderIsAnErrorNamingIt)
{
    std::filesystem::create_directory(dir / "folder.mp3");
    EXPECT_THAT(ErrorOf([&] { TID3v2Class tag(dir / "folder.mp3"); }), HasSubstr("folder.mp3"));
}

// A small compressed body may claim to inflate to anything; the inflation stops at its limit.
TEST(Inflate, StopsAtItsLimit)
{
    const Bytes packed = Compressed(Bytes(5000, 'x'));
    EXPECT_EQ(Inflate(packed, 5000), ByteVector(5000, 'x'));
    EXPECT_EQ(Inflate(packed, 4999), std::nullopt);
}

// The tag a save writes in front of the audio: header, frames, zero padding up to a multiple of 256.
Bytes SavedTag(std::uint8_t major, const Bytes& frames, std::uint8_t revision = 0, std::uint8_t flags = 0)
{
    const std::size_t padding = PaddingToBlock(frames, 256);
    return Concat({ TagHeader(major, static_cast<std::uint32_t>(frames.size() + padding), flags, revision),
        frames, Bytes(padding, 0) });
}

constexpr std::size_t kCoverSize = 100 * 1024;

// A cover, private data and an unknown frame, each large enough to stay in the file, between texts.
Bytes Frames(int seed, std::size_t coverSize = kCoverSize, std::string_view title = "Title")
{
    return Concat({ Frame("TIT2", TextBody(title)),
        Frame("APIC", Concat({ TextBody("image/jpeg"), { 0, 3, 'c', 0 }, Pattern(coverSize, seed) })),
        Frame("PRIV", Concat({ BytesOf("owner"), { 0 }, Pattern(8 * 1024, seed + 1) })),
        Frame("GEOB", Pattern(5 * 1024, seed + 2)), Frame("TALB", TextBody("Album")),
        Frame("PRIV", Concat({ BytesOf("o"), { 0 }, Bytes(100, 7) })) });
}

Bytes Song(int seed, std::size_t coverSize = kCoverSize)
{
    return Concat({ Tag(3, Frames(seed, coverSize), 512), Audio(4) });
}

const HeldBytes& Picture(const TID3v2Class& tag)
{
    return tag.FindFrameByClass<TAPICTag>(1)->PictureData;
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

// A file's bytes before and after a save, and the edit made before it.
struct SaveCase {
    const char* name;
    Bytes Original;
    Bytes Saved;
    void (*Edit)(TID3v2Class& tag) = nullptr;
};

VENNART_PRINT_ROW_AS(SaveCase, row.name)

const Bytes kAudio = Audio(4);

// A tag in front of the audio, before and after the save.
SaveCase InFront(const char* name, const Bytes& original, const Bytes& saved)
{
    return { name, Concat({ original, kAudio }), Concat({ saved, kAudio }) };
}

std::vector<SaveCase> SaveCases()
{
    const Bytes v22 = Concat({ TagHeader(2, 20), V22Frame("TT2", BytesOf("abcde")), Bytes(9, 0) });
    const Bytes title = TextBody(std::string(200, 't'));
    const Bytes plainSizes = Concat({ Frame("TIT2", title), Frame("TALB", TextBody("a")), Bytes(30, 0) });
    const Bytes sevenBitSizes = Concat({ Frame("TIT2", title, 0, SizeStyle::Syncsafe),
        Frame("TALB", TextBody("a"), 0, SizeStyle::Syncsafe) });
    const Bytes utf16 = Frame("TIT2", { 0x01, 0xFF, 0xFE, 0x41, 0x00 });
    const Bytes v24 = Tag(4, Frame("TIT2", TextBody("a")), 10, 0x10);
    const Bytes footer = Concat({ BytesOf("3DI"), Bytes(v24.begin() + 3, v24.begin() + 10) });
    const Bytes terminated = Concat({ { 0x01 }, Utf16LE(u"Ab"), { 0, 0 } });
    // Every kind of frame, the compressed one included.
    const Bytes frames = Concat({ Frame("TIT2", TextBody("Title")),
        Frame("TXXX", Concat({ TextBody("REPLAYGAIN"), TextBody("-6 dB") })),
        Frame("APIC", Concat({ TextBody("image/png"), { 0, 3, 0 }, Bytes(300, 0xEE) })),
        Frame("GEOB", Bytes(50, 0x01), 0x8000), Frame("TALB", TextBody("x"), 0x0080),
        Frame("PRIV", Concat({ BytesOf("me"), { 0, 1, 2 } })), Frame("WCOM", BytesOf("http://a")) });
    const Bytes t = TextFrames("TIT2=t");
    const Bytes cover = Concat({ TextBody("image/png"), { 0, 3, 0 }, Pattern(kCoverSize, 6) });
    const Bytes record = ID3v1Record({ "v1" });
    const Bytes noTag = SavedTag(3, {});
    // Some writers give the tag a size that runs to the end of the file, over the ID3v1 record.
    const Bytes claimed = Concat({ t, Bytes(64, 0), record });
    // The file is 256 bytes of tag once saved; its last 128 bytes begin inside the URL.
    const Bytes url
        = Frame("WCOM", Concat({ BytesOf(std::string(108, 'u')), BytesOf("TAG"), BytesOf("trailing") }));
    return {
        InFront("FramesAreWrittenAsTheyWereRead", Tag(3, frames, 123), SavedTag(3, frames)),
        InFront("NoTagsGainAnEmpty256ByteTag", {}, noTag),
        InFront(
            "Version22BecomesA23Tag", v22, SavedTag(3, Frame("TIT2", Concat({ { 0xFF }, BytesOf("bcde") })))),
        // Plain sizes in a 2.4 tag, as iTunes wrote them.
        InFront("Version24KeepsItsVersionAndExperimentalFlagAndGetsSevenBitFrameSizes",
            Concat({ TagHeader(4, static_cast<std::uint32_t>(plainSizes.size()), 0x20, 2), plainSizes }),
            SavedTag(4, sevenBitSizes, 2, 0x20)),
        InFront("UnsynchronisationAndExtendedHeaderAreNotWritten",
            Tag(3, Concat({ { 0, 0, 0, 6, 0, 0, 0, 0, 0, 0 }, Unsynchronised(utf16) }), 4, 0x80 | 0x40),
            SavedTag(3, utf16)),
        InFront("FooterIsNotWritten", Concat({ v24, footer }),
            SavedTag(4, Frame("TIT2", TextBody("a"), 0, SizeStyle::Syncsafe))),
        InFront("Version24UnsynchronisationFlagIsCleared",
            Tag(4, Frame("TIT2", terminated, 0, SizeStyle::Syncsafe), 3, 0x80),
            SavedTag(4, Frame("TIT2", { 0x01, 0xFF, 0xFE, 'A', 0, 'b', 0 }, 0, SizeStyle::Syncsafe))),
        // A tag size that claims more than the frames hold: what follows them is audio, copied byte for byte.
        InFront("TagSizeClaimingMoreThanTheFileEndsAtTheLastFrame",
            Concat({ TagHeader(3, 256 * 1024 * 1024 - 1), t }), SavedTag(3, t)),
        InFront("TagSizeClaimingTheAudioEndsAtTheLastFrame",
            Concat({ TagHeader(3, 11 + 2 * kAudioFrameLength), t }), SavedTag(3, t)),
        // A cover stored compressed (its size, 102413 bytes, then the cover compressed) or unsynchronised
        // stays in the file, is decoded again when the save reads it again, and is saved plain.
        InFront("CoverStoredCompressed",
            Tag(3, Frame("APIC", Concat({ { 0, 1, 0x90, 0x0D }, Compressed(cover) }), 0x0080)),
            SavedTag(3, Frame("APIC", cover))),
        InFront("CoverStoredUnsynchronised",
            Tag(4, Frame("APIC", Unsynchronised(cover), 0x0002, SizeStyle::Syncsafe)),
            SavedTag(4, Frame("APIC", cover, 0, SizeStyle::Syncsafe))),
        // The ID3v1 record that follows the audio.
        { "AnUnchangedRecordIsCopied", Concat({ kAudio, record }), Concat({ noTag, kAudio, record }) },
        { "AChangedRecordIsRewrittenInPlace", Concat({ kAudio, record }),
            Concat({ noTag, kAudio, ID3v1Record({ "new title" }) }),
            [](TID3v2Class& tag) { tag.FindFrameByClass<TID3v1Tag>(1)->SetTitle("new title"); } },
        { "ANewRecordIsAppended", kAudio,
            Concat({ noTag, kAudio, ID3v1Record({ .Title = "first", .Genre = TID3v1Tag::kNoGenre }) }),
            [](TID3v2Class& tag) {
                tag.AddFrame(std::make_unique<TID3v1Tag>());
                tag.FindFrameByClass<TID3v1Tag>(1)->SetTitle("first");
            } },
        { "ARecordInsideATagThatClaimsTheWholeFileIsKept",
            Concat({ TagHeader(3, static_cast<std::uint32_t>(claimed.size())), claimed }),
            Concat({ SavedTag(3, t), record }) },
        { "LettersTAGInsideAFrameOfAFileThatIsAllTagAreNoRecord", Tag(3, url), SavedTag(3, url) },
        // The bodies left in the file are written byte for byte around the edited title.
        { "LargeBodiesAroundAnEditedTitle", Song(2),
            Concat({ SavedTag(3, Frames(2, kCoverSize, "Other")), kAudio }),
            [](TID3v2Class& tag) {
                dynamic_cast<TTxxxTag*>(tag.FindFrameByID("TIT2", 1))->SetText(u"Other");
            } },
    };
}

class TagSave : public TagFile, public testing::WithParamInterface<SaveCase> { };

// Only the first read makes the edit; the second reads what the first wrote. Each tag object is
// saved twice: the first save moves the bodies left in the file, the second reads them from there.
TEST_P(TagSave, WritesExactBytesAndTheSameWhenSavedAgain)
{
    WriteFileBytes(file, GetParam().Original);
    for (int read = 1; read <= 2; ++read) {
        TID3v2Class tag(file);
        // Bodies large enough stay in the file, however the file stores them; smaller ones are held.
        for (const auto& frame : tag.Frames) {
            if (const HeldBytes* held = frame->Held()) {
                EXPECT_EQ(held->InFile(), held->size() >= kLeftInFileFrom) << frame->ID;
            }
        }
        if (read == 1 && GetParam().Edit != nullptr)
            GetParam().Edit(tag);
        for (int save = 1; save <= 2; ++save) {
            tag.Save();
            EXPECT_EQ(ReadFileBytes(file), GetParam().Saved) << "read " << read << ", save " << save;
        }
        for (const auto& frame : tag.Frames)
            EXPECT_FALSE(frame->Changed) << frame->ID;
    }
    EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string> { "song.mp3" });
}

INSTANTIATE_TEST_SUITE_P(Files, TagSave, testing::ValuesIn(SaveCases()), ByName);

TEST_F(TagFile, ThroughASymbolicLinkTheTargetIsReplacedWithItsPermissionsAndTheLinkStays)
{
    std::filesystem::create_directory(dir / "real");
    const auto target = dir / "real" / "target.mp3";
    WriteFileBytes(target, Audio(4));
    std::filesystem::permissions(target, static_cast<std::filesystem::perms>(0640));
    std::filesystem::create_symlink(target, file);
    TID3v2Class(file).Save();
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(ReadFileBytes(target), Concat({ SavedTag(3, {}), Audio(4) }));
    EXPECT_EQ(std::filesystem::status(target).permissions(), static_cast<std::filesystem::perms>(0640));
    EXPECT_EQ(FolderNames(dir / "real"), std::vector<std::string> { "target.mp3" });
}

// A frame that only claims a size, so that no test has to hold 256 MB.
class HugeFrame : public TTag {
public:
    HugeFrame() { ID = "TIT2"; }
    std::unique_ptr<TTag> Clone() const override { return std::make_unique<HugeFrame>(*this); }
    std::size_t GetSize() const override { return kMaxSyncsafe; }
    bool LoadFromStream(ByteReader&, FrameSizeFormat) override { return false; }
    bool SaveToStream(ByteWriter&, FrameSizeFormat) const override { return false; }
};

// The flags a save keeps are checked where the saved bytes are.
TEST(RenderID3v2Tag, PadsToTheNextMultipleOf256AndRefusesAnOversizedTag)
{
    EXPECT_EQ(std::tuple(PaddingSize(300), PaddingSize(512), PaddingSize(255)), std::tuple(212u, 256u, 1u));
    FrameList frames;
    frames.push_back(std::make_unique<HugeFrame>());
    EXPECT_THAT(ErrorOf([&] { RenderID3v2Tag(ID3v2Header {}, frames, "a.mp3"); }), HasSubstr("a.mp3"));
}

// What makes a save fail; each leaves the file as it was then, no temporary file, and the edit pending.
struct Refusal {
    const char* name;
    const char* Message;
    void (*Arrange)(FaultyFileSystem& fs, const std::filesystem::path& file);
    // Songs with a cover, which other programs change between its reading and its use.
    Bytes File = Song(3);
};

VENNART_PRINT_ROW_AS(Refusal, row.name)

const Bytes kNoCover = Concat({ Tag(3, Frame("TIT2", TextBody("a")), 5), Audio(4) });

const Refusal kRefusals[] {
    { "AReadOnlyFileIsNotReplaced", "Permission denied",
        [](FaultyFileSystem& fs, const auto& file) { fs.DenyWriting(file); }, kNoCover },
    { "AFolderThatRefusesTheTemporaryFile", "Could not create temporary file.",
        [](FaultyFileSystem& fs, const auto& file) { fs.DenyCreatingIn(file.parent_path()); }, kNoCover },
    // Where the audio of an unsynchronised tag begins cannot be told.
    { "AnUnsynchronisedTagClaimingMoreThanTheFile", "where its frames end cannot be told", nullptr,
        Concat({ TagHeader(3, 1 << 20, 0x80), Frame("TIT2", TextBody("t")), Audio(2) }) },
    // Its frames cannot be read, so a save would lose them.
    { "ACompressedVersion22Tag", "compressed and cannot be read", nullptr,
        Concat({ TagHeader(2, 20, 0x40), Bytes(20, 1), Audio(2), ID3v1Record({}) }) },
    { "AnotherProgramWritesALargerCover", "song.mp3",
        [](FaultyFileSystem&, const auto& song) { WriteFileBytes(song, Song(9, kCoverSize + 1)); } },
    { "AnotherProgramReplacesTheFileWithAnother", "song.mp3",
        [](FaultyFileSystem&, const auto& song) {
            const std::filesystem::path other = song.parent_path() / "other";
            WriteFileBytes(other, Song(9));
            std::filesystem::rename(other, song);
        } },
    { "AnotherProgramCutsTheFileShort", "song.mp3",
        [](FaultyFileSystem&, const auto& song) { std::filesystem::resize_file(song, 2000); } },
    { "AnotherProgramRemovesTheFile", "song.mp3",
        [](FaultyFileSystem&, const auto& song) { std::filesystem::remove(song); } },
    // The same size and time, and a title of the same length: only the text frame's bytes tell.
    { "AnotherProgramKeepsSizeAndTimeButChangesATitle", "it changed since it was read",
        [](FaultyFileSystem&, const auto& song) {
            const auto time = std::filesystem::last_write_time(song);
            Bytes bytes = Song(3);
            bytes[10 + 10 + 1] = 'Z';
            WriteFileBytes(song, bytes);
            std::filesystem::last_write_time(song, time);
        } },
};

class TagSaveRefused : public TagFile, public testing::WithParamInterface<Refusal> { };

TEST_P(TagSaveRefused, LeavesTheFileAsItWas)
{
    FaultyFileSystem fs;
    TID3v2Class tag(Write(GetParam().File), fs);
    tag.GetFrame(0)->Changed = true;
    if (GetParam().Arrange != nullptr)
        GetParam().Arrange(fs, file);
    const std::vector<std::string> names = FolderNames(dir.Path());
    const Bytes before = std::filesystem::exists(file) ? ReadFileBytes(file) : Bytes {};
    // A cover another program changed is not read either.
    if (tag.FindFrameByClass<TAPICTag>(1) != nullptr) {
        EXPECT_THAT(ErrorOf([&] { Picture(tag).Load(); }),
            AllOf(HasSubstr("song.mp3"), HasSubstr(GetParam().Message)));
    }
    EXPECT_THAT(ErrorOf([&] { tag.Save(); }), AllOf(HasSubstr(GetParam().Message), HasSubstr("song.mp3")));
    EXPECT_EQ(std::filesystem::exists(file) ? ReadFileBytes(file) : Bytes {}, before);
    EXPECT_EQ(FolderNames(dir.Path()), names);
    EXPECT_TRUE(tag.GetFrame(0)->Changed);
}

INSTANTIATE_TEST_SUITE_P(Faults, TagSaveRefused, testing::ValuesIn(kRefusals), ByName);

// An undo snapshot shares the cover, and keeps reading it from the file it was read from: once its
// original is saved over, the snapshot's cover is no longer there to be read.
TEST_F(TagFile, ACloneSharesTheBodiesOfItsOriginal)
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
