#pragma once

#include "controls/ScrollBarParts.h"
#include "core/SAttributeMap.h"
#include "core/SLayoutDim.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

// Which bars: the bits of ShowScrollBar, EnableScrollBar and "sbEnable".
constexpr DWORD kSbHorz = 1;
constexpr DWORD kSbVert = 2;
constexpr DWORD kSbBoth = kSbHorz | kSbVert;

// A window ("div") with two scroll bars of its own in its non-client area: the
// vertical bar along the right edge, the horizontal along the bottom, drawn with
// a scroll-bar skin ("sbSkin", a class that answers "scrollbar"). It keeps a
// SCROLLINFO per bar, hit-tests and paints the bar parts, hovers them, drags the
// thumb, repeats held arrows and rails on element timers 1 (500 ms) and 2 (50 ms)
// and turns the wheel into line steps. It moves no content itself: subclasses do
// that in OnScroll. Hover and drag feedback is drawn straight into a render
// target of the part, so that the content is not repainted for it. Owned by its
// parent like every window; UI thread only.
class SPanel : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"div", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SPanel();

    // Pixels of one line step of the bar.
    virtual int GetScrollLineSize(BOOL vertical);
    // Moves the bar for a Win32 scroll code (SB_LINEUP ... SB_ENDSCROLL) and, for
    // SB_THUMBPOSITION and SB_THUMBTRACK, `position`; clamped to the range. TRUE
    // when the position changed.
    virtual BOOL OnScroll(BOOL vertical, UINT code, int position);

    int GetSbWidth() const;       // the bars' thickness in pixels
    int GetSbArrowSize() const;   // an arrow's length in pixels; 0 for a skin without arrows
    ISkinObj* GetSbSkin() const { return m_sbSkin; }
    int GetScrollPos(BOOL vertical) const { return Info(vertical).nPos; }
    const SCROLLINFO& GetScrollInfo(BOOL vertical) const { return Info(vertical); }
    BOOL HasScrollBar(BOOL vertical) const { return (m_shownBars & BarBit(vertical)) != 0; }
    BOOL IsScrollBarEnabled(BOOL vertical) const { return (m_sbEnable & BarBit(vertical)) != 0; }
    // The bar's rectangle in host coordinates; empty while it is not shown.
    RECT GetScrollBarRect(BOOL vertical) const;
    // The part of a bar under a host point: a kSbPart code, kSbPartNone outside the
    // bars; `vertical` tells which bar.
    int HitTestBars(POINT point, BOOL& vertical) const;

    // Each clamps the position to the range; TRUE. With `redraw` the bar is repainted.
    BOOL SetScrollPos(BOOL vertical, int position, BOOL redraw);
    BOOL SetScrollRange(BOOL vertical, int minimum, int maximum, BOOL redraw);
    BOOL ShowScrollBar(DWORD bars, BOOL show);
    BOOL EnableScrollBar(DWORD bars, BOOL enable);
    // Repaints the content now, at most once per "updateInterval" ms: a dragged
    // thumb calls it for each step.
    void ScrollUpdate();

    BEGIN_ATTRIBUTES(SPanel)
        ATTRIBUTE_HANDLER(L"sbSkin",         OnAttrSbSkin)
        ATTRIBUTE_FIELD  (L"sbArrowSize",    m_sbArrowSize,    SLayoutDim, kNoRefresh)
        ATTRIBUTE_FIELD  (L"sbWid",          m_sbWid,          SLayoutDim, kRefresh)
        ATTRIBUTE_FIELD  (L"sbEnable",       m_sbEnable,       ParseInt,   kRefresh)
        ATTRIBUTE_FIELD  (L"updateInterval", m_updateInterval, ParseInt,   kNoRefresh)
        ATTRIBUTE_FIELD  (L"scrollSpeed",    m_scrollSpeed,    ParseInt,   kNoRefresh)
        ATTRIBUTE_FIELD  (L"sbLeft",         m_sbLeft,         SLayoutDim, kRefresh)
        ATTRIBUTE_FIELD  (L"sbRight",        m_sbRight,        SLayoutDim, kRefresh)
        ATTRIBUTE_FIELD  (L"sbTop",          m_sbTop,          SLayoutDim, kRefresh)
        ATTRIBUTE_FIELD  (L"sbBottom",       m_sbBottom,       SLayoutDim, kRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // ---- SWindow overrides ------------------------------------------------------------
    void CopyClientRect(RECT* rect) const override;   // without the shown bars
    BOOL OnNcHitTest(POINT point) override;
    void ApplyColorize(COLORREF color) override;
    void OnScaleChanged(int scale) override;

    BEGIN_SWND_MSG_MAP(SPanel)
        MSG_HANDLER  (WM_SHOWWINDOW,      OnShowWindow)
        MSG_HANDLER  (WM_NCCALCSIZE,      OnNcCalcSize)
        MSG_HANDLER  (WM_NCPAINT,         OnNcPaint)
        MSG_HANDLER  (WM_NCMOUSEMOVE,     OnNcMouseMove)
        MSG_HANDLER  (WM_NCLBUTTONDOWN,   OnNcLButtonDown)
        MSG_HANDLER  (WM_NCLBUTTONDBLCLK, OnNcLButtonDown)   // a double click is a second press
        MSG_HANDLER  (WM_NCLBUTTONUP,     OnNcLButtonUp)
        MSG_HANDLER  (WM_TIMER,           OnTimer)           // every timer that reaches the panel is its own
        MSG_HANDLER  (WM_HSCROLL,         OnScroll)
        MSG_HANDLER  (WM_VSCROLL,         OnScroll)
        MSG_HANDLER  (WM_MOUSEWHEEL,      OnMouseWheel)
        MSG_HANDLER  (WM_NCMOUSELEAVE,    OnNcMouseLeave)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    static DWORD BarBit(BOOL vertical) { return vertical ? kSbVert : kSbHorz; }
    SCROLLINFO& Info(BOOL vertical) { return vertical ? m_vertInfo : m_horzInfo; }
    const SCROLLINFO& Info(BOOL vertical) const { return vertical ? m_vertInfo : m_horzInfo; }

    void OnShowWindow(BOOL show, UINT status);
    void OnNcCalcSize();
    void OnNcPaint(IRenderTarget* target);
    void OnNcMouseMove(UINT flags, POINT point);
    void OnNcLButtonDown(UINT flags, POINT point);
    void OnNcLButtonUp(UINT flags, POINT point);
    void OnNcMouseLeave();
    void OnTimer(char id);
    // Line steps of the vertical bar; what the bar cannot take goes on to the parent.
    LRESULT OnMouseWheel(UINT flags, short delta, POINT point);

    // Subclasses set ranges, pages and the shown bits themselves, then send
    // WM_NCCALCSIZE.
    SCROLLINFO m_vertInfo = {sizeof(SCROLLINFO), 0, 0, 0, 0, 0, -1};
    SCROLLINFO m_horzInfo = {sizeof(SCROLLINFO), 0, 0, 0, 0, 0, -1};
    DWORD m_shownBars = 0;
    int m_updateInterval = 0;

private:
    HRESULT OnAttrSbSkin(const SStringW& value, BOOL loading);
    BOOL IsBarActive(BOOL vertical) const;   // enabled, and so is the window
    RECT PartRect(BOOL vertical, int part) const;
    RECT RailRect(BOOL vertical) const;
    // Direct drawing of bar parts, not through the window's invalid area.
    void DrawArrow(BOOL vertical, int part, int state);
    void DrawRailAndThumb(BOOL vertical, int railState, int thumbState, const RECT* thumb = nullptr);
    void DrawBar(BOOL vertical, int arrowUpState, int railState, int thumbState, int arrowDownState);
    void DragThumb(POINT point);
    // The hover leaves the bars: they are drawn at rest.
    void LeaveBars();
    // A press ends: capture, drag and repeat timers.
    void ReleaseBars();

    ISkinObj* m_sbSkin = nullptr;   // owned by the skin pools
    SLayoutDim m_sbArrowSize{kSizeInvalid, kUnitPx};
    SLayoutDim m_sbWid{kSizeInvalid, kUnitPx};
    SLayoutDim m_sbLeft;
    SLayoutDim m_sbRight;
    SLayoutDim m_sbTop;
    SLayoutDim m_sbBottom;
    DWORD m_sbEnable = kSbBoth;
    int m_scrollSpeed = 10;

    // The mouse on the bars: the part under it, the thumb being dragged.
    int m_hitPart = kSbPartNone;
    BOOL m_hitVertical = FALSE;
    DWORD m_dragBar = 0;            // kSbVert or kSbHorz while a thumb is dragged
    POINT m_dragStart = {};
    int m_dragStartPos = 0;

    RECT m_client = {};             // the window's client rectangle less the shown bars
    DWORD m_lastUpdate = 0;         // GetTickCount of the last forced repaint
    int m_wheelRemainder = 0;       // a wheel turn short of a notch, kept for the next
};

}  // namespace SAKU
