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

#include <algorithm>
#include <vector>

namespace SAKU {

namespace {

constexpr DWORD kRowStateBits = WndState_Hover | WndState_Check;

// Passes the adapter's notifications on to its list, which holds the only
// reference besides the adapter's and outlives the registration.
class SListViewDataSetObserver : public TObjRefImpl<ILvDataSetObserver> {
public:
    explicit SListViewDataSetObserver(SListView* list) : m_list(list) {}

    void OnChanged() override { m_list->OnDataSetChanged(); }
    void OnInvalidated() override { m_list->OnDataSetInvalidated(); }

private:
    SListView* m_list;
};

}  // namespace

SListView::SListView()
{
    GetEventSet()->AddEvent(EventLVSelChanging::EventID, EventLVSelChanging::EventName());
    GetEventSet()->AddEvent(EventLVSelChanged::EventID, EventLVSelChanged::EventName());
    m_observer = SAutoRef<ILvDataSetObserver>::Adopt(new SListViewDataSetObserver(this));
    m_updateInterval = 40;
    ApplyAttribute(L"focusable", L"1", TRUE);
}

SListView::~SListView()
{
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    DropAllPanels();
}

BOOL SListView::SetAdapter(ILvAdapter* adapter)
{
    if (!m_locator)
        return FALSE;
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    DropAllPanels();
    m_adapter = adapter;
    m_locator->SetAdapter(adapter);
    if (m_adapter) {
        m_adapter->InitByTemplate(m_template.first_child());
        m_adapter->RegisterDataSetObserver(m_observer.Get());
        m_recycle.SetCount(std::max(m_adapter->GetViewTypeCount(), 1));
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
    if (m_selected >= m_adapter->GetCount())
        m_selected = -1;
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
    if (index < m_firstVisible || index >= m_firstVisible + m_visibleItems.GetCount() || m_firstVisible < 0)
        return nullptr;
    auto* node = m_visibleItems.GetHead();
    for (int i = m_firstVisible; i < index; ++i)
        node = node->next;
    return node->value.panel;
}

// ---- Selection and keys ------------------------------------------------------------------

void SListView::SetSel(int index, BOOL notify)
{
    if (!m_adapter || index >= m_adapter->GetCount())
        return;
    if (index < 0)
        index = -1;
    const int old = m_selected;
    if (notify) {
        EventLVSelChanging changing(this, old, index);
        RaiseEvent(&changing);
        if (changing.cancel)
            return;
    }
    if (index == old)
        return;
    if (SItemPanel* const panel = GetItemPanel(old)) {
        panel->GetFocusManager()->SetFocusedWindow(static_cast<SWND>(-1));
        panel->ModifyItemState(0, WndState_Check);
        panel->InvalidateArea();
    }
    m_selected = index;
    if (SItemPanel* const panel = GetItemPanel(index)) {
        panel->ModifyItemState(WndState_Check, 0);
        panel->InvalidateArea();
    }
    if (notify) {
        EventLVSelChanged changed(this, old, index);
        RaiseEvent(&changed);
    }
}

void SListView::EnsureVisible(int index)
{
    if (!m_adapter || !m_locator || index < 0 || index >= m_adapter->GetCount())
        return;
    const int first = m_firstVisible;
    const int count = m_visibleItems.GetCount();
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
    switch (key) {
    case VK_DOWN:
        if (m_selected < count - 1)
            SelectByKey(m_selected + 1);   // from no selection, row 0
        break;
    case VK_UP:
        if (m_selected > 0)
            SelectByKey(m_selected - 1);
        break;
    case VK_PRIOR:
    case VK_HOME:
    case VK_NEXT:
    case VK_END: {
        const UINT code = key == VK_PRIOR ? SB_PAGEUP : key == VK_HOME ? SB_TOP : key == VK_NEXT ? SB_PAGEDOWN : SB_BOTTOM;
        OnScroll(TRUE, code, 0);
        if (m_visibleItems.GetCount() > 0) {
            const bool up = key == VK_PRIOR || key == VK_HOME;
            SelectByKey(up ? m_firstVisible : m_firstVisible + m_visibleItems.GetCount() - 1);
        }
        break;
    }
    default:
        break;
    }
}

LRESULT SListView::OnKeyEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    SItemPanel* const panel = SelectedPanel();
    if (!panel) {
        SetMsgHandled(FALSE);
        return 0;
    }
    const LRESULT result = panel->DoFrameEvent(message, wParam, lParam);
    SetMsgHandled(panel->IsMsgHandled());
    return result;
}

// With "wantTab" every key, Tab included; else the arrows, and no dialog key.
UINT SListView::OnGetDlgCode() const
{
    return m_wantTab ? kDlgCodeWantAllKeys : kDlgCodeWantSysKeys | kDlgCodeWantArrows;
}

// ---- Mouse --------------------------------------------------------------------------------

LRESULT SListView::SendToPanel(SItemPanel* panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    RECT row = {};
    GetItemRect(panel, row);
    const POINT point = PointOf(lParam);
    return panel->DoFrameEvent(message, wParam, MAKELPARAM(point.x - row.left, point.y - row.top));
}

SItemPanel* SListView::PanelAt(POINT point)
{
    for (auto* node = m_visibleItems.GetHead(); node; node = node->next) {
        RECT row = {};
        GetItemRect(node->value.panel, row);
        if (::PtInRect(&row, point))
            return node->value.panel;
    }
    return nullptr;
}

LRESULT SListView::OnMouseWheel(UINT flags, short delta, POINT point)
{
    if (SItemPanel* const panel = SelectedPanel()) {
        if (SendToPanel(panel, WM_MOUSEWHEEL, MAKEWPARAM(flags, delta), MAKELPARAM(point.x, point.y)) != 0)
            return 0;
    }
    return SPanel::OnMouseWheel(flags, delta, point);
}

LRESULT SListView::OnMouseEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_adapter) {
        SetMsgHandled(FALSE);
        return 0;
    }
    if (m_capturePanel) {
        const SAutoRef<SWindow> hold(m_capturePanel);
        SendToPanel(m_capturePanel, message, wParam, lParam);
        SetMsgHandled(TRUE);
        return 0;
    }
    const bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    const bool release = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    LRESULT ignored = 0;
    if (press)
        SPanel::ProcessSwndMessage(message, wParam, lParam, ignored);   // the list takes the focus and the capture
    SItemPanel* const hit = PanelAt(PointOf(lParam));
    if (hit != m_hoverPanel) {
        if (SItemPanel* const old = m_hoverPanel) {
            const SAutoRef<SWindow> hold(old);
            m_hoverPanel = nullptr;
            SendToPanel(old, WM_MOUSELEAVE, 0, 0);
            old->InvalidateArea();
        }
        m_hoverPanel = hit;
        if (hit) {
            SendToPanel(hit, WM_MOUSEHOVER, wParam, lParam);
            hit->InvalidateArea();
        }
    }
    if (m_hoverPanel) {
        const SAutoRef<SWindow> hold(m_hoverPanel);
        SendToPanel(m_hoverPanel, message, wParam, lParam);
    }
    if (release)
        SPanel::ProcessSwndMessage(message, wParam, lParam, ignored);   // the capture goes, the list's click
    SetMsgHandled(TRUE);
    return 0;
}

void SListView::OnMouseLeave()
{
    SWindow::OnMouseLeave();
    if (SItemPanel* const panel = m_hoverPanel) {
        m_hoverPanel = nullptr;
        panel->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
        panel->InvalidateArea();
    }
}

BOOL SListView::OnItemClick(EventArgs* args)
{
    if (SItemPanel* const panel = SObjCast<SItemPanel>(args->sender)) {
        const int index = static_cast<int>(panel->GetItemIndex());
        if (index != m_selected)
            SetSel(index, TRUE);
    }
    return TRUE;
}

BOOL SListView::OnSetCursor(const POINT& point)
{
    SItemPanel* const panel = m_capturePanel ? m_capturePanel : m_hoverPanel;
    if (panel) {
        RECT row = {};
        GetItemRect(panel, row);
        if (panel->DoFrameEvent(WM_SETCURSOR, 0, MAKELPARAM(point.x - row.left, point.y - row.top)) != 0)
            return TRUE;
    }
    return SPanel::OnSetCursor(point);
}

BOOL SListView::UpdateToolTip(POINT point, SwndToolTipInfo& info)
{
    if (m_hoverPanel)
        return m_hoverPanel->UpdateToolTip(point, info);
    return SPanel::UpdateToolTip(point, info);
}

// ---- IItemContainer ------------------------------------------------------------------------

void SListView::SetItemCapture(SItemPanel* item, BOOL capture)
{
    if (capture) {
        GetContainer()->OnSetSwndCapture(GetSwnd());
        m_capturePanel = item;
    } else {
        GetContainer()->OnReleaseSwndCapture();
        m_capturePanel = nullptr;
    }
}

BOOL SListView::GetItemRect(SItemPanel* item, RECT& rect)
{
    const int index = static_cast<int>(item->GetItemIndex());
    rect = GetClientRect();
    if (!m_locator)
        return TRUE;
    rect.top += m_locator->Item2Position(index) - m_vertInfo.nPos;
    rect.bottom = rect.top + m_locator->QueryItemHeight(index);
    return TRUE;
}

int SListView::ItemIndex(const SItemPanel* panel) const
{
    return panel ? static_cast<int>(panel->GetItemIndex()) : -1;
}

// ---- Scrolling and the row recycler ---------------------------------------------------------

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

// The panel for a row: its own when it showed the row already in that type, else
// a recycled one, else one of the old rows that will not show again (a row above
// the one being filled, or else the last old row below it), and only then a new one. So a
// page of new rows reuses the page that leaves instead of doubling the panels.
SItemPanel* SListView::TakePanel(int index, int viewType, ItemInfo* old, int oldCount, int firstOld)
{
    const int at = index - firstOld;
    if (firstOld >= 0 && at >= 0 && at < oldCount && old[at].panel && old[at].viewType == viewType) {
        SItemPanel* const panel = old[at].panel;
        old[at].panel = nullptr;
        return panel;
    }
    SItemPanel* panel = nullptr;
    SLinkedList<SItemPanel*>& recycled = m_recycle[viewType];
    if (recycled.GetCount() > 0) {
        panel = recycled.RemoveHead();
    } else if (ItemInfo* const leaving = LeavingPanel(index, viewType, old, oldCount, firstOld)) {
        panel = leaving->panel;
        leaving->panel = nullptr;
        LeaveRow(panel);
    } else {
        panel = SItemPanel::Create(this, pugi::xml_node(), this);
        panel->GetEventSet()->SubscribeEvent(EventItemPanelClick::EventID, Subscriber(&SListView::OnItemClick, this));
    }
    panel->SetItemIndex(index);
    return panel;
}

SListView::ItemInfo* SListView::LeavingPanel(int index, int viewType, ItemInfo* old, int oldCount, int firstOld)
{
    if (firstOld < 0)
        return nullptr;
    for (int at = 0; at < oldCount && firstOld + at < index; ++at) {
        if (old[at].panel && old[at].viewType == viewType)
            return &old[at];
    }
    for (int at = oldCount - 1; at >= 0 && firstOld + at > index; --at) {
        if (old[at].panel && old[at].viewType == viewType)
            return &old[at];
    }
    return nullptr;
}

// A panel leaves its row: it keeps no capture, hover, selection or focus of it.
void SListView::LeaveRow(SItemPanel* panel)
{
    if (panel == m_capturePanel) {
        m_capturePanel = nullptr;
        GetContainer()->OnReleaseSwndCapture();
    }
    if (panel->GetState() & WndState_Hover)
        panel->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
    const SScopedEventMute muted(panel->GetEventSet());
    panel->ModifyItemState(0, kRowStateBits);
    panel->GetFocusManager()->SetFocusedWindow(0);
}

void SListView::UpdateVisibleItems()
{
    if (!m_adapter || !m_locator)
        return;
    const SAutoRef<SWindow> hold(this);   // the adapter's code runs in here
    const int count = m_adapter->GetCount();
    if (m_selected >= count)
        m_selected = -1;   // rows went away under the selection without a change notice
    const int firstOld = m_firstVisible;
    const int totalBefore = m_locator->QueryTotalHeight();
    const RECT client = GetClientRect();
    const int position = m_vertInfo.nPos;
    const int first = m_locator->Position2Item(position);
    int y = m_locator->Item2Position(first);
    const int hoverIndex = ItemIndex(m_hoverPanel);
    m_hoverPanel = nullptr;

    std::vector<ItemInfo> old;
    old.reserve(m_visibleItems.GetCount());
    while (m_visibleItems.GetCount() > 0)
        old.push_back(m_visibleItems.RemoveHead());

    const int viewTypes = m_recycle.GetCount();
    if (first != -1 && y < Height(client) + position) {
        for (int i = first; i < count; ++i) {
            const DWORD state = (i == hoverIndex ? WndState_Hover : 0) | (i == m_selected ? WndState_Check : 0);
            int viewType = m_adapter->GetItemViewType(i, state);
            if (viewType < 0 || viewType >= viewTypes)
                viewType = 0;   // an adapter answering outside its own count
            SItemPanel* const panel = TakePanel(i, viewType, old.data(), static_cast<int>(old.size()), firstOld);
            if (!panel->IsVisible(FALSE))
                panel->SetVisible(TRUE, FALSE);
            if (m_locator->IsFixHeight()) {
                const RECT rect = {0, 0, Width(client), m_locator->QueryItemHeight(i)};
                panel->Move(&rect);
            }
            {
                // The row comes with exactly the state of its row, whatever it showed before.
                const SScopedEventMute muted(panel->GetEventSet());
                panel->ModifyItemState(state, kRowStateBits & ~state);
            }
            if (state & WndState_Hover)
                m_hoverPanel = panel;
            m_adapter->GetView(i, panel, m_template.first_child());
            panel->SetColorizeColor(GetColorizeColor());
            if (!m_locator->IsFixHeight()) {
                SIZE size = {};
                const RECT available = {0, 0, Width(client), 0};
                m_adapter->GetViewDesiredSize(&size, i, panel, &available);
                const RECT rect = {0, 0, Width(client), size.cy};
                panel->Move(&rect);
                m_locator->AssignItemHeight(i, size.cy);
            }
            panel->UpdateLayout();
            m_visibleItems.AddTail(ItemInfo{panel, viewType});
            y += m_locator->QueryItemHeight(i) + m_locator->GetDividerSize();
            if (y >= Height(client) + position)
                break;
        }
    }

    for (ItemInfo& info : old) {
        SItemPanel* const panel = info.panel;
        if (!panel)
            continue;
        LeaveRow(panel);
        {
            const SScopedEventMute muted(panel->GetEventSet());
            panel->SetVisible(FALSE, FALSE);
        }
        m_recycle[info.viewType].AddTail(panel);
    }
    m_firstVisible = m_visibleItems.GetCount() > 0 ? first : -1;

    if (!m_locator->IsFixHeight() && m_locator->QueryTotalHeight() != totalBefore) {
        UpdateScrollbar();
        UpdateVisibleItems();
    }
}

void SListView::DropAllPanels()
{
    m_hoverPanel = nullptr;
    m_capturePanel = nullptr;
    while (m_visibleItems.GetCount() > 0)
        m_visibleItems.RemoveHead().panel->Release();
    for (int type = 0; type < m_recycle.GetCount(); ++type) {
        while (m_recycle[type].GetCount() > 0)
            m_recycle[type].RemoveHead()->Release();
    }
    m_recycle.SetCount(0);
    m_firstVisible = -1;
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
    if (m_visibleItems.GetCount() > 0 && m_locator) {
        const RECT client = GetClientRect();
        target->PushClipRect(&client, RGN_AND);
        RECT box = {};
        target->GetClipBox(&box);
        int y = client.top + m_locator->Item2Position(m_firstVisible) - m_vertInfo.nPos;
        const int divider = m_locator->GetDividerSize();
        int index = m_firstVisible;
        for (auto* node = m_visibleItems.GetHead(); node; node = node->next, ++index) {
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
    int index = m_firstVisible;
    for (auto* node = m_visibleItems.GetHead(); node; node = node->next, ++index) {
        const RECT rect = {0, 0, Width(client), m_locator ? m_locator->QueryItemHeight(index) : 0};
        node->value.panel->Move(&rect);
    }
    UpdateVisibleItems();
}

void SListView::OnSetFocus(SWND oldFocus, int reason)
{
    SPanel::OnSetFocus(oldFocus, reason);
    if (SItemPanel* const panel = SelectedPanel())
        panel->GetFocusManager()->RestoreFocusedWindow();
}

void SListView::OnKillFocus(SWND newFocus)
{
    SPanel::OnKillFocus(newFocus);
    if (SItemPanel* const panel = SelectedPanel())
        panel->GetFocusManager()->SaveFocusedWindow();
}

void SListView::OnDestroy()
{
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    DropAllPanels();
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

void SListView::BroadcastToPanels(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (auto* node = m_visibleItems.GetHead(); node; node = node->next)
        node->value.panel->BroadcastMessage(message, wParam, lParam);
    for (int type = 0; type < m_recycle.GetCount(); ++type) {
        for (auto* node = m_recycle[type].GetHead(); node; node = node->next)
            node->value->BroadcastMessage(message, wParam, lParam);
    }
}

void SListView::ApplyColorize(COLORREF color)
{
    SPanel::ApplyColorize(color);
    BroadcastToPanels(UM_SETCOLORIZE, color);
}

void SListView::OnScaleChanged(int scale)
{
    SPanel::OnScaleChanged(scale);
    if (m_locator)
        m_locator->SetScale(scale);
    BroadcastToPanels(UM_SETSCALE, scale);
}

int SListView::OnLanguageChanged()
{
    const int result = SPanel::OnLanguageChanged();
    BroadcastToPanels(UM_SETLANGUAGE);
    return result;
}

}  // namespace SAKU
