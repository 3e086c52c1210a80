#include "text/UStringConvert.h"

#include "platform/AppPaths.h"
#include "platform/CodePageService.h"
#include "platform/Error.h"
#include "platform/SystemCodePage.h"
#include "text/CodePageList.h"
#include "text/CommaText.h"
#include "text/PlainText.h"
#include "text/TextFile.h"
#include "text/Utf8.h"

namespace vennart::text {
namespace {

constexpr char kFieldSeparator = ';';

std::filesystem::path DefaultEncodingTablesFile()
{
    return platform::AppPaths::ForThisProgram().EncodingTablesFile();
}

uint32_t ParseCodePage(std::string_view entry)
{
    const std::string_view trimmed = TrimControls(entry);
    const std::optional<int32_t> value = ParseInteger(trimmed);
    if (!value)
        throw Error("'" + std::string(trimmed) + "' is not a valid integer value");
    return static_cast<uint32_t>(*value);
}

} // namespace

WideString CodePageToWide(std::string_view text, uint32_t codePage)
{
    return platform::CodePageService::Shared().Decode(text.substr(0, text.find('\0')), codePage);
}

AnsiString WideToCodePage(const WideString& text, uint32_t codePage)
{
    const std::u16string_view characters(text);
    return platform::CodePageService::Shared().Encode(characters.substr(0, characters.find(u'\0')), codePage);
}

WideString ReinterpretWide(const WideString& text, uint32_t codePage)
{
    if (codePage == kUtf16CodePage)
        return text;
    return CodePageToWide(NarrowSystem(text), codePage);
}

AnsiString ExtractField(AnsiString& text)
{
    const std::size_t separator = text.find(kFieldSeparator);
    if (separator == AnsiString::npos)
        return {};
    AnsiString field = text.substr(0, separator);
    text.erase(0, separator + 1);
    return field;
}

WideString CatalogueText(const AnsiString& text)
{
    return DecodeUtf8OrSystem(text);
}

void EncodingCatalogue::LoadEncodingTables(const std::filesystem::path& path)
{
    const std::filesystem::path file = path.empty() ? DefaultEncodingTablesFile() : path;
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        throw Error("File " + std::filesystem::absolute(file, error).string()
            + " does not exists - could not init encoding tables");
    AddCatalogueLines(ReadWholeFile(file));
}

void EncodingCatalogue::AddCatalogueLines(std::string_view content)
{
    for (AnsiString rest : SplitLines(content)) {
        AnsiString name = ExtractField(rest);
        AnsiString description = ExtractField(rest);
        const std::optional<int32_t> codePage = ParseInteger(TrimControls(rest));
        if (!codePage)
            continue;
        encodingNames_.push_back({ std::move(name), static_cast<uint32_t>(*codePage) });
        encodingDescriptions_.push_back(std::move(description));
    }
}

void EncodingCatalogue::BuildActiveEncodings(std::string_view codePages)
{
    std::vector<CodePageName> v1;
    std::vector<CodePageName> v2;
    for (const AnsiString& entry : SplitCommaText(EffectiveCodePages(codePages))) {
        const uint32_t codePage = ParseCodePage(entry);
        const int index = IndexOfCodePage(codePage);
        CodePageName active { index >= 0
                ? encodingNames_[static_cast<std::size_t>(index)].name
                : AnsiString(kUnknownCodePagePrefix) + AnsiString(TrimControls(entry)),
            codePage };
        // ID3v1 text is always 8-bit, so its list never offers UTF-16.
        if (codePage != kUtf16CodePage)
            v1.push_back(active);
        v2.push_back(std::move(active));
    }
    activeEncodingsV1_ = std::move(v1);
    activeEncodingsV2_ = std::move(v2);
}

std::vector<uint32_t> CodePagesOf(const std::vector<CodePageName>& names)
{
    std::vector<uint32_t> codePages;
    codePages.reserve(names.size());
    for (const CodePageName& name : names)
        codePages.push_back(name.codePage);
    return codePages;
}

int EncodingCatalogue::IndexOfCodePage(uint32_t codePage) const
{
    for (std::size_t i = 0; i < encodingNames_.size(); ++i) {
        if (encodingNames_[i].codePage == codePage)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace vennart::text
