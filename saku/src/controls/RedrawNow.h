#pragma once

#include "core/SWindow.h"

namespace SAKU {

// Draws an area of a window at once, outside the host's paint cycle, as the
// lists redraw one row: what lies below the window first, the window's
// background, then `draw(target)` with the font and colour a full paint gives,
// then what lies above. Nothing when the window has no target to give. UI thread.
template <typename Draw>
void RedrawNow(SWindow& window, const RECT& area, Draw&& draw)
{
    IRenderTarget* const target = window.GetRenderTarget(&area, kGdcPaintBkgnd);
    if (!target)
        return;
    window.SendSwndMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target));
    SPaintState saved;
    window.PreparePaint(target, saved);
    draw(target);
    window.AfterPaint(target, saved);
    window.ReleaseRenderTarget(target);
}

}  // namespace SAKU
