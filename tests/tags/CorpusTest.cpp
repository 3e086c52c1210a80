// Real-world oddities from public test suites (read from the shared corpus folder, never copied into
// the project): each file reads or fails cleanly, and a saved copy keeps its audio and its frames.
#include "TagChecks.h"
#include "platform/Error.h"
#include "support/TempDir.h"
#include "tags/BinaryFrames.h"
#include "tags/ID3v2Class.h"
#include "tags/TextFrame.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace vennart::tags {
namespace {

using test::Bytes;

const std::filesystem::path kCorpus = VENNART_CORPUS_DIR;

class CorpusFile : public testing::Test {
protected:
    std::unique_ptr<TID3v2Class> Open(const std::string& name)
    {
        if (!std::filesystem::exists(kCorpus / name))
            return nullptr;
        test::WriteFileBytes(dir / "copy.mp3", test::ReadFileBytes(kCorpus / name));
        return std::make_unique<TID3v2Class>(dir / "copy.mp3");
    }

    static WideString Title(const TID3v2Class& tag)
    {
        const auto* title = dynamic_cast<const TTxxxTag*>(tag.FindFrameByID("TIT2", 1));
        return title ? title->Text : u"<no TIT2>";
    }

    test::TempDir dir;
};

#define OPEN_OR_SKIP(tag, name)                                                                              \
    const auto tag = Open(name);                                                                             \
    if (!tag)                                                                                                \
        GTEST_SKIP() << name << " is not in the corpus";

TEST_F(CorpusFile, PlainFrameSizesInAVersion24TagAreRecognised)
{
    OPEN_OR_SKIP(tag, "taglib/005411.id3");
    EXPECT_EQ(Title(*tag), u"Sunshine Superman");
    EXPECT_NE(tag->FindFrameByID("APIC", 1), nullptr);
}

TEST_F(CorpusFile, TagLevelUnsynchronisationIsUndone)
{
    for (const char* name : { "taglib/unsynch.id3", "mutagen/id3v23_unsynch.id3" }) {
        OPEN_OR_SKIP(tag, name);
        EXPECT_EQ(Title(*tag), u"My babe just cares for me") << name;
    }
}

TEST_F(CorpusFile, ExtendedHeadersOfBothVersionsAndAFalseFlag)
{
    for (const char* name :
        { "mutagen/id3v24_extended_header.id3", "taglib/extended-header.mp3", "mutagen/issue_21.id3" }) {
        OPEN_OR_SKIP(tag, name);
        EXPECT_GE(tag->FrameCount(), 3) << name;
    }
    OPEN_OR_SKIP(issue21, "mutagen/issue_21.id3");
    EXPECT_EQ(Title(*issue21), u"Punk To Funk");
    EXPECT_NE(issue21->FindFrameByID("TALB", 1), nullptr);
}

TEST_F(CorpusFile, CompressedFramesAreDecodedAndHeldPlain)
{
    OPEN_OR_SKIP(tag, "id3lib/230-compressed.tag");
    const TTag* compressed = tag->FindFrameByID("TXXX", 1);
    ASSERT_NE(compressed, nullptr);
    EXPECT_NE(dynamic_cast<const TTxxxTag*>(compressed), nullptr);
    EXPECT_EQ(compressed->Flags & 0x0080, 0);
}

// The frames of this file were damaged by an older re-save; ours writes them back byte for byte.
TEST_F(CorpusFile, Version23FramesAreWrittenBackByteForByte)
{
    OPEN_OR_SKIP(tag, "mutagen/97-unknown-23-update.mp3");
    const Bytes original = test::ReadFileBytes(tag->FileName);
    std::size_t framesSize = 0;
    for (const auto& frame : tag->Frames)
        framesSize += frame->GetSize();
    ASSERT_GT(framesSize, 0u);
    tag->Save();
    const Bytes saved = test::ReadFileBytes(tag->FileName);
    const auto frames = [&](const Bytes& bytes) {
        return Bytes(bytes.begin() + 10, bytes.begin() + 10 + static_cast<std::ptrdiff_t>(framesSize));
    };
    EXPECT_EQ(frames(saved), frames(original));
}

TEST_F(CorpusFile, Mpeg2Layer3FramesHold576Samples)
{
    OPEN_OR_SKIP(tag, "taglib/mpeg2.mp3");
    const TMPEGHeaderInfo info = tag->GetMPEGInfo();
    // MPEG 2 Layer III, 64 kbit/s, 22050 Hz: 1152 samples a frame would make it 418 bytes long.
    EXPECT_EQ(std::tuple(int { info.Version }, int { info.Layer }, info.SamplingRate, info.FrameLength),
        std::tuple(2, 1, 22050u, 209));
}

} // namespace
} // namespace vennart::tags
