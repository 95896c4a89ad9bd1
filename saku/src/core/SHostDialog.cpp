#include "core/SHostDialog.h"

#include "core/Events.h"
#include "core/IMsgLoopFactory.h"
#include "core/SApplication.h"
#include "core/SMessageLoop.h"

namespace SAKU {

namespace {

IMsgLoopFactory* LoopFactory()
{
    SApplication* const app = SApplication::GetInstance();
    return app ? app->GetMsgLoopFactory() : nullptr;
}

}  // namespace

SHostDialog::SHostDialog(LPCWSTR layout) : SHostWnd(layout)
{
    if (IMsgLoopFactory* const factory = LoopFactory())
        m_modalLoop = factory->CreateMsgLoop();
}

SHostDialog::~SHostDialog()
{
    // The window's last messages still ask for the loop.
    if (GetHwnd())
        DestroyHostWindow();
    if (IMsgLoopFactory* const factory = LoopFactory())
        factory->DestroyMsgLoop(m_modalLoop);
}

int SHostDialog::DoModal(HWND owner)
{
    if (!owner)
        owner = ::GetActiveWindow();
    const bool disabledOwner = owner && owner != ::GetDesktopWindow() && ::IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);

    const HWND window = CreateEx(owner, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, 0);
    if (!window || !m_modalLoop) {
        if (window)
            DestroyHostWindow();
        if (disabledOwner)
            ::EnableWindow(owner, TRUE);
        return 0;
    }
    ::SendMessageW(window, WM_INITDIALOG, reinterpret_cast<WPARAM>(window), 0);

    if (m_result == kNotEnded) {
        const HWND previous = ::SetActiveWindow(window);
        const bool toolWindow = ::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW;
        ::ShowWindow(window, toolWindow ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
        const int exitCode = m_modalLoop->Run();
        if (m_result == kNotEnded)
            ::PostQuitMessage(exitCode);   // WM_QUIT ended this loop: the outer one must end too
        // The owner is enabled and active again before the window goes, so that
        // the activation does not pass to another program's window. The window is
        // not hidden first: destroying it takes it away (see DestroyHostWindow).
        if (disabledOwner)
            ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(previous);
    } else if (disabledOwner) {
        // Ended while it was being initialised: the owner must not stay disabled.
        ::EnableWindow(owner, TRUE);
    }
    if (GetHwnd())
        DestroyHostWindow();
    return m_result;
}

void SHostDialog::EndDialog(int code)
{
    if (m_result != kNotEnded)
        return;
    m_result = code;
    if (m_modalLoop)
        m_modalLoop->Quit();
    // The window stays up until the loop has returned and DoModal destroys it.
    if (GetHwnd())
        ::PostMessageW(GetHwnd(), WM_NULL, 0, 0);   // wakes the loop so that it sees the end
}

void SHostDialog::OnOK()
{
    EndDialog(IDOK);
}

void SHostDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL SHostDialog::HandleEvent(EventArgs* args)
{
    if (!args || args->GetID() != EventCmd::EventID)
        return FALSE;
    if (args->idFrom == IDOK) {
        OnOK();
        return TRUE;
    }
    if (args->idFrom == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

void SHostDialog::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    // Taken here in every case, so that the host's own map does not hand it to the tree again.
    DoFrameEvent(WM_KEYDOWN, key, MAKELPARAM(repeatCount, flags));
    if (TreeTookFrameEvent() || (key != VK_ESCAPE && key != VK_RETURN))
        return;
    if (SWindow* const button = FindChildByID(key == VK_ESCAPE ? IDCANCEL : IDOK))
        button->FireCommand();
}

}  // namespace SAKU
