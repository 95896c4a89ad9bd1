#pragma once

#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

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

    BEGIN_SWND_MSG_MAP(SCaption)
        MSG_HANDLER  (WM_LBUTTONDOWN,   OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONUP,     OnLButtonUp)
        MSG_HANDLER  (WM_LBUTTONDBLCLK, OnLButtonDblClk)
        MSG_HANDLER  (WM_MOUSEMOVE,     OnMouseMove)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

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
