#include "controls/SMenuExItem.h"

#include "controls/SMenuEx.h"
#include "controls/SMenuExRoot.h"
#include "core/Geometry.h"
#include "core/ISkinObj.h"
#include "core/SXmlLookup.h"

#include <pugixml.hpp>

#include <algorithm>
#include <wchar.h>

namespace SAKU {

namespace {

constexpr int kSepWidth = 10000;   // wider than any menu: the root leaves it out of its width

bool IsMenuElement(pugi::xml_node node)
{
    return node.type() == pugi::node_element &&
           (_wcsicmp(node.name(), L"menuItem") == 0 || _wcsicmp(node.name(), L"sep") == 0);
}

// A skin's rectangle at `x`, at `y` or centred vertically in `client`.
RECT SkinRectAt(ISkinObj* skin, const RECT& client, int x, int y)
{
    const SIZE size = skin->QuerySkinSize();
    const int top = y == SMenuExRoot::kIconCentred ? client.top + (Height(client) - size.cy) / 2 : client.top + y;
    return RECT{x, top, x + size.cx, top + size.cy};
}

}  // namespace

SMenuExItem::SMenuExItem(SMenuEx* menu, ISkinObj* background) : m_menu(menu)
{
    m_skin = background;
    ApplyAttribute(L"trackMouseEvent", L"1", TRUE);
    ApplyAttribute(L"align", L"left", TRUE);
}

SMenuExItem::~SMenuExItem() = default;

SMenuExRoot* SMenuExItem::Root() const
{
    return m_menu ? m_menu->GetMenuRoot() : nullptr;
}

HRESULT SMenuExItem::OnAttrHotKey(const SStringW& value, BOOL)
{
    m_hotKey = value.IsEmpty() ? 0 : value.c_str()[0];
    return S_FALSE;
}

BOOL SMenuExItem::BuildFromXml(pugi::xml_node element)
{
    if (!SWindow::BuildFromXml(element))
        return FALSE;
    if (element && XmlChild(element, L"menuItem")) {
        m_subMenu = std::make_unique<SMenuEx>(this);
        m_subMenu->BuildMenu(element);
    }
    return TRUE;
}

BOOL SMenuExItem::BuildChildren(pugi::xml_node element)
{
    // The "menuItem" and "sep" children are the sub-menu's, which builds them; the
    // others are windows of the item, built from a copy without those.
    if (!element)
        return FALSE;
    pugi::xml_document own;
    pugi::xml_node copy = own.append_child(element.name());
    for (pugi::xml_node node = element.first_child(); node; node = node.next_sibling()) {
        if (!IsMenuElement(node))
            copy.append_copy(node);
    }
    return SWindow::BuildChildren(copy);
}

int SMenuExItem::ArrowWidth() const
{
    const SMenuExRoot* const root = Root();
    return m_subMenu && root && root->GetArrowSkin() ? root->GetArrowSkin()->QuerySkinSize().cx : 0;
}

SIZE SMenuExItem::MeasureDesiredSize(const RECT* container)
{
    if (!IsVisible(FALSE))
        return SIZE{0, 0};
    SIZE size = SWindow::MeasureDesiredSize(container);
    const SMenuExRoot* const root = Root();
    ILayoutParam* const param = GetLayoutParam();
    if (root && !(param && param->IsSpecifiedSize(Horz)))
        size.cx += root->GetTextOffset() + root->GetIconBarWidth() + ArrowWidth();
    if (root && !(param && param->IsSpecifiedSize(Vert)))
        size.cy = root->GetItemHeight();
    return size;
}

void SMenuExItem::GetTextRect(RECT* rect) const
{
    *rect = GetClientRect();
    if (const SMenuExRoot* const root = Root())
        rect->left += root->GetTextOffset() + root->GetIconBarWidth();
    rect->right -= ArrowWidth();
}

BOOL SMenuExItem::OnEraseBkgnd(IRenderTarget* target)
{
    if (!m_skin)
        return SWindow::OnEraseBkgnd(target);
    const DWORD state = GetState();
    int index = 0;
    if (IsDisabled(TRUE))
        index = 2;
    else if (state & (WndState_Check | WndState_PushDown | WndState_Hover))
        index = 1;
    if (index >= m_skin->GetStates())
        index = 0;
    const RECT client = GetClientRect();
    m_skin->DrawByIndex(target, &client, index);
    return TRUE;
}

void SMenuExItem::OnPaint(IRenderTarget* target)
{
    SWindow::OnPaint(target);
    const SMenuExRoot* const root = Root();
    if (!root)
        return;
    const RECT client = GetClientRect();
    const POINT iconPos = root->GetIconPos();
    const int iconX = client.left + iconPos.x;
    if (m_check != 0 || m_radio != 0) {
        if (ISkinObj* const check = root->GetCheckSkin()) {
            const int state = m_radio == 0 ? 0 : (m_check != 0 ? 1 : 2);
            const RECT rect = SkinRectAt(check, client, iconX, iconPos.y);
            check->DrawByIndex(target, &rect, state);
        }
    } else if (ISkinObj* const icons = root->GetIconSkin(); icons && m_icon >= 0) {
        const RECT rect = SkinRectAt(icons, client, iconX, iconPos.y);
        icons->DrawByIndex(target, &rect, m_icon);
    }
    if (m_subMenu && root->GetArrowSkin()) {
        ISkinObj* const arrow = root->GetArrowSkin();
        const RECT rect = SkinRectAt(arrow, client, client.right - arrow->QuerySkinSize().cx, SMenuExRoot::kIconCentred);
        arrow->DrawByIndex(target, &rect, (GetState() & WndState_Hover) ? 1 : 0);
    }
}

SMenuExSep::SMenuExSep(SMenuEx* menu, ISkinObj* sepSkin) : SMenuExItem(menu, sepSkin)
{
    EnableWindow(FALSE);
}

SIZE SMenuExSep::MeasureDesiredSize(const RECT*)
{
    ILayoutParam* const param = GetLayoutParam();
    int height = 0;
    if (param && param->IsSpecifiedSize(Vert))
        height = param->GetSpecifiedSize(Vert).ToPixelSize(GetScale());
    else if (m_skin)
        height = std::max<int>(1, m_skin->QuerySkinSize().cy);
    const RECT margin = QueryStyle().GetMarginRect();
    return SIZE{kSepWidth, height + margin.top + margin.bottom};
}

BOOL SMenuExSep::OnSepEraseBkgnd(IRenderTarget* target)
{
    if (m_skin) {
        const RECT client = GetClientRect();
        m_skin->DrawByIndex(target, &client, 0);
    }
    return TRUE;
}

}  // namespace SAKU
