#include "core/CSimpleWnd.h"

#include "core/CSimpleWndHelper.h"

#include <cstdint>

#if !defined(__i386__) && !defined(_M_IX86)
#error "the window thunk is 32-bit x86 code"
#endif

namespace SAKU {

#pragma pack(push, 1)
// The code each window's procedure points at. A window procedure is called as
// stdcall with the window handle as the first argument on the stack, just above
// the return address; the thunk overwrites that argument with the object and
// jumps to the common procedure, which finds its object without any lookup.
struct WndThunk {
    DWORD movArgument;   // C7 44 24 04 imm32: mov dword ptr [esp+4], imm32
    DWORD object;        //   the imm32: the CSimpleWnd
    BYTE jump;           // E9 rel32: jmp rel32
    DWORD distance;      //   the rel32: WindowProc minus the end of the thunk
};
#pragma pack(pop)
static_assert(sizeof(WndThunk) == 13, "the thunk is 13 bytes of code");

namespace {

constexpr DWORD kMovArgument = 0x042444C7;   // C7 44 24 04 as stored
constexpr BYTE kJump = 0xE9;

void WriteThunk(WndThunk& thunk, CSimpleWnd* object, WNDPROC target)
{
    const auto end = reinterpret_cast<std::uintptr_t>(&thunk) + sizeof(WndThunk);
    thunk.movArgument = kMovArgument;
    thunk.object = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(object));
    thunk.jump = kJump;
    thunk.distance = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(target) - end);
    // New code in memory that may have held other code: the processor (or an
    // emulator translating it) must not run a stale copy.
    ::FlushInstructionCache(::GetCurrentProcess(), &thunk, sizeof(WndThunk));
}

// Which control sent a notification to its parent; null when none or unknown.
HWND NotifyingControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:   // menus and accelerators have no control
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY)
            return reinterpret_cast<HWND>(lParam);
        return ::GetDlgItem(parent, HIWORD(wParam));
    case WM_DRAWITEM:   // wParam 0: a menu item, no control
        return wParam && lParam ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_DELETEITEM:
        return wParam && lParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_COMPAREITEM:
        return wParam && lParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_MEASUREITEM:   // the item has no window yet: only its id
        return wParam && lParam ? ::GetDlgItem(parent, reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID)
                                : nullptr;
    default:
        return nullptr;
    }
}

// The new left (or top) of an extent of `size` centred on [centerFrom, centerTo)
// and kept within [limitFrom, limitTo).
int CenteredStart(LONG centerFrom, LONG centerTo, int size, LONG limitFrom, LONG limitTo)
{
    int start = (centerFrom + centerTo) / 2 - size / 2;
    if (start + size > limitTo)
        start = limitTo - size;
    if (start < limitFrom)
        start = limitFrom;
    return start;
}

RECT WorkAreaNear(HWND window)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

}  // namespace

CSimpleWnd::~CSimpleWnd()
{
    if (m_hWnd) {
        // The window must not call into an object that is going: it gets the
        // default procedure back for what remains of its life.
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_prevWndProc));
        ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
    FreeThunk();
}

HWND CSimpleWnd::CreateWindow(LPCWSTR windowName, DWORD style, DWORD exStyle, int x, int y, int width, int height,
                              HWND parent, LPVOID createParam)
{
    CSimpleWndHelper* const helper = CSimpleWndHelper::GetInstance();
    if (!helper || m_hWnd)
        return nullptr;

    SAutoLock lock(helper->m_createLock);
    // A thunk kept by a final message that did not give it back runs no window: it serves again.
    if (!m_thunk)
        m_thunk = static_cast<WndThunk*>(::HeapAlloc(helper->m_heap, HEAP_ZERO_MEMORY, sizeof(WndThunk)));
    if (!m_thunk)
        return nullptr;
    Creation creation;
    m_creation = &creation;
    helper->m_creating = this;
    helper->m_creatingThread = ::GetCurrentThreadId();
    const HWND hwnd = ::CreateWindowExW(exStyle, MAKEINTATOM(helper->m_atom), windowName, style, x, y, width, height,
                                        parent, nullptr, helper->m_module, createParam);
    helper->m_creating = nullptr;
    helper->m_creatingThread = 0;
    if (creation.finished)
        return nullptr;   // destroyed while being created; the final message may have deleted this object
    m_creation = nullptr;
    if (!hwnd) {
        // Refused before its first message, or destroyed without a final one:
        // no window runs this thunk.
        m_hWnd = nullptr;
        m_currentMsg = nullptr;
        m_destroyed = false;
        m_prevWndProc = ::DefWindowProcW;
        FreeThunk();
    }
    return hwnd;
}

BOOL CSimpleWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

RECT CSimpleWnd::GetWindowRect() const
{
    RECT rect = {};
    if (m_hWnd)
        ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

UINT_PTR CSimpleWnd::SetTimer(UINT_PTR id, UINT elapse)
{
    return ::SetTimer(m_hWnd, id, elapse, nullptr);
}

BOOL CSimpleWnd::KillTimer(UINT_PTR id)
{
    return ::KillTimer(m_hWnd, id);
}

BOOL CSimpleWnd::ChangeStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return ChangeLong(GWL_STYLE, remove, add, swpFlags);
}

BOOL CSimpleWnd::ChangeStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    return ChangeLong(GWL_EXSTYLE, remove, add, swpFlags);
}

BOOL CSimpleWnd::ChangeLong(int index, DWORD remove, DWORD add, UINT swpFlags)
{
    const DWORD old = static_cast<DWORD>(::GetWindowLongW(m_hWnd, index));
    const DWORD changed = (old & ~remove) | add;
    if (changed == old)
        return FALSE;
    ::SetWindowLongW(m_hWnd, index, static_cast<LONG>(changed));
    if (swpFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CSimpleWnd::CenterWindow(HWND center)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
    if (!center)
        center = (style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (!center && !(style & WS_CHILD))
        center = ::GetActiveWindow();

    RECT limits = {};
    RECT centerRect = {};
    if (style & WS_CHILD) {
        const HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &limits);
        ::GetClientRect(center, &centerRect);
        ::MapWindowPoints(center, parent, reinterpret_cast<POINT*>(&centerRect), 2);
    } else {
        const DWORD centerStyle = center ? static_cast<DWORD>(::GetWindowLongW(center, GWL_STYLE)) : 0;
        if (!(centerStyle & WS_VISIBLE) || (centerStyle & WS_MINIMIZE)) {
            limits = WorkAreaNear(m_hWnd);
            centerRect = limits;
        } else {
            limits = WorkAreaNear(center);
            ::GetWindowRect(center, &centerRect);
        }
    }

    const RECT window = GetWindowRect();
    const int left = CenteredStart(centerRect.left, centerRect.right, window.right - window.left, limits.left,
                                   limits.right);
    const int top = CenteredStart(centerRect.top, centerRect.bottom, window.bottom - window.top, limits.top,
                                  limits.bottom);
    return ::SetWindowPos(m_hWnd, nullptr, left, top, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CSimpleWnd::ReflectNotifications(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled)
{
    const HWND control = NotifyingControl(m_hWnd, message, wParam, lParam);
    if (!control) {
        handled = FALSE;
        return 0;
    }
    handled = TRUE;
    return ::SendMessageW(control, OCM_BASE + message, wParam, lParam);
}

LRESULT CSimpleWnd::ReflectNotificationsOrDefault(UINT message, WPARAM wParam, LPARAM lParam)
{
    BOOL reflected = FALSE;
    const LRESULT result = ReflectNotifications(message, wParam, lParam, reflected);
    const bool colourRequest = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    SetMsgHandled(reflected && !(colourRequest && result == 0));
    return result;
}

LRESULT CSimpleWnd::DefWindowProc()
{
    const SWndMsg* const msg = m_currentMsg;
    return msg ? ::CallWindowProcW(m_prevWndProc, m_hWnd, msg->message, msg->wParam, msg->lParam) : 0;
}

LRESULT CSimpleWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcW(m_prevWndProc, m_hWnd, message, wParam, lParam);
}

void CSimpleWnd::OnFinalMessage(HWND)
{
    FreeThunk();
}

void CSimpleWnd::FreeThunk()
{
    if (!m_thunk)
        return;
    // Without the helper the heap, and the thunk with it, are gone already.
    if (CSimpleWndHelper* const helper = CSimpleWndHelper::GetInstance())
        ::HeapFree(helper->m_heap, 0, m_thunk);
    m_thunk = nullptr;
}

LRESULT CALLBACK CSimpleWnd::StartWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    CSimpleWndHelper* const helper = CSimpleWndHelper::GetInstance();
    CSimpleWnd* const self = helper && helper->m_creatingThread == ::GetCurrentThreadId() ? helper->m_creating
                                                                                          : nullptr;
    if (!self)   // a window of the class that no CSimpleWnd is creating
        return ::DefWindowProcW(hwnd, message, wParam, lParam);

    helper->m_creating = nullptr;
    self->m_hWnd = hwnd;
    if (self->m_creation)
        self->m_creation->started = true;
    WriteThunk(*self->m_thunk, self, &CSimpleWnd::WindowProc);
    const auto proc = reinterpret_cast<WNDPROC>(self->m_thunk);
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    return proc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CSimpleWnd::WindowProc(HWND object, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    CSimpleWnd* const self = reinterpret_cast<CSimpleWnd*>(object);
    SWndMsg msg = {self->m_hWnd, message, wParam, lParam, 0};
    SWndMsg* const outer = self->m_currentMsg;
    self->m_currentMsg = &msg;

    LRESULT result = 0;
    const BOOL handled = self->RunMessageMap(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        if (!handled)
            result = self->FinishNcDestroy(wParam, lParam);
        // The window is gone whoever handled its last message: the object is
        // finished either way, never left bound to a dead handle.
        self->m_destroyed = true;
    } else if (!handled) {
        result = self->DefWindowProc(message, wParam, lParam);
    }
    msg.result = result;

    if (self->m_destroyed && !outer) {
        const HWND hwnd = self->m_hWnd;
        self->m_hWnd = nullptr;
        self->m_destroyed = false;
        self->m_currentMsg = nullptr;
        if (self->m_creation) {
            self->m_creation->finished = true;
            self->m_creation = nullptr;
        }
        self->OnFinalMessage(hwnd);   // may delete the object: nothing of it is touched after
    } else {
        self->m_currentMsg = outer;
    }
    return result;
}

BOOL CSimpleWnd::RunMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept
{
    try {
        return ProcessWindowMessage(m_hWnd, message, wParam, lParam, result, 0);
    } catch (...) {
        // A handler that ran out of memory: the default procedure answers instead.
        result = 0;
        return FALSE;
    }
}

LRESULT CSimpleWnd::FinishNcDestroy(WPARAM wParam, LPARAM lParam)
{
    // Put back a procedure that this window replaced, unless someone replaced ours since.
    const LONG_PTR ownProc = ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC);
    const LRESULT result = DefWindowProc(WM_NCDESTROY, wParam, lParam);
    if (m_prevWndProc != ::DefWindowProcW && ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == ownProc)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_prevWndProc));
    return result;
}

}  // namespace SAKU
