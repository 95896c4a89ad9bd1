#pragma once

#include "core/SWindow.h"
#include "core/SwndMsgCrack.h"

namespace SAKU {

// The drag area of a borderless host ("caption"): a press moves the host window
// through the system's move loop, a double click maximises or restores a host
// that may be resized. A maximised host starts moving only at the first mouse
// move after the press, and only on Windows 6.x workstations, as their shell
// does with real captions. UI thread.
class SCaption : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"caption", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // clang-format off
    BEGIN_SWND_MESSAGES(SCaption)
        MSG_WM_LBUTTONDOWN  (OnLButtonDown)
        MSG_WM_LBUTTONUP    (OnLButtonUp)
        MSG_WM_LBUTTONDBLCLK(OnLButtonDblClk)
        MSG_WM_MOUSEMOVE    (OnMouseMove)
    END_SWND_MESSAGES_CHAIN(SWindow)
    // clang-format on

protected:
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnLButtonDblClk(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);

private:
    HWND HostWindow() const;

    BOOL m_maximizedDrag = FALSE;   // pressed while the host was maximised
};

// Whether the system is a workstation of major version 6 (Vista to 8.1).
BOOL IsNT6Workstation();

}  // namespace SAKU
