#pragma once

// The installer's message box with the test's steps run once the box has set
// itself up, and again at WM_APP, which the steps may post to act once the
// modal loop runs.

#include "CMsgBox.h"

#include <functional>

namespace installer_test {

class ProbeMsgBox : public CMsgBox {
public:
    using CMsgBox::CMsgBox;

    std::function<void(ProbeMsgBox&)> afterInit;
    std::function<void(ProbeMsgBox&)> onApp;

    void PostApp() { ::PostMessageW(GetHwnd(), WM_APP, 0, 0); }
    // Ends a box whose expected end never came with -1 after `ms`.
    void GiveUpAfter(UINT ms) { ::SetTimer(GetHwnd(), kGiveUpTimer, ms, nullptr); }

    BEGIN_MSG_MAP(ProbeMsgBox)
        MSG_RANGE_HANDLER(WM_APP,   WM_APP,   OnApp)
        MSG_RANGE_HANDLER(WM_TIMER, WM_TIMER, OnGiveUp)
        CHAIN_MSG_MAP    (CMsgBox)
    END_MSG_MAP()

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CMsgBox::OnInitDialog();
        if (afterInit)
            afterInit(*this);
        return result;
    }

private:
    static constexpr UINT_PTR kGiveUpTimer = 77;

    LRESULT OnGiveUp(UINT, WPARAM id, LPARAM)
    {
        if (id == kGiveUpTimer)
            EndDialog(-1);
        else
            CSimpleWnd::SetMsgHandled(FALSE);
        return 0;
    }
    LRESULT OnApp(UINT, WPARAM, LPARAM)
    {
        if (onApp)
            onApp(*this);
        return 0;
    }
};

}  // namespace installer_test
