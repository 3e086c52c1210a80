// Real-world oddities from public test suites (read from the shared corpus folder, never copied into
// the project): every file has its outcome here. A file that should read must read, and then a
// saved copy gives the same frames and every picture byte for byte; only a truly damaged file may
// be refused, and then as damaged.
#include "support/Corpus.h"

#include "TagChecks.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"
#include "tags/BinaryFrames.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

using test::Bytes;
using testing::AllOf;
using testing::HasSubstr;

using test::kCorpus;

enum class Outcome {
    Frames, // reads, with frames (the ID3v1 record counts as one)
    NoFrames, // reads, and finds no tag it can show
    Damaged, // refused as damaged
};

struct CorpusFile {
    const char* File;
    Outcome Expected;
    // Parts of frames (as Describe gives them) that reading must find; each is found only when
    // every frame before it was measured right.
    std::vector<WideString> Finds = {};
    int MinFrames = 0;
    // The frames are saved back byte for byte.
    bool FramesKept = false;
    // The length of the first MPEG frame, when it is checked.
    int FrameLength = 0;
};

VENNART_PRINT_ROW_AS(CorpusFile, row.File)

using enum Outcome;

VENNART_PRINT_ROW_AS(Outcome, (row == Frames ? "Frames" : row == NoFrames ? "NoFrames" : "Damaged"))

// The files with what reading them must find, then the files that just read, with frames or without.
std::vector<CorpusFile> CorpusFiles()
{
    std::vector<CorpusFile> files {
        // Its compressed frames stay one kept metaframe.
        { "id3lib/221-compressed.tag", Frames },
        // Decoded and held plain, no longer flagged compressed.
        { "id3lib/230-compressed.tag", Frames, { u"TXXX 0 text|" } },
        { "id3lib/230-picture.tag", Frames, { u"APIC 0 picture|" } },
        // Its tag claims more bytes than it holds and its last frame runs past the end of the file.
        { "lofty/fuzz-crash-b8f2fc10e2ab6c4e60c371aea3949871fc61a39b_minimized.bin", Damaged },
        { "mutagen/id3v23_unsynch.id3", Frames, { u"TIT2 0 text|1|My babe just cares for me" } },
        { "mutagen/id3v24_extended_header.id3", Frames, {}, 3 },
        // The extended-header flag is set but no extended header follows.
        { "mutagen/issue_21.id3", Frames, { u"|Punk To Funk", u"TALB " }, 3 },
        // Plain frame sizes in a 2.4 tag.
        { "taglib/005411.id3", Frames, { u"|Sunshine Superman", u"APIC " } },
        { "taglib/extended-header.mp3", Frames, {}, 3 },
        { "taglib/unsynch.id3", Frames, { u"TIT2 0 text|1|My babe just cares for me" } },
        // Its frames were damaged by an older re-save.
        { "mutagen/97-unknown-23-update.mp3", Frames, {}, 1, true },
        // MPEG 2 Layer III, 64 kbit/s, 22050 Hz: 1152 samples a frame would make it 418 bytes long.
        { "taglib/mpeg2.mp3", NoFrames, {}, 0, false, 209 },
    };
    for (const char* file :
        { "id3lib/230-syncedlyrics.tag", "id3lib/230-unicode.tag", "id3lib/jules-badtag.mp3",
            "id3lib/thatspot.tag", "lofty/fuzz-crash-718f75611e77caac968c7f68cdefa1472172f64b.bin",
            "lofty/issue_87_duplicate_id3v2.mp3", "lofty/junk_between_id3_and_mp3.mp3",
            "lofty/rev_frame_sync_search.mp3", "mutagen/apev2-lyricsv2.mp3", "mutagen/bad-POPM-frame.mp3",
            "mutagen/bad-TYER-frame.mp3", "mutagen/bad-xing.mp3", "mutagen/id3v1v2-combined.mp3",
            "mutagen/id3v22-test.mp3", "mutagen/too-short.mp3", "mutagen/vbri.mp3", "taglib/ape-id3v1.mp3",
            "taglib/ape-id3v2.mp3", "taglib/broken-tenc.id3", "taglib/compressed_id3_frame.mp3",
            "taglib/compressed_id3_frame_invalid.mp3", "taglib/duplicate_id3v2.mp3",
            "taglib/excessive_alloc.mp3", "taglib/id3v22-tda.mp3", "taglib/itunes10.mp3",
            "taglib/lame_cbr.mp3", "taglib/lame_vbr.mp3", "taglib/rare_frames.mp3",
            "taglib/toc_many_children.mp3", "taglib/unsynch24.id3", "taglib/w000.mp3" })
        files.push_back({ file, Frames });
    for (const char* file :
        { "id3lib/crc53865.mp3", "lofty/fuzz-oom-f8730cbfa5682ab12343ccb70de9b71a061ef4d0.bin",
            "mutagen/audacious-trailing-id32-apev2.mp3", "mutagen/audacious-trailing-id32-id31.mp3",
            "mutagen/emptyfile.mp3", "mutagen/lame397v9short.mp3", "mutagen/silence-44-s-mpeg25.mp3",
            "taglib/ape.mp3", "taglib/bladeenc.mp3", "taglib/garbage.mp3", "taglib/invalid-frames1.mp3",
            "taglib/invalid-frames3.mp3", "taglib/mpeg-sync-flac.flac", "taglib/xing.mp3" })
        files.push_back({ file, NoFrames });
    return files;
}

const std::vector<CorpusFile> kFiles = CorpusFiles();

std::vector<Bytes> Pictures(const TID3v2Class& tag)
{
    std::vector<Bytes> pictures;
    for (int n = 1; const TAPICTag* picture = tag.FindFrameByClass<TAPICTag>(n); ++n)
        pictures.push_back(picture->PictureData.Load().ToVector());
    return pictures;
}

// The file's bytes after the tag header, as many as the frames of the tag object take.
Bytes FrameBytes(const std::filesystem::path& file, const TID3v2Class& tag)
{
    std::size_t size = 0;
    for (const auto& frame : tag.Frames)
        size += frame->GetSize();
    const Bytes bytes = test::ReadFileBytes(file);
    return Bytes(bytes.begin() + 10, bytes.begin() + 10 + static_cast<std::ptrdiff_t>(size));
}

class Corpus : public testing::TestWithParam<CorpusFile> {
protected:
    void SetUp() override
    {
        if (!std::filesystem::is_directory(kCorpus))
            GTEST_SKIP() << "corpus folder " << kCorpus << " is absent";
        if (!std::filesystem::exists(kCorpus / GetParam().File))
            GTEST_SKIP() << "not in the corpus; CorpusTable.NamesEveryFileOfTheCorpus fails";
        test::WriteFileBytes(copy, test::ReadFileBytes(kCorpus / GetParam().File));
    }

    test::TempDir dir;
    std::filesystem::path copy = dir / "copy.mp3";
};

TEST_P(Corpus, GivesTheFileItsOutcomeAndASavedCopyTheSameFramesAndPictures)
{
    const CorpusFile& c = GetParam();
    if (c.Expected == Damaged) {
        EXPECT_THAT(test::ErrorOf([&] { TID3v2Class tag(copy); }),
            AllOf(HasSubstr("copy.mp3"), HasSubstr("damaged")));
        return;
    }
    TID3v2Class tag(copy);
    const std::vector<WideString> frames = Describe(tag);
    EXPECT_EQ(frames.empty() ? NoFrames : Frames, c.Expected);
    EXPECT_GE(tag.FrameCount(), c.MinFrames);
    for (const WideString& part : c.Finds) {
        EXPECT_TRUE(std::ranges::any_of(frames, [&](const WideString& frame) {
            return frame.find(part) != frame.npos;
        })) << test::Ascii(part);
    }
    if (c.FrameLength != 0) {
        EXPECT_EQ(tag.GetMPEGInfo().FrameLength, c.FrameLength);
    }
    const Bytes kept = c.FramesKept ? FrameBytes(copy, tag) : Bytes {};
    const std::vector<Bytes> pictures = Pictures(tag);
    const std::vector<WideString> written = Describe(tag, true);
    tag.Save();
    if (c.FramesKept) {
        EXPECT_EQ(FrameBytes(copy, tag), kept);
    }
    const TID3v2Class saved(copy);
    EXPECT_EQ(Describe(saved), written);
    // Pictures left in the file are read from the saved copy now, byte for byte the ones read before.
    EXPECT_EQ(Pictures(saved), pictures);
    EXPECT_EQ(Pictures(tag), pictures);
}

INSTANTIATE_TEST_SUITE_P(Files, Corpus, testing::ValuesIn(kFiles), [](const auto& info) {
    std::string name = info.param.File;
    std::ranges::replace_if(
        name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

TEST(CorpusTable, NamesEveryFileOfTheCorpus)
{
    if (!std::filesystem::is_directory(kCorpus))
        GTEST_SKIP() << "corpus folder " << kCorpus << " is absent";
    std::vector<std::string> named;
    for (const CorpusFile& c : kFiles)
        named.push_back(c.File);
    std::ranges::sort(named);
    EXPECT_EQ(test::CorpusFiles(), named);
}

} // namespace
} // namespace vennart::tags
