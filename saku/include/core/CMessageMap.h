#pragma once

#include "core/WndMsgCracker.h"

#include <windows.h>

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
