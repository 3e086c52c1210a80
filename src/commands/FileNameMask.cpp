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

    WideString Value(const MaskPart& part) const
    {
        if (part.code >= 0) {
            WideString value = KnownCode(static_cast<std::size_t>(part.code));
            return kMaskCodes[static_cast<std::size_t>(part.code)].code == u"%vvtr" && value.size() == 1
                ? u"0" + value
                : value;
        }
        if (grid != workspace::TagGrid::ID3v2 || part.frameId.empty())
            return {};
        return workspace::GetFrameText(file, part.frameId, codePage);
    }
};

MaskPart CodePart(std::u16string_view code)
{
    MaskPart part;
    for (std::size_t i = 0; i < kMaskCodes.size(); ++i) {
        if (platform::EqualNoCase(code, kMaskCodes[i].code))
            part.code = static_cast<int>(i);
    }
    if (part.code < 0 && code.size() == kCodeLength)
        part.frameId = FrameIdOf(code);
    return part;
}

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

std::vector<MaskPart> ParseFileNameMask(std::u16string_view mask)
{
    std::vector<MaskPart> parts;
    for (std::size_t i = 0; i < mask.size();) {
        if (mask[i] != u'%') {
            if (parts.empty() || parts.back().code >= 0 || !parts.back().frameId.empty())
                parts.emplace_back();
            parts.back().literal += mask[i++];
            continue;
        }
        parts.push_back(CodePart(mask.substr(i, kCodeLength)));
        i += kCodeLength;
    }
    return parts;
}

WideString ExpandFileNameMask(const std::vector<MaskPart>& mask, const tags::TID3v2Class& file,
    workspace::TagGrid grid, uint32_t codePage, const WideString& oldName)
{
    const Expansion expansion { file, grid, codePage, oldName };
    WideString name;
    for (const auto& part : mask)
        name += part.literal.empty() ? expansion.Value(part) : part.literal;
    return name + WideString(kExtension);
}

} // namespace vennart::commands
