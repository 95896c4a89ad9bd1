#pragma once

#include "controls/SBoxSkins.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCrack.h"

namespace SAKU {

// The check box ("check"): a box drawn by state (four unchecked states, then the
// same four checked) left of its text. A click on it or Space flips the checked
// state and fires the command. Owned by its parent like every window; UI thread.
class SCheckBox : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"check", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SCheckBox();

    ISkinObj* GetBoxSkin() const { return m_box.GetBox(); }
    ISkinObj* GetFocusSkin() const { return m_box.GetFocus(); }

    BEGIN_ATTRIBUTES(SCheckBox)
        ATTRIBUTE_HANDLER(L"skin",      OnAttrSkin)
        ATTRIBUTE_HANDLER(L"focusSkin", OnAttrFocusSkin)
        ATTRIBUTE_HANDLER(L"checked",   OnAttrChecked)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    void GetTextRect(RECT* rect) const override;
    SIZE MeasureDesiredSize(const RECT* container) override;
    void DrawFocus(IRenderTarget* target) override;
    BOOL NeedRedrawOnStateChange() const override { return TRUE; }
    UINT OnGetDlgCode() const override;
    void ApplyColorize(COLORREF color) override;
    void OnScaleChanged(int scale) override;

    BEGIN_SWND_MESSAGES(SCheckBox)
        MSG_WM_PAINT_EX     (OnPaint)
        MSG_WM_LBUTTONDBLCLK(OnLButtonDown)   // a double click is a second press
        MSG_WM_LBUTTONUP    (OnLButtonUp)
        MSG_WM_KEYDOWN      (OnKeyDown)
    END_SWND_MESSAGES_CHAIN(SWindow)

protected:
    void OnPaint(IRenderTarget* target);
    void OnLButtonUp(UINT flags, POINT point);
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);

private:
    HRESULT OnAttrSkin(const SStringW& value, BOOL loading);
    HRESULT OnAttrFocusSkin(const SStringW& value, BOOL loading);
    HRESULT OnAttrChecked(const SStringW& value, BOOL loading);

    SBoxSkins m_box{L"_skin.sys.checkbox", L"_skin.sys.focuscheckbox"};
};

}  // namespace SAKU
