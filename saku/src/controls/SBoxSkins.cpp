#include "controls/SBoxSkins.h"

#include "core/ISkinObj.h"
#include "core/SkinLookup.h"
#include "core/SWindow.h"

#include <algorithm>

namespace SAKU {

namespace {

// Between the box and the text.
constexpr int kBoxSpacing = 4;
// The checked states follow the four unchecked ones in a box skin.
constexpr int kCheckedStates = 4;

}  // namespace

SBoxSkins::SBoxSkins(LPCWSTR boxName, LPCWSTR focusName)
    : m_box(FindBuiltinSkin(boxName)), m_focus(FindBuiltinSkin(focusName))
{
}

void SBoxSkins::SetBox(const SStringW& name, int scale)
{
    m_box = FindSkin(name, scale);
}

void SBoxSkins::SetFocus(const SStringW& name, int scale)
{
    m_focus = FindSkin(name, scale);
}

int SBoxSkins::StateIndex(DWORD state)
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

SIZE SBoxSkins::BoxSize() const
{
    return m_box ? m_box->QuerySkinSize() : SIZE{0, 0};
}

RECT SBoxSkins::BoxRect(const RECT& client) const
{
    const SIZE size = BoxSize();
    const int top = client.top + (client.bottom - client.top - size.cy) / 2;
    return RECT{client.left, top, client.left + size.cx, top + size.cy};
}

void SBoxSkins::ShiftPastBox(RECT* rect) const
{
    rect->left += BoxSize().cx + kBoxSpacing;
}

SIZE SBoxSkins::AddBox(SIZE text) const
{
    const SIZE box = BoxSize();
    return SIZE{text.cx + box.cx + kBoxSpacing, std::max(text.cy, box.cy)};
}

void SBoxSkins::DrawBox(IRenderTarget* target, const RECT& client, DWORD state) const
{
    if (!m_box)
        return;
    const RECT box = BoxRect(client);
    m_box->DrawByIndex(target, &box, StateIndex(state));
}

bool SBoxSkins::DrawFocus(IRenderTarget* target, const RECT& client) const
{
    if (!m_focus)
        return false;
    const RECT box = BoxRect(client);
    m_focus->DrawByIndex(target, &box, 0);
    return true;
}

void SBoxSkins::ApplyColorize(COLORREF color) const
{
    for (ISkinObj* const skin : {m_box, m_focus}) {
        if (skin)
            skin->ApplyColorize(color);
    }
}

void SBoxSkins::OnScaleChanged(int scale)
{
    m_box = RescaleSkin(m_box, scale);
    m_focus = RescaleSkin(m_focus, scale);
}

}  // namespace SAKU
