#pragma once

#include "core/CMessageMap.h"
#include "core/SWindowDefs.h"
#include "core/SWnd.h"
#include "core/SwndSpy.h"

#include <commctrl.h>

// The crackers of the real-window messages that host windows and dialogs take
// beyond those of every window (WndMsgCracker.h), the library's own among them.
namespace SAKU {

struct EventArgs;

// The library's messages to a host's real window.
constexpr UINT UM_SCRIPTTIMER = 0x2BD9;   // wParam: a script timer id; lParam: its handler
constexpr UINT UM_MENUEVENT = 0x2BDA;     // lParam: an EventArgs that a menu raised

// void OnPrint(HDC dc, UINT flags)
template <>
struct WndMsgCracker<WM_PRINT> : WLParamMsgCracker<HDC, UINT> {};

// void OnActivate(UINT state, BOOL minimized, HWND other): state WA_INACTIVE, WA_ACTIVE, WA_CLICKACTIVE
template <>
struct WndMsgCracker<WM_ACTIVATE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return CallCracked(handler, static_cast<UINT>(LOWORD(wParam)), static_cast<BOOL>(HIWORD(wParam)),
                           reinterpret_cast<HWND>(lParam));
    }
};

// BOOL OnSetCursor(HWND window, UINT hitTest, UINT message): TRUE when the cursor was set
template <>
struct WndMsgCracker<WM_SETCURSOR> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return CallCracked(handler, reinterpret_cast<HWND>(wParam), static_cast<UINT>(LOWORD(lParam)),
                           static_cast<UINT>(HIWORD(lParam)));
    }
};

// void OnWindowPosChanging(WINDOWPOS* position)
template <>
struct WndMsgCracker<WM_WINDOWPOSCHANGING> : LParamMsgCracker<WINDOWPOS*> {};

// LRESULT OnNcCalcSize(BOOL calcValidRects, LPARAM lParam): lParam a RECT*, or an
// NCCALCSIZE_PARAMS* with calcValidRects
template <>
struct WndMsgCracker<WM_NCCALCSIZE> : WLParamMsgCracker<BOOL, LPARAM> {};

// UINT OnNcHitTest(POINT screenPoint): an HT code
template <>
struct WndMsgCracker<WM_NCHITTEST> : PointMsgCracker {};

// BOOL OnNcActivate(BOOL active): TRUE lets the change happen
template <>
struct WndMsgCracker<WM_NCACTIVATE> : WParamMsgCracker<BOOL> {};

// void OnCaptureChanged(HWND newCapture)
template <>
struct WndMsgCracker<WM_CAPTURECHANGED> : LParamMsgCracker<HWND> {};

// void OnKillFocus(HWND newFocus): newFocus may be null or another thread's window
template <>
struct WndMsgCracker<WM_KILLFOCUS> : WParamMsgCracker<HWND> {};

// int OnMouseActivate(HWND topLevel, UINT hitTest, UINT message): an MA_ code
template <>
struct WndMsgCracker<WM_MOUSEACTIVATE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return CallCracked(handler, reinterpret_cast<HWND>(wParam), static_cast<UINT>(LOWORD(lParam)),
                           static_cast<UINT>(HIWORD(lParam)));
    }
};

// BOOL OnInitDialog(HWND focus, LPARAM initParam): TRUE lets the system set the focus
template <>
struct WndMsgCracker<WM_INITDIALOG> : WLParamMsgCracker<HWND, LPARAM> {};

// LRESULT OnNotify(int id, NMHDR* header): header may be null when another
// process sent the message
template <>
struct WndMsgCracker<WM_NOTIFY> : WLParamMsgCracker<int, NMHDR*> {};

// void OnUpdateSwnd(SWND swnd): an element of the tree has an area to redraw
template <>
struct WndMsgCracker<UM_UPDATESWND> : WParamMsgCracker<SWND> {};

// LRESULT OnScriptTimer(UINT_PTR id, LPARAM handler)
template <>
struct WndMsgCracker<UM_SCRIPTTIMER> : WLParamMsgCracker<UINT_PTR, LPARAM> {};

// BOOL OnMenuEvent(EventArgs* args)
template <>
struct WndMsgCracker<UM_MENUEVENT> : LParamMsgCracker<EventArgs*> {};

// BOOL OnSpySetSpyWnd(HWND spy): whether the spy is a window
template <>
struct WndMsgCracker<SPYMSG_SETSPY> : LParamMsgCracker<HWND> {};

// SWND OnSpyGetWindow(SWND swnd, LPARAM code): code a GetWindow code, unchecked
template <>
struct WndMsgCracker<SPYMSG_SWNDENUM> : WLParamMsgCracker<SWND, LPARAM> {};

// BOOL OnSpyGetSwndInfo(SWND swnd)
template <>
struct WndMsgCracker<SPYMSG_SWNDINFO> : WParamMsgCracker<SWND> {};

// SWND OnSpySwndFromPoint(POINT screenPoint)
template <>
struct WndMsgCracker<SPYMSG_HITTEST> : PointMsgCracker {};

}  // namespace SAKU
