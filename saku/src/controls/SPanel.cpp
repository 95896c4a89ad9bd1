#include "controls/SPanel.h"

#include "core/ISkinObj.h"
#include "core/SSkinPool.h"
#include "core/SkinLookup.h"
#include "core/SSkinScrollbar.h"

#include <algorithm>
#include <cstdlib>

namespace SAKU {

namespace {

constexpr const wchar_t* kDefaultSkin = L"_skin.sys.scrollbar";

// A held arrow or rail scrolls once at the press, waits on the first timer, then
// repeats on the second.
constexpr char kTimerDelay = 1;
constexpr char kTimerRepeat = 2;
constexpr UINT kDelayMs = 500;
constexpr UINT kRepeatMs = 50;

// The states of the skin's cells; kSbStateInactive is the bar at rest.
constexpr int kStateNormal = 0;
constexpr int kStateHover = 1;
constexpr int kStatePushed = 2;
constexpr int kStateDisabled = 3;

bool IsArrow(int part)
{
    return part == kSbPartLineUp || part == kSbPartLineDown;
}

// The position a bar's thumb is drawn at: the dragged one while a drag is pending.
int ShownPosition(const SCROLLINFO& info)
{
    return info.nTrackPos != -1 ? info.nTrackPos : info.nPos;
}

int LengthAlong(const RECT& rect, BOOL vertical)
{
    return vertical ? rect.bottom - rect.top : rect.right - rect.left;
}

void SetBits(DWORD& field, DWORD bits, BOOL set)
{
    field = set ? field | bits : field & ~bits;
}

void DrawSkinPart(ISkinObj* skin, IRenderTarget* target, const RECT& rect, int part, int state, BOOL vertical)
{
    if (skin && !::IsRectEmpty(&rect))
        skin->DrawByIndex(target, &rect, SSkinScrollbar::MakeState(part, state, vertical != FALSE));
}

}  // namespace

SPanel::SPanel()
{
    if (SSkinPoolMgr* const skins = SSkinPoolMgr::GetInstance()) {
        ISkinObj* const skin = skins->GetBuiltinPool()->GetSkin(kDefaultSkin, 100);
        if (skin && skin->IsClass(SSkinScrollbar::ClassName()))
            m_sbSkin = skin;
    }
}

HRESULT SPanel::OnAttrSbSkin(const SStringW& value, BOOL)
{
    SSkinPoolMgr* const skins = SSkinPoolMgr::GetInstance();
    ISkinObj* const skin = skins ? skins->GetSkin(value, GetScale()) : nullptr;
    if (!skin || !skin->IsClass(SSkinScrollbar::ClassName()))
        return E_FAIL;
    m_sbSkin = skin;
    return kRefresh;
}

// ---- Geometry ---------------------------------------------------------------------

int SPanel::GetSbWidth() const
{
    if (m_sbWid.IsSpecified())
        return m_sbWid.ToPixelSize(GetScale());
    const SSkinScrollbar* const skin = SObjCast<SSkinScrollbar>(m_sbSkin);
    return skin ? skin->GetBarThickness() : 0;
}

int SPanel::GetSbArrowSize() const
{
    if (m_sbArrowSize.IsSpecified())
        return m_sbArrowSize.ToPixelSize(GetScale());
    const SSkinScrollbar* const skin = SObjCast<SSkinScrollbar>(m_sbSkin);
    return skin && skin->HasArrowButtons() ? skin->GetBarThickness() : 0;
}

RECT SPanel::GetScrollBarRect(BOOL vertical) const
{
    if (!HasScrollBar(vertical))
        return RECT{};
    RECT bar;
    SWindow::CopyClientRect(&bar);
    const int width = GetSbWidth();
    const int scale = GetScale();
    if (vertical) {
        bar.left = bar.right - width;
        if (HasScrollBar(FALSE))
            bar.bottom -= width;
        bar.top += m_sbTop.ToPixelSize(scale);
        bar.bottom -= m_sbBottom.ToPixelSize(scale);
    } else {
        bar.top = bar.bottom - width;
        if (HasScrollBar(TRUE))
            bar.right -= width;
        bar.left += m_sbLeft.ToPixelSize(scale);
        bar.right -= m_sbRight.ToPixelSize(scale);
    }
    return bar;
}

RECT SPanel::PartRect(BOOL vertical, int part) const
{
    const SCROLLINFO& info = Info(vertical);
    return SbPartRect(GetScrollBarRect(vertical), vertical != FALSE, GetSbArrowSize(), info, part,
                      ShownPosition(info));
}

RECT SPanel::RailRect(BOOL vertical) const
{
    return SbRailRect(GetScrollBarRect(vertical), vertical != FALSE, GetSbArrowSize());
}

int SPanel::HitTestBars(POINT point, BOOL& vertical) const
{
    for (const BOOL bar : {FALSE, TRUE}) {
        const RECT rect = GetScrollBarRect(bar);
        if (!::PtInRect(&rect, point))
            continue;
        vertical = bar;
        const SCROLLINFO& info = Info(bar);
        return SbPartFromPoint(rect, bar != FALSE, GetSbArrowSize(), info, ShownPosition(info), point);
    }
    return kSbPartNone;
}

void SPanel::CopyClientRect(RECT* rect) const
{
    *rect = m_client;
}

BOOL SPanel::OnNcHitTest(POINT point)
{
    return m_dragBar != 0 || !::PtInRect(&m_client, point);
}

BOOL SPanel::IsBarActive(BOOL vertical) const
{
    return IsScrollBarEnabled(vertical) && !IsDisabled(TRUE);
}

// ---- Scrolling --------------------------------------------------------------------

int SPanel::GetScrollLineSize(BOOL)
{
    return m_scrollSpeed;
}

BOOL SPanel::OnScroll(BOOL vertical, UINT code, int position)
{
    SCROLLINFO& info = Info(vertical);
    const int page = static_cast<int>(info.nPage);
    int next = info.nPos;
    switch (code) {
    case SB_LINEUP:        next = info.nPos - GetScrollLineSize(vertical); break;
    case SB_LINEDOWN:      next = info.nPos + GetScrollLineSize(vertical); break;
    case SB_PAGEUP:        next = info.nPos - page; break;
    case SB_PAGEDOWN:      next = info.nPos + page; break;
    case SB_TOP:           next = info.nMin; break;
    case SB_BOTTOM:        next = info.nMax - page + 1; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:    next = position; break;
    default:               break;   // SB_ENDSCROLL and above move nothing
    }
    next = page == 0 ? 0 : SbClampPosition(info, next);
    if (next == info.nPos)
        return FALSE;
    info.nPos = next;
    if (code != SB_THUMBTRACK) {
        info.nTrackPos = -1;
        DrawRailAndThumb(vertical, kStateNormal, kStateNormal);
    }
    Invalidate();
    return TRUE;
}

BOOL SPanel::SetScrollPos(BOOL vertical, int position, BOOL redraw)
{
    SCROLLINFO& info = Info(vertical);
    info.nPos = SbClampPosition(info, position);
    if (redraw)
        InvalidateRect(GetScrollBarRect(vertical));
    OnScroll(vertical, SB_THUMBPOSITION, info.nPos);
    return TRUE;
}

BOOL SPanel::SetScrollRange(BOOL vertical, int minimum, int maximum, BOOL redraw)
{
    SCROLLINFO& info = Info(vertical);
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPos = SbClampPosition(info, info.nPos);
    if (redraw)
        InvalidateRect(GetScrollBarRect(vertical));
    return TRUE;
}

BOOL SPanel::ShowScrollBar(DWORD bars, BOOL show)
{
    SetBits(m_shownBars, bars, show);
    SendSwndMessage(WM_NCCALCSIZE);
    Invalidate();
    return TRUE;
}

BOOL SPanel::EnableScrollBar(DWORD bars, BOOL enable)
{
    SetBits(m_sbEnable, bars, enable);
    for (const BOOL vertical : {FALSE, TRUE}) {
        if (bars & BarBit(vertical))
            InvalidateRect(GetScrollBarRect(vertical));
    }
    return TRUE;
}

void SPanel::ScrollUpdate()
{
    const DWORD now = ::GetTickCount();
    if (now - m_lastUpdate < static_cast<DWORD>(std::max(m_updateInterval, 0)))
        return;
    UpdateWindow();
    m_lastUpdate = now;
}

// ---- Environment changes ------------------------------------------------------------

void SPanel::ApplyColorize(COLORREF color)
{
    SWindow::ApplyColorize(color);
    if (m_sbSkin)
        m_sbSkin->ApplyColorize(color);
}

void SPanel::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    m_sbSkin = RescaleSkin(m_sbSkin, scale);
    SendSwndMessage(WM_NCCALCSIZE);
}

// ---- Painting -------------------------------------------------------------------------

void SPanel::OnNcCalcSize()
{
    RECT client;
    SWindow::CopyClientRect(&client);
    const int width = GetSbWidth();
    if (HasScrollBar(TRUE))
        client.right = std::max(client.left, client.right - width);
    if (HasScrollBar(FALSE))
        client.bottom = std::max(client.top, client.bottom - width);
    m_client = client;
    InvalidateArea();
}

void SPanel::OnNcPaint(IRenderTarget* target)
{
    SWindow::OnNcPaint(target);
    if (!m_sbSkin)
        return;
    for (const BOOL vertical : {TRUE, FALSE}) {
        if (!HasScrollBar(vertical))
            continue;
        const int rest = IsBarActive(vertical) ? kSbStateInactive : kStateDisabled;
        const bool dragged = m_dragBar == BarBit(vertical);
        const bool thumbHovered = m_hitPart == kSbPartThumb && m_hitVertical == vertical;
        DrawSkinPart(m_sbSkin, target, PartRect(vertical, kSbPartLineUp), kSbPartLineUp, rest, vertical);
        DrawSkinPart(m_sbSkin, target, RailRect(vertical), kSbPartPageUp, dragged ? kStateHover : rest, vertical);
        DrawSkinPart(m_sbSkin, target, PartRect(vertical, kSbPartThumb), kSbPartThumb,
                     dragged ? kStatePushed : thumbHovered ? kStateHover : rest, vertical);
        DrawSkinPart(m_sbSkin, target, PartRect(vertical, kSbPartLineDown), kSbPartLineDown, rest, vertical);
    }
    if (HasScrollBar(TRUE) && HasScrollBar(FALSE)) {
        RECT corner;
        SWindow::CopyClientRect(&corner);
        const int width = GetSbWidth();
        corner.left = corner.right - width;
        corner.top = corner.bottom - width;
        DrawSkinPart(m_sbSkin, target, corner, kSbPartCorner, kStateNormal, TRUE);
    }
}

// Each draws into a render target of its own area, with what lies below the panel
// painted first, so that a translucent skin does not build up.
void SPanel::DrawArrow(BOOL vertical, int part, int state)
{
    const RECT rect = PartRect(vertical, part);
    if (!m_sbSkin || !IsVisible(TRUE) || ::IsRectEmpty(&rect))
        return;
    if (IRenderTarget* const target = GetRenderTarget(&rect, kGdcPaintBkgnd, FALSE)) {
        DrawSkinPart(m_sbSkin, target, rect, part, state, vertical);
        ReleaseRenderTarget(target);
    }
}

void SPanel::DrawRailAndThumb(BOOL vertical, int railState, int thumbState, const RECT* thumb)
{
    const RECT rail = RailRect(vertical);
    if (!m_sbSkin || !IsVisible(TRUE) || ::IsRectEmpty(&rail))
        return;
    if (IRenderTarget* const target = GetRenderTarget(&rail, kGdcPaintBkgnd, FALSE)) {
        DrawSkinPart(m_sbSkin, target, rail, kSbPartPageDown, railState, vertical);
        DrawSkinPart(m_sbSkin, target, thumb ? *thumb : PartRect(vertical, kSbPartThumb), kSbPartThumb, thumbState,
                     vertical);
        ReleaseRenderTarget(target);
    }
}

void SPanel::DrawBar(BOOL vertical, int arrowUpState, int railState, int thumbState, int arrowDownState)
{
    DrawArrow(vertical, kSbPartLineUp, arrowUpState);
    DrawRailAndThumb(vertical, railState, thumbState);
    DrawArrow(vertical, kSbPartLineDown, arrowDownState);
}

// ---- Mouse ------------------------------------------------------------------------------

void SPanel::OnNcMouseMove(UINT, POINT point)
{
    if (m_dragBar != 0) {
        DragThumb(point);
        return;
    }
    BOOL vertical = FALSE;
    const int part = HitTestBars(point, vertical);
    if (part == kSbPartNone) {
        LeaveBars();
        return;
    }
    if (part == m_hitPart && vertical == m_hitVertical)
        return;
    if (m_hitPart != kSbPartNone && vertical == m_hitVertical) {
        if (IsBarActive(vertical)) {
            if (IsArrow(m_hitPart))
                DrawArrow(vertical, m_hitPart, kStateNormal);
            else if (m_hitPart == kSbPartThumb)
                DrawRailAndThumb(vertical, kStateHover, kStateNormal);
            if (IsArrow(part))
                DrawArrow(vertical, part, kStateHover);
            else if (part == kSbPartThumb)
                DrawRailAndThumb(vertical, kStateNormal, kStateHover);
        }
    } else {
        LeaveBars();
        if (IsBarActive(vertical)) {
            const auto look = [part](int drawn) { return drawn == part ? kStateHover : kStateNormal; };
            DrawBar(vertical, look(kSbPartLineUp), kStateHover, look(kSbPartThumb), look(kSbPartLineDown));
        }
    }
    m_hitPart = part;
    m_hitVertical = vertical;
}

void SPanel::DragThumb(POINT point)
{
    const BOOL vertical = m_dragBar == kSbVert;
    SCROLLINFO& info = Info(vertical);
    const int page = static_cast<int>(info.nPage);
    const RECT rail = RailRect(vertical);
    const int railLength = std::max(LengthAlong(rail, vertical), 0);
    const int thumbLength = SbThumbLength(railLength, page, info.nMax - info.nMin + 1);
    const int delta = vertical ? point.y - m_dragStart.y : point.x - m_dragStart.x;
    const int last = info.nMax - page - info.nMin + 1;
    int position = m_dragStartPos;
    if (railLength != thumbLength)
        position += static_cast<int>(static_cast<long long>(last) * delta / (railLength - thumbLength));
    position = std::max(std::min(position, last), info.nMin);

    // The thumb follows the mouse pixel by pixel, within the rail.
    RECT thumb = SbPartRect(GetScrollBarRect(vertical), vertical != FALSE, GetSbArrowSize(), info, kSbPartThumb,
                            m_dragStartPos);
    const int before = vertical ? rail.top - thumb.top : rail.left - thumb.left;
    const int after = vertical ? rail.bottom - thumb.bottom : rail.right - thumb.right;
    const int shift = std::max(std::min(delta, after), before);
    ::OffsetRect(&thumb, vertical ? 0 : shift, vertical ? shift : 0);
    DrawRailAndThumb(vertical, kStateHover, kStatePushed, &thumb);

    if (position != info.nTrackPos) {
        info.nTrackPos = position;
        OnScroll(vertical, SB_THUMBTRACK, position);
    }
}

void SPanel::OnNcLButtonDown(UINT, POINT point)
{
    BOOL vertical = FALSE;
    const int part = HitTestBars(point, vertical);
    m_hitPart = part;
    m_hitVertical = vertical;
    if (part == kSbPartNone || !IsBarActive(vertical))
        return;
    SetCapture();
    if (part == kSbPartThumb) {
        m_dragBar = BarBit(vertical);
        m_dragStart = point;
        m_dragStartPos = Info(vertical).nPos;
        m_lastUpdate = ::GetTickCount() - static_cast<DWORD>(std::max(m_updateInterval, 0));   // the first step repaints
        DrawRailAndThumb(vertical, kStateHover, kStatePushed);
        return;
    }
    if (IsArrow(part))
        DrawArrow(vertical, part, kStatePushed);
    OnScroll(vertical, part, Info(vertical).nPos);
    SetTimer(kTimerDelay, kDelayMs);
}

void SPanel::OnNcLButtonUp(UINT flags, POINT point)
{
    ReleaseBars();
    OnNcMouseMove(flags, point);
}

void SPanel::ReleaseBars()
{
    // A release over the bars after a press elsewhere ends no press of theirs.
    const bool pressed = GetCapture() == GetSwnd();
    if (pressed)
        ReleaseCapture();
    if (m_dragBar != 0) {
        const BOOL vertical = m_dragBar == kSbVert;
        m_dragBar = 0;
        SCROLLINFO& info = Info(vertical);
        if (info.nTrackPos != -1)
            OnScroll(vertical, SB_THUMBPOSITION, info.nTrackPos);
        info.nTrackPos = -1;
        DrawRailAndThumb(vertical, kStateNormal, kStateNormal);
    } else if (pressed && IsArrow(m_hitPart)) {
        DrawArrow(m_hitVertical, m_hitPart, kStateNormal);
    }
    KillTimer(kTimerDelay);
    KillTimer(kTimerRepeat);
    m_hitPart = kSbPartNone;
}

void SPanel::OnNcMouseLeave()
{
    LeaveBars();
}

void SPanel::LeaveBars()
{
    if (m_dragBar != 0 || m_hitPart == kSbPartNone)
        return;
    if (IsBarActive(m_hitVertical))
        DrawBar(m_hitVertical, kSbStateInactive, kSbStateInactive, kSbStateInactive, kSbStateInactive);
    m_hitPart = kSbPartNone;
}

void SPanel::OnTimer(char id)
{
    if (id == kTimerDelay) {
        KillTimer(kTimerDelay);
        SetTimer(kTimerRepeat, kRepeatMs);
    } else if (id == kTimerRepeat && m_hitPart >= kSbPartLineUp && m_hitPart <= kSbPartPageDown) {
        OnScroll(m_hitVertical, m_hitPart, 0);
    }
}

void SPanel::OnShowWindow(BOOL show, UINT status)
{
    // A press ends with the panel's showing: its capture goes with it, and its
    // repeat timer, left running, would go on scrolling a hidden panel.
    if (!show && (m_dragBar != 0 || GetCapture() == GetSwnd()))
        ReleaseBars();
    SWindow::OnShowWindow(show, status);
}

LRESULT SPanel::OnMouseWheel(UINT flags, short delta, POINT point)
{
    const int turned = delta + m_wheelRemainder;
    m_wheelRemainder = turned % WHEEL_DELTA;
    const int notches = std::abs(turned / WHEEL_DELTA);
    if (notches == 0)
        return 0;
    const UINT code = turned / WHEEL_DELTA <= 0 ? SB_LINEDOWN : SB_LINEUP;
    int steps = 0;
    while (steps < notches && OnScroll(TRUE, code, 0))
        ++steps;
    // What this panel could not take, an outer one may.
    if (steps < notches) {
        const int rest = (notches - steps) * WHEEL_DELTA * (turned < 0 ? -1 : 1);
        SWindow::OnMouseWheel(flags, static_cast<short>(rest), point);
    }
    // The content moved under the mouse: hover and cursor follow it.
    ISwndContainer* const container = GetContainer();
    if (HWND const host = container ? container->GetHostHwnd() : nullptr) {
        ::SendMessageW(host, WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
        ::SendMessageW(host, WM_SETCURSOR, reinterpret_cast<WPARAM>(host), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
    return 0;
}

}  // namespace SAKU
