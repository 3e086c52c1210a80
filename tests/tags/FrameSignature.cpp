#include "FrameSignature.h"

#include <typeinfo>

namespace vennart::tags {

std::string FrameSignature(const TTag& frame)
{
    ByteWriter writer;
    frame.SaveToStream(writer, FrameSizeFormat::Plain);
    return std::string(typeid(frame).name()) + " " + frame.ID + " " + std::to_string(frame.Flags) + " "
        + std::string(writer.Data().begin(), writer.Data().end());
}

std::vector<std::string> FrameSignatures(const TID3v2Class& tag)
{
    std::vector<std::string> signatures;
    for (const auto& frame : tag.Frames)
        signatures.push_back(FrameSignature(*frame));
    return signatures;
}

} // namespace vennart::tags
