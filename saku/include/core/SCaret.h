#pragma once

#include "core/IObjRef.h"
#include "core/SAutoRef.h"
#include "core/SWnd.h"

namespace SAKU {

struct IRenderTarget;

// The text caret of a window, drawn by its host into the host's own surface. It
// inverts the pixels under it, so drawing it a second time at the same place
// erases it. The host makes one when a window asks for a caret and drops it for
// the next request; the caret names its window by handle and finds it again at
// every draw. Reference counted; UI thread.
class SCaret : public TObjRefImpl<IObjRef> {
public:
    // A caret of width x height for the window `owner`; `bitmap` (the caller's) is
    // stretched into it, without one it is opaque black.
    SCaret(SWND owner, HBITMAP bitmap, int width, int height);
    ~SCaret() override;

    // Draws the caret with its top left corner at (x, y), in host coordinates,
    // clipped to the client areas of the owner and all its ancestors; the part
    // drawn, empty when nothing was (the owner gone, the caret outside them).
    virtual RECT Draw(IRenderTarget* target, int x, int y);

    // Empty when the render factory could make no surface of the size.
    SIZE GetSize() const;

private:
    SWND m_owner;
    SAutoRef<IRenderTarget> m_surface;   // holds the caret's bitmap
};

}  // namespace SAKU
