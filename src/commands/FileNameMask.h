// The mask of "Make Filenames from Tags": literal text with five-character codes that stand for tag
// values ("%vvar - %vvtt"), and "%" with a frame identifier for any other ID3v2 frame ("%TCOM").
#pragma once

#include "platform/Strings.h"
#include "tags/ID3v2Class.h"
#include "workspace/TagGrid.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vennart::commands {

struct MaskCode {
    std::u16string_view code;
    std::string_view caption; // the label beside the code's button
};

// In the order of the dialog's buttons.
inline constexpr std::array<MaskCode, 7> kMaskCodes { {
    { u"%vvtt", "Title" },
    { u"%vvar", "Artist" },
    { u"%vvab", "Album" },
    { u"%vvyy", "Year" },
    { u"%vvtr", "TrackNr" },
    { u"%vvcm", "Comment" },
    { u"%vvfn", "Old File name" },
} };

// The mask without a trailing ".mp3" (any letter case), which the expansion appends anyway.
WideString MaskWithoutExtension(const WideString& mask);

// The name the grid shows without its extension: the text from the last "." on is dropped, unless a
// separator of a path or drive follows it (then the dot belongs to a folder, not to an extension).
WideString NameWithoutExtension(const WideString& name);

// One piece of a mask: literal text, one of the codes above, or a frame code.
struct MaskPart {
    WideString literal;
    int code = -1; // index into kMaskCodes
    std::string frameId; // a frame code's identifier, exactly as written
};

// The mask cut into its pieces once, so that expanding it for many files compares no codes. Every
// "%" takes the four characters after it, recognised or not.
std::vector<MaskPart> ParseFileNameMask(std::u16string_view mask);

// What one file's mask expands to, ".mp3" appended. `oldName` is the name as the grid shows it
// (unsaved edits included); text is read from the grid's tag through its view code page.
WideString ExpandFileNameMask(const std::vector<MaskPart>& mask, const tags::TID3v2Class& file,
    workspace::TagGrid grid, uint32_t codePage, const WideString& oldName);

} // namespace vennart::commands
