#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

// A scroll bar that is a window of its own ("scrollbar"), unlike the bars a panel
// draws in its margin: it keeps a SCROLLINFO, draws its arrows, rails and thumb
// with a scroll-bar skin, and reports each press and each step of a thumb drag as
// "on_scroll" with the Win32 scroll code. It moves nothing itself, not even its
// own position for a press: its owner answers the event (SBM_SETSCROLLINFO) and
// moves what the bar controls. A press steps once; there is no auto-repeat.
// Owned by its parent like every window; UI thread.
class SScrollBar : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"scrollbar", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SScrollBar();

    // A part's rectangle in host coordinates, for a Win32 scroll code of a part
    // (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBTRACK); empty for
    // another code or a bar whose maximum lies below its minimum.
    RECT ScrollPartRect(int part) const;
    // The part under a host point, tried as arrows, thumb, rails; -1 outside all.
    int ScrollPartFromPoint(POINT point) const;
    // Raises "on_scroll" with the code, the position and the bar's direction.
    void NotifyScroll(int code, int position);

    const SCROLLINFO& GetScrollInfo() const { return m_info; }
    // The arrows' length in pixels: "arrowSize", else the skin's cell side, else 0.
    int GetArrowSize() const;
    BOOL IsVertical() const { return m_vertical != 0; }
    ISkinObj* GetScrollSkin() const { return m_skin; }

    BEGIN_ATTRIBUTES(SScrollBar)
        ATTRIBUTE_HANDLER(L"skin",      OnAttrSkin)
        ATTRIBUTE_FIELD  (L"arrowSize", m_arrowSize,  ParseInt, kRefresh)
        ATTRIBUTE_FIELD  (L"min",       m_info.nMin,  ParseInt, kRefresh)
        ATTRIBUTE_FIELD  (L"max",       m_info.nMax,  ParseInt, kRefresh)
        ATTRIBUTE_FIELD  (L"page",      m_info.nPage, ParseInt, kRefresh)
        ATTRIBUTE_FIELD  (L"value",     m_info.nPos,  ParseInt, kRefresh)
        ATTRIBUTE_FIELD  (L"vertical",  m_vertical,   ParseInt, kRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // IObject overrides: an arrow size left to the skin is fixed once loaded.
    void OnInitFinished(pugi::xml_node element) override;

    BEGIN_SWND_MSG_MAP(SScrollBar)
        MSG_HANDLER  (WM_PAINT,          OnPaint)
        MSG_HANDLER  (SBM_SETSCROLLINFO, OnSetScrollInfo)
        MSG_HANDLER  (SBM_GETSCROLLINFO, OnGetScrollInfo)
        MSG_HANDLER  (WM_MOUSEMOVE,      OnMouseMove)
        MSG_HANDLER  (WM_LBUTTONDOWN,    OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONUP,      OnLButtonUp)
        MSG_HANDLER  (WM_MOUSELEAVE,     OnMouseLeave)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    void OnPaint(IRenderTarget* target);
    BOOL OnSetScrollInfo(BOOL redraw, SCROLLINFO* info);
    BOOL OnGetScrollInfo(SCROLLINFO* info);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnMouseLeave();

private:
    HRESULT OnAttrSkin(const SStringW& value, BOOL loading);
    // The rectangle of a part with the thumb at `position`.
    RECT PartRectAt(int part, int position) const;
    // Draws straight into a render target of the part, not through the invalid area.
    void DrawPart(int part, int state, const RECT& rect);
    void DrawPart(int part, int state) { DrawPart(part, state, ScrollPartRect(part)); }
    void DragThumb(POINT point);
    void HoverAt(POINT point);

    ISkinObj* m_skin = nullptr;   // the pools'
    int m_arrowSize = -1;         // -1: the skin's
    SCROLLINFO m_info = {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, -1};
    BOOL m_dragging = FALSE;
    POINT m_dragStart = {};
    int m_dragStartPos = 0;
    int m_pressedPart = -1;
    int m_hoverPart = -1;
    int m_vertical = 1;
};

}  // namespace SAKU
