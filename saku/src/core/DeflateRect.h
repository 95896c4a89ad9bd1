#pragma once

#include <windows.h>

namespace SAKU {

// `rect` less `insets` on each side, never turned inside out: a rectangle too
// small for its insets collapses to its top-left edge.
inline RECT DeflateRect(RECT rect, const RECT& insets)
{
    rect.left += insets.left;
    rect.top += insets.top;
    rect.right -= insets.right;
    rect.bottom -= insets.bottom;
    if (rect.right < rect.left)
        rect.right = rect.left;
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    return rect;
}

}  // namespace SAKU
