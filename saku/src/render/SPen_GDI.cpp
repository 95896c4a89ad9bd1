#include "SPen_GDI.h"

namespace SAKU {

SPen_GDI::SPen_GDI(IRenderFactory* factory, int style, COLORREF colour, int width)
    : TGdiRenderObjImpl(factory), m_style(style), m_width(width), m_colour(colour),
      m_pen(::CreatePen(style, width, colour & 0x00FFFFFF))
{
}

}  // namespace SAKU
