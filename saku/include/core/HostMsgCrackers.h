#pragma once

#include "core/CMessageMap.h"

// The crackers of the real-window messages that host windows take beyond those
// of every window (CMessageMap.h).
namespace SAKU {

// void OnPrint(HDC dc, UINT flags)
template <>
struct WndMsgCracker<WM_PRINT> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        handler(reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam));
        return 0;
    }
};

// void OnActivate(UINT state, BOOL minimized, HWND other): state WA_INACTIVE, WA_ACTIVE, WA_CLICKACTIVE
template <>
struct WndMsgCracker<WM_ACTIVATE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        handler(LOWORD(wParam), static_cast<BOOL>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam));
        return 0;
    }
};

// BOOL OnSetCursor(HWND window, UINT hitTest, UINT message): TRUE when the cursor was set
template <>
struct WndMsgCracker<WM_SETCURSOR> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return handler(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
    }
};

// void OnWindowPosChanging(WINDOWPOS* position)
template <>
struct WndMsgCracker<WM_WINDOWPOSCHANGING> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM lParam)
    {
        handler(reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    }
};

// LRESULT OnNcCalcSize(BOOL calcValidRects, LPARAM lParam): lParam a RECT*, or an
// NCCALCSIZE_PARAMS* with calcValidRects
template <>
struct WndMsgCracker<WM_NCCALCSIZE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return handler(static_cast<BOOL>(wParam), lParam);
    }
};

// UINT OnNcHitTest(POINT screenPoint): an HT code
template <>
struct WndMsgCracker<WM_NCHITTEST> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM lParam)
    {
        return handler(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    }
};

// BOOL OnNcActivate(BOOL active): TRUE lets the change happen
template <>
struct WndMsgCracker<WM_NCACTIVATE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM)
    {
        return handler(static_cast<BOOL>(wParam));
    }
};

// void OnMouseLeave()
template <>
struct WndMsgCracker<WM_MOUSELEAVE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM)
    {
        handler();
        return 0;
    }
};

// void OnCaptureChanged(HWND newCapture)
template <>
struct WndMsgCracker<WM_CAPTURECHANGED> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM lParam)
    {
        handler(reinterpret_cast<HWND>(lParam));
        return 0;
    }
};

}  // namespace SAKU
