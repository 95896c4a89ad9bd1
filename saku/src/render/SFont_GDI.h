#pragma once

#include "GdiHandles.h"
#include "TGdiRenderObjImpl.h"
#include "render/IFont.h"

namespace SAKU {

// A GDI font and the LOGFONTW it was made from, which describes it.
class SFont_GDI : public TGdiRenderObjImpl<IFont, kRenderObjFont> {
public:
    SOBJECT_CLASS(SObjectImpl<IFont>, L"font", kObjTypeNone)

    SFont_GDI(IRenderFactory* factory, const LOGFONTW& logFont);

    HFONT GetFont() const { return m_font.Get(); }

    // IFont overrides
    const LOGFONTW* LogFont() const override { return &m_logFont; }
    LPCWSTR FamilyName() const override { return m_logFont.lfFaceName; }
    int TextSize() const override { return m_logFont.lfHeight; }
    BOOL IsBold() const override { return m_logFont.lfWeight == FW_BOLD; }
    BOOL IsUnderline() const override { return m_logFont.lfUnderline != 0; }
    BOOL IsItalic() const override { return m_logFont.lfItalic != 0; }
    BOOL IsStrikeOut() const override { return m_logFont.lfStrikeOut != 0; }

private:
    LOGFONTW m_logFont = {};
    UniqueFont m_font;
};

}  // namespace SAKU
