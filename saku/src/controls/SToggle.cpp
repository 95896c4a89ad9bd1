#include "controls/SToggle.h"

#include "core/ISkinObj.h"
#include "core/SkinLookup.h"

namespace SAKU {

namespace {

// The toggled states follow the three plain ones in the skin.
constexpr int kToggledStates = 3;

}  // namespace

SToggle::SToggle() : m_toggleSkin(FindBuiltinSkin(L"_skin.sys.tree.toggle"))
{
}

SIZE SToggle::MeasureDesiredSize(const RECT*)
{
    return m_toggleSkin ? m_toggleSkin->QuerySkinSize() : SIZE{0, 0};
}

void SToggle::ApplyColorize(COLORREF color)
{
    SWindow::ApplyColorize(color);
    if (m_toggleSkin)
        m_toggleSkin->ApplyColorize(color);
}

void SToggle::OnPaint(IRenderTarget* target)
{
    if (!m_toggleSkin)
        return;
    // The disabled look is not shown.
    const DWORD state = GetState();
    int index = (state & WndState_PushDown) ? 2 : (state & WndState_Hover) ? 1 : 0;
    if (m_toggled)
        index += kToggledStates;
    const RECT window = GetWindowRect();
    m_toggleSkin->DrawByIndex(target, &window, index);
}

void SToggle::OnLButtonUp(UINT flags, POINT point)
{
    // Only a press on the toggle makes a click: a release that comes over it
    // after a press elsewhere flips nothing, as it fires nothing.
    const RECT window = GetWindowRect();
    if ((GetState() & WndState_PushDown) && ::PtInRect(&window, point))
        m_toggled = !m_toggled;
    SWindow::OnLeftButtonUp(flags, point);
}

}  // namespace SAKU
