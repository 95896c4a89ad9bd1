#include "SFont_GDI.h"

namespace SAKU {

SFont_GDI::SFont_GDI(IRenderFactory* factory, const LOGFONTW& logFont)
    : TGdiRenderObjImpl(factory), m_logFont(logFont), m_font(::CreateFontIndirectW(&logFont))
{
}

}  // namespace SAKU
