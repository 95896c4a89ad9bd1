#pragma once

#include "controls/SBoxWindow.h"
#include "core/SObjectFactory.h"

namespace SAKU {

// The check box ("check"): a box beside its text (SBoxWindow). A click on it or
// Space flips the checked state and fires the command. Owned by its parent like
// every window; UI thread.
class SCheckBox : public SBoxWindow {
public:
    SOBJECT_CLASS(SWindow, L"check", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SCheckBox() : SBoxWindow(L"_skin.sys.checkbox", L"_skin.sys.focuscheckbox") {}

    BEGIN_ATTRIBUTES(SCheckBox)
        ATTRIBUTE_HANDLER(L"checked", OnAttrChecked)
    END_ATTRIBUTES_CHAIN(SBoxWindow)

    // SWindow overrides
    void DrawFocus(IRenderTarget* target) override;
    UINT OnGetDlgCode() const override;

    BEGIN_SWND_MSG_MAP(SCheckBox)
        MSG_HANDLER  (WM_LBUTTONDBLCLK, OnLButtonDown)   // a double click is a second press
        MSG_HANDLER  (WM_LBUTTONUP,     OnLButtonUp)
        MSG_HANDLER  (WM_KEYDOWN,       OnKeyDown)
        CHAIN_MSG_MAP(SBoxWindow)
    END_MSG_MAP()

protected:
    void OnLButtonUp(UINT flags, POINT point);
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);

private:
    HRESULT OnAttrChecked(const SStringW& value, BOOL loading);
};

}  // namespace SAKU
