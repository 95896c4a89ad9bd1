#pragma once

#include "core/TStringT.h"

#include <windows.h>

namespace pugi {
class xml_node;
}

namespace SAKU {

class SMenuAttr;

// What the menu keeps of an item that is not a separator, as the item's data
// (dwItemData): the owner-draw window paints and finds the item by it. Owned by
// the menu tree of the SPopupMenu that appended it.
struct SPopupMenuItem {
    int icon = -1;          // state of the icon skin; -1: no icon
    SStringW text;          // translated; an "&" marks the accelerator
    UINT32 accel = 0;       // the accelerator character, lower case; 0: none

    // A character as accelerators are compared: A to Z in lower case.
    static UINT32 FoldAccel(UINT32 character);
};

// A popup menu of the system whose items the library paints: built from an XML
// element ("item" and "sep" children, "item"s with children being submenus) and
// run with TrackPopupMenu, during which an owner-draw window (SMenuODWnd) paints
// its items with the skins, font and colours of the element's SMenuAttr. The
// menu and its item records belong to this object. UI thread.
class SPopupMenu {
public:
    SPopupMenu() = default;
    ~SPopupMenu();
    SPopupMenu(const SPopupMenu&) = delete;
    SPopupMenu& operator=(const SPopupMenu&) = delete;

    // Builds the menu tree from `element`, in place of any loaded before. FALSE
    // only when the top menu cannot be created.
    BOOL LoadMenu(pugi::xml_node element);
    // Shows the menu at the screen point (x, y) until it ends; the chosen command
    // id, 0 when nothing was chosen. Without TPM_RETURNCMD in `flags` the id also
    // goes to `owner` as WM_COMMAND. `owner` receives the menu's WM_INITMENU,
    // WM_INITMENUPOPUP and WM_MENUSELECT. `exclude` may be null.
    int TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* exclude = nullptr);

    // The menu; null until loaded. Callers may change the state of its items
    // through the system's menu functions before tracking it.
    HMENU GetMenu() const { return m_menu; }

    // The look that the menus of a tree share; null for a menu without one. No
    // reference added.
    static SMenuAttr* MenuAttrOf(HMENU menu);

private:
    static void AttachMenuAttr(HMENU menu, SMenuAttr* attr);
    static void AppendItems(HMENU menu, pugi::xml_node element);
    // The item's text translated in the context of the menu's look, and its accelerator.
    static void InitItemText(SPopupMenuItem& item, const SStringW& text, const SMenuAttr* attr);
    // Releases the menu's look and deletes the item records of the menu and its
    // submenus; the menus themselves stay.
    static void ReleaseItems(HMENU menu);
    void Destroy();

    HMENU m_menu = nullptr;
};

}  // namespace SAKU
