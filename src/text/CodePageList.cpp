#include "text/CodePageList.h"

#include "text/CommaText.h"
#include "text/PlainText.h"
#include "text/UStringConvert.h"

#include <algorithm>

namespace vennart::text {

bool CodePageListChanged(std::string_view oldValue, std::string_view newValue)
{
    std::vector<AnsiString> oldEntries = SplitCommaText(oldValue);
    std::vector<AnsiString> newEntries = SplitCommaText(newValue);
    for (std::size_t i = oldEntries.size(); i-- > 0;) {
        const auto match = std::find(newEntries.begin(), newEntries.end(), oldEntries[i]);
        if (match == newEntries.end())
            continue;
        newEntries.erase(match);
        oldEntries.erase(oldEntries.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return !oldEntries.empty() || !newEntries.empty();
}

bool HoldsEightBitCodePage(std::string_view codePages)
{
    const std::vector<AnsiString> entries = SplitCommaText(codePages);
    return std::any_of(entries.begin(), entries.end(), [](const AnsiString& entry) {
        return ParseInteger(TrimControls(entry)) != static_cast<int32_t>(kUtf16CodePage);
    });
}

std::string_view EffectiveCodePages(std::string_view codePages)
{
    return HoldsEightBitCodePage(codePages) ? codePages : kDefaultCodePages;
}

} // namespace vennart::text
