#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

#include <memory>

namespace SAKU {

class SMenuEx;
class SMenuExRoot;

// One item of an extended popup menu ("menuItem"): its text after the icon bar,
// in the bar a check or radio symbol or else its icon, and an arrow when it owns a
// sub-menu, which it builds from its own "menuItem" children and owns. Its
// background is the root's item skin by state (hovered, highlighted, disabled);
// "hotKey" names the character that chooses it. A child of its menu's root. UI
// thread only.
class SMenuExItem : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"menuItem", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SMenuExItem(SMenuEx* menu, ISkinObj* background);
    ~SMenuExItem() override;

    SMenuEx* GetMenu() const { return m_menu; }
    // Null without one.
    SMenuEx* GetSubMenu() const { return m_subMenu.get(); }
    int GetIcon() const { return m_icon; }
    int GetCheck() const { return m_check; }
    int GetRadio() const { return m_radio; }
    // 0 for none.
    wchar_t GetHotKey() const { return m_hotKey; }

    BEGIN_ATTRIBUTES(SMenuExItem)
        ATTRIBUTE_FIELD  (L"icon",   m_icon,  ParseInt, kRefresh)
        ATTRIBUTE_FIELD  (L"check",  m_check, ParseInt, kRefresh)
        ATTRIBUTE_FIELD  (L"radio",  m_radio, ParseInt, kRefresh)
        ATTRIBUTE_HANDLER(L"hotKey", OnAttrHotKey)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    // After its children, an element with "menuItem" children gives the item a sub-menu.
    BOOL BuildFromXml(pugi::xml_node element) override;
    // The item's own windows; its "menuItem" and "sep" children are the sub-menu's.
    BOOL BuildChildren(pugi::xml_node element) override;
    SIZE MeasureDesiredSize(const RECT* container) override;
    // Right of the icon bar, and left of the arrow with a sub-menu.
    void GetTextRect(RECT* rect) const override;
    BOOL NeedRedrawOnStateChange() const override { return TRUE; }

    BEGIN_SWND_MSG_MAP(SMenuExItem)
        MSG_HANDLER  (WM_ERASEBKGND, OnEraseBkgnd)
        MSG_HANDLER  (WM_PAINT,      OnPaint)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    // The root the item stands in; null before it is inserted.
    SMenuExRoot* Root() const;
    BOOL OnEraseBkgnd(IRenderTarget* target);
    void OnPaint(IRenderTarget* target);

private:
    HRESULT OnAttrHotKey(const SStringW& value, BOOL loading);
    int ArrowWidth() const;

    std::unique_ptr<SMenuEx> m_subMenu;
    SMenuEx* m_menu;
    int m_icon = -1;
    int m_check = 0;
    int m_radio = 0;
    wchar_t m_hotKey = 0;
};

// A separator line of an extended popup menu ("sep"): disabled, so that the
// arrow keys pass over it, and drawn with the root's separator skin.
class SMenuExSep : public SMenuExItem {
public:
    SOBJECT_CLASS(SMenuExItem, L"sep", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"menuItem")

    SMenuExSep(SMenuEx* menu, ISkinObj* sepSkin);

    // SWindow overrides
    // The separator skin's height (at least 1) or the specified one; the width is
    // left to the root.
    SIZE MeasureDesiredSize(const RECT* container) override;

    BEGIN_SWND_MSG_MAP(SMenuExSep)
        MSG_HANDLER  (WM_ERASEBKGND, OnSepEraseBkgnd)
        MSG_HANDLER  (WM_PAINT,      OnSepPaint)
        CHAIN_MSG_MAP(SMenuExItem)
    END_MSG_MAP()

private:
    BOOL OnSepEraseBkgnd(IRenderTarget* target);
    void OnSepPaint(IRenderTarget*) {}
};

}  // namespace SAKU
