#include "core/SCaption.h"

namespace SAKU {

namespace {

// System commands as a caption sends them: the low bits name the caption (HTCAPTION).
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;           // 0xF012
constexpr WPARAM kMaximizeByCaption = SC_MAXIMIZE | HTCAPTION;   // 0xF032
constexpr WPARAM kRestoreByCaption = SC_RESTORE | HTCAPTION;     // 0xF122

bool HostHasStyle(HWND host, DWORD style)
{
    return host && (static_cast<DWORD>(::GetWindowLongW(host, GWL_STYLE)) & style) == style;
}

}  // namespace

BOOL IsNT6Workstation()
{
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version))) {
        // Older systems know only the short record, and it has no product type.
        version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        if (!::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)))
            return FALSE;
    }
    return version.wProductType == VER_NT_WORKSTATION && version.dwMajorVersion == 6;
}

HWND SCaption::HostWindow() const
{
    ISwndContainer* const container = GetContainer();
    return container ? container->GetHostHwnd() : nullptr;
}

void SCaption::OnLButtonDown(UINT flags, POINT point)
{
    if (IsFocusable())
        SetFocus();
    const HWND host = HostWindow();
    if (!host)
        return;
    if (HostHasStyle(host, WS_MAXIMIZE)) {
        m_maximizedDrag = TRUE;
        return;
    }
    ::SendMessageW(host, WM_SYSCOMMAND, kMoveByCaption, 0);
    // The system's move loop swallowed the real release.
    ::SendMessageW(host, WM_LBUTTONUP, flags, MAKELPARAM(point.x, point.y));
}

void SCaption::OnLButtonUp(UINT, POINT)
{
    m_maximizedDrag = FALSE;
}

void SCaption::OnLButtonDblClk(UINT, POINT)
{
    const HWND host = HostWindow();
    if (!HostHasStyle(host, WS_THICKFRAME | WS_MAXIMIZEBOX))
        return;
    ::SendMessageW(host, WM_SYSCOMMAND, HostHasStyle(host, WS_MAXIMIZE) ? kRestoreByCaption : kMaximizeByCaption, 0);
}

void SCaption::OnMouseMove(UINT, POINT)
{
    const HWND host = HostWindow();
    if (m_maximizedDrag && HostHasStyle(host, WS_MAXIMIZE) && IsNT6Workstation()) {
        ::SendMessageW(host, WM_SYSCOMMAND, kMoveByCaption, 0);
        m_maximizedDrag = FALSE;
    }
}

}  // namespace SAKU
