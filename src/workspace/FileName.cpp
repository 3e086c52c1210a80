#include "workspace/FileName.h"

#include "platform/CodePageService.h"

namespace vennart::workspace {
namespace {

constexpr uint32_t kUtf8CodePage = 65001;

}  // namespace

WideString DisplayName(const std::filesystem::path& path)
{
    return platform::CodePageService::Shared().Decode(path.filename().string(), kUtf8CodePage);
}

std::filesystem::path PathInFolder(const std::filesystem::path& folder, const WideString& name)
{
    return folder / platform::CodePageService::Shared().Encode(name, kUtf8CodePage);
}

}  // namespace vennart::workspace
