#include "commands/FileNameMask.h"

#include "platform/CaseMapping.h"
#include "tags/ID3v1Tag.h"
#include "text/UStringConvert.h"
#include "workspace/FrameText.h"

#include <string>

namespace vennart::commands {
namespace {

constexpr std::size_t kCodeLength = 5;
constexpr std::u16string_view kExtension = u".mp3";

// The ID3v2 frame each code reads; the old-name code reads no frame.
std::string_view FrameOfCode(std::size_t codeIndex)
{
    constexpr std::array<std::string_view, 6> frames { "TIT2", "TPE1", "TALB", "TYER", "TRCK", "COMM" };
    return codeIndex < frames.size() ? frames[codeIndex] : std::string_view {};
}

AnsiString ID3v1Field(const tags::TID3v1Tag& record, std::size_t codeIndex)
{
    switch (codeIndex) {
    case 0:
        return record.Title;
    case 1:
        return record.Artist;
    case 2:
        return record.Album;
    case 3:
        return record.Year;
    case 4:
        return std::to_string(record.Track);
    default:
        return record.Comment;
    }
}

// Frame codes name the identifier exactly as written, so "%tcom" finds no frame.
std::string FrameIdOf(std::u16string_view code)
{
    std::string id;
    for (char16_t unit : code.substr(1))
        id += unit < 0x80 ? static_cast<char>(unit) : '?';
    return id;
}

struct Expansion {
    const tags::TID3v2Class& file;
    workspace::TagGrid grid;
    uint32_t codePage;
    const WideString& oldName;

    WideString KnownCode(std::size_t codeIndex) const
    {
        if (kMaskCodes[codeIndex].code == u"%vvfn")
            return NameWithoutExtension(oldName);
        if (grid == workspace::TagGrid::ID3v2)
            return workspace::GetFrameText(file, FrameOfCode(codeIndex), codePage);
        const auto* record = file.FindFrameByClass<tags::TID3v1Tag>(1);
        return record ? text::CodePageToWide(ID3v1Field(*record, codeIndex), codePage) : WideString {};
    }

    WideString Value(std::u16string_view code) const
    {
        for (std::size_t i = 0; i < kMaskCodes.size(); ++i) {
            if (platform::EqualNoCase(code, kMaskCodes[i].code)) {
                WideString value = KnownCode(i);
                return kMaskCodes[i].code == u"%vvtr" && value.size() == 1 ? u"0" + value : value;
            }
        }
        if (grid != workspace::TagGrid::ID3v2 || code.size() != kCodeLength)
            return {};
        return workspace::GetFrameText(file, FrameIdOf(code), codePage);
    }
};

} // namespace

WideString MaskWithoutExtension(const WideString& mask)
{
    if (mask.size() >= kExtension.size()
        && platform::EqualNoCase(
            std::u16string_view(mask).substr(mask.size() - kExtension.size()), kExtension))
        return mask.substr(0, mask.size() - kExtension.size());
    return mask;
}

WideString NameWithoutExtension(const WideString& name)
{
    const auto dot = name.rfind(u'.');
    if (dot == WideString::npos || name.find_first_of(u"/\\:", dot) != WideString::npos)
        return name;
    return name.substr(0, dot);
}

WideString ExpandFileNameMask(std::u16string_view mask, const tags::TID3v2Class& file,
    workspace::TagGrid grid, uint32_t codePage, const WideString& oldName)
{
    const Expansion expansion { file, grid, codePage, oldName };
    WideString name;
    for (std::size_t i = 0; i < mask.size();) {
        if (mask[i] != u'%') {
            name += mask[i++];
            continue;
        }
        name += expansion.Value(mask.substr(i, kCodeLength));
        i += kCodeLength;
    }
    return name + WideString(kExtension);
}

} // namespace vennart::commands
