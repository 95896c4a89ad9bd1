#include "controls/SScrollView.h"

#include "core/Events.h"

#include <algorithm>
#include <cwchar>

namespace SAKU {

namespace {

template <typename T>
void AddEventOf(SEventSet* events)
{
    events->AddEvent(T::EventID, T::EventName());
}

bool operator!=(POINT a, POINT b)
{
    return a.x != b.x || a.y != b.y;
}

bool operator!=(SIZE a, SIZE b)
{
    return a.cx != b.cx || a.cy != b.cy;
}

// Clamps a bar's position (and so the origin) for a page of `page` on a view of
// `extent`: a position whose page reaches past the view's last pixel moves back to
// one less than the largest position scrolling reaches, but never before the start.
int ClampToView(int position, int page, int extent)
{
    if (position + page > extent - 1)
        position = std::max(extent - 1 - page, 0);
    return position;
}

}  // namespace

SScrollView::SScrollView()
{
    ApplyAttribute(L"clipClient", L"1", TRUE);
    AddEventOf<EventScroll>(GetEventSet());
    AddEventOf<EventScrollViewOriginChanged>(GetEventSet());
    AddEventOf<EventScrollViewSizeChanged>(GetEventSet());
}

HRESULT SScrollView::OnAttrViewSize(const SStringW& value, BOOL loading)
{
    int width = 0;
    int height = 0;
    if (swscanf(value.c_str(), L"%d,%d", &width, &height) != 2)
        return E_INVALIDARG;
    if (width <= 0 || height <= 0) {
        m_autoViewSize = TRUE;
        if (!loading) {
            const RECT client = GetClientRect();
            OnSizeChanged(SIZE_RESTORED, SIZE{client.right - client.left, client.bottom - client.top});
        }
        return kNoRefresh;
    }
    m_autoViewSize = FALSE;
    if (loading)
        m_viewSize = SIZE{width, height};
    else
        SetViewSize(width, height);
    return kNoRefresh;
}

// ---- The view ---------------------------------------------------------------------

void SScrollView::SetViewSize(int width, int height)
{
    const SIZE size = {width, height};
    if (!(size != m_viewSize))
        return;
    const SIZE old = m_viewSize;
    m_viewSize = size;
    UpdateScrollBar();
    OnViewSizeChanged(old, size);
}

void SScrollView::SetViewOrigin(int x, int y)
{
    const POINT origin = {x, y};
    if (!(origin != m_viewOrigin))
        return;
    const POINT old = m_viewOrigin;
    m_viewOrigin = origin;
    SetScrollPos(FALSE, x, TRUE);
    SetScrollPos(TRUE, y, TRUE);
    OnViewOriginChanged(old, origin);   // the children move with the origin
    Invalidate();
}

void SScrollView::OnViewSizeChanged(SIZE oldSize, SIZE newSize)
{
    EventScrollViewSizeChanged changed(this, oldSize, newSize);
    RaiseEvent(&changed);
}

void SScrollView::OnViewOriginChanged(POINT oldOrigin, POINT newOrigin)
{
    MarkLayoutDirty();
    UpdateChildrenPosition();
    EventScrollViewOriginChanged changed(this, oldOrigin, newOrigin);
    RaiseEvent(&changed);
}

void SScrollView::UpdateScrollBar()
{
    RECT full;
    SWindow::CopyClientRect(&full);
    const int width = full.right - full.left;
    const int height = full.bottom - full.top;
    const int bar = GetSbWidth();
    const SIZE view = m_viewSize;
    const POINT old = m_viewOrigin;

    m_shownBars = 0;
    m_horzInfo.nMin = m_vertInfo.nMin = 0;
    // The horizontal bar would take the room the content lacks.
    const bool vertical = height < view.cy || (height < view.cy + bar && width < view.cx);
    bool horizontal = false;
    if (vertical) {
        m_shownBars |= kSbVert;
        m_vertInfo.nMax = view.cy - 1;
        m_vertInfo.nPage = height;
        m_vertInfo.nPos = m_viewOrigin.y = ClampToView(m_vertInfo.nPos, height, view.cy);
        horizontal = width < view.cx + bar;
        if (horizontal)
            m_vertInfo.nPage = std::max(height - bar, 0);
        m_horzInfo.nPage = horizontal ? std::max(width - bar, 0) : width;
    } else {
        m_vertInfo.nMax = height - 1;
        m_vertInfo.nPage = height;
        m_vertInfo.nPos = m_viewOrigin.y = 0;
        horizontal = width < view.cx;
        m_horzInfo.nPage = width;
    }
    if (horizontal) {
        m_shownBars |= kSbHorz;
        m_horzInfo.nMax = view.cx - 1;
        m_horzInfo.nPos = m_viewOrigin.x = ClampToView(m_horzInfo.nPos, static_cast<int>(m_horzInfo.nPage), view.cx);
    } else {
        m_horzInfo.nMax = width - 1;
        m_horzInfo.nPos = m_viewOrigin.x = 0;
    }

    SetScrollPos(TRUE, m_vertInfo.nPos, TRUE);
    SetScrollPos(FALSE, m_horzInfo.nPos, TRUE);
    SendSwndMessage(WM_NCCALCSIZE);
    if (old != m_viewOrigin)
        OnViewOriginChanged(old, m_viewOrigin);
    Invalidate();
}

SIZE SScrollView::MeasureView()
{
    const RECT client = GetClientRect();
    const RECT margin = m_style.GetMarginRect();
    const RECT padding = m_style.GetPaddingRect();
    const int width = client.right - client.left - margin.left - margin.right - padding.left - padding.right;
    const int height = client.bottom - client.top - margin.top - margin.bottom - padding.top - padding.bottom;
    const SIZE measured =
        GetLayout() ? GetLayout()->MeasureChildren(this, std::max(width, 0), std::max(height, 0)) : SIZE{0, 0};
    const SIZE old = m_viewSize;
    m_viewSize = SIZE{measured.cx + margin.left + margin.right, measured.cy + margin.top + margin.bottom};
    return old;
}

// ---- Scrolling ----------------------------------------------------------------------

BOOL SScrollView::OnScroll(BOOL vertical, UINT code, int position)
{
    if (!SPanel::OnScroll(vertical, code, position))
        return FALSE;
    POINT origin = m_viewOrigin;
    (vertical ? origin.y : origin.x) = GetScrollPos(vertical);
    if (origin != m_viewOrigin)
        SetViewOrigin(origin.x, origin.y);
    if (code == SB_THUMBTRACK)
        ScrollUpdate();
    EventScroll scrolled(this, static_cast<int>(code), GetScrollPos(vertical), vertical);
    RaiseEvent(&scrolled);
    return TRUE;
}

// ---- Layout ---------------------------------------------------------------------------

RECT SScrollView::GetChildrenLayoutRect() const
{
    RECT rect = SPanel::GetChildrenLayoutRect();
    ::OffsetRect(&rect, -m_viewOrigin.x, -m_viewOrigin.y);
    rect.right = rect.left + m_viewSize.cx;
    rect.bottom = rect.top + m_viewSize.cy;
    return rect;
}

void SScrollView::UpdateChildrenPosition()
{
    if (!m_autoViewSize) {
        SPanel::UpdateChildrenPosition();
        return;
    }
    const SIZE old = MeasureView();
    SPanel::UpdateChildrenPosition();
    UpdateScrollBar();
    if (old != m_viewSize)
        OnViewSizeChanged(old, m_viewSize);
}

void SScrollView::OnSizeChanged(UINT type, SIZE size)
{
    SPanel::OnSizeChanged(type, size);
    if (m_autoViewSize) {
        // The same measure as the layout's, so that the two agree on the view.
        const SIZE old = MeasureView();
        if (old != m_viewSize)
            OnViewSizeChanged(old, m_viewSize);
    }
    UpdateScrollBar();
}

}  // namespace SAKU
