// Every file of the shared corpus (real tags other programs wrote) saved unchanged and saved with an
// edited title: every frame of the original, identifier and value, is found in the saved copy except
// the frames the save names as lost, and the audio after the tag is the same bytes.
#include "platform/Error.h"
#include "support/TempDir.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Writer.h"
#include "workspace/FrameText.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vennart::workspace {
namespace {

const std::filesystem::path kCorpus = VENNART_CORPUS_DIR;
constexpr uint32_t kUtf16 = 1200;

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(kCorpus, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file() && it->path().filename() != "MANIFEST.txt")
            files.push_back(std::filesystem::relative(it->path(), kCorpus).string());
    }
    std::ranges::sort(files);
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
        values.push_back(frame->ID + std::string(writer.Data().begin() + 10, writer.Data().end()));
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

class CorpusRoundTrip : public testing::TestWithParam<std::tuple<std::string, bool>> {
protected:
    test::TempDir dir;
    std::filesystem::path copy = dir / "copy.mp3";
};

TEST_P(CorpusRoundTrip, KeepsEveryFrameAndTheAudio)
{
    const auto& [name, editTitle] = GetParam();
    if (name.empty())
        GTEST_SKIP() << "corpus folder " << kCorpus << " is absent";
    const std::vector<unsigned char> original = test::ReadFileBytes(kCorpus / name);
    test::WriteFileBytes(copy, original);
    std::unique_ptr<tags::TID3v2Class> before;
    try {
        before = std::make_unique<tags::TID3v2Class>(copy);
    } catch (const Error&) {
        return;
    }
    const std::vector<std::string> values = FrameValues(*before, editTitle ? "TIT2" : "");
    const std::vector<unsigned char> audio = AudioOf(original, *before);
    if (editTitle)
        SetFrameText(*before, "TIT2", u"Edited title", kUtf16);
    try {
        before->Save();
    } catch (const Error& error) {
        ADD_FAILURE() << error.what();
        return;
    }
    const tags::TID3v2Class after(copy);
    const std::vector<std::string> saved = FrameValues(after);
    EXPECT_TRUE(std::ranges::includes(saved, values));
    EXPECT_EQ(AudioOf(test::ReadFileBytes(copy), after), audio);
    if (editTitle) {
        EXPECT_EQ(GetFrameText(after, "TIT2", kUtf16), u"Edited title");
    }
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusRoundTrip,
    testing::Combine(testing::ValuesIn(CorpusFiles()), testing::Bool()), [](const auto& info) {
        std::string name = std::get<0>(info.param).empty() ? "absent" : std::get<0>(info.param);
        std::ranges::replace_if(
            name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name + (std::get<1>(info.param) ? "_EditedTitle" : "_Unchanged");
    });

} // namespace
} // namespace vennart::workspace
