#pragma once

#include "core/SHostWnd.h"

#include <memory>

namespace pugi {
class xml_node;
}

namespace SAKU {

class SMenuExItem;
class SMenuExRoot;

// Flags of SMenuEx::ShowPopup.
constexpr UINT kMenuExCenterX = 4;       // centred horizontally on x
constexpr UINT kMenuExRightAtX = 8;      // the right edge at x
constexpr UINT kMenuExCenterY = 16;      // centred vertically on y
constexpr UINT kMenuExBottomAtY = 32;    // the bottom at y
constexpr UINT kMenuExReturnCmd = 0x100; // the chosen ID is returned, not sent as WM_COMMAND

// A popup menu drawn by the library: each level is a translucent host window of
// its own whose tree is an SMenuExRoot stacking items (SMenuExItem) and
// separators. ShowPopup shows the menu and runs a modal loop of its own until an
// item is chosen or the menu is dismissed; a sub-menu opens beside its item on
// hover (after 500 ms), on click or with the right arrow. The menus never take
// activation: the owner keeps the foreground and its keys are redirected to the
// menu opened last, and the loop ends as soon as the owner loses the foreground.
// A top menu belongs to its creator (code, or a menu bar's item); a sub-menu to
// the item that opens it. UI thread only.
class SMenuEx : public SHostWnd {
public:
    SMenuEx() : SMenuEx(nullptr) {}
    // A sub-menu of `parentItem`.
    explicit SMenuEx(SMenuExItem* parentItem);
    ~SMenuEx() override;

    // A menu from a resource: "type:name", or a name of the type "SMENUEX".
    BOOL LoadMenu(LPCWSTR resName);
    // The menu's window and tree from a "menuRoot" or "menuItem" element; FALSE
    // when the window exists already or the element is neither.
    BOOL BuildMenu(pugi::xml_node element);
    // Shows the menu at the screen point (x, y) with the kMenuEx flags and runs it.
    // With kMenuExReturnCmd: the chosen ID, 0 when dismissed, -1 when the owner
    // lost the foreground. Without: a chosen ID goes to `owner` as WM_COMMAND and
    // the answer is 1. -1 when the menu has no window.
    int ShowPopup(UINT flags, int x, int y, HWND owner, int scale = 100);
    // Ends the running menu loop with `code`; nothing when none runs.
    static void ExitPopup(int code);
    // Whether a menu loop runs now.
    static bool IsRunning();

    SMenuExRoot* GetMenuRoot() const { return m_root; }
    SMenuExItem* GetParentItem() const { return m_parentItem; }
    // The highlighted item; null for none.
    SMenuExItem* GetCurrentItem() const { return m_currentItem; }

    // SHostWnd overrides
    BOOL HandleEvent(EventArgs* args) override;
    int GetScale() const override;
    LPCWSTR GetTranslatorContext() const override;

    BEGIN_MSG_MAP(SMenuEx)
        MSG_HANDLER  (WM_MOUSEACTIVATE, OnMouseActivate)   // menus never take activation
        MSG_HANDLER  (WM_KEYDOWN,       OnMenuKeyDown)
        MSG_HANDLER  (WM_TIMER,         OnMenuTimer)
        CHAIN_MSG_MAP(SHostWnd)
    END_MSG_MAP()

private:
    static constexpr UINT_PTR kSubMenuTimer = 100;
    static constexpr UINT kSubMenuDelay = 500;

    int OnMouseActivate(HWND topLevel, UINT hitTest, UINT message);
    void OnMenuKeyDown(UINT key, UINT repeatCount, UINT flags);
    void OnMenuTimer(UINT_PTR id);

    void ShowMenuAt(UINT flags, int x, int y);
    void RunMenuLoop(HWND owner);
    void HideMenu(bool keepParent);
    void HideSubMenu();
    void OpenSubMenu(SMenuExItem* item, bool selectFirst);
    // Makes `item` (null: none) the highlighted item.
    void SetCurrentItem(SMenuExItem* item);
    // The next enabled item from the current one, forwards or backwards, wrapping;
    // null when none is enabled.
    SMenuExItem* NextEnabledItem(bool forward) const;
    // The item of this menu that raised an event; null for any other sender.
    SMenuExItem* ItemOf(IObject* sender) const;
    void RaiseItemCommand(SMenuExItem* item);

    SMenuExItem* m_parentItem = nullptr;
    SMenuExItem* m_pendingItem = nullptr;
    SMenuExItem* m_currentItem = nullptr;
    bool m_popupInitialised = false;
    SMenuExRoot* m_root = nullptr;   // a child of the host, which holds it
};

}  // namespace SAKU
