#pragma once

#include "core/CSimpleWnd.h"

namespace SAKU {

// The image that follows the mouse while something is dragged (a header item
// being reordered): a topmost, click-through popup that is never activated, made
// translucent as a layered window. One at most exists in the process; it owns
// itself between BeginDrag and EndDrag, and the bitmap stays the caller's. UI thread.
class CDragWnd : public CSimpleWnd {
public:
    // Shows `bitmap` with its `hotSpot` to follow the mouse. A 32-bit bitmap is
    // blended with its own alpha times `alpha`; any other is shown through
    // SetLayeredWindowAttributes(colourKey, alpha, flags) and must live until
    // EndDrag. FALSE when a drag window exists already or none could be made.
    static BOOL BeginDrag(HBITMAP bitmap, POINT hotSpot, COLORREF colourKey, BYTE alpha, DWORD flags);
    // Puts the hot spot at a screen point and shows the window. Nothing without one.
    static void DragMove(POINT screenPoint);
    // Destroys the drag window. Nothing without one.
    static void EndDrag();

    BEGIN_MSG_MAP(CDragWnd)
        MSG_HANDLER  (WM_PAINT, OnPaint)
        CHAIN_MSG_MAP(CSimpleWnd)
    END_MSG_MAP()

private:
    CDragWnd() = default;

    BOOL Show(HBITMAP bitmap, COLORREF colourKey, BYTE alpha, DWORD flags);
    void OnPaint(HDC dc);

    POINT m_hotSpot = {};
    HBITMAP m_keptBitmap = nullptr;   // the caller's; painted when it is not a 32-bit one
};

}  // namespace SAKU
