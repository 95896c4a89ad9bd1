#pragma once

#include "GdiHandles.h"
#include "TGdiRenderObjImpl.h"
#include "render/IBitmap.h"
#include "render/IBrush.h"

namespace SAKU {

// A GDI brush of one colour (GDI gets the RGB part, the target composes with the
// alpha) or of a bitmap's pattern (opaque as a whole; the pattern keeps its own
// pixels). Without a brush handle the target fills with none.
class SBrush_GDI : public TGdiRenderObjImpl<IBrush, kRenderObjBrush> {
public:
    SOBJECT_CLASS(SObjectImpl<IBrush>, L"brush", kObjTypeNone)

    SBrush_GDI(IRenderFactory* factory, COLORREF colour);
    // A copy of the bitmap's pixels becomes the pattern; the bitmap stays the caller's.
    SBrush_GDI(IRenderFactory* factory, const IBitmap& pattern);

    HBRUSH GetBrush() const { return m_brush.Get(); }
    bool IsBitmap() const { return m_isBitmap; }
    COLORREF GetColor() const { return m_colour; }
    // The alpha that fills with this brush are composed with.
    BYTE GetAlpha() const { return m_isBitmap ? 0xFF : static_cast<BYTE>(m_colour >> 24); }

private:
    UniqueBrush m_brush;
    bool m_isBitmap = false;
    COLORREF m_colour = 0;
};

}  // namespace SAKU
