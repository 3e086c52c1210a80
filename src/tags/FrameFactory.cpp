#include "tags/FrameFactory.h"

#include "tags/BinaryFrames.h"
#include "tags/CommentFrame.h"
#include "tags/TextFrame.h"
#include "tags/UrlFrames.h"

namespace vennart::tags {
namespace {

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

AnsiString AsciiUpper(const AnsiString& text)
{
    AnsiString upper = text;
    for (char& c : upper)
        c = AsciiUpper(c);
    return upper;
}

std::unique_ptr<TTag> CreateFrameOfKind(const AnsiString& id)
{
    const char first = id.empty() ? '\0' : AsciiUpper(id.front());
    if (first == 'T')
        return std::make_unique<TTxxxTag>();
    if (first == 'W' && AsciiUpper(id) != "WXXX")
        return std::make_unique<TWURLTag>();
    if (id == "WXXX")
        return std::make_unique<TWXXXTag>();
    if (id == "COMM")
        return std::make_unique<TCOMMTag>();
    if (id == "APIC")
        return std::make_unique<TAPICTag>();
    if (id == "PRIV")
        return std::make_unique<TPRIVTag>();
    return std::make_unique<TUnknownTag>();
}

} // namespace

std::unique_ptr<TTag> CreateFrame(const AnsiString& id)
{
    std::unique_ptr<TTag> frame = CreateFrameOfKind(id);
    frame->ID = id;
    return frame;
}

} // namespace vennart::tags
