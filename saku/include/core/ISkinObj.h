#pragma once

#include "core/IObjRef.h"
#include "core/IObject.h"

namespace SAKU {

struct IRenderTarget;

// A named drawable that paints one of its states into a rectangle: a window's
// background when hovered, a frame of an animation strip, a scroll bar's thumb.
// Made by XML tag through the factories (type kObjTypeSkin), kept in the skin pools
// under its name and scale, shared by the windows that draw it. Reference counted,
// born with one reference for its creator. UI thread.
struct ISkinObj : IObject, IObjRef {
    // Draws at the skin's own alpha.
    virtual void DrawByIndex(IRenderTarget* target, const RECT* rect, int state) = 0;
    virtual void DrawByIndexAlpha(IRenderTarget* target, const RECT* rect, int state, BYTE alpha) = 0;
    // The natural size of one state; (0, 0) when it has none.
    virtual SIZE QuerySkinSize() const = 0;
    // TRUE when every state looks the same.
    virtual BOOL IgnoreState() const = 0;
    virtual int GetStates() const = 0;
    virtual BYTE GetAlpha() const = 0;
    virtual void SetAlpha(BYTE alpha) = 0;
    // Recolours the skin towards `color`; 0 brings the uncolorized look back. Every
    // window that shares the skin sees it.
    virtual void ApplyColorize(COLORREF color) = 0;
    virtual int GetScale() const = 0;
    // A new skin of the same class for `scale` percent, with one reference for the
    // caller; null when the class does not scale.
    virtual ISkinObj* Scale(int scale) = 0;
};

}  // namespace SAKU
