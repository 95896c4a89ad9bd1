#pragma once

#include "GdiHandles.h"
#include "TGdiRenderObjImpl.h"
#include "render/IPen.h"

namespace SAKU {

// A GDI pen. GDI gets the colour's RGB part; the target composes outlines with its
// alpha. Without a pen handle (GDI refused) the target draws with none.
class SPen_GDI : public TGdiRenderObjImpl<IPen, kRenderObjPen> {
public:
    SOBJECT_CLASS(SObjectImpl<IPen>, L"pen", kObjTypeNone)

    SPen_GDI(IRenderFactory* factory, int style, COLORREF colour, int width);

    HPEN GetPen() const { return m_pen.Get(); }
    COLORREF GetColor() const { return m_colour; }
    int GetStyle() const { return m_style; }
    int GetWidth() const { return m_width; }

private:
    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_colour = 0xFF000000;
    UniquePen m_pen;
};

}  // namespace SAKU
