#pragma once

#include <windows.h>
#include <windowsx.h>

#include <type_traits>

namespace SAKU {

// The handler signature of each message that an entry of a message map
// (CMessageMap.h) may name. These are the payloads a message carries to a real
// window; a windowless element takes the same ones through SwndMsgCracker,
// except where its own differ. An entry for a message without a cracker does not
// compile: add one here, one per message, with the handler's signature above it.
template <UINT message>
struct WndMsgCracker;

// Calls a handler with cracked arguments and answers what it returned, or 0 for a
// handler that returns nothing: the message's result either way.
template <typename H, typename... Args>
LRESULT CallCracked(H&& handler, Args... args)
{
    if constexpr (std::is_void_v<std::invoke_result_t<H, Args...>>) {
        handler(args...);
        return 0;
    } else {
        return static_cast<LRESULT>(handler(args...));
    }
}

// A message whose handler takes nothing.
struct NoArgMsgCracker {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM)
    {
        return CallCracked(handler);
    }
};

// A message parameter as the type its handler takes: pointers and handles as they
// are, numbers cast.
template <typename T, typename Param>
T FromMsgParam(Param value)
{
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<T>(value);
    else
        return static_cast<T>(value);
}

// A message whose handler takes wParam as W.
template <typename W>
struct WParamMsgCracker {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM)
    {
        return CallCracked(handler, FromMsgParam<W>(wParam));
    }
};

// A message whose handler takes lParam as L.
template <typename L>
struct LParamMsgCracker {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM lParam)
    {
        return CallCracked(handler, FromMsgParam<L>(lParam));
    }
};

// A message whose handler takes wParam as W and lParam as L.
template <typename W, typename L>
struct WLParamMsgCracker {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return CallCracked(handler, FromMsgParam<W>(wParam), FromMsgParam<L>(lParam));
    }
};

// A message whose handler takes the point in lParam, x and y each a signed 16-bit word.
struct PointMsgCracker {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM lParam)
    {
        return CallCracked(handler, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    }
};

// The mouse's button and move messages: the key flags in wParam, a client point
// in lParam, x and y each a signed 16-bit word.
struct MouseMsgCracker {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return CallCracked(handler, static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    }
};

// The key messages: the virtual key, then the low and high words of the key data.
struct KeyMsgCracker {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return CallCracked(handler, static_cast<UINT>(wParam), static_cast<UINT>(LOWORD(lParam)),
                           static_cast<UINT>(HIWORD(lParam)));
    }
};

// BOOL OnNcCreate(CREATESTRUCTW* create): FALSE stops the creation
template <>
struct WndMsgCracker<WM_NCCREATE> : LParamMsgCracker<CREATESTRUCTW*> {};

// int OnCreate(CREATESTRUCTW* create): a real window stops its creation with -1,
// an element with any non-zero answer
template <>
struct WndMsgCracker<WM_CREATE> : LParamMsgCracker<CREATESTRUCTW*> {};

// void OnDestroy()
template <>
struct WndMsgCracker<WM_DESTROY> : NoArgMsgCracker {};

// void OnClose()
template <>
struct WndMsgCracker<WM_CLOSE> : NoArgMsgCracker {};

// void OnActivateApp(BOOL active, DWORD threadId): threadId the thread of the
// window that gains or loses the activation
template <>
struct WndMsgCracker<WM_ACTIVATEAPP> : WLParamMsgCracker<BOOL, DWORD> {};

// void OnSize(UINT type, SIZE size): type is SIZE_RESTORED, SIZE_MINIMIZED, ...;
// width and height are unsigned words
template <>
struct WndMsgCracker<WM_SIZE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return CallCracked(handler, static_cast<UINT>(wParam), SIZE{LOWORD(lParam), HIWORD(lParam)});
    }
};

// void OnShowWindow(BOOL show, UINT status): for an element, status 1 means
// pushed down from the parent
template <>
struct WndMsgCracker<WM_SHOWWINDOW> : WLParamMsgCracker<BOOL, UINT> {};

// void OnGetMinMaxInfo(MINMAXINFO* info)
template <>
struct WndMsgCracker<WM_GETMINMAXINFO> : LParamMsgCracker<MINMAXINFO*> {};

// void OnPaint(HDC dc): dc is null for a plain WM_PAINT; the handler begins painting
template <>
struct WndMsgCracker<WM_PAINT> : WParamMsgCracker<HDC> {};

// BOOL OnEraseBkgnd(HDC dc): TRUE when the background was erased
template <>
struct WndMsgCracker<WM_ERASEBKGND> : WParamMsgCracker<HDC> {};

// void OnTimer(UINT_PTR id)
template <>
struct WndMsgCracker<WM_TIMER> : WParamMsgCracker<UINT_PTR> {};

// BOOL OnSetScrollInfo(BOOL redraw, SCROLLINFO* info): fMask says which fields count
template <>
struct WndMsgCracker<SBM_SETSCROLLINFO> : WLParamMsgCracker<BOOL, SCROLLINFO*> {};

// BOOL OnGetScrollInfo(SCROLLINFO* info): fills the fields fMask asks for
template <>
struct WndMsgCracker<SBM_GETSCROLLINFO> : LParamMsgCracker<SCROLLINFO*> {};

// void OnMouse(UINT keys, POINT point), for the button and move messages and their
// non-client twins (whose point an element gets in host coordinates too); an
// element's WM_RBUTTONDOWN handler answers BOOL, the message's result
template <> struct WndMsgCracker<WM_MOUSEMOVE> : MouseMsgCracker {};
template <> struct WndMsgCracker<WM_LBUTTONDOWN> : MouseMsgCracker {};
template <> struct WndMsgCracker<WM_LBUTTONUP> : MouseMsgCracker {};
template <> struct WndMsgCracker<WM_LBUTTONDBLCLK> : MouseMsgCracker {};
template <> struct WndMsgCracker<WM_RBUTTONDOWN> : MouseMsgCracker {};
template <> struct WndMsgCracker<WM_RBUTTONUP> : MouseMsgCracker {};
template <> struct WndMsgCracker<WM_MOUSEHOVER> : MouseMsgCracker {};
template <> struct WndMsgCracker<WM_NCMOUSEMOVE> : MouseMsgCracker {};
template <> struct WndMsgCracker<WM_NCLBUTTONDOWN> : MouseMsgCracker {};
template <> struct WndMsgCracker<WM_NCLBUTTONUP> : MouseMsgCracker {};
template <> struct WndMsgCracker<WM_NCLBUTTONDBLCLK> : MouseMsgCracker {};

// LRESULT OnMouseWheel(UINT keys, short delta, POINT point): point in screen
// coordinates for a real window, in host coordinates for an element
template <>
struct WndMsgCracker<WM_MOUSEWHEEL> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return CallCracked(handler, static_cast<UINT>(GET_KEYSTATE_WPARAM(wParam)),
                           static_cast<short>(GET_WHEEL_DELTA_WPARAM(wParam)),
                           POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    }
};

// void OnMouseLeave()
template <>
struct WndMsgCracker<WM_MOUSELEAVE> : NoArgMsgCracker {};

// void OnNcMouseLeave()
template <>
struct WndMsgCracker<WM_NCMOUSELEAVE> : NoArgMsgCracker {};

// void OnKey(UINT key, UINT repeatCount, UINT flags), for WM_KEYDOWN and WM_KEYUP
// and their system twins (keys with Alt held, F10)
template <> struct WndMsgCracker<WM_KEYDOWN> : KeyMsgCracker {};
template <> struct WndMsgCracker<WM_KEYUP> : KeyMsgCracker {};
template <> struct WndMsgCracker<WM_SYSKEYDOWN> : KeyMsgCracker {};
template <> struct WndMsgCracker<WM_SYSKEYUP> : KeyMsgCracker {};

// void OnChar(UINT character, UINT repeatCount, UINT flags)
template <> struct WndMsgCracker<WM_CHAR> : KeyMsgCracker {};

// LRESULT OnMenuChar(UINT character, UINT menuType, HMENU menu): menuType is MF_POPUP or MF_SYSMENU
template <>
struct WndMsgCracker<WM_MENUCHAR> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return CallCracked(handler, static_cast<UINT>(LOWORD(wParam)), static_cast<UINT>(HIWORD(wParam)),
                           reinterpret_cast<HMENU>(lParam));
    }
};

}  // namespace SAKU
