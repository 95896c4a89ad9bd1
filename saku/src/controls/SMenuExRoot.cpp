#include "controls/SMenuExRoot.h"

#include "controls/SMenuExItem.h"
#include "core/Geometry.h"
#include "core/ISkinObj.h"
#include "core/SApplication.h"
#include "core/SObjectFactoryMgr.h"
#include "core/SXmlLookup.h"
#include "core/SkinLookup.h"
#include "core/SplitString.h"
#include "res.mgr/SObjDefAttr.h"
#include "res.mgr/SUiDef.h"

#include <pugixml.hpp>

#include <algorithm>
#include <wchar.h>

namespace SAKU {

namespace {

// Items wider than this (a separator's 10000) do not widen the menu.
constexpr int kWidestCounted = 2000;
constexpr int kMeasureLimit = 10000;

// The first element of the document that holds `node`.
pugi::xml_node TopElementOf(pugi::xml_node node)
{
    for (pugi::xml_node child = node.root().first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element)
            return child;
    }
    return pugi::xml_node();
}

// An item made by the menu rather than the factories still takes its class's
// defaults from the UI definition, as a factory-made window would.
void ApplyClassDefaults(SWindow* window)
{
    SApplication* const app = SApplication::GetInstance();
    SUiDef* const holder = SUiDef::GetInstance();
    IUiDefInfo* const uiDef = holder ? holder->GetUiDef() : nullptr;
    if (!app || !uiDef)
        return;
    SObjectFactoryMgr::ApplyDefaultAttributes(window, uiDef->GetObjDefAttr().FindClassDefaults(*app, window->GetObjectClass()));
}

}  // namespace

SMenuExRoot::SMenuExRoot(SMenuEx* menu)
    : m_itemSkin(FindBuiltinSkin(L"_skin.sys.menu.skin")),
      m_checkSkin(FindBuiltinSkin(L"_skin.sys.menu.check")),
      m_arrowSkin(FindBuiltinSkin(L"_skin.sys.menu.arrow")),
      m_sepSkin(FindBuiltinSkin(L"_skin.sys.menu.sep")),
      m_menu(menu)
{
    ApplyAttribute(L"layout", L"vbox", TRUE);
}

int SMenuExRoot::GetItemHeight() const
{
    return m_itemHeight.ToPixelSize(GetScale());
}

int SMenuExRoot::GetIconBarWidth() const
{
    return m_iconBarWidth.ToPixelSize(GetScale());
}

int SMenuExRoot::GetTextOffset() const
{
    return m_textOffset.ToPixelSize(GetScale());
}

int SMenuExRoot::GetMinWidth() const
{
    return m_minWidth.ToPixelSize(GetScale());
}

int SMenuExRoot::GetSubMenuOffset() const
{
    return m_subMenuOffset.ToPixelSize(GetScale());
}

POINT SMenuExRoot::GetIconPos() const
{
    const int y = m_iconY.GetValue() == static_cast<float>(kIconCentred) ? kIconCentred : m_iconY.ToPixelSize(GetScale());
    return POINT{m_iconX.ToPixelSize(GetScale()), y};
}

HRESULT SMenuExRoot::OnAttrIconPos(const SStringW& value, BOOL)
{
    SDynArray<SStringW> pieces;
    const int count = SplitString(value, L',', pieces);
    if (count != 1 && count != 2)
        return E_INVALIDARG;
    m_iconX = SLayoutDim(pieces[0]);
    m_iconY = count == 2 ? SLayoutDim(pieces[1]) : SLayoutDim(static_cast<float>(kIconCentred), kUnitPx);
    return S_OK;
}

BOOL SMenuExRoot::BuildFromXml(pugi::xml_node element)
{
    const pugi::xml_node top = TopElementOf(element);
    if (element && top && element != top) {
        for (pugi::xml_attribute attribute = top.first_attribute(); attribute; attribute = attribute.next_attribute())
            ApplyAttribute(attribute.name(), attribute.value(), TRUE);
    }
    if (!SWindow::BuildFromXml(element))
        return FALSE;
    SetWindowText(L"");   // an item element's text is its item's, not the menu's
    return TRUE;
}

BOOL SMenuExRoot::BuildChildren(pugi::xml_node element)
{
    if (!element)
        return FALSE;
    for (pugi::xml_node node = element.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element)
            continue;
        SMenuExItem* item = nullptr;   // the root holds its first reference
        if (_wcsicmp(node.name(), L"menuItem") == 0)
            item = new SMenuExItem(m_menu, m_itemSkin);
        else if (_wcsicmp(node.name(), L"sep") == 0)
            item = new SMenuExSep(m_menu, m_sepSkin);
        if (!item)
            continue;
        ApplyClassDefaults(item);
        InsertChild(item);
        item->BuildFromXml(node);
    }
    return TRUE;
}

SIZE SMenuExRoot::MeasureDesiredSize(const RECT*)
{
    SIZE size = {0, 0};
    for (SWindow* child = GetNextLayoutChild(nullptr); child; child = GetNextLayoutChild(child)) {
        const SIZE item = child->GetDesiredSize(kMeasureLimit, kMeasureLimit);
        if (item.cx < kWidestCounted)
            size.cx = std::max(size.cx, item.cx);
        size.cy += item.cy;
    }
    const RECT margin = QueryStyle().GetMarginRect();
    size.cx += margin.left + margin.right;
    size.cy += margin.top + margin.bottom;
    if (GetMaxWidth().IsSpecified())
        size.cx = std::min<LONG>(size.cx, GetMaxWidth().ToPixelSize(GetScale()));
    size.cx = std::max<LONG>(size.cx, GetMinWidth());
    return size;
}

void SMenuExRoot::UpdateChildrenPosition()
{
    const RECT area = GetChildrenLayoutRect();
    int top = area.top;
    for (SWindow* child = GetNextLayoutChild(nullptr); child; child = GetNextLayoutChild(child)) {
        const int height = child->GetDesiredSize(Width(area), kMeasureLimit).cy;
        child->OnRelayout(RECT{area.left, top, area.right, top + height});
        top += height;
    }
}

void SMenuExRoot::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    for (ISkinObj** skin : {&m_itemSkin, &m_iconSkin, &m_checkSkin, &m_arrowSkin, &m_sepSkin})
        *skin = RescaleSkin(*skin, scale);
}

}  // namespace SAKU
