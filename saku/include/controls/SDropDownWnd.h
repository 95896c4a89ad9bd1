#pragma once

#include "core/SHostWnd.h"
#include "core/SMessageLoop.h"

namespace SAKU {

class SDropDownWnd;

// The control that opens a drop-down window: it names the element whose host
// parents and whose loop carries the popup, fills the popup once its real window
// exists and takes its content back when the window goes.
struct ISDropDownOwner {
    virtual SWindow* OwnerWindow() = 0;
    virtual void OnDropDownCreated(SDropDownWnd* dropDown) = 0;
    virtual void OnDropDownDestroyed(SDropDownWnd* dropDown) = 0;

protected:
    ~ISDropDownOwner() = default;
};

// Where a control that opens a drop-down window stands: its rectangle on the
// screen, and the bounds of the monitor its host window lies on (the whole
// screen without one), against which the popup goes below or above it.
struct DropDownAnchor {
    RECT control;
    RECT bounds;
};
DropDownAnchor AnchorOfDropDown(const SWindow& control);

// A borderless popup host that shows a control's list or calendar above the other
// windows. It keeps the mouse captured, so that a click outside reaches it and
// closes it, and it closes on Enter, Escape and when the application loses the
// activation. While it lives it filters the owner's message loop. Once its real
// window exists it owns itself and releases itself after the window's last
// message; before that (and when the window cannot be made) its creator releases
// it. UI thread.
class SDropDownWnd : public SHostWnd, public IMessageFilter {
public:
    explicit SDropDownWnd(ISDropDownOwner* owner);
    ~SDropDownWnd() override;

    // Makes the real window over the owner's host window at `rect` (screen), then
    // lets the owner fill it; FALSE when the window could not be made.
    virtual BOOL CreatePopup(const RECT& rect, DWORD style, DWORD exStyle);
    // Ends the popup with IDOK or IDCANCEL; only the first call counts.
    void Dismiss(UINT code);
    // -1 while open.
    UINT GetExitCode() const { return m_exitCode; }
    ISDropDownOwner* GetDropDownOwner() const { return m_owner; }

    // IMessageFilter: tells the popup of the activation and of moves over other
    // windows; eats nothing.
    BOOL PreTranslateMessage(MSG* msg) override;

    // SHostWnd overrides
    // The owner's loop, which carries the filter.
    SMessageLoop* GetMsgLoop() override { return m_loop; }
    // Takes the system capture back, so that clicks outside keep arriving.
    BOOL OnReleaseSwndCapture() override;

    BEGIN_MSG_MAP(SDropDownWnd)
        MSG_HANDLER  (WM_DESTROY,       OnDestroy)
        MSG_HANDLER  (WM_ACTIVATE,      OnActivate)
        MSG_HANDLER  (WM_KILLFOCUS,     OnKillFocus)
        MSG_HANDLER  (WM_ACTIVATEAPP,   OnActivateApp)
        MSG_HANDLER  (WM_MOUSEACTIVATE, OnMouseActivate)
        MSG_HANDLER  (WM_KEYDOWN,       OnKeyDown)
        MSG_HANDLER  (WM_LBUTTONDOWN,   OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONUP,     OnLButtonUp)
        CHAIN_MSG_MAP(SHostWnd)
    END_MSG_MAP()

protected:
    void OnFinalMessage(HWND hwnd) override;

    void OnDestroy();
    void OnActivate(UINT, BOOL, HWND) {}   // the popup never takes the activation
    void OnKillFocus(HWND newFocus);
    void OnActivateApp(BOOL active, DWORD threadId);
    int OnMouseActivate(HWND, UINT, UINT) { return MA_NOACTIVATEANDEAT; }
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    void OnLButtonDown(UINT keys, POINT point);
    void OnLButtonUp(UINT keys, POINT point);

private:
    bool InClient(POINT point) const;

    int m_clicked = 0;           // a left button went down inside
    UINT m_exitCode = static_cast<UINT>(-1);
    ISDropDownOwner* m_owner;
    SMessageLoop* m_loop = nullptr;
    bool m_ownsSelf = false;     // the real window was made and filled
};

// The drop-down window of the combo boxes and the date-time picker: beside the
// base's filtering it takes Enter, Escape, Up and Down and the wheel from the
// thread's queue, so that the content answers them while the keyboard focus stays
// on the owner's host window.
class SDropDownWnd_ComboBox : public SDropDownWnd {
public:
    using SDropDownWnd::SDropDownWnd;

    // IMessageFilter
    BOOL PreTranslateMessage(MSG* msg) override;
};

}  // namespace SAKU
