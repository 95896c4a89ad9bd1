#pragma once

#include "controls/SProgress.h"

namespace SAKU {

// The slider ("sliderbar"): a progress bar with a thumb that a click moves to
// the point and a drag carries along, growing rightwards or, vertical, down. It
// raises "on_slider_pos" for each value a click or a drag gives. A slider no
// longer than its thumb has no rail to move along and takes no click. Like the
// progress bar it needs its two skins to be created. Owned by its parent like
// every window; UI thread.
class SSliderBar : public SProgress {
public:
    SOBJECT_CLASS(SProgress, L"sliderbar", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"progress")

    // The parts of PartRect and PartFromPoint.
    static constexpr int kPartRail = 0;
    static constexpr int kPartFilled = 1;
    static constexpr int kPartThumb = 2;
    static constexpr int kPartBackground = 3;

    SSliderBar();

    // A part's rectangle in host coordinates; empty for another part.
    RECT PartRect(int part) const;
    // The part under a host point: thumb, filled part, rail in that order; -1 outside them.
    int PartFromPoint(POINT point) const;
    // Raises "on_slider_pos" with the value.
    void NotifyPos(int value);

    ISkinObj* GetThumbSkin() const { return m_thumbSkin; }
    BOOL IsThumbInRail() const { return m_thumbInRail != 0; }
    BOOL IsDragging() const { return m_dragging; }

    BEGIN_ATTRIBUTES(SSliderBar)
        ATTRIBUTE_SKIN   (L"thumbSkin",   m_thumbSkin,              kRefresh)
        ATTRIBUTE_FIELD  (L"thumbInRail", m_thumbInRail, ParseInt,  kRefresh)
    END_ATTRIBUTES_CHAIN(SProgress)

    // SWindow overrides
    SIZE MeasureDesiredSize(const RECT* container) override;
    void ApplyColorize(COLORREF color) override;

    BEGIN_SWND_MSG_MAP(SSliderBar)
        MSG_HANDLER  (WM_PAINT,       OnPaint)
        MSG_HANDLER  (WM_MOUSEMOVE,   OnMouseMove)
        MSG_HANDLER  (WM_LBUTTONDOWN, OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONUP,   OnLButtonUp)
        MSG_HANDLER  (WM_MOUSELEAVE,  OnMouseLeave)
        CHAIN_MSG_MAP(SProgress)
    END_MSG_MAP()

protected:
    void OnPaint(IRenderTarget* target);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnMouseLeave();

private:
    // The thumb's length along the bar, and the bar's.
    int ThumbLength() const;
    int BarLength() const;
    // How far the thumb travels: the bar less the thumb; 0 or less leaves nothing to move along.
    int RailLength() const { return BarLength() - ThumbLength(); }
    // The point's place along the bar, from the client rectangle's start.
    int Along(POINT point) const;
    // The value for a move of `distance` pixels along the rail from `from`.
    int ValueAfter(int from, int distance) const;
    void InvalidateThumb();

    BOOL m_dragging = FALSE;
    POINT m_dragStart = {};
    int m_dragStartValue = 0;
    int m_hoverPart = -1;
    ISkinObj* m_thumbSkin = nullptr;   // the pools'
    int m_thumbInRail = 0;
};

}  // namespace SAKU
