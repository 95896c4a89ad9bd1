#include "core/SwndContainerImpl.h"

#include "core/Geometry.h"
#include "core/SApplication.h"
#include "core/SAutoRef.h"
#include "core/SWindowMgr.h"

#include <windowsx.h>

namespace SAKU {

namespace {

// What a client-area mouse message becomes over a window's non-client part
// (WM_LBUTTONDOWN 0x201 to WM_NCLBUTTONDOWN 0xA1, and so on).
constexpr UINT kClientToNonClient = WM_LBUTTONDOWN - WM_NCLBUTTONDOWN;

bool IsInWindowRect(SWindow* window, POINT point)
{
    RECT rect = {};
    window->CopyWindowRect(&rect);
    return ::PtInRect(&rect, point) != FALSE;
}

bool IsHovering(SWindow* window)
{
    return (window->GetState() & WndState_Hover) != 0;
}

bool IsEnabled(SWindow* window)
{
    return window && !window->IsDisabled(TRUE);
}

// Numbers the subtree in pre-order, from `next`.
void NumberZorder(SWindow* window, UINT& next)
{
    window->SetZOrder(next++);
    for (SWindow* child = window->GetWindow(GSW_FIRSTCHILD); child; child = child->GetWindow(GSW_NEXTSIBLING))
        NumberZorder(child, next);
}

template <typename T>
bool Contains(const SLinkedList<T>& list, const T& value)
{
    for (auto* node = list.GetHead(); node; node = node->next) {
        if (node->value == value)
            return true;
    }
    return false;
}

template <typename T>
bool Remove(SLinkedList<T>& list, const T& value)
{
    for (auto* node = list.GetHead(); node; node = node->next) {
        if (node->value == value) {
            list.RemoveAt(node);
            return true;
        }
    }
    return false;
}

}  // namespace

SwndContainerImpl::SwndContainerImpl() : m_focusMgr(this), m_dropTarget(this)
{
    SetContainer(this);
}

SwndContainerImpl::~SwndContainerImpl() = default;

// The handlers are walked on a copy, since a tick may register or unregister
// handlers; one that left the list before its turn (its owner may be gone) is skipped.
void SwndContainerImpl::OnNextFrame()
{
    if (!IsVisible(TRUE))
        return;
    SLinkedList<ITimelineHandler*> handlers;
    if (!handlers.AddTailList(m_timelineHandlers))
        return;
    for (auto* node = handlers.GetHead(); node; node = node->next) {
        if (Contains(m_timelineHandlers, node->value))
            node->value->OnNextFrame();
    }
}

BOOL SwndContainerImpl::RegisterDragDrop(SWND swnd, IDropTarget* target)
{
    return m_dropTarget.RegisterDragDrop(swnd, target);
}

BOOL SwndContainerImpl::RevokeDragDrop(SWND swnd)
{
    return m_dropTarget.RevokeDragDrop(swnd);
}

SWND SwndContainerImpl::OnGetSwndCapture()
{
    return CaptureWindow() ? m_capture : 0;
}

BOOL SwndContainerImpl::OnReleaseSwndCapture()
{
    m_capture = 0;
    return TRUE;
}

SWND SwndContainerImpl::OnSetSwndCapture(SWND swnd)
{
    if (!IsEnabled(SWindowMgr::GetWindow(swnd)))
        return 0;
    const SWND previous = m_capture;
    m_capture = swnd;
    return previous;
}

void SwndContainerImpl::OnSetSwndFocus(SWND swnd)
{
    if (swnd != 0) {
        HWND const host = GetHostHwnd();
        if (host && ::GetFocus() != host && !(::GetWindowLongW(host, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
            ::SetFocus(host);
    }
    m_focusMgr.SetFocusedWindow(swnd, kFocusChangeDirect);
}

SWND SwndContainerImpl::GetHover() const
{
    return SWindowMgr::GetWindow(m_hover) ? m_hover : 0;
}

SWND SwndContainerImpl::GetFocus() const
{
    return m_focusMgr.GetFocusedHwnd();
}

void SwndContainerImpl::FrameToHost(RECT&) const
{
    // The tree's coordinates are the host's.
}

BOOL SwndContainerImpl::RegisterTimelineHandler(ITimelineHandler* handler)
{
    if (!handler || Contains(m_timelineHandlers, handler))
        return FALSE;
    return m_timelineHandlers.AddTail(handler) != nullptr;
}

BOOL SwndContainerImpl::UnregisterTimelineHandler(ITimelineHandler* handler)
{
    return Remove(m_timelineHandlers, handler) ? TRUE : FALSE;
}

void SwndContainerImpl::RegisterTrackMouseEvent(SWND swnd)
{
    if (!Contains(m_trackMouseWindows, swnd))
        m_trackMouseWindows.AddTail(swnd);
}

void SwndContainerImpl::UnregisterTrackMouseEvent(SWND swnd)
{
    Remove(m_trackMouseWindows, swnd);
}

void SwndContainerImpl::BuildWndTreeZorder()
{
    if (!m_zorderDirty)
        return;
    UINT next = 0;
    NumberZorder(this, next);
    m_zorderDirty = false;
}

LRESULT SwndContainerImpl::DoFrameEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    SAutoRef<SWindow> hold(this);
    SetMsgHandled(TRUE);
    LRESULT result = 0;
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            m_focusMgr.SaveFocusedWindow();
        else if (LOWORD(wParam) == WA_ACTIVE)
            m_focusMgr.RestoreFocusedWindow();
        break;
    case WM_SETFOCUS:
        m_focusMgr.RestoreFocusedWindow();
        break;
    case WM_KILLFOCUS:
        m_focusMgr.SaveFocusedWindow();
        break;
    case WM_ACTIVATEAPP:
        BroadcastMessage(message, wParam, lParam);
        break;
    case WM_SETCURSOR:
        result = OnFrameSetCursor(PointOf(lParam));
        if (!result) {
            if (SApplication* const app = SApplication::GetInstance())
                ::SetCursor(app->LoadCursor(IDC_ARROW));
        }
        break;
    case WM_KEYDOWN:
        OnFrameKeyDown(static_cast<UINT>(wParam), lParam);
        break;
    case WM_KEYUP:
    case WM_CHAR:
    case WM_DEADCHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_CHAR:
        OnFrameKeyEvent(message, wParam, lParam);
        break;
    case WM_MOUSEMOVE:
        OnFrameMouseMove(static_cast<UINT>(wParam), PointOf(lParam));
        break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        OnFrameMouseWheel(message, wParam, lParam);
        break;
    case WM_MOUSELEAVE:
        OnFrameMouseLeave();
        break;
    default:
        if (message == WM_MOUSEHOVER || (message >= WM_LBUTTONDOWN && message <= WM_XBUTTONDBLCLK))
            OnFrameMouseEvent(message, wParam, lParam);
        else
            SetMsgHandled(FALSE);
        break;
    }
    return result;
}

// A capture held by a window that is gone is given up (the host lets go of the
// real capture too); otherwise no mouse message would reach the tree again.
SWindow* SwndContainerImpl::CaptureWindow()
{
    if (m_capture == 0)
        return nullptr;
    SWindow* const window = SWindowMgr::GetWindow(m_capture);
    if (!window)
        OnReleaseSwndCapture();
    return window;
}

SWindow* SwndContainerImpl::HoverWindow()
{
    SWindow* const window = m_hover != 0 ? SWindowMgr::GetWindow(m_hover) : nullptr;
    if (!window) {
        m_hover = 0;
        m_ncHover = false;
    }
    return window;
}

void SwndContainerImpl::OnFrameKeyDown(UINT key, LPARAM lParam)
{
    if (m_focusMgr.OnKeyDown(key))
        return;
    SendToFocus(WM_KEYDOWN, key, lParam);
}

// With Alt held a letter is an accelerator (Alt+x offered as Alt+X) before it is
// a character. Only the character messages carry letters: the key messages'
// codes from 'a' to 'z' are the numeric pad and F1 to F11, which stay as they are.
void SwndContainerImpl::OnFrameKeyEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool character = message == WM_CHAR || message == WM_SYSCHAR || message == WM_DEADCHAR ||
                           message == WM_SYSDEADCHAR || message == WM_IME_CHAR;
    if (character && (::GetKeyState(VK_MENU) & 0x8000) && wParam >= L'a' && wParam <= L'z') {
        wParam -= L'a' - L'A';
        if (m_focusMgr.OnKeyDown(static_cast<UINT>(wParam)))
            return;
    }
    SendToFocus(message, wParam, lParam);
}

void SwndContainerImpl::SendToFocus(UINT message, WPARAM wParam, LPARAM lParam)
{
    SWindow* const focused = m_focusMgr.GetFocusedWindow();
    if (!focused) {
        SetMsgHandled(FALSE);
        return;
    }
    BOOL handled = FALSE;
    focused->SendSwndMessage(message, wParam, lParam, &handled);
    SetMsgHandled(handled);
}

void SwndContainerImpl::OnFrameMouseEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    SWindow* target = CaptureWindow();
    if (!target) {
        m_hover = SwndFromPoint(PointOf(lParam), FALSE);
        target = SWindowMgr::GetWindow(m_hover);
        if (!IsEnabled(target)) {
            SetMsgHandled(FALSE);
            return;
        }
    }
    // Only the button messages have non-client twins.
    if (m_ncHover && message >= WM_LBUTTONDOWN && message <= WM_XBUTTONDBLCLK && message != WM_MOUSEWHEEL)
        message -= kClientToNonClient;
    BOOL handled = FALSE;
    target->SendSwndMessage(message, wParam, lParam, &handled);
    SetMsgHandled(handled);
}

void SwndContainerImpl::OnFrameMouseMove(UINT keys, POINT point)
{
    const LPARAM lParam = LParamOf(point);
    if (SWindow* const capture = CaptureWindow()) {
        OnFrameMouseMoveWithCapture(capture, keys, point);
    } else {
        const SWND hit = SwndFromPoint(point, FALSE);
        SWindow* const hitWindow = SWindowMgr::GetWindow(hit);
        if (hit != m_hover) {
            SWindow* const old = HoverWindow();
            m_hover = hit;
            if (old && !(old->QueryStyle().m_bTrackMouseEvent && IsInWindowRect(old, point))) {
                SAutoRef<SWindow> hold(old);
                if (m_ncHover)
                    old->SendSwndMessage(WM_NCMOUSELEAVE, keys, lParam);
                old->SendSwndMessage(WM_MOUSELEAVE, keys, lParam);
            }
            // The flag belongs to the new window, whether or not it hovers already
            // (a tracking window may): a stale one would turn its clicks into
            // non-client clicks.
            m_ncHover = IsEnabled(hitWindow) && hitWindow->OnNcHitTest(point);
            if (IsEnabled(hitWindow)) {
                SAutoRef<SWindow> hold(hitWindow);
                if (!IsHovering(hitWindow)) {
                    if (m_ncHover)
                        hitWindow->SendSwndMessage(WM_NCMOUSEHOVER, keys, lParam);
                    hitWindow->SendSwndMessage(WM_MOUSEHOVER, keys, lParam);
                }
                hitWindow->SendSwndMessage(m_ncHover ? WM_NCMOUSEMOVE : WM_MOUSEMOVE, keys, lParam);
            }
        } else if (IsEnabled(hitWindow)) {
            SAutoRef<SWindow> hold(hitWindow);
            const bool nonClient = hitWindow->OnNcHitTest(point) != FALSE;
            if (nonClient != m_ncHover) {
                m_ncHover = nonClient;
                hitWindow->SendSwndMessage(nonClient ? WM_NCMOUSEHOVER : WM_NCMOUSELEAVE, keys, lParam);
            }
            hitWindow->SendSwndMessage(m_ncHover ? WM_NCMOUSEMOVE : WM_MOUSEMOVE, keys, lParam);
        }
    }
    UpdateTrackedWindows(&point);
}

// The capture holder alone hears of the mouse: it hovers while the point is in its
// rectangle and is left when the point goes out, and keeps getting the moves.
void SwndContainerImpl::OnFrameMouseMoveWithCapture(SWindow* capture, UINT keys, POINT point)
{
    const LPARAM lParam = LParamOf(point);
    SAutoRef<SWindow> hold(capture);
    const SWND candidate = IsInWindowRect(capture, point) ? m_capture : 0;
    if (candidate != m_hover) {
        if (SWindow* const old = HoverWindow()) {
            SAutoRef<SWindow> holdOld(old);
            if (m_ncHover)
                old->SendSwndMessage(WM_NCMOUSELEAVE, keys, lParam);
            old->SendSwndMessage(WM_MOUSELEAVE, keys, lParam);
        }
        m_hover = candidate;
        if (candidate != 0 && !IsHovering(capture)) {
            if (m_ncHover)
                capture->SendSwndMessage(WM_NCMOUSEHOVER, keys, lParam);
            capture->SendSwndMessage(WM_MOUSEHOVER, keys, lParam);
        }
    }
    capture->SendSwndMessage(m_ncHover ? WM_NCMOUSEMOVE : WM_MOUSEMOVE, keys, lParam);
}

void SwndContainerImpl::OnFrameMouseWheel(UINT message, WPARAM wParam, LPARAM lParam)
{
    SWindow* target = CaptureWindow();
    if (!target) {
        if (IsSendWheel2Hover()) {
            m_hover = SwndFromPoint(PointOf(lParam), FALSE);
            target = SWindowMgr::GetWindow(m_hover);
        } else {
            target = m_focusMgr.GetFocusedWindow();
        }
    }
    if (!IsEnabled(target)) {
        SetMsgHandled(FALSE);
        return;
    }
    BOOL handled = FALSE;
    target->SendSwndMessage(message, wParam, lParam, &handled);
    SetMsgHandled(handled);
}

void SwndContainerImpl::OnFrameMouseLeave()
{
    if (SWindow* const capture = CaptureWindow()) {
        SAutoRef<SWindow> hold(capture);
        capture->SendSwndMessage(WM_MOUSELEAVE, 0, 0);
    } else if (SWindow* const hover = HoverWindow(); IsEnabled(hover)) {
        SAutoRef<SWindow> hold(hover);
        hover->SendSwndMessage(WM_MOUSELEAVE, 0, 0);
        if (m_ncHover)
            hover->SendSwndMessage(WM_NCMOUSELEAVE, 0, 0);
    }
    UpdateTrackedWindows(nullptr);
    m_hover = 0;
}

// Every tracking window hovers while the point is in its own rectangle, whatever
// lies on top of it; without a point the mouse has left the host.
void SwndContainerImpl::UpdateTrackedWindows(const POINT* point)
{
    SLinkedList<SWND> tracked;
    if (!tracked.AddTailList(m_trackMouseWindows))
        return;
    for (auto* node = tracked.GetHead(); node; node = node->next) {
        SWindow* const window = SWindowMgr::GetWindow(node->value);
        if (!window) {
            UnregisterTrackMouseEvent(node->value);
            continue;
        }
        if (!window->IsVisible(TRUE))
            continue;
        SAutoRef<SWindow> hold(window);
        const bool inside = point && IsInWindowRect(window, *point);
        const LPARAM lParam = point ? LParamOf(*point) : 0;
        if (inside && !IsHovering(window))
            window->SendSwndMessage(WM_MOUSEHOVER, 0, lParam);
        else if (!inside && IsHovering(window))
            window->SendSwndMessage(WM_MOUSELEAVE, 0, lParam);
    }
}

BOOL SwndContainerImpl::OnFrameSetCursor(POINT point)
{
    if (SWindow* const capture = CaptureWindow())
        return capture->OnSetCursor(point);
    SWindow* const hover = HoverWindow();
    return IsEnabled(hover) ? hover->OnSetCursor(point) : FALSE;
}

}  // namespace SAKU
