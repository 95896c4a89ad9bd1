#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

// The two-state toggle ("toggle"), such as a tree's expand mark: its skin drawn
// over the window by state (0 normal, 1 hover, 2 pushed) and three states on
// while toggled. A click flips it. Owned by its parent like every window; UI
// thread.
class SToggle : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"toggle", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SToggle();

    BOOL IsToggled() const { return m_toggled != 0; }
    ISkinObj* GetToggleSkin() const { return m_toggleSkin; }

    BEGIN_ATTRIBUTES(SToggle)
        ATTRIBUTE_FIELD  (L"toggled", m_toggled, ParseIntOrZero, kRefresh)
        ATTRIBUTE_SKIN   (L"skin",    m_toggleSkin,                  kRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    SIZE MeasureDesiredSize(const RECT* container) override;
    BOOL NeedRedrawOnStateChange() const override { return TRUE; }
    void ApplyColorize(COLORREF color) override;

    BEGIN_SWND_MSG_MAP(SToggle)
        MSG_HANDLER  (WM_PAINT,     OnPaint)
        MSG_HANDLER  (WM_LBUTTONUP, OnLButtonUp)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    void OnPaint(IRenderTarget* target);
    void OnLButtonUp(UINT flags, POINT point);

private:
    int m_toggled = 0;
    ISkinObj* m_toggleSkin = nullptr;   // the pools'
};

}  // namespace SAKU
