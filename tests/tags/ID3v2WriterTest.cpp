#include "tags/ID3v2Writer.h"

#include "support/Id3Builder.h"
#include "support/TextTestSupport.h"
#include "tags/CommentFrame.h"
#include "tags/ID3v1Tag.h"
#include "tags/Syncsafe.h"
#include "tags/TextFrame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

using test::Bytes;
using test::BytesOf;
using test::Concat;
using test::Frame;

TEST(Padding, FillsToTheNextMultipleOf256AndIsNeverEmpty)
{
    EXPECT_EQ(PaddingSize(300), 212u);
    EXPECT_EQ(PaddingSize(512), 256u);
    EXPECT_EQ(PaddingSize(10), 246u);
    EXPECT_EQ(PaddingSize(255), 1u);
}

TEST(HeaderForSave, KeepsA23Or24HeaderLessTheFlagsNeverWritten)
{
    EXPECT_EQ(HeaderForSave(std::nullopt).Version(), 0x0300);
    EXPECT_EQ(HeaderForSave(std::nullopt).Flags, 0);
    EXPECT_EQ(HeaderForSave(ID3v2Header { 2, 0, 0x40, 100 }).Version(), 0x0300);
    EXPECT_EQ(HeaderForSave(ID3v2Header { 2, 0, 0x40, 100 }).Flags, 0);
    const ID3v2Header v24 = HeaderForSave(ID3v2Header { 4, 1, 0xF0, 100 });
    EXPECT_EQ(v24.Version(), 0x0401);
    EXPECT_EQ(v24.Flags, 0x20);
}

TEST(RenderID3v2Tag, WritesEveryID3v2FrameInOrderAndLeavesOutTheRecord)
{
    FrameList frames;
    frames.push_back(std::make_unique<TID3v1Tag>());
    frames.push_back(TTxxxTag::CreateWithText("TIT2", u"AB"));
    auto comment = std::make_unique<TCOMMTag>();
    comment->Encoding = teISO88591;
    comment->Text = u"abc";
    frames.push_back(std::move(comment));
    const Bytes written = Concat({ Frame("TIT2", { 0x01, 0xFF, 0xFE, 0x41, 0x00, 0x42, 0x00 }),
        Frame("COMM", Concat({ { 0x00, 0, 0, 0, 0x00 }, BytesOf("abc") })) });
    EXPECT_EQ(RenderID3v2Tag(ID3v2Header {}, frames, "a.mp3"),
        Concat({ test::TagHeader(3, 246), written, Bytes(246 - written.size(), 0) }));
}

// A frame that only claims a size, so that no test has to hold 256 MB.
class HugeFrame : public TTag {
public:
    HugeFrame() { ID = "TIT2"; }
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
