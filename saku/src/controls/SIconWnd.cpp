#include "controls/SIconWnd.h"

#include "core/SApplication.h"

namespace SAKU {

void SIconWnd::SetIcon(HICON icon)
{
    if (icon == m_icon.Get())
        return;
    m_icon.Reset(icon);
    Invalidate();
}

HRESULT SIconWnd::OnAttrSrc(const SStringW& value, BOOL)
{
    SApplication* const app = SApplication::GetInstance();
    m_icon.Reset(app ? app->LoadIconRef(value.c_str()) : nullptr);
    return kNoRefresh;
}

SIZE SIconWnd::MeasureDesiredSize(const RECT*)
{
    ICONINFO info = {};
    if (!m_icon || !::GetIconInfo(m_icon.Get(), &info))
        return SIZE{0, 0};
    // GetIconInfo hands out copies of the icon's bitmaps.
    const UniqueBitmap mask(info.hbmMask);
    const UniqueBitmap colour(info.hbmColor);
    return SIZE{static_cast<LONG>(info.xHotspot * 2), static_cast<LONG>(info.yHotspot * 2)};
}

void SIconWnd::OnPaint(IRenderTarget* target)
{
    if (!m_icon)
        return;
    RECT client;
    CopyClientRect(&client);
    target->DrawIconEx(client.left, client.top, m_icon.Get(), client.right - client.left, client.bottom - client.top,
                       DI_NORMAL);
}

}  // namespace SAKU
