#pragma once

#include "core/CMessageMap.h"
#include "core/SMsgHandleState.h"

#include <windows.h>

// The wrapper's creation function is called CreateWindow, which windows.h takes
// for its own function-like macro; the library creates with CreateWindowExW.
#undef CreateWindow

namespace SAKU {

struct WndThunk;

// The message a window is processing, as its handlers may ask for it.
struct SWndMsg {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

// Binds an object to a Win32 window of the library's class ("SAKUHOST") so that
// the window's messages arrive at the object's message map (CMessageMap.h) from
// the very first one. A small thunk of machine code, one per window, puts the
// object in place of the window handle before the common window procedure runs,
// so dispatch needs no lookup. Host windows, the tooltip, menus and the library's
// other popups derive from it. The object outlives its window: the window is
// done after OnFinalMessage, which a class may override to delete itself. The
// thread that creates the window owns it and the object.
class CSimpleWnd : public CMessageMap, public SMsgHandleState {
public:
    CSimpleWnd() = default;
    // Detaches a window that is still alive and destroys it.
    virtual ~CSimpleWnd();
    CSimpleWnd(const CSimpleWnd&) = delete;
    CSimpleWnd& operator=(const CSimpleWnd&) = delete;

    // Creates the window of this object (which must not have one), with no menu,
    // through CSimpleWndHelper's class; null when it could not be made, or when it
    // was destroyed during its creation (then OnFinalMessage has run, and the
    // caller must not count on the object any more if that deletes it).
    HWND CreateWindow(LPCWSTR windowName, DWORD style, DWORD exStyle, int x, int y, int width, int height,
                      HWND parent, LPVOID createParam);
    BOOL DestroyWindow();

    HWND GetHwnd() const { return m_hWnd; }
    // The window's rectangle in screen coordinates; empty without a window.
    RECT GetWindowRect() const;
    // A timer of this window: it arrives as WM_TIMER.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    BOOL KillTimer(UINT_PTR id);
    // New style = (old without `remove`) with `add`; FALSE and nothing done when
    // that changes nothing. Non-zero `swpFlags` also runs SetWindowPos with them,
    // the window kept in place, size and order, and not activated.
    BOOL ChangeStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ChangeStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
    // Centres on `center`; null: on the parent of a child, else on the owner, else
    // on the active window. Kept inside the parent's client area or the work area.
    BOOL CenterWindow(HWND center = nullptr);
    // Sends a child's notification back to the child as OCM_BASE + message;
    // `handled` says whether there was a child to send it to.
    LRESULT ReflectNotifications(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    // ReflectNotifications as the last entry of a map: the message is handled when
    // a control took it, except a colour request that it answered with no brush,
    // which goes on to the default procedure.
    LRESULT ReflectNotificationsOrDefault(UINT message, WPARAM wParam, LPARAM lParam);

    // The message being processed; null outside processing.
    const SWndMsg* GetCurrentMessage() const { return m_currentMsg; }
    // The default processing of the current message.
    LRESULT DefWindowProc();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // CMessageMap overrides
    BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD) override { return FALSE; }

protected:
    // The window is gone and no message of it is under way; the base gives the
    // thunk back.
    virtual void OnFinalMessage(HWND hwnd);

private:
    friend class CSimpleWndHelper;   // registers the class with StartWindowProc

    // The window's state while CreateWindow runs, on its stack, so that a window
    // destroyed inside CreateWindowExW is finished once and its object, which its
    // final message may have deleted, is left alone.
    struct Creation {
        bool started = false;     // the first message bound the window
        bool finished = false;    // OnFinalMessage ran
    };

    static LRESULT CALLBACK StartWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK WindowProc(HWND self, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    BOOL RunMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept;
    LRESULT FinishNcDestroy(WPARAM wParam, LPARAM lParam);
    BOOL ChangeLong(int index, DWORD remove, DWORD add, UINT swpFlags);
    void FreeThunk();

    HWND m_hWnd = nullptr;
    SWndMsg* m_currentMsg = nullptr;
    WNDPROC m_prevWndProc = ::DefWindowProcW;
    WndThunk* m_thunk = nullptr;
    bool m_destroyed = false;
    Creation* m_creation = nullptr;
};

}  // namespace SAKU
