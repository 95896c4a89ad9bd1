#include "controls/SItemRecycler.h"

#include "controls/ILvAdapter.h"
#include "controls/SItemPanel.h"
#include "controls/SPanel.h"
#include "core/CFocusManager.h"
#include "core/Geometry.h"

#include <vector>

namespace SAKU {

namespace {

constexpr DWORD kRowStateBits = WndState_Hover | WndState_Check;

}  // namespace

SItemRecycler::SItemRecycler(SPanel* view, IItemRecyclerHost* host, LPARAM noItem)
    : m_view(view), m_host(host), m_noItem(noItem), m_firstVisible(noItem), m_selected(noItem)
{
}

SItemRecycler::~SItemRecycler()
{
    Reset(0);
}

void SItemRecycler::Reset(int viewTypes)
{
    m_hoverPanel = nullptr;
    m_capturePanel = nullptr;
    while (m_visible.GetCount() > 0)
        m_visible.RemoveHead().panel->Release();
    for (int type = 0; type < m_recycle.GetCount(); ++type) {
        while (m_recycle[type].GetCount() > 0)
            m_recycle[type].RemoveHead()->Release();
    }
    m_recycle.SetCount(viewTypes);
    m_firstVisible = m_noItem;
}

SItemPanel* SItemRecycler::PanelOf(LPARAM item) const
{
    if (item == m_noItem)
        return nullptr;
    for (auto* node = m_visible.GetHead(); node; node = node->next) {
        if (node->value.panel->GetItemIndex() == item)
            return node->value.panel;
    }
    return nullptr;
}

int SItemRecycler::PanelCount() const
{
    int count = m_visible.GetCount();
    for (int type = 0; type < m_recycle.GetCount(); ++type)
        count += m_recycle[type].GetCount();
    return count;
}

LPARAM SItemRecycler::ItemOf(const SItemPanel* panel) const
{
    return panel ? panel->GetItemIndex() : m_noItem;
}

void SItemRecycler::MoveSelection(LPARAM item)
{
    if (item == m_selected)
        return;
    if (SItemPanel* const panel = PanelOf(m_selected)) {
        panel->GetFocusManager()->SetFocusedWindow(static_cast<SWND>(-1));
        panel->ModifyItemState(0, WndState_Check);
        panel->InvalidateArea();
    }
    m_selected = item;
    if (SItemPanel* const panel = PanelOf(item)) {
        panel->ModifyItemState(WndState_Check, 0);
        panel->InvalidateArea();
    }
}

// ---- The fill -------------------------------------------------------------------------------

// The panel for an item: its own when it showed the item already in that type, else
// a recycled one, else one of the old items that will not show again (one before the
// item being filled, or else the last old one after it), and only then a new one. So
// a page of new items reuses the page that leaves instead of doubling the panels.
// `hint` is where the last own panel was found: items come in display order, so the
// next one is usually right behind it.
SItemPanel* SItemRecycler::TakePanel(LPARAM item, int viewType, Record* old, int oldCount, int& hint)
{
    for (int tried = 0; tried < oldCount; ++tried) {
        const int at = (hint + tried) % oldCount;
        if (old[at].panel && old[at].panel->GetItemIndex() == item) {
            if (old[at].viewType != viewType)
                break;
            SItemPanel* const panel = old[at].panel;
            old[at].panel = nullptr;
            hint = at + 1;
            return panel;
        }
    }
    SItemPanel* panel = nullptr;
    SLinkedList<SItemPanel*>& recycled = m_recycle[viewType];
    if (recycled.GetCount() > 0) {
        panel = recycled.RemoveHead();
    } else if (Record* const leaving = LeavingPanel(item, viewType, old, oldCount)) {
        panel = leaving->panel;
        leaving->panel = nullptr;
        LeaveRow(panel);
    } else {
        panel = SItemPanel::Create(m_view, pugi::xml_node(), this);
        m_host->OnPanelCreated(panel);
    }
    panel->SetItemIndex(item);
    return panel;
}

SItemRecycler::Record* SItemRecycler::LeavingPanel(LPARAM item, int viewType, Record* old, int oldCount)
{
    for (int at = 0; at < oldCount; ++at) {
        if (old[at].panel && old[at].viewType == viewType && m_host->ItemBefore(old[at].panel->GetItemIndex(), item))
            return &old[at];
    }
    for (int at = oldCount - 1; at >= 0; --at) {
        if (!old[at].panel)
            continue;
        if (!m_host->ItemBefore(item, old[at].panel->GetItemIndex()))
            break;
        if (old[at].viewType == viewType)
            return &old[at];
    }
    return nullptr;
}

// A panel leaves its item: it keeps no capture, hover, selection or focus of it.
void SItemRecycler::LeaveRow(SItemPanel* panel)
{
    if (panel == m_capturePanel) {
        m_capturePanel = nullptr;
        m_view->GetContainer()->OnReleaseSwndCapture();
    }
    if (panel->GetState() & WndState_Hover)
        panel->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
    const SScopedEventMute muted(panel->GetEventSet());
    panel->ModifyItemState(0, kRowStateBits);
    panel->GetFocusManager()->SetFocusedWindow(0);
}

void SItemRecycler::Update(int position, int page)
{
    const SAutoRef<SWindow> hold(m_view);   // the adapter's code runs in here
    const LPARAM first = m_host->FirstItemAt(position);
    const LPARAM hoverItem = ItemOf(m_hoverPanel);
    m_hoverPanel = nullptr;

    std::vector<Record> old;
    old.reserve(m_visible.GetCount());
    while (m_visible.GetCount() > 0)
        old.push_back(m_visible.RemoveHead());
    const int oldCount = static_cast<int>(old.size());
    int hint = 0;

    const int end = position + page;
    const int viewTypes = m_recycle.GetCount();
    if (first != m_noItem && viewTypes > 0 && m_host->ItemPosition(first) < end) {
        for (LPARAM item = first; item != m_noItem;) {
            const DWORD state = (item == hoverItem ? WndState_Hover : 0) | (item == m_selected ? WndState_Check : 0);
            int viewType = m_host->ItemViewType(item, state);
            if (viewType < 0 || viewType >= viewTypes)
                viewType = 0;   // an adapter answering outside its own count
            SItemPanel* const panel = TakePanel(item, viewType, old.data(), oldCount, hint);
            if (!panel->IsVisible(FALSE))
                panel->SetVisible(TRUE, FALSE);
            {
                // The item comes with exactly its own state, whatever the panel showed before.
                const SScopedEventMute muted(panel->GetEventSet());
                panel->ModifyItemState(state, kRowStateBits & ~state);
            }
            if (state & WndState_Hover)
                m_hoverPanel = panel;
            m_host->FillItem(item, panel);
            panel->UpdateLayout();
            if ((state & WndState_Check) && !(panel->GetState() & WndState_Check)) {
                const SScopedEventMute muted(panel->GetEventSet());
                panel->ModifyItemState(WndState_Check, 0);   // whatever the adapter did to it
            }
            m_visible.AddTail(Record{panel, viewType});
            const LPARAM next = m_host->NextItem(item);
            if (next == m_noItem || m_host->ItemPosition(next) >= end)
                break;
            item = next;
        }
    }

    for (Record& record : old) {
        SItemPanel* const panel = record.panel;
        if (!panel)
            continue;
        LeaveRow(panel);
        {
            const SScopedEventMute muted(panel->GetEventSet());
            panel->SetVisible(FALSE, FALSE);
        }
        m_recycle[record.viewType].AddTail(panel);
    }
    m_firstVisible = m_visible.GetCount() > 0 ? first : m_noItem;
}

void SItemRecycler::Broadcast(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (auto* node = m_visible.GetHead(); node; node = node->next)
        node->value.panel->BroadcastMessage(message, wParam, lParam);
    for (int type = 0; type < m_recycle.GetCount(); ++type) {
        for (auto* node = m_recycle[type].GetHead(); node; node = node->next)
            node->value->BroadcastMessage(message, wParam, lParam);
    }
}

// ---- Routing ---------------------------------------------------------------------------------

LRESULT SItemRecycler::SendToPanel(SItemPanel* panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    RECT row = {};
    GetItemRect(panel, row);
    const POINT point = PointOf(lParam);
    return panel->DoFrameEvent(message, wParam, MAKELPARAM(point.x - row.left, point.y - row.top));
}

SItemPanel* SItemRecycler::PanelAt(POINT point)
{
    for (auto* node = m_visible.GetHead(); node; node = node->next) {
        RECT row = {};
        GetItemRect(node->value.panel, row);
        if (::PtInRect(&row, point))
            return node->value.panel;
    }
    return nullptr;
}

void SItemRecycler::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_capturePanel) {
        const SAutoRef<SWindow> hold(m_capturePanel);
        SendToPanel(m_capturePanel, message, wParam, lParam);
        return;
    }
    const bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    const bool release = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    SItemPanel* hit = PanelAt(PointOf(lParam));
    LRESULT ignored = 0;
    if (press) {
        if (!hit)
            m_host->OnPressOutsideItems();
        m_view->SPanel::ProcessSwndMessage(message, wParam, lParam, ignored);   // the view takes the focus and the capture
        hit = PanelAt(PointOf(lParam));   // the view's own handling may have moved its items
    }
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
        m_view->SPanel::ProcessSwndMessage(message, wParam, lParam, ignored);   // the capture goes, the view's click
}

LRESULT SItemRecycler::RouteKey(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled)
{
    SItemPanel* const panel = SelectedPanel();
    if (!panel) {
        handled = FALSE;
        return 0;
    }
    const LRESULT result = panel->DoFrameEvent(message, wParam, lParam);
    handled = panel->IsMsgHandled();
    return result;
}

BOOL SItemRecycler::RouteWheel(UINT flags, short delta, POINT point)
{
    SItemPanel* const panel = SelectedPanel();
    return panel && SendToPanel(panel, WM_MOUSEWHEEL, MAKEWPARAM(flags, delta), MAKELPARAM(point.x, point.y)) != 0;
}

void SItemRecycler::OnMouseLeave()
{
    if (SItemPanel* const panel = m_hoverPanel) {
        m_hoverPanel = nullptr;
        panel->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
        panel->InvalidateArea();
    }
}

BOOL SItemRecycler::RouteSetCursor(const POINT& point)
{
    SItemPanel* const panel = m_capturePanel ? m_capturePanel : m_hoverPanel;
    if (!panel)
        return FALSE;
    RECT row = {};
    GetItemRect(panel, row);
    return panel->DoFrameEvent(WM_SETCURSOR, 0, MAKELPARAM(point.x - row.left, point.y - row.top)) != 0;
}

void SItemRecycler::RestoreFocus()
{
    if (SItemPanel* const panel = SelectedPanel())
        panel->GetFocusManager()->RestoreFocusedWindow();
}

void SItemRecycler::SaveFocus()
{
    if (SItemPanel* const panel = SelectedPanel())
        panel->GetFocusManager()->SaveFocusedWindow();
}

// ---- IItemContainer ------------------------------------------------------------------------

void SItemRecycler::SetItemCapture(SItemPanel* item, BOOL capture)
{
    if (capture) {
        m_view->GetContainer()->OnSetSwndCapture(m_view->GetSwnd());
        m_capturePanel = item;
    } else {
        m_view->GetContainer()->OnReleaseSwndCapture();
        m_capturePanel = nullptr;
    }
}

BOOL SItemRecycler::GetItemRect(SItemPanel* item, RECT& rect)
{
    rect = m_host->ItemRect(item->GetItemIndex());
    return TRUE;
}

}  // namespace SAKU
