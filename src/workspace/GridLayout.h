// What the window shows for each tab, and how wide the title column of a file grid is.
#pragma once

#include "workspace/TagGrid.h"

namespace vennart::workspace {

inline constexpr int kMinimumTitleWidth = 150;

// The title column takes the width the other columns leave, but never less than 150 pixels; the
// grid scrolls sideways instead.
int FitTitleColumnWidth(int clientWidth, int otherColumnsWidth);

// The controls that follow the visible tab.
struct TabView {
    const char* copyTagsHint;
    bool showSourceEncodingV1; // cbSourceEncv1 visible, cbSourceEncv2 hidden; the reverse when false
    bool showAdditionalTags; // only ID3v2 has frames beyond the main ones
    bool showUtf16Encoding; // ID3v1 text is always 8-bit, so UTF-16 is offered for ID3v2 only
};

TabView TabViewFor(TagGrid grid);

} // namespace vennart::workspace
