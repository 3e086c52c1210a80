// Code pages of 8-bit tag text: the catalogue of known code pages read from EncodingTables.dat, the
// two active lists the view menus offer, and the conversions between 8-bit and wide text.
#pragma once

#include "platform/Strings.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace vennart::text {

// Wide text taken as it is; never handed to the conversion service.
inline constexpr uint32_t kUtf16CodePage = 1200;
inline constexpr uint32_t kUtf8CodePage = 65001;
// Windows-1251, KOI8-R, KOI8-U, DOS Cyrillic, UTF-8, UTF-16.
inline constexpr std::string_view kDefaultCodePages = "1251,20866,21866,866,65001,1200";
inline constexpr std::string_view kUnknownCodePagePrefix = "UNKKOWN - ";

// The bytes up to the first NUL, decoded in the code page; empty for a code page ICU lacks.
WideString CodePageToWide(std::string_view text, uint32_t codePage);
// The characters up to the first NUL, encoded in the code page; what it cannot represent becomes its
// best fit or "?". Empty for a code page ICU lacks.
AnsiString WideToCodePage(const WideString& text, uint32_t codePage);
// Re-reads wide text that holds 8-bit text through the system code page as text in the code page;
// under 1200 the text is returned unchanged.
WideString ReinterpretWide(const WideString& text, uint32_t codePage);

// Cuts the field before the first ";" off text, together with the ";". Without a ";" the field is
// empty and text stays as it is.
AnsiString ExtractField(AnsiString& text);

// Catalogue names and descriptions on screen: UTF-8 when their bytes are valid UTF-8, else through the
// system code page.
WideString CatalogueText(const AnsiString& text);

struct CodePageName {
    AnsiString name;
    uint32_t codePage = 0;

    bool operator==(const CodePageName&) const = default;
};

// The code pages of the entries, in their order.
std::vector<uint32_t> CodePagesOf(const std::vector<CodePageName>& names);

// The catalogue (EncodingNames and EncodingDescriptions, one entry per accepted catalogue line, in file
// order) and the active lists built from the CodePages setting.
class EncodingCatalogue {
public:
    const std::vector<CodePageName>& EncodingNames() const { return encodingNames_; }
    const std::vector<AnsiString>& EncodingDescriptions() const { return encodingDescriptions_; }
    const std::vector<CodePageName>& ActiveEncodingsV1() const { return activeEncodingsV1_; }
    const std::vector<CodePageName>& ActiveEncodingsV2() const { return activeEncodingsV2_; }

    // Appends the entries of the file (an empty path: EncodingTables.dat in the program's data
    // folder). Throws "File <full path> does not exists - could not init encoding tables" when there
    // is no file, "Cannot open file <path>" when it cannot be read.
    void LoadEncodingTables(const std::filesystem::path& path);
    // Appends one entry per line of catalogue text whose code page field is an integer.
    void AddCatalogueLines(std::string_view content);

    // Rebuilds both active lists from the CodePages value (empty or without an 8-bit code page: the
    // default set). An entry that is not an integer throws "'<entry>' is not a valid integer value"
    // and leaves both lists as they were.
    void BuildActiveEncodings(std::string_view codePages);

    // Index of the first catalogue entry with the code page, -1 when none has it.
    int IndexOfCodePage(uint32_t codePage) const;

private:
    std::vector<CodePageName> encodingNames_;
    std::vector<AnsiString> encodingDescriptions_;
    std::vector<CodePageName> activeEncodingsV1_;
    std::vector<CodePageName> activeEncodingsV2_;
};

} // namespace vennart::text
