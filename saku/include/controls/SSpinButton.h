#pragma once

#include "core/ITimelineHandler.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

// A self-drawn pair of arrows ("spin"), up in the upper half and down in the
// lower, that steps the number its buddy window shows, within [min, max] and
// round to the other end when "circle" is set. A press steps at once; held, the
// arrow repeats on the container's timeline after 50 frames and then every 6th,
// while the mouse stays over it. Each step raises "on_spin_value2string", whose
// subscribers may rewrite the buddy's text or, clearing bubbleUp, keep it; a
// spin without a buddy reports only the arrow. Owned by its parent like every
// window; UI thread.
class SSpinButton : public SWindow, public ITimelineHandler {
public:
    SOBJECT_CLASS(SWindow, L"spin", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // The arrows.
    static constexpr int kArrowUp = 1;
    static constexpr int kArrowDown = 2;

    SSpinButton();

    // One step for the arrow: the buddy's text read as a decimal number, moved by
    // the step and written back through "on_spin_value2string".
    void StepValue(int arrow);
    // The arrow under a host point: down in the lower half, else up.
    int ArrowFromPoint(POINT point) const;
    void StartRepeat();
    void StopRepeat();

    // The window named "buddy" under the nearest ancestor that has one; null when none does.
    SWindow* GetBuddy() const;
    int GetMin() const { return m_min; }
    int GetMax() const { return m_max; }
    int GetStep() const { return m_step; }
    BOOL IsCircle() const { return m_circle; }
    ISkinObj* GetSpinSkin() const { return m_spinSkin; }
    int GetPressedArrow() const { return m_pressedArrow; }
    int GetHoverArrow() const { return m_hoverArrow; }

    BEGIN_ATTRIBUTES(SSpinButton)
        ATTRIBUTE_FIELD  (L"min",      m_min,       ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD  (L"max",      m_max,       ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD  (L"step",     m_step,      ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD  (L"circle",   m_circle,    ParseCircle,                kNoRefresh)
        ATTRIBUTE_SKIN   (L"spinSkin", m_spinSkin,                              kRefresh)
        ATTRIBUTE_FIELD  (L"buddy",    m_buddyName, SStringW,                   kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // ITimelineHandler overrides
    void OnNextFrame() override;

    BEGIN_SWND_MSG_MAP(SSpinButton)
        MSG_HANDLER  (WM_DESTROY,       OnDestroy)
        MSG_HANDLER  (WM_PAINT,         OnPaint)
        MSG_HANDLER  (WM_SHOWWINDOW,    OnShowWindow)
        MSG_HANDLER  (WM_MOUSEMOVE,     OnMouseMove)
        MSG_HANDLER  (WM_LBUTTONDOWN,   OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONDBLCLK, OnLButtonDown)   // a double click is a second press
        MSG_HANDLER  (WM_LBUTTONUP,     OnLButtonUp)
        MSG_HANDLER  (WM_MOUSELEAVE,    OnMouseLeave)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    void OnDestroy();
    void OnPaint(IRenderTarget* target);
    void OnShowWindow(BOOL show, UINT status);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnMouseLeave();

private:
    // "circle": off for "0" and "false" in any case, on for anything else.
    static bool ParseCircle(const SStringW& value);

    int m_min = 0;
    int m_max = 100;
    int m_step = 1;
    BOOL m_circle = TRUE;
    ISkinObj* m_spinSkin = nullptr;   // the pools'
    int m_hoverArrow = -1;
    int m_pressedArrow = -1;
    // The buddy is found by name at each step: a window of the tree may come
    // and go, and it may be loaded after the spin.
    SStringW m_buddyName;
    BOOL m_firstDelay = FALSE;
    int m_frames = 0;
};

}  // namespace SAKU
