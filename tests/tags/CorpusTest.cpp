// Real-world oddities from public test suites (read from the shared corpus folder, never copied into
// the project): each file reads, and a saved copy keeps its audio and its frames, or is refused as
// damaged where it truly is.
#include "TagChecks.h"
#include "platform/Error.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "support/TextTestSupport.h"
#include "tags/BinaryFrames.h"
#include "tags/ID3v2Class.h"
#include "tags/TextFrame.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace vennart::tags {
namespace {

using test::Bytes;
using testing::AllOf;
using testing::HasSubstr;

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

    test::TempDir dir;
};

#define OPEN_OR_SKIP(tag, name)                                                                              \
    const auto tag = Open(name);                                                                             \
    if (!tag)                                                                                                \
        GTEST_SKIP() << name << " is not in the corpus";

// Files whose layout other readers get wrong, with what reading them must find.
struct KnownFile {
    const char* Name;
    const char* File;
    const char16_t* Title; // nullptr: not checked
    const char* AlsoHas; // a frame found only when every frame before it was measured right
    int MinFrames = 1;
};

VENNART_PRINT_ROW_AS(KnownFile, row.Name)

class CorpusKnownFile : public CorpusFile, public testing::WithParamInterface<KnownFile> { };

TEST_P(CorpusKnownFile, GivesItsTitleAndFrames)
{
    const KnownFile& known = GetParam();
    OPEN_OR_SKIP(tag, known.File);
    if (known.Title) {
        const auto* title = dynamic_cast<const TTxxxTag*>(tag->FindFrameByID("TIT2", 1));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->Text, known.Title);
    }
    if (known.AlsoHas) {
        EXPECT_NE(tag->FindFrameByID(known.AlsoHas, 1), nullptr);
    }
    EXPECT_GE(tag->FrameCount(), known.MinFrames);
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusKnownFile,
    testing::Values(
        KnownFile { "PlainFrameSizesInA24Tag", "taglib/005411.id3", u"Sunshine Superman", "APIC" },
        KnownFile { "TagUnsynchronisation", "taglib/unsynch.id3", u"My babe just cares for me", nullptr },
        KnownFile {
            "TagUnsynchronisationOf23", "mutagen/id3v23_unsynch.id3", u"My babe just cares for me", nullptr },
        KnownFile { "ExtendedHeaderOf24", "mutagen/id3v24_extended_header.id3", nullptr, nullptr, 3 },
        KnownFile { "ExtendedHeaderOf24InAnMp3", "taglib/extended-header.mp3", nullptr, nullptr, 3 },
        KnownFile { "ExtendedHeaderFlagWithoutAHeader", "mutagen/issue_21.id3", u"Punk To Funk", "TALB", 3 }),
    [](const auto& info) { return std::string(info.param.Name); });

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
