#pragma once

#include <windows.h>
#include <windowsx.h>

namespace SAKU {

// The handler signature of each message that an entry of a real window's message
// map (CMessageMap.h) may name. An entry for a message without a cracker does not
// compile: add one here, one per message.
template <UINT message>
struct WndMsgCracker;

// BOOL OnNcCreate(CREATESTRUCTW* create): FALSE stops the creation
template <>
struct WndMsgCracker<WM_NCCREATE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM lParam)
    {
        return handler(reinterpret_cast<CREATESTRUCTW*>(lParam));
    }
};

// int OnCreate(CREATESTRUCTW* create): -1 stops the creation, 0 goes on
template <>
struct WndMsgCracker<WM_CREATE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM lParam)
    {
        return handler(reinterpret_cast<CREATESTRUCTW*>(lParam));
    }
};

// void OnDestroy()
template <>
struct WndMsgCracker<WM_DESTROY> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM)
    {
        handler();
        return 0;
    }
};

// void OnClose()
template <>
struct WndMsgCracker<WM_CLOSE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM)
    {
        handler();
        return 0;
    }
};

// void OnSize(UINT type, SIZE size): type is SIZE_RESTORED, SIZE_MINIMIZED, ...
template <>
struct WndMsgCracker<WM_SIZE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        handler(static_cast<UINT>(wParam), SIZE{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
};

// void OnGetMinMaxInfo(MINMAXINFO* info)
template <>
struct WndMsgCracker<WM_GETMINMAXINFO> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM, LPARAM lParam)
    {
        handler(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    }
};

// void OnPaint(HDC dc): dc is null for a plain WM_PAINT; the handler begins painting
template <>
struct WndMsgCracker<WM_PAINT> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM)
    {
        handler(reinterpret_cast<HDC>(wParam));
        return 0;
    }
};

// BOOL OnEraseBkgnd(HDC dc): TRUE when the background was erased
template <>
struct WndMsgCracker<WM_ERASEBKGND> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM)
    {
        return handler(reinterpret_cast<HDC>(wParam));
    }
};

// void OnTimer(UINT_PTR id)
template <>
struct WndMsgCracker<WM_TIMER> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM)
    {
        handler(static_cast<UINT_PTR>(wParam));
        return 0;
    }
};

// void OnMouseMove(UINT keys, POINT point): point in client coordinates, signed
template <>
struct WndMsgCracker<WM_MOUSEMOVE> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        handler(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
};

// LRESULT OnMenuChar(UINT character, UINT menuType, HMENU menu): menuType is MF_POPUP or MF_SYSMENU
template <>
struct WndMsgCracker<WM_MENUCHAR> {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM lParam)
    {
        return handler(static_cast<UINT>(LOWORD(wParam)), static_cast<UINT>(HIWORD(wParam)),
                       reinterpret_cast<HMENU>(lParam));
    }
};

}  // namespace SAKU
