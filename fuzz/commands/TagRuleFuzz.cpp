// A tag rule as the command line passes it, in UTF-8 up to the first newline; what follows is a
// file name the parsed rule then cuts, with a replacement row made of the name's first two units.
#include "commands/TagsFromFileNamesRuleText.h"
#include "platform/Error.h"
#include "text/UStringConvert.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vennart;
    const AnsiString input(reinterpret_cast<const char*>(data), size);
    const auto newline = input.find('\n');
    const WideString rule = text::CodePageToWide(input.substr(0, newline), text::kUtf8CodePage);
    const WideString name = newline == AnsiString::npos
        ? WideString()
        : text::CodePageToWide(input.substr(newline + 1), text::kUtf8CodePage);
    commands::TagsFromNameOptions options;
    try {
        const auto parsed = commands::ParseTagRule(rule);
        *options.Rule(parsed.FrameID) = parsed;
    } catch (const Error&) {
        return 0;
    }
    if (name.size() >= 2)
        options.replacements.push_back({ name.substr(0, 1), name.substr(0, 2) });
    options.replacements.push_back({ u"a", u"" });
    commands::FieldValues(name, options);
    commands::LacksSeparator(name, options);
    return 0;
}
