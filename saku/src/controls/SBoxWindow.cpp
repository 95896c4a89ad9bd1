#include "controls/SBoxWindow.h"

#include "core/ISkinObj.h"
#include "core/SkinLookup.h"

#include <algorithm>

namespace SAKU {

namespace {

// Between the box and the text.
constexpr int kBoxSpacing = 4;
// The checked states follow the four unchecked ones in a box skin.
constexpr int kCheckedStates = 4;

}  // namespace

SBoxWindow::SBoxWindow(LPCWSTR boxSkin, LPCWSTR focusSkin)
    : m_boxSkin(FindBuiltinSkin(boxSkin)), m_focusSkin(FindBuiltinSkin(focusSkin))
{
    m_style.ApplyAttribute(L"align", L"left", TRUE);
    ApplyAttribute(L"focusable", L"1", TRUE);
}

int SBoxWindow::StateIndex(DWORD state)
{
    int index = 0;
    if (state & WndState_Disable)
        index = 3;
    else if (state & WndState_PushDown)
        index = 2;
    else if (state & WndState_Hover)
        index = 1;
    return (state & WndState_Check) ? index + kCheckedStates : index;
}

SIZE SBoxWindow::BoxSize() const
{
    return m_boxSkin ? m_boxSkin->QuerySkinSize() : SIZE{0, 0};
}

RECT SBoxWindow::BoxRect() const
{
    RECT client;
    CopyClientRect(&client);
    const SIZE size = BoxSize();
    const int top = client.top + (client.bottom - client.top - size.cy) / 2;
    return RECT{client.left, top, client.left + size.cx, top + size.cy};
}

void SBoxWindow::GetTextRect(RECT* rect) const
{
    CopyClientRect(rect);
    rect->left += BoxSize().cx + kBoxSpacing;
}

SIZE SBoxWindow::MeasureDesiredSize(const RECT* container)
{
    const SIZE text = SWindow::MeasureDesiredSize(container);
    const SIZE box = BoxSize();
    return SIZE{text.cx + box.cx + kBoxSpacing, std::max(text.cy, box.cy)};
}

void SBoxWindow::ApplyColorize(COLORREF color)
{
    SWindow::ApplyColorize(color);
    for (ISkinObj* const skin : {m_boxSkin, m_focusSkin}) {
        if (skin)
            skin->ApplyColorize(color);
    }
}

void SBoxWindow::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    m_boxSkin = RescaleSkin(m_boxSkin, scale);
    m_focusSkin = RescaleSkin(m_focusSkin, scale);
}

bool SBoxWindow::DrawFocusSkin(IRenderTarget* target) const
{
    if (!m_focusSkin)
        return false;
    const RECT box = BoxRect();
    m_focusSkin->DrawByIndex(target, &box, 0);
    return true;
}

void SBoxWindow::OnPaint(IRenderTarget* target)
{
    if (m_boxSkin) {
        const RECT box = BoxRect();
        m_boxSkin->DrawByIndex(target, &box, StateIndex(GetState()));
    }
    SWindow::OnPaint(target);
}

}  // namespace SAKU
