#include "SBrush_GDI.h"

namespace SAKU {

SBrush_GDI::SBrush_GDI(IRenderFactory* factory, COLORREF colour)
    : TGdiRenderObjImpl(factory), m_brush(::CreateSolidBrush(colour & 0x00FFFFFF)), m_colour(colour)
{
}

SBrush_GDI::SBrush_GDI(IRenderFactory* factory, HBITMAP pattern)
    : TGdiRenderObjImpl(factory), m_brush(pattern ? ::CreatePatternBrush(pattern) : nullptr), m_isBitmap(true)
{
}

}  // namespace SAKU
