#include "controls/SListView.h"

#include "controls/ILvAdapter.h"
#include "controls/SItemPanel.h"
#include "controls/SListViewItemLocatorFix.h"
#include "controls/SListViewItemLocatorFlex.h"
#include "core/CFocusManager.h"
#include "core/Events.h"
#include "core/Geometry.h"
#include "core/ISkinObj.h"
#include "core/ISlotFunctor.h"
#include "core/SXmlLookup.h"
#include "render/IRenderTarget.h"
#include "ViewDataSetObserver.h"

#include <algorithm>
#include <vector>

namespace SAKU {

namespace {

// Passes of measuring rows and setting the scroll range before the list settles
// for what it has: rows of changing heights could otherwise go on for ever.
constexpr int kMaxLayoutPasses = 8;

}  // namespace

SListView::SListView()
{
    GetEventSet()->AddEvent(EventLVSelChanging::EventID, EventLVSelChanging::EventName());
    GetEventSet()->AddEvent(EventLVSelChanged::EventID, EventLVSelChanged::EventName());
    m_observer = SAutoRef<ILvDataSetObserver>::Adopt(new ViewDataSetObserver<SListView>(this));
    m_updateInterval = 40;
    ApplyAttribute(L"focusable", L"1", TRUE);
}

SListView::~SListView()
{
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    m_items.Reset(0);   // while the view is whole: the panels' last messages reach it
}

BOOL SListView::SetAdapter(ILvAdapter* adapter)
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

void SListView::SetItemLocator(IListViewItemLocator* locator)
{
    m_locator = locator;
    if (!m_locator)
        return;
    m_locator->SetAdapter(m_adapter.Get());
    m_locator->SetScale(GetScale());
    OnDataSetChanged();
}

// Rows that the adapter no longer has lose the selection here, before anything
// asks for them.
void SListView::OnDataSetChanged()
{
    if (!m_adapter)
        return;
    if (m_locator)
        m_locator->OnDataChanged();
    if (GetSel() >= m_adapter->GetCount())
        m_items.ForgetSelection();
    UpdateScrollbar();
    UpdateVisibleItems();
}

void SListView::OnDataSetInvalidated()
{
    m_pendingRefresh = true;
    Invalidate();
}

SItemPanel* SListView::GetItemPanel(int index) const
{
    return m_items.PanelOf(index);
}

// ---- Selection and keys ------------------------------------------------------------------

void SListView::SetSel(int index, BOOL notify)
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

void SListView::EnsureVisible(int index)
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

void SListView::SelectByKey(int index)
{
    EnsureVisible(index);
    SetSel(index, FALSE);
}

void SListView::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
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

LRESULT SListView::OnKeyEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    BOOL handled = FALSE;
    const LRESULT result = m_items.RouteKey(message, wParam, lParam, handled);
    SetMsgHandled(handled);
    return result;
}

// With "wantTab" every key, Tab included; else the arrows, and no dialog key.
UINT SListView::OnGetDlgCode() const
{
    return m_wantTab ? kDlgCodeWantAllKeys : kDlgCodeWantSysKeys | kDlgCodeWantArrows;
}

// ---- Mouse --------------------------------------------------------------------------------

LRESULT SListView::OnMouseWheel(UINT flags, short delta, POINT point)
{
    if (m_items.RouteWheel(flags, delta, point))
        return 0;
    return SPanel::OnMouseWheel(flags, delta, point);
}

LRESULT SListView::OnMouseEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_adapter) {
        SetMsgHandled(FALSE);
        return 0;
    }
    m_items.RouteMouse(message, wParam, lParam);
    SetMsgHandled(TRUE);
    return 0;
}

void SListView::OnMouseLeave()
{
    SWindow::OnMouseLeave();
    m_items.OnMouseLeave();
}

BOOL SListView::OnItemClick(EventArgs* args)
{
    if (SItemPanel* const panel = SObjCast<SItemPanel>(args->sender)) {
        const int index = static_cast<int>(panel->GetItemIndex());
        if (index != GetSel())
            SetSel(index, TRUE);
    }
    return TRUE;
}

BOOL SListView::OnSetCursor(const POINT& point)
{
    return m_items.RouteSetCursor(point) || SPanel::OnSetCursor(point);
}

BOOL SListView::UpdateToolTip(POINT point, SwndToolTipInfo& info)
{
    if (SItemPanel* const panel = m_items.HoverPanel())
        return panel->UpdateToolTip(point, info);
    return SPanel::UpdateToolTip(point, info);
}

// ---- The rows' geometry and content ----------------------------------------------------------

LPARAM SListView::FirstItemAt(int position)
{
    const int first = m_locator->Position2Item(position);
    return first >= 0 && first < m_adapter->GetCount() ? first : -1;
}

LPARAM SListView::NextItem(LPARAM item)
{
    return item + 1 < m_adapter->GetCount() ? item + 1 : -1;
}

int SListView::ItemPosition(LPARAM item)
{
    return m_locator->Item2Position(static_cast<int>(item));
}

RECT SListView::ItemRect(LPARAM item)
{
    const int index = static_cast<int>(item);
    RECT rect = GetClientRect();
    if (!m_locator)
        return rect;
    rect.top += m_locator->Item2Position(index) - m_vertInfo.nPos;
    rect.bottom = rect.top + m_locator->QueryItemHeight(index);
    return rect;
}

int SListView::ItemViewType(LPARAM item, DWORD state)
{
    return m_adapter->GetItemViewType(static_cast<int>(item), state);
}

// Rows of one height are sized before they are filled; the others are measured
// by the adapter afterwards, which the locator records.
void SListView::FillItem(LPARAM item, SItemPanel* panel)
{
    const int index = static_cast<int>(item);
    const int width = Width(GetClientRect());
    if (m_locator->IsFixHeight()) {
        const RECT rect = {0, 0, width, m_locator->QueryItemHeight(index)};
        panel->Move(&rect);
    }
    m_adapter->GetView(index, panel, m_template.first_child());
    panel->SetColorizeColor(GetColorizeColor());
    if (!m_locator->IsFixHeight()) {
        SIZE size = {};
        const RECT available = {0, 0, width, 0};
        m_adapter->GetViewDesiredSize(&size, index, panel, &available);
        const RECT rect = {0, 0, width, size.cy};
        panel->Move(&rect);
        m_locator->AssignItemHeight(index, size.cy);
    }
}

void SListView::OnPanelCreated(SItemPanel* panel)
{
    panel->GetEventSet()->SubscribeEvent(EventItemPanelClick::EventID, Subscriber(&SListView::OnItemClick, this));
}

// ---- Scrolling ---------------------------------------------------------------------------------

int SListView::GetScrollLineSize(BOOL vertical)
{
    return m_locator ? m_locator->GetScrollLineSize() : SPanel::GetScrollLineSize(vertical);
}

// Whether the bar moved, so that a wheel turned at the end of the list goes on
// to an outer scroller.
BOOL SListView::OnScroll(BOOL vertical, UINT code, int position)
{
    const int before = m_vertInfo.nPos;
    const BOOL moved = SPanel::OnScroll(vertical, code, position);
    if (vertical && m_vertInfo.nPos != before) {
        UpdateVisibleItems();
        if (code == SB_THUMBTRACK)
            ScrollUpdate();
    }
    return moved;
}

// The position stays within what scrolling reaches (the total less the page),
// so that a list scrolled to its end stays there when it is laid out again.
void SListView::UpdateScrollbar()
{
    const int height = Height(GetClientRect());
    const int total = m_locator ? m_locator->QueryTotalHeight() : 0;
    m_shownBars = 0;
    m_vertInfo.nMin = 0;
    m_vertInfo.nPage = std::max(height, 0);
    int position = m_vertInfo.nPos;
    if (height < total) {
        m_shownBars |= kSbVert;
        m_vertInfo.nMax = total - 1;
        position = std::min(position, total - height);
    } else {
        m_vertInfo.nMax = std::max(height - 1, 0);
        position = 0;
    }
    SetScrollPos(TRUE, position, FALSE);
    SendSwndMessage(WM_NCCALCSIZE);
    InvalidateArea();
}

void SListView::UpdateVisibleItems()
{
    if (!m_adapter || !m_locator)
        return;
    if (GetSel() >= m_adapter->GetCount())
        m_items.ForgetSelection();   // rows went away under the selection without a change notice
    int total = m_locator->QueryTotalHeight();
    for (int pass = 1;; ++pass) {
        m_items.Update(m_vertInfo.nPos, Height(GetClientRect()));
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

void SListView::OnPaint(IRenderTarget* target)
{
    if (m_pendingRefresh) {
        m_pendingRefresh = false;
        UpdateVisibleItems();
    }
    SPaintState saved;
    PreparePaint(target, saved);
    if (GetVisibleCount() > 0 && m_locator) {
        const RECT client = GetClientRect();
        target->PushClipRect(&client, RGN_AND);
        RECT box = {};
        target->GetClipBox(&box);
        int y = client.top + m_locator->Item2Position(GetFirstVisibleIndex()) - m_vertInfo.nPos;
        const int divider = m_locator->GetDividerSize();
        int index = GetFirstVisibleIndex();
        for (auto* node = m_items.Visible().GetHead(); node; node = node->next, ++index) {
            const RECT row = {client.left, y, client.right, y + m_locator->QueryItemHeight(index)};
            RECT visible = {};
            if (::IntersectRect(&visible, &row, &box))
                node->value.panel->Draw(target, row);
            const RECT gap = {client.left, row.bottom, client.right, row.bottom + divider};
            if (m_dividerSkin && divider > 0)
                m_dividerSkin->DrawByIndex(target, &gap, 0);
            y = gap.bottom;
        }
        target->PopClip();
    }
    AfterPaint(target, saved);
}

void SListView::OnSize(UINT type, SIZE size)
{
    SPanel::OnSizeChanged(type, size);
    UpdateScrollbar();
    const RECT client = GetClientRect();
    int index = GetFirstVisibleIndex();
    for (auto* node = m_items.Visible().GetHead(); node; node = node->next, ++index) {
        const RECT rect = {0, 0, Width(client), m_locator ? m_locator->QueryItemHeight(index) : 0};
        node->value.panel->Move(&rect);
    }
    UpdateVisibleItems();
}

void SListView::OnSetFocus(SWND oldFocus, int reason)
{
    SPanel::OnSetFocus(oldFocus, reason);
    m_items.RestoreFocus();
}

void SListView::OnKillFocus(SWND newFocus)
{
    SPanel::OnKillFocus(newFocus);
    m_items.SaveFocus();
}

void SListView::OnDestroy()
{
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    m_items.Reset(0);
    m_adapter = nullptr;
    SPanel::OnDestroy();
}

// ---- Template, attributes and the environment ---------------------------------------------

BOOL SListView::BuildChildren(pugi::xml_node element)
{
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

void SListView::ApplyColorize(COLORREF color)
{
    SPanel::ApplyColorize(color);
    m_items.Broadcast(UM_SETCOLORIZE, color);
}

void SListView::OnScaleChanged(int scale)
{
    SPanel::OnScaleChanged(scale);
    if (m_locator)
        m_locator->SetScale(scale);
    m_items.Broadcast(UM_SETSCALE, scale);
}

int SListView::OnLanguageChanged()
{
    const int result = SPanel::OnLanguageChanged();
    m_items.Broadcast(UM_SETLANGUAGE);
    return result;
}

}  // namespace SAKU
