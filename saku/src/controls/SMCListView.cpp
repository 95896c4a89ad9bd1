#include "controls/SMCListView.h"

#include "controls/IMCListViewAdapter.h"
#include "controls/SHeaderCtrl.h"
#include "controls/SItemPanel.h"
#include "controls/SListViewItemLocatorFix.h"
#include "controls/SListViewItemLocatorFlex.h"
#include "core/Events.h"
#include "core/Geometry.h"
#include "core/ISkinObj.h"
#include "core/ISlotFunctor.h"
#include "core/SXmlLookup.h"
#include "render/IRenderTarget.h"
#include "ViewDataSetObserver.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace SAKU {

namespace {

// Passes of measuring rows and setting the scroll range before the view settles
// for what it has: rows of changing heights could otherwise go on for ever.
constexpr int kMaxLayoutPasses = 8;

// The height a flexible row is measured against: rows are as high as they like.
constexpr int kMeasureHeight = 100000;

}  // namespace

SMCListView::SMCListView()
{
    GetEventSet()->AddEvent(EventLVSelChanging::EventID, EventLVSelChanging::EventName());
    GetEventSet()->AddEvent(EventLVSelChanged::EventID, EventLVSelChanged::EventName());
    m_observer = SAutoRef<ILvDataSetObserver>::Adopt(new ViewDataSetObserver<SMCListView>(this));
    m_updateInterval = 40;
    ApplyAttribute(L"clipClient", L"1", TRUE);
    ApplyAttribute(L"focusable", L"1", TRUE);
}

SMCListView::~SMCListView()
{
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    m_items.Reset(0);   // while the view is whole: the panels' last messages reach it
}

BOOL SMCListView::SetAdapter(IMCListViewAdapter* adapter)
{
    if (!m_locator)
        return FALSE;
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    m_items.Reset(0);
    m_adapter = adapter;
    m_locator->SetAdapter(adapter);
    if (m_adapter) {
        m_adapter->InitByTemplate(m_template.first_child());
        m_adapter->RegisterDataSetObserver(m_observer.Get());
        m_items.Reset(std::max(m_adapter->GetViewTypeCount(), 1));
        OnDataSetChanged();
    }
    return TRUE;
}

void SMCListView::SetItemLocator(IListViewItemLocator* locator)
{
    m_locator = locator;
    if (!m_locator)
        return;
    m_locator->SetAdapter(m_adapter.Get());
    m_locator->SetScale(GetScale());
    OnDataSetChanged();
}

// ---- Columns ---------------------------------------------------------------------------------

int SMCListView::InsertColumn(int index, LPCWSTR text, int width, DWORD userData)
{
    if (!m_header)
        return -1;
    const int at = m_header->InsertItem(index, text, width, 0, userData);
    UpdateScrollbar();
    return at;
}

BOOL SMCListView::DeleteColumn(int index)
{
    if (!m_header || !m_header->DeleteItem(index))
        return FALSE;
    UpdateScrollbar();
    return TRUE;
}

int SMCListView::GetColumnCount() const
{
    return m_header ? m_header->GetItemCount() : 0;
}

int SMCListView::HeaderHeight() const
{
    return m_header ? std::max(m_headerHeight.ToPixelSize(GetScale()), 0) : 0;
}

int SMCListView::RowWidth() const
{
    return m_header ? m_header->GetTotalWidth() : 0;
}

RECT SMCListView::GetListRect() const
{
    RECT list = GetClientRect();
    list.top = std::min(list.top + HeaderHeight(), list.bottom);
    return list;
}

void SMCListView::PlaceColumns(SItemPanel* panel)
{
    const int height = Height(panel->GetWindowRect());
    int x = 0;
    for (int i = 0; i < m_header->GetItemCount(); ++i) {
        SHeaderItem item;
        item.mask = kHeaderMaskOrder;
        m_header->GetItem(i, &item);
        const int width = m_header->GetItemWidth(i);   // 0 for a hidden item
        SStringW name;
        m_adapter->GetColumnName(name, item.order);
        SWindow* const column = name.IsEmpty() ? nullptr : panel->FindChildByName(name);
        if (column) {
            if (m_header->IsItemVisible(i)) {
                if (!column->IsVisible(FALSE))
                    column->SetVisible(TRUE, FALSE);
                const RECT rect = {x, 0, x + width, height};
                column->Move(&rect);
            } else if (column->IsVisible(FALSE)) {
                column->SetVisible(FALSE, FALSE);
            }
        }
        x += width;
    }
}

// Rows that the adapter no longer has lose the selection here, before anything
// asks for them; the header shows the columns the adapter shows.
void SMCListView::OnDataSetChanged()
{
    if (!m_adapter)
        return;
    if (m_header) {
        const SScopedEventMute muted(m_header->GetEventSet());
        for (int i = 0; i < m_header->GetItemCount(); ++i)
            m_header->SetItemVisible(i, m_adapter->IsColumnVisible(i));
    }
    if (m_locator)
        m_locator->OnDataChanged();
    if (GetSel() >= m_adapter->GetCount())
        m_items.ForgetSelection();
    UpdateScrollbar();
    UpdateVisibleItems();
}

void SMCListView::OnDataSetInvalidated()
{
    m_pendingRefresh = true;
    Invalidate();
}

SItemPanel* SMCListView::GetItemPanel(int index) const
{
    return m_items.PanelOf(index);
}

// A column resized or moved: the rows keep their places and take the new
// width, their column windows the new places.
BOOL SMCListView::OnHeaderSizeChanging(EventArgs*)
{
    UpdateScrollbar();
    if (m_adapter) {
        for (auto* node = m_items.Visible().GetHead(); node; node = node->next) {
            SItemPanel* const panel = node->value.panel;
            const RECT rect = {0, 0, RowWidth(), Height(panel->GetWindowRect())};
            panel->Move(&rect);
            PlaceColumns(panel);
        }
    }
    InvalidateRect(GetListRect());
    return TRUE;
}

// The adapter sorts by the clicked item's data column and sees every data
// column's mark; the marks it leaves show when it sorted.
BOOL SMCListView::OnHeaderClick(EventArgs* args)
{
    if (!m_adapter || !m_header)
        return TRUE;
    const int clicked = SObjCast<EventHeaderClick>(args)->item;
    const int count = m_header->GetItemCount();
    std::vector<int> flags(count, 0);
    std::vector<int> shownAt(count, -1);
    int sortColumn = -1;
    for (int i = 0; i < count; ++i) {
        SHeaderItem item;
        item.mask = kHeaderMaskOrder | kHeaderMaskSort;
        m_header->GetItem(i, &item);
        if (item.order < 0 || item.order >= count)
            continue;
        flags[item.order] = item.sortFlag;
        shownAt[item.order] = i;
        if (i == clicked)
            sortColumn = item.order;
    }
    if (sortColumn < 0 || !m_adapter->OnSort(sortColumn, flags.data(), count))
        return TRUE;
    for (int column = 0; column < count; ++column) {
        if (shownAt[column] >= 0)
            m_header->SetItemSort(shownAt[column], flags[column]);
    }
    OnDataSetChanged();
    return TRUE;
}

// ---- Selection and keys ------------------------------------------------------------------

void SMCListView::SetSel(int index, BOOL notify)
{
    if (!m_adapter || index >= m_adapter->GetCount())
        return;
    if (index < 0)
        index = -1;
    const int old = GetSel();
    if (notify) {
        EventLVSelChanging changing(this, old, index);
        RaiseEvent(&changing);
        if (changing.cancel)
            return;
    }
    if (index == old)
        return;
    m_items.MoveSelection(index);
    if (notify) {
        EventLVSelChanged changed(this, old, index);
        RaiseEvent(&changed);
    }
}

void SMCListView::EnsureVisible(int index)
{
    if (!m_adapter || !m_locator || index < 0 || index >= m_adapter->GetCount())
        return;
    const int first = GetFirstVisibleIndex();
    const int count = GetVisibleCount();
    if (index <= first) {
        OnScroll(TRUE, SB_THUMBPOSITION, m_locator->Item2Position(index));
    } else if (index >= first + count - 1) {
        if (index == m_adapter->GetCount() - 1)
            OnScroll(TRUE, SB_BOTTOM, 0);
        else
            OnScroll(TRUE, SB_THUMBPOSITION, m_locator->Item2Position(index + 1) - static_cast<int>(m_vertInfo.nPage));
    }
}

void SMCListView::SelectByKey(int index)
{
    EnsureVisible(index);
    SetSel(index, TRUE);
}

void SMCListView::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (!m_adapter) {
        SetMsgHandled(FALSE);
        return;
    }
    if (m_wantTab) {
        if (SItemPanel* const panel = SelectedPanel()) {
            panel->DoFrameEvent(WM_KEYDOWN, key, MAKELPARAM(repeatCount, flags));
            if (panel->IsMsgHandled())
                return;
        }
    }
    if ((key == VK_ESCAPE || key == VK_RETURN) && GetOwner()) {
        GetOwner()->SendSwndMessage(WM_KEYDOWN, key, MAKELPARAM(repeatCount, flags));
        return;
    }
    const int count = m_adapter->GetCount();
    const int selected = GetSel();
    switch (key) {
    case VK_DOWN:
        if (selected < count - 1)
            SelectByKey(selected + 1);   // from no selection, row 0
        break;
    case VK_UP:
        if (selected > 0)
            SelectByKey(selected - 1);
        break;
    case VK_PRIOR:
    case VK_HOME:
    case VK_NEXT:
    case VK_END: {
        const UINT code = key == VK_PRIOR ? SB_PAGEUP : key == VK_HOME ? SB_TOP : key == VK_NEXT ? SB_PAGEDOWN : SB_BOTTOM;
        OnScroll(TRUE, code, 0);
        if (GetVisibleCount() > 0) {
            const bool up = key == VK_PRIOR || key == VK_HOME;
            SelectByKey(up ? GetFirstVisibleIndex() : GetFirstVisibleIndex() + GetVisibleCount() - 1);
        }
        break;
    }
    default:
        break;
    }
}

LRESULT SMCListView::OnKeyEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    BOOL handled = FALSE;
    const LRESULT result = m_items.RouteKey(message, wParam, lParam, handled);
    SetMsgHandled(handled);
    return result;
}

// With "wantTab" every key, Tab included; else the arrows, and no dialog key.
UINT SMCListView::OnGetDlgCode() const
{
    return m_wantTab ? kDlgCodeWantAllKeys : kDlgCodeWantSysKeys | kDlgCodeWantArrows;
}

// ---- Mouse --------------------------------------------------------------------------------

LRESULT SMCListView::OnMouseWheel(UINT flags, short delta, POINT point)
{
    if (m_items.RouteWheel(flags, delta, point))
        return 0;
    return SPanel::OnMouseWheel(flags, delta, point);
}

LRESULT SMCListView::OnMouseEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_adapter) {
        SetMsgHandled(FALSE);
        return 0;
    }
    m_items.RouteMouse(message, wParam, lParam);
    SetMsgHandled(TRUE);
    return 0;
}

void SMCListView::OnPressOutsideItems()
{
    SetSel(-1, TRUE);
}

void SMCListView::OnMouseLeave()
{
    SWindow::OnMouseLeave();
    m_items.OnMouseLeave();
}

BOOL SMCListView::OnItemClick(EventArgs* args)
{
    if (SItemPanel* const panel = SObjCast<SItemPanel>(args->sender)) {
        const int index = static_cast<int>(panel->GetItemIndex());
        if (index != GetSel())
            SetSel(index, TRUE);
    }
    return TRUE;
}

BOOL SMCListView::OnSetCursor(const POINT& point)
{
    return m_items.RouteSetCursor(point) || SPanel::OnSetCursor(point);
}

BOOL SMCListView::UpdateToolTip(POINT point, SwndToolTipInfo& info)
{
    if (SItemPanel* const panel = m_items.HoverPanel())
        return panel->UpdateToolTip(point, info);
    return SPanel::UpdateToolTip(point, info);
}

// ---- The rows' geometry and content ----------------------------------------------------------

LPARAM SMCListView::FirstItemAt(int position)
{
    const int first = m_locator->Position2Item(position);
    return first >= 0 && first < m_adapter->GetCount() ? first : -1;
}

LPARAM SMCListView::NextItem(LPARAM item)
{
    return item + 1 < m_adapter->GetCount() ? item + 1 : -1;
}

int SMCListView::ItemPosition(LPARAM item)
{
    return m_locator->Item2Position(static_cast<int>(item));
}

RECT SMCListView::ItemRect(LPARAM item)
{
    const int index = static_cast<int>(item);
    const RECT client = GetClientRect();
    RECT rect = client;
    rect.left = client.left - m_horzInfo.nPos;
    rect.right = rect.left + RowWidth();
    if (!m_locator)
        return rect;
    rect.top = client.top + HeaderHeight() + m_locator->Item2Position(index) - m_vertInfo.nPos;
    rect.bottom = rect.top + m_locator->QueryItemHeight(index);
    return rect;
}

int SMCListView::ItemViewType(LPARAM item, DWORD state)
{
    return m_adapter->GetItemViewType(static_cast<int>(item), state);
}

// Rows of one height are sized before they are filled; the others are measured
// by the adapter afterwards, which the locator records. The columns go in last,
// over whatever the row's own layout did with their windows.
void SMCListView::FillItem(LPARAM item, SItemPanel* panel)
{
    const int index = static_cast<int>(item);
    const int width = RowWidth();
    if (m_locator->IsFixHeight()) {
        const RECT rect = {0, 0, width, m_locator->QueryItemHeight(index)};
        panel->Move(&rect);
    }
    m_adapter->GetView(index, panel, m_template.first_child());
    panel->SetColorizeColor(GetColorizeColor());
    if (!m_locator->IsFixHeight()) {
        SIZE size = {};
        const RECT available = {0, 0, width, kMeasureHeight};
        m_adapter->GetViewDesiredSize(&size, index, panel, &available);
        const RECT rect = {0, 0, width, size.cy};
        panel->Move(&rect);
        m_locator->AssignItemHeight(index, size.cy);
    }
    panel->UpdateLayout();
    PlaceColumns(panel);
}

void SMCListView::OnPanelCreated(SItemPanel* panel)
{
    panel->GetEventSet()->SubscribeEvent(EventItemPanelClick::EventID, Subscriber(&SMCListView::OnItemClick, this));
}

// ---- Scrolling ---------------------------------------------------------------------------------

int SMCListView::GetScrollLineSize(BOOL vertical)
{
    return m_locator ? m_locator->GetScrollLineSize() : SPanel::GetScrollLineSize(vertical);
}

// Whether the bar moved, so that a wheel turned at the end of the list goes on
// to an outer scroller.
BOOL SMCListView::OnScroll(BOOL vertical, UINT code, int position)
{
    const int before = GetScrollPos(vertical);
    SPanel::OnScroll(vertical, code, position);
    if (GetScrollPos(vertical) == before)
        return FALSE;
    if (vertical)
        UpdateVisibleItems();
    else
        UpdateHeaderCtrl();
    if (code == SB_THUMBTRACK)
        ScrollUpdate();
    return TRUE;
}

// The positions stay within what scrolling reaches (the size less the page), so
// that a view scrolled to its end stays there when it is laid out again.
void SMCListView::UpdateScrollbar()
{
    RECT area;
    SWindow::CopyClientRect(&area);
    area.top = std::min(area.top + HeaderHeight(), area.bottom);
    const int width = std::max(Width(area), 0);
    const int height = std::max(Height(area), 0);
    const int bar = GetSbWidth();
    const int viewWidth = RowWidth();
    const int viewHeight = m_locator ? m_locator->QueryTotalHeight() : 0;

    m_shownBars = 0;
    m_vertInfo.nMin = m_horzInfo.nMin = 0;
    bool horizontal = false;
    if (height >= viewHeight && (height >= viewHeight + bar || width >= viewWidth)) {
        m_vertInfo.nMax = std::max(height - 1, 0);
        m_vertInfo.nPage = height;
        m_vertInfo.nPos = 0;
        m_horzInfo.nPage = width;
        horizontal = width < viewWidth;
    } else {
        m_shownBars |= kSbVert;
        m_vertInfo.nMax = viewHeight - 1;
        m_vertInfo.nPage = height;
        horizontal = width - bar < viewWidth;
        if (horizontal)
            m_vertInfo.nPage = std::max(height - bar, 0);
        m_horzInfo.nPage = horizontal ? std::max(width - bar, 0) : width;
    }
    if (horizontal) {
        m_shownBars |= kSbHorz;
        m_horzInfo.nMax = viewWidth - 1;
    } else {
        m_horzInfo.nMax = std::max(width - 1, 0);
        m_horzInfo.nPos = 0;
    }
    if (HasScrollBar(TRUE) && m_vertInfo.nPos + static_cast<int>(m_vertInfo.nPage) > viewHeight)
        m_vertInfo.nPos = std::max(viewHeight - static_cast<int>(m_vertInfo.nPage), 0);
    if (HasScrollBar(FALSE) && m_horzInfo.nPos + static_cast<int>(m_horzInfo.nPage) > viewWidth)
        m_horzInfo.nPos = std::max(viewWidth - static_cast<int>(m_horzInfo.nPage), 0);
    SetScrollPos(TRUE, m_vertInfo.nPos, TRUE);
    SetScrollPos(FALSE, m_horzInfo.nPos, TRUE);
    SendSwndMessage(WM_NCCALCSIZE);
    UpdateHeaderCtrl();   // the bars changed the band, the position its place
    InvalidateArea();
}

void SMCListView::UpdateHeaderCtrl()
{
    if (!m_header)
        return;
    RECT band;
    CopyClientRect(&band);
    band.bottom = band.top + HeaderHeight();
    band.left -= m_horzInfo.nPos;
    m_header->Move(&band);
}

void SMCListView::UpdateVisibleItems()
{
    if (!m_adapter || !m_locator || !m_header)
        return;
    if (GetSel() >= m_adapter->GetCount())
        m_items.ForgetSelection();   // rows went away under the selection without a change notice
    int total = m_locator->QueryTotalHeight();
    for (int pass = 1;; ++pass) {
        m_items.Update(m_vertInfo.nPos, Height(GetListRect()));
        if (m_locator->IsFixHeight())
            return;
        const int now = m_locator->QueryTotalHeight();
        if (now == total)
            return;
        total = now;
        UpdateScrollbar();   // the range always covers the rows as measured
        if (pass == kMaxLayoutPasses)
            return;
    }
}

// ---- Painting and the window's life ----------------------------------------------------

void SMCListView::OnPaint(IRenderTarget* target)
{
    if (m_pendingRefresh) {
        m_pendingRefresh = false;
        UpdateVisibleItems();
    }
    SPaintState saved;
    PreparePaint(target, saved);
    if (GetVisibleCount() > 0 && m_locator) {
        const RECT list = GetListRect();
        target->PushClipRect(&list, RGN_AND);
        RECT box = {};
        target->GetClipBox(&box);
        const int divider = m_locator->GetDividerSize();
        for (auto* node = m_items.Visible().GetHead(); node; node = node->next) {
            const RECT row = ItemRect(node->value.panel->GetItemIndex());
            RECT visible = {};
            if (::IntersectRect(&visible, &row, &box))
                node->value.panel->Draw(target, row);
            const RECT gap = {row.left, row.bottom, row.right, row.bottom + divider};
            if (m_dividerSkin && divider > 0)
                m_dividerSkin->DrawByIndex(target, &gap, 0);
        }
        target->PopClip();
    }
    AfterPaint(target, saved);
}

void SMCListView::OnSize(UINT type, SIZE size)
{
    SPanel::OnSizeChanged(type, size);
    UpdateScrollbar();
    for (auto* node = m_items.Visible().GetHead(); node; node = node->next) {
        SItemPanel* const panel = node->value.panel;
        const int index = static_cast<int>(panel->GetItemIndex());
        const RECT rect = {0, 0, RowWidth(), m_locator ? m_locator->QueryItemHeight(index) : 0};
        panel->Move(&rect);
    }
    UpdateVisibleItems();
}

void SMCListView::OnSetFocus(SWND oldFocus, int reason)
{
    SPanel::OnSetFocus(oldFocus, reason);
    m_items.RestoreFocus();
}

void SMCListView::OnKillFocus(SWND newFocus)
{
    SPanel::OnKillFocus(newFocus);
    m_items.SaveFocus();
}

void SMCListView::OnDestroy()
{
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    m_items.Reset(0);
    m_adapter = nullptr;
    SPanel::OnDestroy();
}

// ---- Children, template, attributes and the environment ------------------------------------

// The header is looked for first: a layout without one leaves the view without
// rows rather than with rows that have no columns.
BOOL SMCListView::BuildChildren(pugi::xml_node element)
{
    SPanel::BuildChildren(element);
    m_header = SHeaderCtrl::FirstChildHeader(this);
    if (!m_header)
        return FALSE;
    wchar_t pos[40];
    swprintf(pos, 40, L"0,0,-0,%d", HeaderHeight());
    m_header->ApplyAttribute(L"pos", pos, TRUE);
    m_header->GetEventSet()->SubscribeEvent(EventHeaderItemChanging::EventID,
                                            Subscriber(&SMCListView::OnHeaderSizeChanging, this));
    m_header->GetEventSet()->SubscribeEvent(EventHeaderItemSwap::EventID,
                                            Subscriber(&SMCListView::OnHeaderSizeChanging, this));
    m_header->GetEventSet()->SubscribeEvent(EventHeaderClick::EventID, Subscriber(&SMCListView::OnHeaderClick, this));

    const pugi::xml_node source = XmlChild(element, L"template");
    if (!source)
        return TRUE;
    m_template.reset();
    m_template.append_copy(source);
    const SLayoutDim itemHeight(SStringW(XmlAttribute(source, L"itemHeight").value()));
    if (itemHeight.GetValue() > 0) {
        SetItemLocator(SAutoRef<IListViewItemLocator>::Adopt(new SListViewItemLocatorFix(itemHeight, m_dividerSize)).Get());
    } else {
        const pugi::xml_attribute defHeight = XmlAttribute(source, L"defHeight");
        const SLayoutDim height(SStringW(defHeight ? defHeight.value() : L"30dp"));
        SetItemLocator(SAutoRef<IListViewItemLocator>::Adopt(new SListViewItemLocatorFlex(height, m_dividerSize)).Get());
    }
    return TRUE;
}

void SMCListView::UpdateChildrenPosition()
{
    SPanel::UpdateChildrenPosition();
    UpdateHeaderCtrl();
}

void SMCListView::ApplyColorize(COLORREF color)
{
    SPanel::ApplyColorize(color);
    m_items.Broadcast(UM_SETCOLORIZE, color);
    for (auto* node = m_items.Visible().GetHead(); node; node = node->next)
        node->value.panel->SetColorizeColor(color);
}

void SMCListView::OnScaleChanged(int scale)
{
    SPanel::OnScaleChanged(scale);
    if (m_locator)
        m_locator->SetScale(scale);
    m_items.Broadcast(UM_SETSCALE, scale);
}

int SMCListView::OnLanguageChanged()
{
    const int result = SPanel::OnLanguageChanged();
    m_items.Broadcast(UM_SETLANGUAGE);
    return result;
}

}  // namespace SAKU
