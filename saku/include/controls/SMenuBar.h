#pragma once

#include "controls/SButton.h"
#include "controls/SMenuEx.h"
#include "core/SDynArray.h"

#include <pugixml.hpp>

namespace SAKU {

class SMenuBar;

// One button of a menu bar ("menuItem" under the bar's "menus"): it owns the
// extended popup menu loaded from its "menuName" resource and opens it below
// itself when pressed, or when the mouse comes onto it while another button's
// menu is open. A child of its bar, which also lists it. UI thread only.
class SMenuItem : public SButton {
public:
    SOBJECT_CLASS(SButton, L"menuItem", kObjTypeWindow)

    // Loads the menu `menuName` ("type:name", or a name of the type "SMENUEX").
    SMenuItem(SMenuBar* bar, LPCWSTR menuName);
    ~SMenuItem() override;

    bool IsMenuLoaded() const { return m_loaded; }
    SMenuEx* GetMenu() { return &m_menu; }
    const SStringW& GetMenuName() const { return m_menuName; }
    // Shows the menu below the button until it ends; the chosen ID, 0 when none.
    int OpenMenu();

    BEGIN_ATTRIBUTES(SMenuItem)
        ATTRIBUTE_HANDLER(L"menuName", OnAttrMenuName)
    END_ATTRIBUTES_CHAIN(SButton)

    BEGIN_SWND_MSG_MAP(SMenuItem)
        MSG_HANDLER  (WM_LBUTTONDOWN, OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONUP,   OnLeftButtonUp)
        MSG_HANDLER  (WM_MOUSEMOVE,   OnMouseMove)
        MSG_HANDLER  (WM_TIMER,       OnTimer)
        CHAIN_MSG_MAP(SButton)
    END_MSG_MAP()

private:
    static constexpr char kSwitchTimer = 10;

    HRESULT OnAttrMenuName(const SStringW& value, BOOL loading);
    void OnLButtonDown(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    void OnTimer(char id);

    SMenuBar* m_bar;
    SStringW m_menuName;
    bool m_loaded = false;
    SMenuEx m_menu;
};

// A row of menu buttons ("menubar"): each child "menuItem" of its "menus"
// element becomes a 49 x 20 button (SMenuItem) that opens its menu below itself;
// "btnStyle" gives every button its attributes. While one menu is open, moving
// onto another button switches to its menu. A chosen command raises
// EventSelectMenu. Its menus are owned by the host window the bar stands in.
// Owned by its parent like every window; UI thread only.
class SMenuBar : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"menubar", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SMenuBar();

    // A button for the menu resource `menuName` at `index` (negative: last) with
    // `text` (null: none); FALSE without a name or when its menu does not load.
    BOOL InsertMenuButton(LPCWSTR text, LPCWSTR menuName, int index);
    int GetButtonCount() const { return m_items.GetCount(); }
    SMenuItem* GetButton(int index) const { return m_items[index]; }
    // The window that owns the menus and places them: the bar's host window.
    HWND GetOwnerWnd() const;

    // SWindow overrides
    // Only "btnStyle" and the buttons under "menus" are read.
    BOOL BuildChildren(pugi::xml_node element) override;
    void UpdateChildrenPosition() override;

private:
    friend class SMenuItem;

    SDynArray<SMenuItem*> m_items;   // the buttons, children of the bar
    pugi::xml_document m_btnStyle;
    bool m_tracking = false;
    SMenuItem* m_openItem = nullptr;
};

}  // namespace SAKU
