// Every file operation of a save made to fail, one at a time: the original must survive each.
#include "platform/Error.h"
#include "support/FaultyFileSystem.h"
#include "support/Id3Builder.h"
#include "support/TempDir.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Class.h"
#include "tags/TextFrame.h"

#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

using test::Bytes;
using test::FaultyFileSystem;

struct SweepCase {
    const char* Name;
    FaultyFileSystem::Fault Fault;
    bool KernelCopy;
};

class SaveFaultSweep : public testing::TestWithParam<SweepCase> {
protected:
    void SetUp() override
    {
        if (!GetParam().KernelCopy)
            fs.RefuseKernelCopy();
        original = test::Concat({ test::Tag(3, test::Frame("TIT2", test::TextBody("old")), 20),
            test::Audio(3000), test::ID3v1Record({ "old" }) });
    }

    // A tag object of a fresh copy of the original with an edited title in both tags.
    std::unique_ptr<TID3v2Class> EditedCopy()
    {
        test::WriteFileBytes(file, original);
        auto tag = std::make_unique<TID3v2Class>(file, fs);
        dynamic_cast<TTxxxTag&>(*tag->FindFrameByID("TIT2", 1)).SetText(u"new");
        tag->FindFrameByClass<TID3v1Tag>(1)->SetTitle("new");
        return tag;
    }

    test::TempDir dir;
    std::filesystem::path file = dir / "song.mp3";
    std::filesystem::path temporary = dir / "song.mp3.$$$";
    FaultyFileSystem fs;
    Bytes original;
};

TEST_P(SaveFaultSweep, TheOriginalIsIntactAndNoTemporaryFileIsLeft)
{
    auto reference = EditedCopy();
    fs.ResetCount();
    reference->Save();
    const int operations = fs.OperationCount();
    const Bytes saved = test::ReadFileBytes(file);
    ASSERT_GT(operations, 10);

    int failures = 0;
    for (int k = 1; k <= operations; ++k) {
        auto tag = EditedCopy();
        fs.FailOperation(k, GetParam().Fault);
        try {
            tag->Save();
            EXPECT_EQ(test::ReadFileBytes(file), saved) << "operation " << k;
        } catch (const Error&) {
            ++failures;
            EXPECT_EQ(test::ReadFileBytes(file), original) << "operation " << k;
            EXPECT_TRUE(tag->FindFrameByClass<TID3v1Tag>(1)->Changed) << "operation " << k;
        }
        EXPECT_FALSE(std::filesystem::exists(temporary)) << "operation " << k;
    }
    EXPECT_GT(failures, 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, SaveFaultSweep,
    testing::Values(SweepCase { "Fail", FaultyFileSystem::Fault::Fail, true },
        SweepCase { "ShortWrite", FaultyFileSystem::Fault::ShortWrite, true },
        SweepCase { "FailWithBlockCopy", FaultyFileSystem::Fault::Fail, false }),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace vennart::tags
