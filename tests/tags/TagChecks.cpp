#include "TagChecks.h"

#include <algorithm>
#include <string_view>
#include <typeinfo>

namespace vennart::tags {

std::vector<std::string> FrameSignatures(const TID3v2Class& tag)
{
    std::vector<std::string> signatures;
    for (const auto& frame : tag.Frames) {
        ByteWriter writer;
        frame->SaveToStream(writer, FrameSizeFormat::Plain);
        signatures.push_back(std::string(typeid(*frame).name()) + " " + frame->ID + " "
            + std::to_string(frame->Flags) + " " + std::string(writer.Data().begin(), writer.Data().end()));
    }
    return signatures;
}

test::Bytes AudioOf(const test::Bytes& file)
{
    const auto at = [&](std::size_t offset, std::string_view text) {
        return offset + text.size() <= file.size()
            && std::equal(text.begin(), text.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
    };
    std::size_t start = 0;
    if (at(0, "ID3") && file.size() >= 10) {
        for (std::size_t i = 6; i < 10; ++i)
            start = start * 128 + file[i];
        start += 10;
    }
    if (start > 0 && file[3] >= 4 && (file[5] & 0x10) != 0 && at(start, "3DI"))
        start += 10;
    start = std::min(start, file.size());
    return test::Bytes(file.begin() + static_cast<std::ptrdiff_t>(start), file.end());
}

} // namespace vennart::tags
