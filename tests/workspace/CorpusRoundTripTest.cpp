// Every file of the shared corpus (real tags other programs wrote) read into the workspace, its title
// edited and saved: every other frame of the original, identifier and value, is found in the saved
// copy except the frames the save names as lost, and the audio after the tag is the same bytes.
// Reading each file and saving it unchanged is the tags corpus test's.
#include "WorkspaceFixture.h"
#include "support/Corpus.h"
#include "support/TempDir.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Writer.h"
#include "workspace/SaveChanges.h"

#include <algorithm>

namespace vennart::workspace {
namespace {

using test::kCorpus;

// One empty entry when the corpus is absent, for a case that says so.
std::vector<std::string> CorpusFilesOrAbsent()
{
    std::vector<std::string> files = test::CorpusFiles();
    if (files.empty())
        files.emplace_back();
    return files;
}

// A frame as another reader finds it: identifier and body; flags that only said how the body was
// stored are not part of its value.
std::vector<std::string> FrameValues(const tags::TID3v2Class& tag, std::string_view except = {})
{
    const std::vector<AnsiString> lost = tags::UnwritableFrames(tag.Frames);
    std::vector<std::string> values;
    for (const auto& frame : tag.Frames) {
        if (dynamic_cast<const tags::TID3v1Tag*>(frame.get()) || frame->ID == except
            || std::ranges::find(lost, frame->ID) != lost.end())
            continue;
        tags::ByteWriter writer;
        frame->SaveToStream(writer, tags::FrameSizeFormat::Plain);
        values.push_back(frame->ID.str() + std::string(writer.Data().begin() + 10, writer.Data().end()));
    }
    std::ranges::sort(values);
    return values;
}

std::vector<unsigned char> AudioOf(const std::vector<unsigned char>& bytes, const tags::TID3v2Class& tag)
{
    const auto start
        = static_cast<std::ptrdiff_t>(std::min<std::int64_t>(tag.AudioStart(), std::ssize(bytes)));
    return { bytes.begin() + start, bytes.end() };
}

class CorpusRoundTrip : public WorkspaceFixture, public testing::WithParamInterface<std::string> { };

TEST_P(CorpusRoundTrip, AnEditedTitleIsSavedWithEveryOtherFrameAndTheAudio)
{
    if (GetParam().empty())
        GTEST_SKIP() << "corpus folder " << kCorpus << " is absent";
    const std::vector<unsigned char> original = test::ReadFileBytes(kCorpus / GetParam());
    const std::filesystem::path copy = folder / "copy.mp3";
    test::WriteFileBytes(copy, original);
    Scan();
    // A damaged file is left out of the folder's rows.
    if (workspace.FileCount() == 0)
        return;
    const std::vector<std::string> values = FrameValues(workspace.File(0), "TIT2");
    const std::vector<unsigned char> audio = AudioOf(original, workspace.File(0));
    EditTitle(0, u"Edited title");
    // Frames a save cannot write are asked about first.
    prompts.QueueAnswer(Answer::Yes);

    SaveChanges(workspace);

    const tags::TID3v2Class& saved = workspace.File(0);
    EXPECT_TRUE(std::ranges::includes(FrameValues(saved), values));
    EXPECT_EQ(AudioOf(test::ReadFileBytes(copy), saved), audio);
    EXPECT_EQ(GetFrameText(saved, "TIT2", 1200), u"Edited title");
}

INSTANTIATE_TEST_SUITE_P(
    Files, CorpusRoundTrip, testing::ValuesIn(CorpusFilesOrAbsent()), [](const auto& info) {
        std::string name = info.param.empty() ? "absent" : info.param;
        std::ranges::replace_if(
            name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

} // namespace
} // namespace vennart::workspace
