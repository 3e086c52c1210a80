#include "TagChecks.h"

#include "platform/SystemCodePage.h"
#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/ID3v1Tag.h"
#include "tags/ID3v2Writer.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"

#include <algorithm>
#include <zlib.h>

namespace vennart::tags {
namespace {

WideString Widen(const HeldBytes& held)
{
    const SharedBytes bytes = held.Load();
    return WidenSystem(AnsiString(bytes.begin(), bytes.end()));
}

WideString Number(int value)
{
    return WidenSystem(std::to_string(value));
}

WideString Joined(const std::vector<WideString>& fields)
{
    WideString joined = fields.front();
    for (std::size_t i = 1; i < fields.size(); ++i)
        joined += u"|" + fields[i];
    return joined;
}

} // namespace

WideString FieldsOf(const TTag& frame)
{
    if (const auto* f = dynamic_cast<const TTxxxTag*>(&frame)) {
        std::vector<WideString> fields { u"text", Number(f->Encoding), f->Text };
        fields.insert(fields.end(), f->MoreStrings.begin(), f->MoreStrings.end());
        return Joined(fields);
    }
    if (const auto* f = dynamic_cast<const TWURLTag*>(&frame))
        return Joined({ u"url", WidenSystem(f->URL) });
    if (const auto* f = dynamic_cast<const TWXXXTag*>(&frame))
        return Joined({ u"wxxx", Number(f->Encoding), f->Description, f->URL });
    if (const auto* f = dynamic_cast<const TCOMMTag*>(&frame))
        return Joined({ u"comment", Number(f->Encoding), WidenSystem(f->Language), f->Description, f->Text });
    if (const auto* f = dynamic_cast<const TAPICTag*>(&frame)) {
        return Joined({ u"picture", Number(f->Encoding), WidenSystem(f->MIMEType), Number(f->PictureType),
            f->Description, Widen(f->PictureData) });
    }
    if (const auto* f = dynamic_cast<const TPRIVTag*>(&frame))
        return Joined({ u"private", WidenSystem(f->Owner), Widen(f->PrivateData) });
    if (const auto* f = dynamic_cast<const TUnknownTag*>(&frame))
        return Joined({ u"unknown", Widen(f->RawData) });
    if (const auto* f = dynamic_cast<const TID3v1Tag*>(&frame)) {
        return Joined({ f->IsV11 ? u"v1.1" : u"v1.0", WidenSystem(f->Title), WidenSystem(f->Artist),
            WidenSystem(f->Album), WidenSystem(f->Year), WidenSystem(f->Comment), Number(f->Track),
            Number(f->Genre) });
    }
    return u"?";
}

std::vector<WideString> Describe(const TID3v2Class& tag, bool writableOnly)
{
    const std::vector<AnsiString> left
        = writableOnly ? UnwritableFrames(tag.Frames) : std::vector<AnsiString> {};
    std::vector<WideString> frames;
    for (const auto& frame : tag.Frames) {
        // The record's identifier ends in a zero byte; names are shown up to it.
        const std::string id(frame->ID.view().substr(0, frame->ID.view().find('\0')));
        if (std::ranges::find(left, frame->ID) == left.end())
            frames.push_back(WidenSystem(id + " " + std::to_string(frame->Flags) + " ") + FieldsOf(*frame));
    }
    return frames;
}

test::Bytes Compressed(const test::Bytes& plain)
{
    uLongf size = compressBound(plain.size());
    test::Bytes packed(size);
    compress(packed.data(), &size, plain.data(), plain.size());
    packed.resize(size);
    return packed;
}

} // namespace vennart::tags
