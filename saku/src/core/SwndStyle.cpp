// Scaffolding: the style's attribute table arrives separately.
#include "core/SwndStyle.h"

namespace SAKU {

SwndStyle::SwndStyle() = default;
SwndStyle::~SwndStyle() = default;

HRESULT SwndStyle::ApplyAttribute(const SStringW&, const SStringW&, BOOL) { return E_NOTIMPL; }
RECT SwndStyle::GetMarginRect() const { return RECT{}; }
RECT SwndStyle::GetPaddingRect() const { return RECT{}; }
UINT SwndStyle::GetTextFormat() const { return m_textMode ? m_textMode : 0x25; }
COLORREF SwndStyle::GetTextColor(int state) const
{
    return m_crText[state] != kColorNone ? m_crText[state] : m_crText[0];
}
IFont* SwndStyle::GetTextFont(int state) const { return m_font[state] ? m_font[state].Get() : m_font[0].Get(); }
int SwndStyle::GetStates() const { return 1; }
void SwndStyle::SetScale(int scale) { m_scale = scale; }

}  // namespace SAKU
