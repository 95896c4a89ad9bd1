#pragma once

#include "controls/SBoxWindow.h"
#include "core/SObjectFactory.h"

namespace SAKU {

// The radio box ("radio"): a box beside its text (SBoxWindow), one of a group
// made of the radio boxes among its parent's children. Checking one unchecks the
// others, without events from them; a click or the focus checks it, and only
// another box of the group unchecks it. Owned by its parent like every window; UI
// thread.
class SRadioBox : public SBoxWindow {
public:
    SOBJECT_CLASS(SWindow, L"radio", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SRadioBox() : SBoxWindow(L"_skin.sys.radio", L"_skin.sys.focusradio") {}

    BEGIN_ATTRIBUTES(SRadioBox)
        ATTRIBUTE_HANDLER(L"checked", OnAttrChecked)
    END_ATTRIBUTES_CHAIN(SBoxWindow)

    // SWindow overrides
    void DrawFocus(IRenderTarget* target) override;
    BOOL IsSiblingsAutoGrouped() const override { return TRUE; }
    // The first checked radio box among the parent's children, maybe this one.
    SWindow* GetSelectedSiblingInGroup() override;

BEGIN_SWND_MSG_MAP(SRadioBox)
        MSG_HANDLER  (WM_LBUTTONUP, OnLButtonUp)
        MSG_HANDLER  (WM_SETFOCUS,  OnSetFocus)
        CHAIN_MSG_MAP(SBoxWindow)
    END_MSG_MAP()

protected:
    // SWindow overrides
    void OnStateChanging(DWORD oldState, DWORD newState) override;

    void OnLButtonUp(UINT flags, POINT point);
    // `reason`: a FocusChangeReason.
    void OnSetFocus(SWND oldFocus, int reason);

private:
    HRESULT OnAttrChecked(const SStringW& value, BOOL loading);
};

}  // namespace SAKU
