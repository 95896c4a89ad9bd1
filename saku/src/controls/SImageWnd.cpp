#include "controls/SImageWnd.h"

#include "core/ILayout.h"
#include "core/ISkinObj.h"
#include "core/SkinLookup.h"

namespace SAKU {

SImageWnd::SImageWnd()
{
    ApplyAttribute(L"msgTransparent", L"1", TRUE);   // a picture never takes the mouse
}

void SImageWnd::SetImage(IBitmap* bitmap, int filterLevel)
{
    m_bitmap = bitmap;
    m_filterLevel = filterLevel;
    ILayoutParam* const param = GetLayoutParam();
    if (param && param->IsWrapContent(Both) && GetParent())
        RequestRelayoutSelf();
    Invalidate();
}

SIZE SImageWnd::MeasureDesiredSize(const RECT*)
{
    if (m_bitmap)
        return m_bitmap->Size();
    if (m_imageSkin)
        return m_imageSkin->QuerySkinSize();
    return SIZE{0, 0};
}

void SImageWnd::ApplyColorize(COLORREF color)
{
    SWindow::ApplyColorize(color);
    if (m_imageSkin)
        m_imageSkin->ApplyColorize(color);
}

void SImageWnd::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    m_imageSkin = RescaleSkin(m_imageSkin, scale);
}

void SImageWnd::OnPaint(IRenderTarget* target)
{
    const RECT window = GetWindowRect();
    if (!m_bitmap) {
        if (m_imageSkin)
            m_imageSkin->DrawByIndex(target, &window, m_iconIndex);
        return;
    }
    UINT expand = 0;
    switch (m_tile) {
    case kStretch:  expand = kExpandStretch; break;
    case kUnscaled: expand = kExpandNatural; break;
    case kTiled:    expand = kExpandTile; break;
    default:        return;   // no way of drawing is known by that number
    }
    const RECT source = {0, 0, m_bitmap->Width(), m_bitmap->Height()};
    target->DrawBitmapEx(&window, m_bitmap.Get(), &source, expand | (static_cast<UINT>(m_filterLevel) << 16), 0xFF);
}

}  // namespace SAKU
