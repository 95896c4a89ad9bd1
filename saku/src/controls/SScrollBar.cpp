#include "controls/SScrollBar.h"

#include "controls/ScrollBarParts.h"
#include "core/Events.h"
#include "core/ISkinObj.h"
#include "core/SkinLookup.h"

#include <algorithm>
#include <climits>

namespace SAKU {

namespace {

constexpr const wchar_t* kDefaultSkin = L"_skin.sys.scrollbar";

constexpr int kStateNormal = 0;
constexpr int kStateHover = 1;
constexpr int kStatePushed = 2;
constexpr int kStateDisabled = 3;

constexpr int kPaintOrder[] = {kSbPartLineUp, kSbPartPageUp, kSbPartThumb, kSbPartPageDown, kSbPartLineDown};

bool IsArrow(int part)
{
    return part == kSbPartLineUp || part == kSbPartLineDown;
}

int LengthAlong(const RECT& rect, bool vertical)
{
    return vertical ? rect.bottom - rect.top : rect.right - rect.left;
}

int ClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

SScrollBar::SScrollBar()
{
    ISkinObj* const skin = FindBuiltinSkin(kDefaultSkin);
    if (skin && skin->IsClass(SSkinScrollbar::ClassName()))
        m_skin = skin;
    GetEventSet()->AddEvent(EventScroll::EventID, EventScroll::EventName());
}

HRESULT SScrollBar::OnAttrSkin(const SStringW& value, BOOL loading)
{
    // The parts are drawn by a scroll-bar skin's state word; another skin cannot.
    ISkinObj* const skin = FindSkin(value, GetScale());
    if (!skin || !skin->IsClass(SSkinScrollbar::ClassName()))
        return E_FAIL;
    m_skin = skin;
    return RefreshAnswer(kRefresh, loading);
}

void SScrollBar::OnInitFinished(pugi::xml_node element)
{
    SWindow::OnInitFinished(element);
    if (m_arrowSize < 0)
        m_arrowSize = GetArrowSize();
}

int SScrollBar::GetArrowSize() const
{
    if (m_arrowSize >= 0)
        return m_arrowSize;
    const SSkinScrollbar* const skin = SObjCast<SSkinScrollbar>(m_skin);
    return skin ? skin->GetBarThickness() : 0;
}

// ---- Geometry ---------------------------------------------------------------------

RECT SScrollBar::PartRectAt(int part, int position) const
{
    // The thumb stands for the position's offset from the minimum, within the
    // positions the bar scrolls through.
    const int offset = SbClampPosition(m_info, position) - m_info.nMin;
    return SbPartRect(GetWindowRect(), IsVertical() != FALSE, GetArrowSize(), m_info, part, offset);
}

RECT SScrollBar::ScrollPartRect(int part) const
{
    return PartRectAt(part, m_info.nTrackPos != -1 ? m_info.nTrackPos : m_info.nPos);
}

int SScrollBar::ScrollPartFromPoint(POINT point) const
{
    const int position = m_info.nTrackPos != -1 ? m_info.nTrackPos : m_info.nPos;
    const int offset = SbClampPosition(m_info, position) - m_info.nMin;
    const int part = SbPartFromPoint(GetWindowRect(), IsVertical() != FALSE, GetArrowSize(), m_info, offset, point);
    return part == kSbPartNone ? -1 : part;
}

void SScrollBar::NotifyScroll(int code, int position)
{
    EventScroll scrolled(this, code, position, IsVertical());
    RaiseEvent(&scrolled);
}

// ---- Messages ---------------------------------------------------------------------------

BOOL SScrollBar::OnSetScrollInfo(BOOL redraw, SCROLLINFO* info)
{
    if (info->fMask & SIF_PAGE)
        m_info.nPage = info->nPage;
    if (info->fMask & SIF_POS)
        m_info.nPos = info->nPos;
    if (info->fMask & SIF_RANGE) {
        m_info.nMin = info->nMin;
        m_info.nMax = info->nMax;
    }
    m_info.nPos = SbClampPosition(m_info, m_info.nPos);
    if (redraw)
        Invalidate();
    return TRUE;
}

BOOL SScrollBar::OnGetScrollInfo(SCROLLINFO* info)
{
    if (info->fMask & SIF_PAGE)
        info->nPage = m_info.nPage;
    if (info->fMask & SIF_POS)
        info->nPos = m_info.nPos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = m_info.nTrackPos;
    if (info->fMask & SIF_RANGE) {
        info->nMin = m_info.nMin;
        info->nMax = m_info.nMax;
    }
    return TRUE;
}

// ---- Painting ---------------------------------------------------------------------------

void SScrollBar::OnPaint(IRenderTarget* target)
{
    if (!m_skin)
        return;
    const int state = IsDisabled(TRUE) ? kStateDisabled : kStateNormal;
    for (const int part : kPaintOrder) {
        const RECT rect = ScrollPartRect(part);
        if (!::IsRectEmpty(&rect))
            m_skin->DrawByIndex(target, &rect, SSkinScrollbar::MakeState(part, state, IsVertical() != FALSE));
    }
}

void SScrollBar::DrawPart(int part, int state, const RECT& rect)
{
    if (!m_skin || part < 0 || !IsVisible(TRUE) || ::IsRectEmpty(&rect))
        return;
    if (IRenderTarget* const target = GetRenderTarget(&rect, kGdcPaintBkgnd, FALSE)) {
        m_skin->DrawByIndex(target, &rect, SSkinScrollbar::MakeState(part, state, IsVertical() != FALSE));
        ReleaseRenderTarget(target);
    }
}

// ---- Mouse ------------------------------------------------------------------------------

void SScrollBar::OnLButtonDown(UINT, POINT point)
{
    SetCapture();
    const int part = ScrollPartFromPoint(point);
    if (part == kSbPartThumb) {
        m_dragging = TRUE;
        m_dragStart = point;
        m_info.nTrackPos = m_info.nPos;
        m_dragStartPos = m_info.nPos;
        return;
    }
    m_pressedPart = part;
    if (part == -1)
        return;
    if (IsArrow(part))
        DrawPart(part, kStatePushed);
    NotifyScroll(part, m_info.nPos);
}

void SScrollBar::OnMouseMove(UINT, POINT point)
{
    if (m_dragging)
        DragThumb(point);
    else
        HoverAt(point);
}

void SScrollBar::DragThumb(POINT point)
{
    // A bar without positions (maximum below minimum) has nothing to drag to.
    if (m_info.nMax < m_info.nMin)
        return;
    const bool vertical = IsVertical() != FALSE;
    const int page = static_cast<int>(m_info.nPage);
    const int rail = std::max(LengthAlong(GetWindowRect(), vertical) - 2 * GetArrowSize(), 0);
    const int last = std::max(m_info.nMax, m_info.nMin + page - 1);
    const int slide = rail - SbThumbLength(rail, page, last - m_info.nMin + 1);
    const int delta = vertical ? point.y - m_dragStart.y : point.x - m_dragStart.x;
    const long long steps = static_cast<long long>(m_info.nMax) - page - m_info.nMin + 1;
    long long position = m_dragStartPos;
    if (slide > 0 && steps > 0)
        position += steps * delta / slide;
    const int next = SbClampPosition(m_info, ClampToInt(position));
    if (next == m_info.nTrackPos)
        return;
    RECT moved = ScrollPartRect(kSbPartThumb);
    m_info.nTrackPos = next;
    const RECT thumb = ScrollPartRect(kSbPartThumb);
    ::UnionRect(&moved, &moved, &thumb);
    DrawPart(kSbPartPageUp, kStateNormal, moved);
    DrawPart(kSbPartThumb, kStateHover, thumb);
    NotifyScroll(SB_THUMBTRACK, next);
}

void SScrollBar::HoverAt(POINT point)
{
    const int part = ScrollPartFromPoint(point);
    if (part == m_hoverPart)
        return;
    if (m_hoverPart != -1)
        DrawPart(m_hoverPart, kStateNormal);
    if (part != -1)
        DrawPart(part, kStateHover);
    m_hoverPart = part;
}

void SScrollBar::OnLButtonUp(UINT, POINT point)
{
    ReleaseCapture();
    if (m_dragging) {
        m_dragging = FALSE;
        // The range may have changed under the drag.
        m_info.nPos = SbClampPosition(m_info, m_info.nTrackPos);
        m_info.nTrackPos = -1;
        HoverAt(point);
        NotifyScroll(SB_THUMBPOSITION, m_info.nPos);
        return;
    }
    if (IsArrow(m_pressedPart))
        DrawPart(m_pressedPart, kStateNormal);
    m_pressedPart = -1;
}

void SScrollBar::OnMouseLeave()
{
    if (!m_dragging && m_hoverPart != -1)
        HoverAt(POINT{-1, -1});
    SetMsgHandled(FALSE);   // the window's own hover state goes too
}

}  // namespace SAKU
