#pragma once

#include "controls/SBoxSkins.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCrack.h"

namespace SAKU {

// The radio box ("radio"): a box drawn by state left of its text, one of a group
// made of the radio boxes among its parent's children. Checking one unchecks the
// others, without events from them; a click or the focus checks it, and only
// another box of the group unchecks it. Owned by its parent like every window; UI
// thread.
class SRadioBox : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"radio", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SRadioBox();

    ISkinObj* GetBoxSkin() const { return m_box.GetBox(); }
    ISkinObj* GetFocusSkin() const { return m_box.GetFocus(); }

    BEGIN_ATTRIBUTES(SRadioBox)
        ATTRIBUTE_HANDLER(L"skin",      OnAttrSkin)
        ATTRIBUTE_HANDLER(L"focusSkin", OnAttrFocusSkin)
        ATTRIBUTE_HANDLER(L"checked",   OnAttrChecked)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    void GetTextRect(RECT* rect) const override;
    SIZE MeasureDesiredSize(const RECT* container) override;
    void DrawFocus(IRenderTarget* target) override;
    BOOL NeedRedrawOnStateChange() const override { return TRUE; }
    BOOL IsSiblingsAutoGrouped() const override { return TRUE; }
    // The first checked radio box among the parent's children, maybe this one.
    SWindow* GetSelectedSiblingInGroup() override;
    void ApplyColorize(COLORREF color) override;
    void OnScaleChanged(int scale) override;

    BEGIN_SWND_MESSAGES(SRadioBox)
        MSG_WM_PAINT_EX   (OnPaint)
        MSG_WM_LBUTTONUP  (OnLButtonUp)
        SWND_MESSAGE_ENTRY(WM_SETFOCUS, OnSetFocus(static_cast<SWND>(wParam), static_cast<int>(lParam)))
    END_SWND_MESSAGES_CHAIN(SWindow)

protected:
    // SWindow overrides
    void OnStateChanging(DWORD oldState, DWORD newState) override;

    void OnPaint(IRenderTarget* target);
    void OnLButtonUp(UINT flags, POINT point);
    // `reason`: a FocusChangeReason.
    void OnSetFocus(SWND oldFocus, int reason);

private:
    HRESULT OnAttrSkin(const SStringW& value, BOOL loading);
    HRESULT OnAttrFocusSkin(const SStringW& value, BOOL loading);
    HRESULT OnAttrChecked(const SStringW& value, BOOL loading);

    SBoxSkins m_box{L"_skin.sys.radio", L"_skin.sys.focusradio"};
};

}  // namespace SAKU
