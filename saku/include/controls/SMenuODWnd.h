#pragma once

#include "controls/SOwnerDraw.h"
#include "core/CSimpleWnd.h"
#include "core/SAutoRef.h"

namespace SAKU {

class SMenuAttr;

// The hidden window that owns a popup menu (SPopupMenu) while it runs: it
// measures and paints the items with the menu's SMenuAttr, chooses an item by
// its accelerator character and passes the menu's notifications on to the
// window that asked for the menu. Made and destroyed by
// SPopupMenu::TrackPopupMenu around the menu's loop. UI thread.
class SMenuODWnd : public CSimpleWnd, public SOwnerDraw<SMenuODWnd> {
public:
    // `attr` may be null (nothing is measured or painted); a reference is held.
    SMenuODWnd(HWND owner, SMenuAttr* attr);
    ~SMenuODWnd() override;

    // Only for menu items. The item is painted off screen and copied at once.
    void DrawItem(DRAWITEMSTRUCT* item);
    void MeasureItem(MEASUREITEMSTRUCT* item);
    // The answer to WM_MENUCHAR: MNC_EXECUTE with the position of the first item
    // of `menu` whose accelerator is `character` (either case); 0 (MNC_IGNORE)
    // when none is.
    LRESULT FindAccelItem(UINT character, HMENU menu) const;

    BEGIN_MSG_MAP(SMenuODWnd)
        MSG_RANGE_HANDLER(WM_INITMENU,   WM_INITMENUPOPUP, ForwardToOwner)
        MSG_RAW_HANDLER  (WM_MENUSELECT, ForwardToOwner)                     // to the owner as it came
        MSG_HANDLER      (WM_MENUCHAR,   OnMenuChar)
        CHAIN_MSG_MAP    (SOwnerDraw<SMenuODWnd>)
        MSG_RANGE_HANDLER(WM_NULL + 1,   0xFFFF,           ReflectNotificationsOrDefault)
    END_MSG_MAP()

private:
    // The owner sees the menu's notifications as if it owned the menu.
    LRESULT ForwardToOwner(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuChar(UINT character, UINT menuType, HMENU menu);

    HWND m_owner;
    SAutoRef<SMenuAttr> m_attr;
};

}  // namespace SAKU
