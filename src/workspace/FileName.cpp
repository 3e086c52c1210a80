#include "workspace/FileName.h"

#include "text/UStringConvert.h"

namespace vennart::workspace {

WideString DisplayName(const std::filesystem::path& path)
{
    return ShownName(path.filename().string());
}

WideString DisplayName(const platform::StoredPath& path)
{
    return ShownName(path.filenameText());
}

WideString ShownName(std::string_view fileName)
{
    return text::CodePageToWide(fileName, text::kUtf8CodePage);
}

std::filesystem::path PathInFolder(const std::filesystem::path& folder, const WideString& name)
{
    return folder / text::WideToCodePage(name, text::kUtf8CodePage);
}

} // namespace vennart::workspace
