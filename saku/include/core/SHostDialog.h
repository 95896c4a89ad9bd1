#pragma once

#include "core/SHostWnd.h"

namespace SAKU {

// A host window run modally: DoModal creates the window, disables its owner and
// runs a message loop of its own until EndDialog, then answers the dialog's
// result. Esc and Enter click the elements with the ids 2 and 1, which end the
// dialog with IDCANCEL and IDOK, as does closing the window. Usually a stack
// object of its caller. UI thread.
class SHostDialog : public SHostWnd {
public:
    SOBJECT_CLASS(SHostWnd, L"hostdlg", kObjTypeWindow)

    // The result of a dialog that has not ended.
    static constexpr int kNotEnded = static_cast<int>(0xCCCCCCCC);

    explicit SHostDialog(LPCWSTR layout = nullptr);
    ~SHostDialog() override;

    // `owner` null: the active window. 0 when the window cannot be made;
    // kNotEnded when WM_QUIT ended the loop (the quit is passed on).
    virtual int DoModal(HWND owner = nullptr);
    // Only the first call counts.
    virtual void EndDialog(int code);
    int GetResult() const { return m_result; }

    // SHostWnd overrides
    SMessageLoop* GetMsgLoop() override { return m_modalLoop; }
    BOOL HandleEvent(EventArgs* args) override;

    BEGIN_MSG_MAP(SHostDialog)
        MSG_HANDLER      (WM_CLOSE,    OnClose)
        MSG_HANDLER      (WM_KEYDOWN,  OnKeyDown)
        CHAIN_MSG_MAP    (SHostWnd)
        MSG_RANGE_HANDLER(WM_NULL + 1, 0xFFFF, ReflectNotificationsOrDefault)
    END_MSG_MAP()

protected:
    virtual void OnOK();
    virtual void OnCancel();
    void OnClose() { OnCancel(); }
    // The tree sees the key first; an Esc or Enter it leaves clicks the element
    // with the id 2 or 1.
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);

private:
    int m_result = kNotEnded;
    SMessageLoop* m_modalLoop = nullptr;   // the message-loop factory's, given back to it
};

}  // namespace SAKU
