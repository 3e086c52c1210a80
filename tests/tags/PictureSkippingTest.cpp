// A file's tag read without its pictures gives the frames a reading of all its bytes gives, pictures
// included, also where the frame headers mislead the skipping and the tag has to be read whole.
#include "TagChecks.h"
#include "platform/SystemCodePage.h"
#include "support/TempDir.h"
#include "support/TestNames.h"
#include "tags/ID3v2Reader.h"

#include <gtest/gtest.h>

namespace vennart::tags {
namespace {

using namespace test;

struct SkippingCase {
    const char* name;
    Bytes tag;
};

VENNART_PRINT_ROW_AS(SkippingCase, row.name)

Bytes Picture(std::size_t size, std::string_view description = "c", int seed = 1)
{
    return Concat({ TextBody("image/jpeg"), { 0, 3 }, BytesOf(description), { 0 }, Pattern(size, seed) });
}

std::vector<SkippingCase> SkippingCases()
{
    const Bytes title = Frame("TIT2", TextBody("Title"));
    const Bytes album = Frame("TALB", TextBody("Album"));
    const auto syncsafe
        = [](std::string_view id, const Bytes& body) { return Frame(id, body, 0, SizeStyle::Syncsafe); };
    return {
        { "PictureBetweenTexts", Tag(3, Concat({ title, Frame("APIC", Picture(100 * 1024)), album }), 512) },
        { "TwoPicturesThenPadding",
            Tag(3,
                Concat({ title, Frame("APIC", Picture(60 * 1024)),
                    Frame("PRIV", Concat({ BytesOf("owner"), { 0 }, Pattern(9000, 2) })) }),
                300) },
        // The picture starts after the bytes read first, in the stretch left out: the tag is read whole.
        { "DescriptionLongerThanTheFieldsReach",
            Tag(3, Concat({ Frame("APIC", Picture(20 * 1024, std::string(10000, 'd'))), album })) },
        { "Version24",
            Tag(4,
                Concat({ syncsafe("TIT2", TextBody("T")), syncsafe("APIC", Picture(50 * 1024)),
                    syncsafe("TALB", TextBody("A")) })) },
        // Plain sizes in a 2.4 tag, none with a top bit set: the size is taken as 7-bit when skipping.
        { "Version24WithPlainSizes",
            Tag(4, Concat({ title, Frame("APIC", Picture(70000 - 15)), album }), 100) },
    };
}

// Each frame as Describe shows it, from the tag bytes in memory.
std::vector<WideString> ReadInMemory(const Bytes& tag, std::int64_t fileSize)
{
    const std::optional<ID3v2Header> header = ParseID3v2Header(tag);
    FrameList frames;
    ReadID3v2Frames(
        frames, std::span(tag).subspan(kTagHeaderSize), *header, fileSize, platform::StoredPath());
    std::vector<WideString> described;
    for (const auto& frame : frames)
        described.push_back(
            WidenSystem(frame->ID.str() + " " + std::to_string(frame->Flags) + " ") + FieldsOf(*frame));
    return described;
}

class PictureSkipping : public testing::TestWithParam<SkippingCase> { };

TEST_P(PictureSkipping, GivesTheFramesAndPicturesOfTheWholeTag)
{
    const TempDir dir;
    const std::filesystem::path file = dir.Path() / "song.mp3";
    const Bytes song = Concat({ GetParam().tag, Audio(4) });
    WriteFileBytes(file, song);
    const TID3v2Class read(file);
    EXPECT_EQ(Describe(read), ReadInMemory(GetParam().tag, static_cast<std::int64_t>(song.size())));
    EXPECT_EQ(read.AudioStart(), static_cast<std::int64_t>(GetParam().tag.size()));
}

INSTANTIATE_TEST_SUITE_P(Tags, PictureSkipping, testing::ValuesIn(SkippingCases()), ByName);

} // namespace
} // namespace vennart::tags
