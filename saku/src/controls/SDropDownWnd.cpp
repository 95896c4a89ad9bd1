#include "controls/SDropDownWnd.h"

namespace SAKU {

namespace {

SMessageLoop* LoopOf(ISDropDownOwner* owner)
{
    SWindow* const window = owner ? owner->OwnerWindow() : nullptr;
    ISwndContainer* const container = window ? window->GetContainer() : nullptr;
    return container ? container->GetMsgLoop() : nullptr;
}

bool IsForwardedKey(WPARAM key)
{
    return key == VK_RETURN || key == VK_ESCAPE || key == VK_UP || key == VK_DOWN;
}

}  // namespace

SDropDownWnd::SDropDownWnd(ISDropDownOwner* owner) : m_owner(owner), m_loop(LoopOf(owner))
{
    if (m_loop)
        m_loop->AddMessageFilter(this);
}

SDropDownWnd::~SDropDownWnd()
{
    if (m_loop)
        m_loop->RemoveMessageFilter(this);
}

BOOL SDropDownWnd::CreatePopup(const RECT& rect, DWORD style, DWORD exStyle)
{
    SWindow* const window = m_owner ? m_owner->OwnerWindow() : nullptr;
    ISwndContainer* const container = window ? window->GetContainer() : nullptr;
    const HWND parent = container ? container->GetHostHwnd() : nullptr;
    // Created at its size, so that the host does not centre it on the parent.
    if (!CreateEx(parent, style, exStyle, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top))
        return FALSE;
    m_ownsSelf = true;
    m_owner->OnDropDownCreated(this);
    return TRUE;
}

void SDropDownWnd::Dismiss(UINT code)
{
    if (m_exitCode != static_cast<UINT>(-1))
        return;
    m_exitCode = code;
    DestroyHostWindow();
}

BOOL SDropDownWnd::PreTranslateMessage(MSG* msg)
{
    const HWND popup = GetHwnd();
    if (!popup)
        return FALSE;
    if (msg->message == WM_ACTIVATEAPP)
        ::SendMessageW(popup, WM_ACTIVATEAPP, msg->wParam, msg->lParam);
    else if (msg->message == WM_MOUSEMOVE)
        ::SendMessageW(popup, WM_SETCURSOR, reinterpret_cast<WPARAM>(popup), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return FALSE;
}

BOOL SDropDownWnd::OnReleaseSwndCapture()
{
    if (!SHostWnd::OnReleaseSwndCapture())
        return FALSE;
    if (GetHwnd() && m_exitCode == static_cast<UINT>(-1))
        ::SetCapture(GetHwnd());
    return TRUE;
}

void SDropDownWnd::OnFinalMessage(HWND hwnd)
{
    SHostWnd::OnFinalMessage(hwnd);
    // A window that died while it was being made leaves the object to its creator.
    if (m_ownsSelf)
        Release();
}

void SDropDownWnd::OnDestroy()
{
    if (m_ownsSelf && m_owner)
        m_owner->OnDropDownDestroyed(this);
    PassMessageOn();   // the host takes its tree down
}

void SDropDownWnd::OnKillFocus(HWND newFocus)
{
    if (newFocus && newFocus != GetHwnd())
        Dismiss(IDCANCEL);
    PassMessageOn();
}

void SDropDownWnd::OnActivateApp(BOOL active, DWORD)
{
    if (!active)
        Dismiss(IDCANCEL);
    PassMessageOn();
}

void SDropDownWnd::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_RETURN)
        Dismiss(IDOK);
    else if (key == VK_ESCAPE)
        Dismiss(IDCANCEL);
    else
        PassMessageOn();
}

bool SDropDownWnd::InClient(POINT point) const
{
    RECT client = {};
    ::GetClientRect(GetHwnd(), &client);
    return ::PtInRect(&client, point) != FALSE;
}

void SDropDownWnd::OnLButtonDown(UINT, POINT point)
{
    if (!InClient(point)) {
        Dismiss(IDCANCEL);
        return;
    }
    m_clicked = 1;
    PassMessageOn();
}

void SDropDownWnd::OnLButtonUp(UINT keys, POINT point)
{
    if (!m_clicked)
        return;
    // The release may close the popup (a click on an item): the object lives until
    // the window's last message has returned, the window maybe not.
    const HWND window = GetHwnd();
    OnMouseEvent(WM_LBUTTONUP, keys, MAKELPARAM(point.x, point.y));
    if (::IsWindow(window) && !InClient(point))
        Dismiss(IDCANCEL);
}

BOOL SDropDownWnd_ComboBox::PreTranslateMessage(MSG* msg)
{
    SDropDownWnd::PreTranslateMessage(msg);
    const HWND popup = GetHwnd();
    if (!popup)
        return FALSE;
    const bool key = (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) && IsForwardedKey(msg->wParam);
    if (!key && msg->message != WM_MOUSEWHEEL)
        return FALSE;
    ::SendMessageW(popup, msg->message, msg->wParam, msg->lParam);
    return TRUE;
}

DropDownAnchor AnchorOfDropDown(const SWindow& control)
{
    DropDownAnchor anchor = {control.GetWindowRect(), {}};
    ISwndContainer* const container = control.GetContainer();
    const HWND host = container ? container->GetHostHwnd() : nullptr;
    if (container)
        container->FrameToHost(anchor.control);
    if (host)
        ::MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&anchor.control), 2);
    const HMONITOR monitor = host ? ::MonitorFromWindow(host, MONITOR_DEFAULTTONULL) : nullptr;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (monitor && ::GetMonitorInfoW(monitor, &info))
        anchor.bounds = info.rcMonitor;
    else
        anchor.bounds = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return anchor;
}

}  // namespace SAKU
