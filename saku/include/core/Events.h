#pragma once

#include "core/EventArgs.h"

// The library's event classes with their ids and XML names, by family. The names
// are those layouts and script handlers use, odd spellings included. An event that
// carries more than its sender gets its fields with the class that raises it.
namespace SAKU {

class SDropDownWnd;
class SItemPanel;
class SMenuEx;

// A tree control's item, as CSTree.h names its nodes.
using HSTREEITEM = ULONG_PTR;

// Host window
SEVENT_CLASS(EventInit,                    8000,  L"on_init")
SEVENT_CLASS(EventExit,                    8001,  L"on_exit")
SEVENT_CLASS(EventTimer,                   8002,  L"on_timer")

// Every window
SEVENT_CLASS(EventSetFocus,                8100,  L"on_set_focus")
SEVENT_CLASS(EventKillFocus,               8101,  L"on_kill_focus")
SEVENT_CLASS(EventSwndCreate,              8102,  L"on_create")
SEVENT_CLASS(EventSwndDestroy,             8103,  L"on_destroy")

// The client size, as WM_SIZE gives it.
class EventSwndSize : public TplEventArgs<EventSwndSize> {
public:
    SEVENT_ID(8104, L"on_size")
    explicit EventSwndSize(IObject* sender, int width = 0, int height = 0)
        : TplEventArgs(sender), width(width), height(height) {}

    int width;
    int height;
};

SEVENT_CLASS(EventSwndVisibleChanged,      8105,  L"on_visible_changed")

// Every change of the state bits (hover, pushdown, checked, invisible, disabled).
class EventSwndStateChanged : public TplEventArgs<EventSwndStateChanged> {
public:
    SEVENT_ID(8106, L"on_state_changed")
    explicit EventSwndStateChanged(IObject* sender, DWORD oldState = 0, DWORD newState = 0)
        : TplEventArgs(sender), oldState(oldState), newState(newState) {}

    DWORD oldState;
    DWORD newState;
};

// The left button went down on the window; the point is in host coordinates.
class EventLButtonDown : public TplEventArgs<EventLButtonDown> {
public:
    SEVENT_ID(8107, L"on_mouse_lbutton_down")
    explicit EventLButtonDown(IObject* sender, POINT point = {}) : TplEventArgs(sender), point(point) {}

    POINT point;
};

// The left button came up inside the window after it went down on it.
class EventLButtonUp : public TplEventArgs<EventLButtonUp> {
public:
    SEVENT_ID(8108, L"on_mouse_lbutton_up")
    explicit EventLButtonUp(IObject* sender, POINT point = {}) : TplEventArgs(sender), point(point) {}

    POINT point;
};

SEVENT_CLASS(EventSwndMouseHover,          9000,  L"on_mouse_hover")
SEVENT_CLASS(EventSwndMouseLeave,          9001,  L"on_mouse_leave")
SEVENT_CLASS(EventCmd,                     10000, L"on_command")

// The right button went down: a subscriber that shows its own menu sets `cancel`,
// which the window answers for WM_RBUTTONDOWN.
class EventCtxMenu : public TplEventArgs<EventCtxMenu> {
public:
    SEVENT_ID(10001, L"on_conext_menu")
    explicit EventCtxMenu(IObject* sender, POINT point = {}) : TplEventArgs(sender), point(point) {}

    POINT point;
    BOOL cancel = FALSE;
};

// Scrolling
// A scroll view's origin moved from `oldOrigin` to `newOrigin` (view coordinates).
class EventScrollViewOriginChanged : public TplEventArgs<EventScrollViewOriginChanged> {
public:
    SEVENT_ID(10002, L"on_scrollview_origin_changed")
    explicit EventScrollViewOriginChanged(IObject* sender, POINT oldOrigin = {}, POINT newOrigin = {})
        : TplEventArgs(sender), oldOrigin(oldOrigin), newOrigin(newOrigin) {}

    POINT oldOrigin;
    POINT newOrigin;
};

// A scroll view's virtual size changed from `oldSize` to `newSize`.
class EventScrollViewSizeChanged : public TplEventArgs<EventScrollViewSizeChanged> {
public:
    SEVENT_ID(10003, L"on_scrollview_size_changed")
    explicit EventScrollViewSizeChanged(IObject* sender, SIZE oldSize = {}, SIZE newSize = {})
        : TplEventArgs(sender), oldSize(oldSize), newSize(newSize) {}

    SIZE oldSize;
    SIZE newSize;
};

// A bar moved: the Win32 scroll code (SB_LINEUP ... SB_BOTTOM) and the bar's new position.
class EventScroll : public TplEventArgs<EventScroll> {
public:
    SEVENT_ID(10004, L"on_scroll")
    explicit EventScroll(IObject* sender, int code = 0, int position = 0, BOOL vertical = FALSE)
        : TplEventArgs(sender), code(code), position(position), vertical(vertical) {}

    int code;
    int position;
    BOOL vertical;
};

// Item panels
// An event raised inside a row, handed to the row's owner: `panel` is the row,
// `origin` the event as its window raised it (both live for the raise only).
class EventOfPanel : public TplEventArgs<EventOfPanel> {
public:
    SEVENT_ID(10006, L"on_event_of_panel")
    explicit EventOfPanel(IObject* sender, SItemPanel* panel = nullptr, EventArgs* origin = nullptr)
        : TplEventArgs(sender), panel(panel), origin(origin) {}

    SItemPanel* panel;
    EventArgs* origin;
};

// A mouse message that reached a row, with its key flags and row point.
template <typename T>
class TplItemPanelMouseEvent : public TplEventArgs<T> {
public:
    explicit TplItemPanelMouseEvent(IObject* sender, WPARAM wParam = 0, LPARAM lParam = 0)
        : TplEventArgs<T>(sender), wParam(wParam), lParam(lParam) {}

    WPARAM wParam;
    LPARAM lParam;
};

class EventItemPanelClick : public TplItemPanelMouseEvent<EventItemPanelClick> {
public:
    SEVENT_ID(10007, L"on_itempanel_click")
    using TplItemPanelMouseEvent::TplItemPanelMouseEvent;
};

class EventItemPanelDbclick : public TplItemPanelMouseEvent<EventItemPanelDbclick> {
public:
    SEVENT_ID(10008, L"on_itempanel_dbclick")
    using TplItemPanelMouseEvent::TplItemPanelMouseEvent;
};

class EventItemPanelRclick : public TplItemPanelMouseEvent<EventItemPanelRclick> {
public:
    SEVENT_ID(10009, L"on_itemparem_rclick")
    using TplItemPanelMouseEvent::TplItemPanelMouseEvent;
};

class EventItemPanelHover : public TplItemPanelMouseEvent<EventItemPanelHover> {
public:
    SEVENT_ID(10010, L"on_itempanel_hover")
    using TplItemPanelMouseEvent::TplItemPanelMouseEvent;
};

SEVENT_CLASS(EventItemPanelLeave,          10011, L"on_itempanel_leave")

// Tab control
// The page is about to change from `oldSel` to `newSel`: a subscriber that sets
// `cancel` keeps the old page.
class EventTabSelChanging : public TplEventArgs<EventTabSelChanging> {
public:
    SEVENT_ID(11000, L"on_tab_sel_changing")
    explicit EventTabSelChanging(IObject* sender, int oldSel = -1, int newSel = -1)
        : TplEventArgs(sender), oldSel(oldSel), newSel(newSel) {}

    int oldSel;
    int newSel;
    BOOL cancel = FALSE;
};

class EventTabSelChanged : public TplEventArgs<EventTabSelChanged> {
public:
    SEVENT_ID(11001, L"on_tab_sel_changed")
    explicit EventTabSelChanged(IObject* sender, int oldSel = -1, int newSel = -1)
        : TplEventArgs(sender), oldSel(oldSel), newSel(newSel) {}

    int oldSel;
    int newSel;
};

// The mouse came onto the tab `index`.
class EventTabItemHover : public TplEventArgs<EventTabItemHover> {
public:
    SEVENT_ID(11002, L"on_tab_item_hover")
    explicit EventTabItemHover(IObject* sender, int index = -1) : TplEventArgs(sender), index(index) {}

    int index;
};

// The mouse left the tab `index`.
class EventTabItemLeave : public TplEventArgs<EventTabItemLeave> {
public:
    SEVENT_ID(11003, L"on_tab_item_leave")
    explicit EventTabItemLeave(IObject* sender, int index = -1) : TplEventArgs(sender), index(index) {}

    int index;
};

// List box
// The selection is about to move from entry `oldSel` to `newSel` (-1: none): a
// subscriber that sets `cancel` keeps the old one.
class EventLBSelChanging : public TplEventArgs<EventLBSelChanging> {
public:
    SEVENT_ID(12000, L"on_listbox_sel_changing")
    explicit EventLBSelChanging(IObject* sender, int newSel = -1, int oldSel = -1)
        : TplEventArgs(sender), newSel(newSel), oldSel(oldSel) {}

    int newSel;
    int oldSel;
    BOOL cancel = FALSE;
};

class EventLBSelChanged : public TplEventArgs<EventLBSelChanged> {
public:
    SEVENT_ID(12001, L"on_listbox_sel_changed")
    explicit EventLBSelChanged(IObject* sender, int newSel = -1, int oldSel = -1)
        : TplEventArgs(sender), newSel(newSel), oldSel(oldSel) {}

    int newSel;
    int oldSel;
};

// A double click on entry `index` (-1: below the entries).
class EventLBDbClick : public TplEventArgs<EventLBDbClick> {
public:
    SEVENT_ID(12002, L"on_listbox_item_dbclick")
    explicit EventLBDbClick(IObject* sender, int index = -1) : TplEventArgs(sender), index(index) {}

    int index;
};

// List control
// The selection is about to move from row `oldSel` to `newSel` (-1: none): a
// subscriber that sets `cancel` keeps every row as it is.
class EventLCSelChanging : public TplEventArgs<EventLCSelChanging> {
public:
    SEVENT_ID(13000, L"on_listctrl_sel_changing")
    explicit EventLCSelChanging(IObject* sender, int newSel = -1, int oldSel = -1)
        : TplEventArgs(sender), newSel(newSel), oldSel(oldSel) {}

    int newSel;
    int oldSel;
    BOOL cancel = FALSE;
};

class EventLCSelChanged : public TplEventArgs<EventLCSelChanged> {
public:
    SEVENT_ID(13001, L"on_listctrl_sel_changed")
    explicit EventLCSelChanged(IObject* sender, int newSel = -1, int oldSel = -1)
        : TplEventArgs(sender), newSel(newSel), oldSel(oldSel) {}

    int newSel;
    int oldSel;
};

// A row is going: its index and its item data.
class EventLCItemDeleted : public TplEventArgs<EventLCItemDeleted> {
public:
    SEVENT_ID(13002, L"on_listctrl_del_item")
    explicit EventLCItemDeleted(IObject* sender, int item = -1, DWORD data = 0)
        : TplEventArgs(sender), item(item), data(data) {}

    int item;
    DWORD data;
};

// A double click on the row `item` (-1: below the rows).
class EventLCDbClick : public TplEventArgs<EventLCDbClick> {
public:
    SEVENT_ID(13003, L"on_listctrl_item_dbclick")
    explicit EventLCDbClick(IObject* sender, int item = -1) : TplEventArgs(sender), item(item) {}

    int item;
};

// Tree view; items are the adapter's handles (0: none).
// The selection is about to move from `oldItem` to `newItem`: a subscriber that
// sets `cancel` keeps the old one.
class EventTVSelChanging : public TplEventArgs<EventTVSelChanging> {
public:
    SEVENT_ID(14000, L"on_treeview_select_changing")
    explicit EventTVSelChanging(IObject* sender, HSTREEITEM oldItem = 0, HSTREEITEM newItem = 0)
        : TplEventArgs(sender), oldItem(oldItem), newItem(newItem) {}

    HSTREEITEM oldItem;
    HSTREEITEM newItem;
    BOOL cancel = FALSE;
};

class EventTVSelChanged : public TplEventArgs<EventTVSelChanged> {
public:
    SEVENT_ID(14001, L"on_treeview_select_changed")
    explicit EventTVSelChanged(IObject* sender, HSTREEITEM oldItem = 0, HSTREEITEM newItem = 0)
        : TplEventArgs(sender), oldItem(oldItem), newItem(newItem) {}

    HSTREEITEM oldItem;
    HSTREEITEM newItem;
};

// Tree control; items are the tree's node handles (0: none).
// The selection is about to move from `oldItem` to `newItem`: a subscriber that
// sets `cancel` keeps the old one.
class EventTCSelChanging : public TplEventArgs<EventTCSelChanging> {
public:
    SEVENT_ID(15000, L"on_treectrl_sel_changing")
    explicit EventTCSelChanging(IObject* sender, HSTREEITEM oldItem = 0, HSTREEITEM newItem = 0)
        : TplEventArgs(sender), oldItem(oldItem), newItem(newItem) {}

    HSTREEITEM oldItem;
    HSTREEITEM newItem;
    BOOL cancel = FALSE;
};

class EventTCSelChanged : public TplEventArgs<EventTCSelChanged> {
public:
    SEVENT_ID(15001, L"on_treectrl_sel_changed")
    explicit EventTCSelChanged(IObject* sender, HSTREEITEM oldItem = 0, HSTREEITEM newItem = 0)
        : TplEventArgs(sender), oldItem(oldItem), newItem(newItem) {}

    HSTREEITEM oldItem;
    HSTREEITEM newItem;
};

// `item` was expanded or collapsed; `collapsed` is its state now.
class EventTCExpand : public TplEventArgs<EventTCExpand> {
public:
    SEVENT_ID(15002, L"on_treectrl_item_expand")
    explicit EventTCExpand(IObject* sender, HSTREEITEM item = 0, BOOL collapsed = FALSE)
        : TplEventArgs(sender), item(item), collapsed(collapsed) {}

    HSTREEITEM item;
    BOOL collapsed;
};

// The check box of `item` was released; `state` holds its button-state bits after
// the release. The value itself is the control's GetCheckState.
class EventTCCheckState : public TplEventArgs<EventTCCheckState> {
public:
    SEVENT_ID(15003, L"on_treectrl_item_check")
    explicit EventTCCheckState(IObject* sender, HSTREEITEM item = 0, UINT state = 0)
        : TplEventArgs(sender), item(item), state(state) {}

    HSTREEITEM item;
    UINT state;
};

// A double click on `item`: a subscriber that sets `cancel` keeps the item from
// being expanded or collapsed by it.
class EventTCDbClick : public TplEventArgs<EventTCDbClick> {
public:
    SEVENT_ID(15004, L"on_treectrl_item_dbclick")
    explicit EventTCDbClick(IObject* sender, HSTREEITEM item = 0) : TplEventArgs(sender), item(item) {}

    HSTREEITEM item;
    BOOL cancel = FALSE;
};

// List views
// The selection is about to move from row `oldSel` to `newSel` (-1: none): a
// subscriber that sets `cancel` keeps the old one.
class EventLVSelChanging : public TplEventArgs<EventLVSelChanging> {
public:
    SEVENT_ID(15100, L"on_listview_select_changing")
    explicit EventLVSelChanging(IObject* sender, int oldSel = -1, int newSel = -1)
        : TplEventArgs(sender), oldSel(oldSel), newSel(newSel) {}

    int oldSel;
    int newSel;
    BOOL cancel = FALSE;
};

class EventLVSelChanged : public TplEventArgs<EventLVSelChanged> {
public:
    SEVENT_ID(15101, L"on_listview_select_changed")
    explicit EventLVSelChanged(IObject* sender, int oldSel = -1, int newSel = -1)
        : TplEventArgs(sender), oldSel(oldSel), newSel(newSel) {}

    int oldSel;
    int newSel;
};

// Rich edit
// A notification of an edit's text services (EN_CHANGE, EN_SELCHANGE, ...) with
// its data; `result` goes back to the services.
class EventRENotify : public TplEventArgs<EventRENotify> {
public:
    SEVENT_ID(16000, L"on_richedit_notify")
    explicit EventRENotify(IObject* sender, int code = 0, void* data = nullptr)
        : TplEventArgs(sender), code(code), data(data) {}

    int code;
    void* data;
    HRESULT result = S_OK;
};

// A command was chosen in an edit's context menu; a subscriber that marks the
// event handled carries it out instead of the edit.
class EventREMenu : public TplEventArgs<EventREMenu> {
public:
    SEVENT_ID(16001, L"on_richedit_menu")
    explicit EventREMenu(IObject* sender, int command = 0) : TplEventArgs(sender), command(command) {}

    int command;
};

// Slider
// A slider's value changed, by a click or a drag, to `position`.
class EventSliderPos : public TplEventArgs<EventSliderPos> {
public:
    SEVENT_ID(17000, L"on_slider_pos")
    explicit EventSliderPos(IObject* sender, int position = 0) : TplEventArgs(sender), position(position) {}

    int position;
};

// Header
// A click on the item `item` (display index).
class EventHeaderClick : public TplEventArgs<EventHeaderClick> {
public:
    SEVENT_ID(18000, L"on_header_click")
    explicit EventHeaderClick(IObject* sender, int item = -1) : TplEventArgs(sender), item(item) {}

    int item;
};

// The item `item` is being dragged to `width` pixels.
class EventHeaderItemChanging : public TplEventArgs<EventHeaderItemChanging> {
public:
    SEVENT_ID(18001, L"on_header_item_changing")
    explicit EventHeaderItemChanging(IObject* sender, int item = -1, int width = 0)
        : TplEventArgs(sender), item(item), width(width) {}

    int item;
    int width;
};

// The item `item` is `width` pixels wide now (0 when hidden).
class EventHeaderItemChanged : public TplEventArgs<EventHeaderItemChanged> {
public:
    SEVENT_ID(18002, L"on_header_item_changed")
    explicit EventHeaderItemChanged(IObject* sender, int item = -1, int width = 0)
        : TplEventArgs(sender), item(item), width(width) {}

    int item;
    int width;
};

// The item at `oldIndex` was dropped elsewhere and now stands at `newIndex`.
class EventHeaderItemSwap : public TplEventArgs<EventHeaderItemSwap> {
public:
    SEVENT_ID(18003, L"on_header_item_swap")
    explicit EventHeaderItemSwap(IObject* sender, int oldIndex = -1, int newIndex = -1)
        : TplEventArgs(sender), oldIndex(oldIndex), newIndex(newIndex) {}

    int oldIndex;
    int newIndex;
};

// Combo boxes
// A combo box chose item `index` (-1: none).
class EventCBSelChange : public TplEventArgs<EventCBSelChange> {
public:
    SEVENT_ID(19000, L"on_combobox_sel_change")
    explicit EventCBSelChange(IObject* sender, int index = -1) : TplEventArgs(sender), index(index) {}

    int index;
};

// A combo box is about to show its popup, whose real window does not exist yet.
class EventCBDropdown : public TplEventArgs<EventCBDropdown> {
public:
    SEVENT_ID(19001, L"on_combobox_dropdown")
    explicit EventCBDropdown(IObject* sender, SDropDownWnd* dropDown = nullptr)
        : TplEventArgs(sender), dropDown(dropDown) {}

    SDropDownWnd* dropDown;
};

// Calendars
SEVENT_CLASS(EventCalendarSelDay,          20000, L"on_calendar_sel_day")
SEVENT_CLASS(EventCalendarSetDate,         20001, L"on_calendar_set_date")
SEVENT_CLASS(EventCalendarExChanged,       20002, L"on_calendarex_changed")
SEVENT_CLASS(EventDateTimeChanged,         20003, L"on_datetime_changed")

// Spin buttons
// A spin button stepped to `value`: `text` is what its buddy will show, which a
// subscriber may rewrite ("%d" of the value when raised; empty from a spin
// without a buddy, whose value is then the arrow: 1 up, 2 down).
class EventSpinValue2String : public TplEventArgs<EventSpinValue2String> {
public:
    SEVENT_ID(21000, L"on_spin_value2string")
    explicit EventSpinValue2String(IObject* sender, int value = 0) : TplEventArgs(sender), value(value) {}

    int value;
    SStringW text;
};

// Split window, animated image, menu bar, hot-key control
// The split window moved a pane (the sender) to `rect`, host coordinates.
class EventSplitPaneMoved : public TplEventArgs<EventSplitPaneMoved> {
public:
    SEVENT_ID(22000, L"on_split_pane_moved")
    explicit EventSplitPaneMoved(IObject* sender, RECT rect = {}) : TplEventArgs(sender), rect(rect) {}

    RECT rect;
};

SEVENT_CLASS(EventAnimateStart,            22100, L"on_animate_start")
SEVENT_CLASS(EventAnimateStop,             22101, L"on_animate_stop")

// A menu bar's menu (the sender is the bar) ended with the item `id` chosen.
class EventSelectMenu : public TplEventArgs<EventSelectMenu> {
public:
    SEVENT_ID(22150, L"on_select_menu")
    explicit EventSelectMenu(IObject* sender, UINT id = 0, SMenuEx* menu = nullptr)
        : TplEventArgs(sender), id(id), menu(menu) {}

    UINT id;
    SMenuEx* menu;
};

// A hot-key control read the keyboard: the combination it holds now, the virtual
// key (0: none yet) and the modifiers (CAccelerator's bits: 1 Alt, 2 Ctrl, 4 Shift).
class EventSetHotKey : public TplEventArgs<EventSetHotKey> {
public:
    SEVENT_ID(23000, L"on_hot_key_set_event")
    explicit EventSetHotKey(IObject* sender, WORD key = 0, WORD modifiers = 0)
        : TplEventArgs(sender), key(key), modifiers(modifiers) {}

    WORD key;
    WORD modifiers;
};

}  // namespace SAKU
