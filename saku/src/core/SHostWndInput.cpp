// The host window's input, non-client behaviour, caret, tooltip, timers, timeline,
// spy answers and animated show and hide.
#include "core/SHostWnd.h"

#include "core/DeflateRect.h"
#include "core/Geometry.h"
#include "core/IToolTip.h"
#include "core/SApplication.h"
#include "core/SCaret.h"
#include "core/SWindowMgr.h"
#include "render/IRenderFactory.h"

#include <climits>
#include <commctrl.h>
#include <stdlib.h>
#include <wchar.h>

namespace SAKU {

namespace {

constexpr DWORD kElementTimer = 0x80000000;
// As far left of and above the client area as a mouse message's point can be.
constexpr POINT kOffEveryElement = {SHRT_MIN, SHRT_MIN};
const wchar_t kSpyOverflow[] = L"##buf overflow!";
const wchar_t kSpyUnavailable[] = L"##unavailable!";

bool IsButtonDown(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

// The release that belongs to a press; 0 for anything else.
UINT ButtonUpOf(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return WM_LBUTTONUP;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        return WM_RBUTTONUP;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return WM_MBUTTONUP;
    default:
        return 0;
    }
}

// Copies `text` into a field of `chars` characters, NUL included; a text that
// does not fit is replaced by the protocol's overflow mark, never cut.
void CopySpyText(wchar_t* field, int chars, const wchar_t* text)
{
    if (!text)
        text = L"";
    const wchar_t* const source = wcslen(text) < static_cast<size_t>(chars) ? text : kSpyOverflow;
    wcsncpy(field, source, chars - 1);
    field[chars - 1] = L'\0';
}

}  // namespace

// ---- Mouse, keyboard, focus and cursor ---------------------------------------

void SHostWnd::OnActivate(UINT state, BOOL, HWND)
{
    if (state == WA_INACTIVE) {
        ::SetFocus(nullptr);
        ReleaseHeldButton();
    } else {
        ::SetFocus(GetHwnd());
    }
}

LRESULT SHostWnd::OnFocusEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    DoFrameEvent(message, wParam, lParam);
    return 0;
}

BOOL SHostWnd::OnHostSetCursor(HWND window, UINT hitTest, UINT)
{
    if (window != GetHwnd() || hitTest != HTCLIENT) {
        PassMessageOn();   // the default procedure sets the frame's cursors
        return FALSE;
    }
    POINT point = {};
    ::GetCursorPos(&point);
    ::ScreenToClient(GetHwnd(), &point);
    return static_cast<BOOL>(DoFrameEvent(WM_SETCURSOR, 0, LParamOf(point)));
}

void SHostWnd::OnMouseMove(UINT, POINT)
{
    if (!m_trackingLeave) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, GetHwnd(), 0};
        m_trackingLeave = ::TrackMouseEvent(&track) != FALSE;
    }
    PassMessageOn();   // OnMouseEvent hands it to the tree
}

LRESULT SHostWnd::OnMouseEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE) {
        m_lastMouse = MouseMemory{0, wParam, lParam};
    } else if (IsButtonDown(message)) {
        m_lastMouse = MouseMemory{message, wParam, lParam};
        if (::GetWindowLongW(GetHwnd(), GWL_STYLE) & WS_CHILD)
            ::SetFocus(GetHwnd());
    } else if (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP) {
        m_lastMouse.message = 0;
    }
    DoFrameEvent(message, wParam, lParam);
    UpdateTooltip();
    return 0;
}

void SHostWnd::OnMouseWheel(UINT keys, short delta, POINT screenPoint)
{
    POINT point = screenPoint;   // the tree takes the wheel in client coordinates
    ::ScreenToClient(GetHwnd(), &point);
    DoFrameEvent(WM_MOUSEWHEEL, MAKEWPARAM(keys, delta), LParamOf(point));
}

void SHostWnd::OnMouseLeave()
{
    m_trackingLeave = false;
    m_lastMouse = MouseMemory{WM_MOUSELEAVE, 0, 0};
    DoFrameEvent(WM_MOUSELEAVE, 0, 0);
    UpdateTooltip();
}

// The press ended without a release of its own (the window was left, or another
// took the mouse): that is no click. An element that holds the press hears the
// release off every element, as after a press dragged away, so that it lets go by
// its own path (the pushed look, the capture, a scroll bar's drag) and fires
// nothing. Without a holder the release goes where the press went, as it always
// did: nothing there holds a press to click with (the caption forgets its drag).
void SHostWnd::ReleaseHeldButton()
{
    const UINT release = ButtonUpOf(m_lastMouse.message);
    if (!release)
        return;
    m_lastMouse.message = 0;
    const POINT at = OnGetSwndCapture() != 0 ? kOffEveryElement : PointOf(m_lastMouse.lParam);
    DoFrameEvent(release, m_lastMouse.wParam, LParamOf(at));
}

void SHostWnd::OnCaptureChanged(HWND newCapture)
{
    if (newCapture == GetHwnd())
        return;
    wchar_t className[32] = {};
    if (newCapture && ::GetClassNameW(newCapture, className, 32) && wcscmp(className, L"CLIPBRDWNDCLASS") == 0)
        return;
    ReleaseHeldButton();
}

LRESULT SHostWnd::OnKeyEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) {
        // System keys (Alt+F4, Alt+Space) stay the system's unless the focus wants them.
        SWindow* const focus = SWindowMgr::GetWindow(GetFocus());
        if (!focus || !(focus->OnGetDlgCode() & kDlgCodeWantSysKeys)) {
            PassMessageOn();
            return 0;
        }
    }
    const LRESULT result = DoFrameEvent(message, wParam, lParam);
    if (!TreeTookFrameEvent())
        PassMessageOn();
    return result;
}

LRESULT SHostWnd::OnNotify(int id, NMHDR* header)
{
    if (!header || header->code != static_cast<UINT>(NM_CUSTOMDRAW)) {
        PassMessageOn();
        return 0;
    }
    BOOL reflected = FALSE;
    const LRESULT result = ReflectNotifications(WM_NOTIFY, id, reinterpret_cast<LPARAM>(header), reflected);
    if (!reflected)
        PassMessageOn();
    return result;
}

// Their pointers are addresses in this thread's objects: from anywhere else (a
// SendMessage of another process reaches any top-level window) the address means
// nothing here, and reading through it would bring the window down.
LRESULT SHostWnd::RefuseForeignSend(UINT, WPARAM, LPARAM)
{
    if (::InSendMessageEx(nullptr) == ISMEX_NOSEND)
        PassMessageOn();   // this thread's own: to its handler below
    return 0;
}

LRESULT SHostWnd::OnScriptTimer(UINT_PTR, LPARAM)
{
    return 0;   // script timers would go to the script module, and there is none
}

BOOL SHostWnd::OnMenuEvent(EventArgs* args)
{
    return args ? HandleEvent(args) : FALSE;
}

SWND SHostWnd::OnSetSwndCapture(SWND swnd)
{
    ::SetCapture(GetHwnd());
    return SwndContainerImpl::OnSetSwndCapture(swnd);
}

BOOL SHostWnd::OnReleaseSwndCapture()
{
    if (!SwndContainerImpl::OnReleaseSwndCapture())
        return FALSE;
    if (::GetCapture() == GetHwnd())
        ::ReleaseCapture();
    // The window under the mouse may have changed while the capture held it.
    POINT point = {};
    ::GetCursorPos(&point);
    ::ScreenToClient(GetHwnd(), &point);
    ::PostMessageW(GetHwnd(), WM_MOUSEMOVE, 0, LParamOf(point));
    return TRUE;
}

// ---- Non-client behaviour -------------------------------------------------------

LRESULT SHostWnd::OnNcCalcSize(BOOL calcValidRects, LPARAM lParam)
{
    // The whole window is client area: the proposed window rectangle stays as it is.
    if (!calcValidRects)
        return 0;
    auto* const params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    const WINDOWPOS* const position = params->lppos;
    if (position->flags & SWP_NOSIZE)
        return 0;
    RECT rect = GetHostWindowRect();
    if (::GetWindowLongW(GetHwnd(), GWL_STYLE) & WS_CHILD)
        ::MapWindowPoints(nullptr, ::GetParent(GetHwnd()), reinterpret_cast<POINT*>(&rect), 2);
    if (!(position->flags & SWP_NOMOVE))
        ::OffsetRect(&rect, position->x - rect.left, position->y - rect.top);
    rect.right = rect.left + position->cx;
    rect.bottom = rect.top + position->cy;
    params->rgrc[0] = rect;
    return 0;
}

UINT SHostWnd::OnHostNcHitTest(POINT screenPoint)
{
    if (!m_hostAttr.IsResizable() || ::IsZoomed(GetHwnd()))
        return HTCLIENT;
    POINT point = screenPoint;
    ::ScreenToClient(GetHwnd(), &point);
    const RECT margin = m_hostAttr.GetMarginRect(m_scale);
    const RECT root = SWindow::GetWindowRect();
    const int width = root.right - root.left;
    const int height = root.bottom - root.top;
    const bool bottom = point.y > height - margin.bottom;
    const bool top = point.y < margin.top;
    if (point.x > width - margin.right)
        return bottom ? HTBOTTOMRIGHT : top ? HTTOPRIGHT : HTRIGHT;
    if (point.x < margin.left)
        return bottom ? HTBOTTOMLEFT : top ? HTTOPLEFT : HTLEFT;
    return bottom ? HTBOTTOM : top ? HTTOP : HTCLIENT;
}

void SHostWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    const HMONITOR monitor = ::MonitorFromWindow(GetHwnd(), MONITOR_DEFAULTTONULL);
    MONITORINFO monitorInfo = {};
    monitorInfo.cbSize = sizeof(monitorInfo);
    if (!monitor || !::GetMonitorInfoW(monitor, &monitorInfo))
        return;
    const RECT& work = monitorInfo.rcWork;
    const RECT& whole = monitorInfo.rcMonitor;
    const RECT inset = m_hostAttr.GetMaxRectInset(m_scale);
    info->ptMaxPosition.x = abs(work.left - whole.left) - inset.left;
    info->ptMaxPosition.y = abs(work.top - whole.top) - inset.top;
    info->ptMaxSize.x = abs(work.right - work.left) + inset.left + inset.right;
    info->ptMaxSize.y = abs(work.bottom - work.top) + inset.top + inset.bottom;
    info->ptMaxTrackSize = info->ptMaxSize;
    const SIZE minimum = m_hostAttr.GetMinSize(m_scale);
    info->ptMinTrackSize = POINT{minimum.cx, minimum.cy};
}

// ---- Caret -----------------------------------------------------------------------

BOOL SHostWnd::OnCreateCaret(SWND swnd, HBITMAP bitmap, int width, int height)
{
    ::CreateCaret(GetHwnd(), bitmap, width, height);
    ::HideCaret(GetHwnd());   // the system caret only tracks the position; the host draws its own
    if (m_caret && m_caretDrawn) {
        DrawCaret(m_caretPos);   // the old caret's inverted pixels go with it
        m_caretDrawn = false;
    }
    m_caret = SAutoRef<SCaret>::Adopt(new SCaret(swnd, bitmap, width, height));
    return TRUE;
}

BOOL SHostWnd::OnShowCaret(BOOL show)
{
    m_caretShown = show != FALSE;
    if (m_caretShown) {
        SWindow::SetTimer(kCaretTimer, ::GetCaretBlinkTime());
        if (!m_caretDrawn) {
            DrawCaret(m_caretPos);
            m_caretDrawn = true;
        }
    } else {
        SWindow::KillTimer(kCaretTimer);
        if (m_caretDrawn) {
            DrawCaret(m_caretPos);
            m_caretDrawn = false;
        }
    }
    return TRUE;
}

BOOL SHostWnd::OnSetCaretPos(int x, int y)
{
    if (!m_caret)
        return FALSE;
    ::SetCaretPos(x, y);
    const POINT point = {x, y};
    if (m_caretShown && m_caretDrawn) {
        DrawCaret(m_caretPos);
        m_caretPos = point;
        DrawCaret(m_caretPos);
    } else {
        m_caretPos = point;
    }
    return TRUE;
}

void SHostWnd::DrawCaret(POINT point)
{
    if (!m_caret || !m_cacheTarget)
        return;
    const RECT drawn = m_caret->Draw(m_cacheTarget.Get(), point.x, point.y);
    if (::IsRectEmpty(&drawn))
        return;
    if (IsTranslucent()) {
        if (m_updateRegion)
            m_updateRegion->CombineRect(&drawn, RGN_OR);
        InvalidateHost(nullptr);
    } else {
        ::InvalidateRect(GetHwnd(), &drawn, FALSE);
    }
}

// ---- Tooltip -------------------------------------------------------------------

void SHostWnd::UpdateTooltip()
{
    if (!m_tooltip)
        return;
    SWindow* const hover = SWindowMgr::GetWindow(GetHover());
    if (IsButtonDown(m_lastMouse.message) || !hover) {
        m_tooltip->ClearTip();
        return;
    }
    SwndToolTipInfo tip;
    if (hover->UpdateToolTip(PointOf(m_lastMouse.lParam), tip))
        m_tooltip->UpdateTip(tip, m_scale);
    else
        m_tooltip->ClearTip();
}

// ---- Timers and timeline ---------------------------------------------------------

void SHostWnd::OnTimer(UINT_PTR id)
{
    if (!(id & kElementTimer)) {
        PassMessageOn();   // the window class's own timers
        return;
    }
    const SWND swnd = static_cast<SWND>(id & 0xFFFFFF);
    const UINT ownId = static_cast<UINT>((id >> 24) & 0x7F);
    SWindow* const window = SWindowMgr::GetWindow(swnd);
    if (!window) {
        KillHostTimer(id);   // its element is gone
        return;
    }
    if (window == this) {
        OnHostTimer(ownId);
        return;
    }
    window->SendSwndMessage(WM_TIMER, ownId, 0);
}

void SHostWnd::OnHostTimer(UINT id)
{
    if (id == static_cast<UINT>(kCaretTimer)) {
        if (m_caret) {
            DrawCaret(m_caretPos);
            m_caretDrawn = !m_caretDrawn;
        }
    } else if (id == static_cast<UINT>(kTimelineTimer)) {
        if (!::IsIconic(GetHwnd()))
            OnNextFrame();
    }
}

BOOL SHostWnd::RegisterTimelineHandler(ITimelineHandler* handler)
{
    if (!SwndContainerImpl::RegisterTimelineHandler(handler))
        return FALSE;
    if (++m_timelineHandlers == 1)
        SWindow::SetTimer(kTimelineTimer, 10);
    return TRUE;
}

BOOL SHostWnd::UnregisterTimelineHandler(ITimelineHandler* handler)
{
    if (!SwndContainerImpl::UnregisterTimelineHandler(handler))
        return FALSE;
    if (--m_timelineHandlers == 0)
        SWindow::KillTimer(kTimelineTimer);
    return TRUE;
}

// ---- Spy protocol ------------------------------------------------------------------

SWindow* SHostWnd::TreeWindow(SWND swnd)
{
    if (swnd == 0)
        return this;
    // Handles name the elements of every tree of the process: only this host's own are described.
    SWindow* const window = SWindowMgr::GetWindow(swnd);
    return window && window->GetContainer() == static_cast<ISwndContainer*>(this) ? window : nullptr;
}

BOOL SHostWnd::OnSpySetSpyWnd(HWND spy)
{
    m_spyWnd = spy && ::IsWindow(spy) ? spy : nullptr;
    return m_spyWnd != nullptr;
}

SWND SHostWnd::OnSpyGetWindow(SWND swnd, LPARAM code)
{
    if (!m_hostAttr.IsAllowSpy() || code < GSW_FIRSTCHILD || code > GSW_OWNER)
        return 0;
    SWindow* const window = TreeWindow(swnd);
    SWindow* const related = window ? window->GetWindow(static_cast<int>(code)) : nullptr;
    return related ? related->GetSwnd() : 0;
}

BOOL SHostWnd::OnSpyGetSwndInfo(SWND swnd)
{
    if (!m_hostAttr.IsAllowSpy() || !m_spyWnd || !::IsWindow(m_spyWnd))
        return 0;
    SWindow* const window = TreeWindow(swnd);
    if (!window)
        return 0;
    SwndSpyInfo info = {};
    info.swnd = window->GetSwnd();
    info.rcWindow = window->GetWindowRect();
    info.rcClient = window->GetClientRect();
    info.visible = window->IsVisible(TRUE) ? 1 : 0;
    info.id = window->GetID();
    CopySpyText(info.name, SwndSpyInfo::kNameChars, window->GetName());
    CopySpyText(info.className, SwndSpyInfo::kClassChars, window->GetObjectClass());
    CopySpyText(info.xml, SwndSpyInfo::kXmlChars, kSpyUnavailable);
    COPYDATASTRUCT data = {kSpyInfoTag, sizeof(info), &info};
    ::SendMessageW(m_spyWnd, WM_COPYDATA, reinterpret_cast<WPARAM>(GetHwnd()), reinterpret_cast<LPARAM>(&data));
    return TRUE;
}

SWND SHostWnd::OnSpySwndFromPoint(POINT screenPoint)
{
    POINT point = screenPoint;
    ::ScreenToClient(GetHwnd(), &point);
    return SwndFromPoint(point, 0);
}

// ---- Animated show and hide ------------------------------------------------------

BOOL SHostWnd::AnimateHostWindow(DWORD time, DWORD flags)
{
    if (!IsTranslucent())
        return ::AnimateWindow(GetHwnd(), time, flags);
    const bool hide = (flags & AW_HIDE) != 0;
    const bool slide = (flags & AW_SLIDE) != 0;
    const bool center = (flags & AW_CENTER) != 0;
    const bool blend = (flags & AW_BLEND) != 0;
    if (!slide && !center && !blend)
        return FALSE;

    m_fullRedraw = true;
    RenderCache();
    RECT client = {};
    CopyClientRect(&client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const BYTE alpha = m_hostAttr.GetAlpha();
    const int steps = static_cast<int>(time / 10);
    SAutoRef<IRenderTarget> frame;
    IRenderFactory* const factory = SApplication::GetInstance() ? SApplication::GetInstance()->GetRenderFactory() : nullptr;
    if (steps > 0 && (!factory || !factory->CreateRenderTarget(frame.Put(), width, height)))
        return FALSE;

    const UINT showFlags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | ((flags & AW_ACTIVATE) ? 0 : SWP_NOACTIVATE);
    if (steps == 0) {
        if (hide) {
            ::ShowWindow(GetHwnd(), SW_HIDE);
        } else {
            UpdateLayered(m_cacheTarget.Get(), nullptr, alpha);
            ::SetWindowPos(GetHwnd(), nullptr, 0, 0, 0, 0, showFlags | SWP_NOZORDER);
        }
        return TRUE;
    }

    // Step k of n hides k n-ths: showing plays the same frames backwards.
    auto frameAt = [&](int k, RECT& visible, BYTE& frameAlpha) {
        visible = client;
        frameAlpha = 255;
        if (blend) {
            frameAlpha = static_cast<BYTE>(255 - (255 / steps) * k);
        } else if (center) {
            const int dx = width / (2 * steps) * k;
            const int dy = height / (2 * steps) * k;
            visible = DeflateRect(client, RECT{dx, dy, dx, dy});
        } else if (flags & AW_HOR_POSITIVE) {
            visible.left += width / steps * k;
        } else if (flags & AW_HOR_NEGATIVE) {
            visible.right -= width / steps * k;
        } else if (flags & AW_VER_POSITIVE) {
            visible.top += height / steps * k;
        } else if (flags & AW_VER_NEGATIVE) {
            visible.bottom -= height / steps * k;
        }
        if (visible.right < visible.left)
            visible.right = visible.left;
        if (visible.bottom < visible.top)
            visible.bottom = visible.top;
    };
    auto play = [&](int k) {
        RECT visible;
        BYTE frameAlpha;
        frameAt(k, visible, frameAlpha);
        (void)frame->ClearRect(&client, 0);
        (void)frame->BitBlt(&visible, m_cacheTarget.Get(), visible.left, visible.top, SRCCOPY);
        UpdateLayered(frame.Get(), nullptr, static_cast<BYTE>(frameAlpha * alpha / 255));
        ::Sleep(10);
    };

    if (hide) {
        for (int k = 1; k <= steps; ++k)
            play(k);
        ::ShowWindow(GetHwnd(), SW_HIDE);
    } else {
        (void)frame->ClearRect(&client, 0);
        UpdateLayered(frame.Get(), nullptr, alpha);
        ::SetWindowPos(GetHwnd(), nullptr, 0, 0, 0, 0, showFlags | SWP_NOZORDER);
        for (int k = steps - 1; k >= 0; --k)
            play(k);
    }
    return TRUE;
}

}  // namespace SAKU
