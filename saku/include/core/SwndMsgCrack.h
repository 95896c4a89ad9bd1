#pragma once

#include <windows.h>
#include <windowsx.h>

// The message map of a window class: ProcessSwndMessage written as a table of
// crackers, one entry per message, ending in the base class's map. Each entry
// sets the handled flag before it calls its handler with cracked arguments; a
// handler that wants the base class to see the message too clears the flag.
//
//     BEGIN_SWND_MESSAGES(SButton)
//         MSG_WM_PAINT_EX     (OnPaint)
//         MSG_WM_LBUTTONDOWN  (OnLButtonDown)
//     END_SWND_MESSAGES_CHAIN(SWindow)
//
// SWindow's own map (SWindow.cpp) is the same table between SWND_MESSAGES_BODY and
// SWND_MESSAGES_END(DefSwndProc).

#define BEGIN_SWND_MESSAGES(Class)                                                                  \
    BOOL ProcessSwndMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override \
    {                                                                                               \
        SWND_MESSAGES_BODY

#define SWND_MESSAGES_BODY \
    (void)wParam;          \
    (void)lParam;          \
    result = 0;

#define END_SWND_MESSAGES_CHAIN(Base)                                \
        return Base::ProcessSwndMessage(message, wParam, lParam, result); \
    }

// Ends a map with a function of ProcessSwndMessage's shape for the messages no
// entry took.
#define SWND_MESSAGES_END(fallback) return fallback(message, wParam, lParam, result);

// One entry: `call` runs with the handled flag set; the message ends here unless
// the handler cleared the flag.
#define SWND_MESSAGE_ENTRY(msg, call) \
    if (message == (msg)) {           \
        SetMsgHandled(TRUE);          \
        call;                         \
        if (IsMsgHandled())           \
            return TRUE;              \
    }

// int OnCreate(LPCREATESTRUCT createStruct): non-zero refuses the creation
#define MSG_WM_CREATE(func) \
    SWND_MESSAGE_ENTRY(WM_CREATE, result = static_cast<LRESULT>(func(reinterpret_cast<LPCREATESTRUCT>(lParam))))

// void OnDestroy()
#define MSG_WM_DESTROY(func) SWND_MESSAGE_ENTRY(WM_DESTROY, func())

// void OnSize(UINT type, SIZE clientSize)
#define MSG_WM_SIZE(func) \
    SWND_MESSAGE_ENTRY(WM_SIZE, func(static_cast<UINT>(wParam), SIZE{LOWORD(lParam), HIWORD(lParam)}))

// void OnSetFocus(SWND oldFocus)
#define MSG_WM_SETFOCUS_EX(func) SWND_MESSAGE_ENTRY(WM_SETFOCUS, func(static_cast<SWND>(wParam)))

// void OnKillFocus(SWND newFocus)
#define MSG_WM_KILLFOCUS_EX(func) SWND_MESSAGE_ENTRY(WM_KILLFOCUS, func(static_cast<SWND>(wParam)))

// void OnEnable(BOOL enable, UINT status): status 1 = pushed down from the parent
#define MSG_WM_ENABLE_EX(func) \
    SWND_MESSAGE_ENTRY(WM_ENABLE, func(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)))

// void OnShowWindow(BOOL show, UINT status): status 1 = pushed down from the parent
#define MSG_WM_SHOWWINDOW(func) \
    SWND_MESSAGE_ENTRY(WM_SHOWWINDOW, func(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)))

// void OnPaint(IRenderTarget* target)
#define MSG_WM_PAINT_EX(func) SWND_MESSAGE_ENTRY(WM_PAINT, func(reinterpret_cast<SAKU::IRenderTarget*>(wParam)))

// BOOL OnEraseBkgnd(IRenderTarget* target)
#define MSG_WM_ERASEBKGND_EX(func) \
    SWND_MESSAGE_ENTRY(WM_ERASEBKGND, result = func(reinterpret_cast<SAKU::IRenderTarget*>(wParam)))

// void OnNcPaint(IRenderTarget* target)
#define MSG_WM_NCPAINT_EX(func) SWND_MESSAGE_ENTRY(WM_NCPAINT, func(reinterpret_cast<SAKU::IRenderTarget*>(wParam)))

// The mouse messages carry the key flags in wParam and a host point in lParam,
// x and y each a signed 16-bit word.
#define SWND_MOUSE_POINT POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}

// void OnMouse(UINT flags, POINT point), for any of the button and move messages
#define MSG_MOUSE_MESSAGE(msg, func) SWND_MESSAGE_ENTRY(msg, func(static_cast<UINT>(wParam), SWND_MOUSE_POINT))
#define MSG_WM_MOUSEMOVE(func) MSG_MOUSE_MESSAGE(WM_MOUSEMOVE, func)
#define MSG_WM_LBUTTONDOWN(func) MSG_MOUSE_MESSAGE(WM_LBUTTONDOWN, func)
#define MSG_WM_LBUTTONUP(func) MSG_MOUSE_MESSAGE(WM_LBUTTONUP, func)
#define MSG_WM_LBUTTONDBLCLK(func) MSG_MOUSE_MESSAGE(WM_LBUTTONDBLCLK, func)
#define MSG_WM_RBUTTONUP(func) MSG_MOUSE_MESSAGE(WM_RBUTTONUP, func)
#define MSG_WM_MOUSEHOVER(func) MSG_MOUSE_MESSAGE(WM_MOUSEHOVER, func)

// The non-client twins: the same arguments, sent while the point lies in the window's border
#define MSG_WM_NCMOUSEMOVE(func) MSG_MOUSE_MESSAGE(WM_NCMOUSEMOVE, func)
#define MSG_WM_NCLBUTTONDOWN(func) MSG_MOUSE_MESSAGE(WM_NCLBUTTONDOWN, func)
#define MSG_WM_NCLBUTTONUP(func) MSG_MOUSE_MESSAGE(WM_NCLBUTTONUP, func)
#define MSG_WM_NCLBUTTONDBLCLK(func) MSG_MOUSE_MESSAGE(WM_NCLBUTTONDBLCLK, func)

// void OnNcMouseLeave()
#define MSG_WM_NCMOUSELEAVE(func) SWND_MESSAGE_ENTRY(WM_NCMOUSELEAVE, func())

// void OnNcCalcSize(): the window works out its client rectangle again
#define MSG_WM_NCCALCSIZE_EX(func) SWND_MESSAGE_ENTRY(WM_NCCALCSIZE, func())

// void OnTimer(char id): an element timer's own id (SWindow::SetTimer)
#define MSG_WM_TIMER_EX(func) SWND_MESSAGE_ENTRY(WM_TIMER, func(static_cast<char>(wParam)))

// BOOL OnScroll(BOOL vertical, int code, int position), for WM_HSCROLL (vertical FALSE) and
// WM_VSCROLL (TRUE): the scroll code in the low word of wParam, the position in the high word
#define MSG_WM_HSCROLL_EX(func) \
    SWND_MESSAGE_ENTRY(WM_HSCROLL, result = func(FALSE, LOWORD(wParam), HIWORD(wParam)))
#define MSG_WM_VSCROLL_EX(func) \
    SWND_MESSAGE_ENTRY(WM_VSCROLL, result = func(TRUE, LOWORD(wParam), HIWORD(wParam)))

// BOOL OnRButtonDown(UINT flags, POINT point): the answer is the message's result
#define MSG_WM_RBUTTONDOWN(func) \
    SWND_MESSAGE_ENTRY(WM_RBUTTONDOWN, result = func(static_cast<UINT>(wParam), SWND_MOUSE_POINT))

// LRESULT OnMouseWheel(UINT flags, short delta, POINT point)
#define MSG_WM_MOUSEWHEEL(func)                                                                         \
    SWND_MESSAGE_ENTRY(WM_MOUSEWHEEL, result = func(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), \
                                                    SWND_MOUSE_POINT))

// void OnMouseLeave()
#define MSG_WM_MOUSELEAVE(func) SWND_MESSAGE_ENTRY(WM_MOUSELEAVE, func())

// void OnKey(UINT key, UINT repeatCount, UINT flags), for WM_KEYDOWN and WM_KEYUP:
// the virtual key, then the low and high words of the key data
#define MSG_KEY_MESSAGE(msg, func) \
    SWND_MESSAGE_ENTRY(msg, func(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
#define MSG_WM_KEYDOWN(func) MSG_KEY_MESSAGE(WM_KEYDOWN, func)
#define MSG_WM_KEYUP(func) MSG_KEY_MESSAGE(WM_KEYUP, func)

// LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam): a message without a cracker
#define MESSAGE_HANDLER_EX(msg, func) SWND_MESSAGE_ENTRY(msg, result = func(message, wParam, lParam))

// LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam), for every message from `first` to `last`
#define MESSAGE_RANGE_HANDLER_EX(first, last, func)     \
    if (message >= (first) && message <= (last)) {      \
        SetMsgHandled(TRUE);                            \
        result = func(message, wParam, lParam);         \
        if (IsMsgHandled())                             \
            return TRUE;                                \
    }
