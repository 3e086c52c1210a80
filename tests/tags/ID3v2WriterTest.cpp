#include "tags/ID3v2Writer.h"

#include "support/TextTestSupport.h"
#include "tags/Syncsafe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

TEST(Padding, FillsToTheNextMultipleOf256AndIsNeverEmpty)
{
    EXPECT_EQ(PaddingSize(300), 212u);
    EXPECT_EQ(PaddingSize(512), 256u);
    EXPECT_EQ(PaddingSize(10), 246u);
    EXPECT_EQ(PaddingSize(255), 1u);
}

TEST(HeaderForSave, KeepsA23Or24HeaderLessTheFlagsNeverWritten)
{
    // That no tag or a 2.2 one becomes 3.0 shows in the saved bytes of TagSaveBytes.
    const ID3v2Header v24 = HeaderForSave(ID3v2Header { 4, 1, 0xF0, 100 });
    EXPECT_EQ(v24.Version(), 0x0401);
    EXPECT_EQ(v24.Flags, 0x20);
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

TEST(RenderID3v2Tag, ATagBeyondWhatItsSizeFieldHoldsIsRefused)
{
    FrameList frames;
    frames.push_back(std::make_unique<HugeFrame>());
    EXPECT_THAT(
        test::ErrorOf([&] { RenderID3v2Tag(ID3v2Header {}, frames, "a.mp3"); }), testing::HasSubstr("a.mp3"));
}

} // namespace
} // namespace vennart::tags
