#pragma once

#include "core/IAcceleratorMgr.h"
#include "core/ITimelineHandler.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

// The push button ("button"): its skin drawn by state (0 normal, 1 hover,
// 2 pushed or checked, 3 disabled) under its text. It fires the command on a
// click, on Space or Enter released while it has the focus, and on its
// accelerator ("accel", or a text ending in "(&X)" for Alt+X). With "animate" set,
// a change between normal and hover fades the hover frame in or out over ten
// frames of the container's timeline. It registers itself with its container's
// accelerator manager and timeline and leaves both when it is destroyed. Owned by
// its parent like every window; UI thread only.
class SButton : public SWindow, public IAcceleratorTarget, public ITimelineHandler {
public:
    SOBJECT_CLASS(SWindow, L"button", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SButton();

    // The packed accelerator (CAccelerator::GetPacked); 0 for none.
    DWORD GetAccelKey() const { return m_accel; }
    int GetAnimate() const { return m_animate; }
    // 255 while no fade runs.
    BYTE GetFadeAlpha() const { return m_fadeAlpha; }

    BEGIN_ATTRIBUTES(SButton)
        ATTRIBUTE_HANDLER(L"accel",   OnAttrAccel)
        ATTRIBUTE_FIELD  (L"animate", m_animate, ParseIntOrZero, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // After SWindow's building, a text that ends in "(&X)" gives the button Alt+X.
    BOOL BuildFromXml(pugi::xml_node element) override;

    // IAcceleratorTarget overrides
    bool OnAcceleratorPressed(const CAccelerator& accelerator) override;

    // ITimelineHandler overrides
    void OnNextFrame() override;

    // SWindow overrides
    UINT OnGetDlgCode() const override;
    SIZE MeasureDesiredSize(const RECT* container) override;
    BOOL NeedRedrawOnStateChange() const override { return TRUE; }

    BEGIN_SWND_MSG_MAP(SButton)
        MSG_HANDLER  (WM_DESTROY,       OnDestroy)
        MSG_HANDLER  (WM_SIZE,          OnSizeChanged)
        MSG_HANDLER  (WM_PAINT,         OnPaint)
        MSG_HANDLER  (WM_ERASEBKGND,    OnEraseBkgnd)    // the skin is the background, drawn by OnPaint
        MSG_HANDLER  (WM_KEYDOWN,       OnKeyDown)
        MSG_HANDLER  (WM_KEYUP,         OnKeyUp)
        MSG_HANDLER  (WM_LBUTTONDBLCLK, OnLButtonDown)   // a double click is a second press
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    // SWindow overrides
    void OnStateChanged(DWORD oldState, DWORD newState) override;

    void OnDestroy();
    void OnSizeChanged(UINT type, SIZE size);
    void OnPaint(IRenderTarget* target);
    BOOL OnEraseBkgnd(IRenderTarget* target);
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    void OnKeyUp(UINT key, UINT repeatCount, UINT flags);

private:
    HRESULT OnAttrAccel(const SStringW& value, BOOL loading);
    // Replaces the stored accelerator, registered with the container's manager
    // when it is not 0; whether the new one is not 0.
    bool SetAccel(DWORD packed);
    void UnregisterAccel();
    void StopCurAnimate();

    DWORD m_accel = 0;
    int m_animate = 0;
    BYTE m_fadeAlpha = 0xFF;
};

}  // namespace SAKU
