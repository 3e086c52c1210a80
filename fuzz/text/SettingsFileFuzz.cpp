// The settings file: any bytes decode to lines, every key can be read and written, and what is
// written decodes back to the same lines.
#include "text/TextFile.h"
#include "workspace/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vennart;
    workspace::Settings settings(text::DecodeTextLines({ reinterpret_cast<const char*>(data), size }));
    for (const std::u16string_view key : { workspace::kCurrentDirKey, workspace::kCodePagesKey,
             workspace::kTagEditListKey, workspace::kFileMaskKey })
        settings.Write(key, settings.ReadOr(key, u"default"));
    if (settings.ReadCodePage(workspace::kDefaultV1EncodingKey, 1251) == 0)
        settings.Write(workspace::kDefaultV1EncodingKey, u"1251");
    settings.Write(workspace::kDefaultV2EncodingKey, u"");
    if (text::DecodeTextLines(text::EncodeTextLines(settings.Lines())) != settings.Lines())
        std::abort();
    return 0;
}
