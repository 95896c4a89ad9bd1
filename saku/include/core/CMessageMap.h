#pragma once

#include <windows.h>
#include <windowsx.h>

#include <type_traits>

namespace SAKU {

// What a real window's messages are run through: a table of handlers that the
// map macros below write. Returns TRUE when an entry handled the message and put
// its answer in `result`; FALSE sends the message on to the default procedure.
class CMessageMap {
public:
    virtual BOOL ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                      DWORD mapId) = 0;

protected:
    ~CMessageMap() = default;   // windows are deleted as what they are
};

// A notification that a parent reflects goes back to the control that sent it
// as this base plus the message number.
constexpr UINT OCM_BASE = 0x2000;

// The handler signature of each message a map entry may name; an entry for a
// message without a cracker does not compile: add one here, one per message.
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

// Keeps the handled flag of an outer message while a map runs a nested one.
template <typename State>
class TMsgHandledKeeper {
public:
    explicit TMsgHandledKeeper(State& state) : m_state(state), m_outer(state.IsMsgHandled()) {}
    ~TMsgHandledKeeper() { m_state.SetMsgHandled(m_outer); }
    TMsgHandledKeeper(const TMsgHandledKeeper&) = delete;
    TMsgHandledKeeper& operator=(const TMsgHandledKeeper&) = delete;

private:
    State& m_state;
    BOOL m_outer;
};

}  // namespace SAKU

// The message map of a real window (a class derived from SAKU::CSimpleWnd), one
// entry a line, tried in order:
//
//     BEGIN_MSG_MAP(STipCtrl)
//         MSG_HANDLER      (WM_PAINT, OnPaint)
//         MSG_HANDLER      (WM_TIMER, OnTimer)
//         MSG_RANGE_HANDLER(WM_MOUSEFIRST, WM_MOUSELAST, OnMouseEvent)
//         CHAIN_MSG_MAP    (CSimpleWnd)
//         REFLECT_NOTIFICATIONS()
//     END_MSG_MAP()
//
// An entry sets the window's handled flag and calls its handler with the cracked
// arguments (WndMsgCracker); a handler that wants later entries, the base class's
// map and then the default procedure to see the message as well clears the flag
// with SetMsgHandled(FALSE). The flag of an outer message survives a nested one.
// The window's flag is CSimpleWnd's, also in a class that has a second one
// (a host window is a UI element too).
#define BEGIN_MSG_MAP(Class)                                                                          \
    BOOL ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, \
                              DWORD mapId) override                                                   \
    {                                                                                                 \
        static_assert(std::is_base_of_v<SAKU::CSimpleWnd, Class>, "a map of a real window");          \
        (void)hwnd;                                                                                   \
        (void)mapId;                                                                                  \
        const SAKU::TMsgHandledKeeper<SAKU::CSimpleWnd> keepOuterFlag(*this);

#define MSG_HANDLER(msg, handler)                                                                     \
        if (message == (msg)) {                                                                       \
            this->SAKU::CSimpleWnd::SetMsgHandled(TRUE);                                              \
            result = SAKU::WndMsgCracker<(msg)>::Call(                                                \
                [this](auto... args) { return this->handler(args...); }, wParam, lParam);             \
            if (this->SAKU::CSimpleWnd::IsMsgHandled())                                               \
                return TRUE;                                                                          \
        }

// LRESULT handler(UINT message, WPARAM wParam, LPARAM lParam): for a handler that
// passes a whole family of messages on as they came.
#define MSG_RANGE_HANDLER(first, last, handler)                                                       \
        if (message >= (first) && message <= (last)) {                                                \
            this->SAKU::CSimpleWnd::SetMsgHandled(TRUE);                                              \
            result = this->handler(message, wParam, lParam);                                          \
            if (this->SAKU::CSimpleWnd::IsMsgHandled())                                               \
                return TRUE;                                                                          \
        }

#define CHAIN_MSG_MAP(Base)                                                                           \
        if (Base::ProcessWindowMessage(hwnd, message, wParam, lParam, result, mapId))                 \
            return TRUE;

// Sends a child's notification back to the child (CSimpleWnd::ReflectNotifications).
#define REFLECT_NOTIFICATIONS()                                                                       \
        {                                                                                             \
            BOOL reflected = FALSE;                                                                   \
            result = this->ReflectNotifications(message, wParam, lParam, reflected);                  \
            if (reflected)                                                                            \
                return TRUE;                                                                          \
        }

#define END_MSG_MAP()                                                                                 \
        return FALSE;                                                                                 \
    }
