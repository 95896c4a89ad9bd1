#pragma once

#include "core/SAttributeMap.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

// What the check box and the radio box share: a box skin drawn by state at the
// left of the client rectangle (four unchecked states, then the same four
// checked), the text beside it, and a focus skin for the box. No element of its
// own: each box names its own class and skins. Its skins belong to the pools.
// Owned by its parent like every window; UI thread.
class SBoxWindow : public SWindow {
public:
    ISkinObj* GetBoxSkin() const { return m_boxSkin; }
    ISkinObj* GetFocusSkin() const { return m_focusSkin; }
    // The box's state for WndState_ bits: 3 disabled, 2 pushed, 1 hover, else 0,
    // and 4 more when checked.
    static int StateIndex(DWORD state);

    BEGIN_ATTRIBUTES(SBoxWindow)
        ATTRIBUTE_SKIN(L"skin",      m_boxSkin,   kNoRefresh)
        ATTRIBUTE_SKIN(L"focusSkin", m_focusSkin, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides: the text stands past the box.
    void GetTextRect(RECT* rect) const override;
    SIZE MeasureDesiredSize(const RECT* container) override;
    BOOL NeedRedrawOnStateChange() const override { return TRUE; }
    void ApplyColorize(COLORREF color) override;
    void OnScaleChanged(int scale) override;

    BEGIN_SWND_MSG_MAP(SBoxWindow)
        MSG_HANDLER  (WM_PAINT, OnPaint)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    // The built-in skins of the names; the text aligned left, the box focusable.
    SBoxWindow(LPCWSTR boxSkin, LPCWSTR focusSkin);

    // The focus skin's first state over the box; false without a focus skin.
    bool DrawFocusSkin(IRenderTarget* target) const;
    // The box, then SWindow's text.
    void OnPaint(IRenderTarget* target);

private:
    SIZE BoxSize() const;
    // The box's own size at the client's left, centred vertically.
    RECT BoxRect() const;

    ISkinObj* m_boxSkin = nullptr;
    ISkinObj* m_focusSkin = nullptr;
};

}  // namespace SAKU
