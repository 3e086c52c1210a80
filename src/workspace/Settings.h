// The settings list: "name=value" lines read from the settings file at start and written back at
// close. Keys match without regard to case; lines the program does not know stay where they are.
#pragma once

#include "platform/Strings.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace vennart::workspace {

// The keys the program reads and writes, spelled as it writes them.
inline constexpr std::u16string_view kCurrentDirKey = u"CurrentDir";
inline constexpr std::u16string_view kCodePagesKey = u"CodePages";
inline constexpr std::u16string_view kDefaultV1EncodingKey = u"DefaultV1Encoding";
inline constexpr std::u16string_view kDefaultV2EncodingKey = u"DefaultV2Encoding";
inline constexpr std::u16string_view kTagEditListKey = u"TagEditList";
inline constexpr std::u16string_view kFileMaskKey = u"FileMask";

// What a key means when it is absent or empty (DefaultV1Encoding and DefaultV2Encoding also when
// their value is not an integer).
inline constexpr std::u16string_view kDefaultCodePages = u"1251,20866,21866,866,65001,1200";
inline constexpr uint32_t kDefaultV1Encoding = 1251;
inline constexpr uint32_t kDefaultV2Encoding = 1200;
inline constexpr std::u16string_view kDefaultTagEditList
    = u"TCOM,TOPE,TCOP,TENC,TEXT,TPE2,TPE3,TPE4,TPUB,TRDA,TRSN";

class Settings {
public:
    Settings() = default;
    explicit Settings(std::vector<WideString> lines);

    const std::vector<WideString>& Lines() const { return lines_; }

    // The value of the first line with the key; empty when there is none.
    WideString Read(std::u16string_view key) const;
    // The value, or fallback when it is absent or empty.
    WideString ReadOr(std::u16string_view key, std::u16string_view fallback) const;
    // The value as a decimal code page number, or fallback when it is absent or not an integer.
    uint32_t ReadCodePage(std::u16string_view key, uint32_t fallback) const;

    // A value replaces the first line with the key by key=value, spelled as given here, or adds the
    // line at the end; an empty value removes the first line with the key.
    void Write(std::u16string_view key, std::u16string_view value);

    // Replaces the list with the lines of the file; a missing file leaves the list empty. Throws
    // "Cannot open file <path>" when the file exists but cannot be read.
    void Load(const std::filesystem::path& file);
    // Writes the file as UTF-16 little-endian with FF FE and CR LF after every line; throws an error
    // naming the file and the cause.
    void Save(const std::filesystem::path& file) const;

private:
    std::vector<WideString> lines_;
};

} // namespace vennart::workspace
