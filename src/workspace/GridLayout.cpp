#include "workspace/GridLayout.h"

#include <algorithm>

namespace vennart::workspace {

int FitTitleColumnWidth(int clientWidth, int otherColumnsWidth)
{
    return std::max(kMinimumTitleWidth, clientWidth - otherColumnsWidth);
}

TabView TabViewFor(TagGrid grid)
{
    if (grid == TagGrid::ID3v2)
        return { "Copy ID3v2 to ID3v1", false, true, true };
    return { "Copy ID3v1 to ID3v2", true, false, false };
}

} // namespace vennart::workspace
