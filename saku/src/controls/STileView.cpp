#include "controls/STileView.h"

#include "controls/ILvAdapter.h"
#include "controls/SItemPanel.h"
#include "controls/STileViewItemLocator.h"
#include "core/Events.h"
#include "core/Geometry.h"
#include "core/ISlotFunctor.h"
#include "core/SXmlLookup.h"
#include "render/IRenderTarget.h"
#include "ViewDataSetObserver.h"

#include <algorithm>

namespace SAKU {

STileView::STileView()
{
    GetEventSet()->AddEvent(EventLVSelChanging::EventID, EventLVSelChanging::EventName());
    GetEventSet()->AddEvent(EventLVSelChanged::EventID, EventLVSelChanged::EventName());
    m_observer = SAutoRef<ILvDataSetObserver>::Adopt(new ViewDataSetObserver<STileView>(this));
    m_updateInterval = 40;
    ApplyAttribute(L"focusable", L"1", TRUE);
}

STileView::~STileView()
{
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    m_items.Reset(0);   // while the view is whole: the panels' last messages reach it
}

BOOL STileView::SetAdapter(ILvAdapter* adapter)
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

void STileView::SetItemLocator(STileViewItemLocator* locator)
{
    m_locator = locator;
    if (!m_locator)
        return;
    m_locator->SetAdapter(m_adapter.Get());
    m_locator->SetScale(GetScale());
    OnDataSetChanged();
}

void STileView::OnDataSetChanged()
{
    if (!m_adapter)
        return;
    if (GetSel() >= m_adapter->GetCount())
        m_items.ForgetSelection();
    UpdateScrollbar();
    UpdateVisibleItems();
}

void STileView::OnDataSetInvalidated()
{
    m_pendingRefresh = true;
    Invalidate();
}

SItemPanel* STileView::GetItemPanel(int index) const
{
    return m_items.PanelOf(index);
}

// ---- Selection and keys ------------------------------------------------------------------

void STileView::SetSel(int index, BOOL notify)
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

void STileView::EnsureVisible(int index)
{
    if (!m_adapter || !m_locator || index < 0 || index >= m_adapter->GetCount())
        return;
    const RECT tile = m_locator->GetItemRect(index);
    if (tile.top < m_vertInfo.nPos)
        OnScroll(TRUE, SB_THUMBPOSITION, tile.top);
    const int page = static_cast<int>(m_vertInfo.nPage);
    if (m_vertInfo.nPos + page < tile.bottom)
        OnScroll(TRUE, SB_THUMBPOSITION, tile.bottom - page);
}

void STileView::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (!m_adapter || !m_locator) {
        SetMsgHandled(FALSE);
        return;
    }
    if (m_wantTab) {
        if (SItemPanel* const panel = m_items.SelectedPanel()) {
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
    int target = -1;
    switch (key) {
    case VK_RIGHT:
        if (selected < count - 1)
            target = selected + 1;   // from no selection, tile 0
        break;
    case VK_LEFT:
        if (selected > 0)
            target = selected - 1;
        break;
    case VK_UP:
        if (selected > 0)
            target = m_locator->GetUpItem(selected);
        break;
    case VK_DOWN:
        if (selected < count - 1)
            target = m_locator->GetDownItem(selected);
        break;
    case VK_PRIOR:
    case VK_HOME:
    case VK_NEXT:
    case VK_END: {
        const UINT code = key == VK_PRIOR ? SB_PAGEUP : key == VK_HOME ? SB_TOP : key == VK_NEXT ? SB_PAGEDOWN : SB_BOTTOM;
        OnScroll(TRUE, code, 0);
        if (GetVisibleCount() > 0) {
            const bool up = key == VK_PRIOR || key == VK_HOME;
            target = up ? GetFirstVisibleIndex() : GetFirstVisibleIndex() + GetVisibleCount() - 1;
        }
        break;
    }
    default:
        break;
    }
    if (target != -1) {
        EnsureVisible(target);
        SetSel(target, FALSE);
    }
}

LRESULT STileView::OnKeyEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    BOOL handled = FALSE;
    const LRESULT result = m_items.RouteKey(message, wParam, lParam, handled);
    SetMsgHandled(handled);
    return result;
}

// With "wantTab" every key, Tab included; else the arrows, and no dialog key.
UINT STileView::OnGetDlgCode() const
{
    return m_wantTab ? kDlgCodeWantAllKeys : kDlgCodeWantSysKeys | kDlgCodeWantArrows;
}

// ---- Mouse --------------------------------------------------------------------------------

LRESULT STileView::OnMouseWheel(UINT flags, short delta, POINT point)
{
    if (m_items.RouteWheel(flags, delta, point))
        return 0;
    return SPanel::OnMouseWheel(flags, delta, point);
}

LRESULT STileView::OnMouseEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_adapter) {
        SetMsgHandled(FALSE);
        return 0;
    }
    m_items.RouteMouse(message, wParam, lParam);
    SetMsgHandled(TRUE);
    return 0;
}

void STileView::OnMouseLeave()
{
    SWindow::OnMouseLeave();
    m_items.OnMouseLeave();
}

BOOL STileView::OnItemClick(EventArgs* args)
{
    if (SItemPanel* const panel = SObjCast<SItemPanel>(args->sender)) {
        const int index = static_cast<int>(panel->GetItemIndex());
        if (index != GetSel())
            SetSel(index, TRUE);
    }
    return TRUE;
}

BOOL STileView::OnSetCursor(const POINT& point)
{
    return m_items.RouteSetCursor(point) || SPanel::OnSetCursor(point);
}

BOOL STileView::UpdateToolTip(POINT point, SwndToolTipInfo& info)
{
    if (SItemPanel* const panel = m_items.HoverPanel())
        return panel->UpdateToolTip(point, info);
    return SPanel::UpdateToolTip(point, info);
}

// ---- The tiles' geometry and content ----------------------------------------------------------

LPARAM STileView::FirstItemAt(int position)
{
    const int first = m_locator->Position2Item(position);
    return first >= 0 && first < m_adapter->GetCount() ? first : -1;
}

LPARAM STileView::NextItem(LPARAM item)
{
    return item + 1 < m_adapter->GetCount() ? item + 1 : -1;
}

// A row's band begins at the margin above its tiles, so that the filling stops
// at the first row lying wholly below the page.
int STileView::ItemPosition(LPARAM item)
{
    return m_locator->Item2Position(static_cast<int>(item));
}

RECT STileView::ItemRect(LPARAM item)
{
    const RECT client = GetClientRect();
    RECT rect = m_locator ? m_locator->GetItemRect(static_cast<int>(item)) : RECT{};
    ::OffsetRect(&rect, client.left, client.top - m_vertInfo.nPos);
    return rect;
}

int STileView::ItemViewType(LPARAM item, DWORD state)
{
    return m_adapter->GetItemViewType(static_cast<int>(item), state);
}

void STileView::FillItem(LPARAM item, SItemPanel* panel)
{
    const RECT rect = {0, 0, m_locator->GetItemWidth(), m_locator->GetItemHeight()};
    panel->Move(&rect);
    m_adapter->GetView(static_cast<int>(item), panel, m_template.first_child());
    panel->SetColorizeColor(GetColorizeColor());
}

void STileView::OnPanelCreated(SItemPanel* panel)
{
    panel->GetEventSet()->SubscribeEvent(EventItemPanelClick::EventID, Subscriber(&STileView::OnItemClick, this));
}

// ---- Scrolling ---------------------------------------------------------------------------------

int STileView::GetScrollLineSize(BOOL vertical)
{
    return m_locator ? m_locator->GetScrollLineSize() : SPanel::GetScrollLineSize(vertical);
}

// Whether the bar moved, so that a wheel turned at the end goes on to an outer scroller.
BOOL STileView::OnScroll(BOOL vertical, UINT code, int position)
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

// The columns come from the width the bar leaves, and the bar from the rows the
// columns make. Fewer columns under a bar only make more rows, so one look with
// the bar and one without settle it. The position stays within what scrolling
// reaches (the total less the page), so that a view scrolled to its end stays
// there when it is laid out again.
void STileView::UpdateScrollbar()
{
    RECT area = {};
    SWindow::CopyClientRect(&area);
    const int height = std::max(Height(area), 0);
    int total = 0;
    if (m_locator) {
        m_locator->SetTileViewWidth(Width(area));
        total = m_locator->GetTotalHeight();
        if (height < total) {
            m_locator->SetTileViewWidth(std::max(Width(area) - GetSbWidth(), 0));
            total = m_locator->GetTotalHeight();
        }
    }
    m_shownBars = 0;
    m_vertInfo.nMin = 0;
    m_vertInfo.nPage = height;
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

void STileView::UpdateVisibleItems()
{
    if (!m_adapter || !m_locator)
        return;
    if (GetSel() >= m_adapter->GetCount())
        m_items.ForgetSelection();   // tiles went away under the selection without a change notice
    m_items.Update(m_vertInfo.nPos, Height(GetClientRect()));
}

// ---- Painting and the window's life ----------------------------------------------------

void STileView::OnPaint(IRenderTarget* target)
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
        for (auto* node = m_items.Visible().GetHead(); node; node = node->next) {
            SItemPanel* const panel = node->value.panel;
            const RECT tile = ItemRect(panel->GetItemIndex());
            RECT visible = {};
            if (::IntersectRect(&visible, &tile, &box))
                panel->Draw(target, tile);
        }
        target->PopClip();
    }
    AfterPaint(target, saved);
}

void STileView::OnSize(UINT type, SIZE size)
{
    SPanel::OnSizeChanged(type, size);
    UpdateScrollbar();
    UpdateVisibleItems();
}

void STileView::OnSetFocus(SWND oldFocus, int reason)
{
    SPanel::OnSetFocus(oldFocus, reason);
    m_items.RestoreFocus();
}

void STileView::OnKillFocus(SWND newFocus)
{
    SPanel::OnKillFocus(newFocus);
    m_items.SaveFocus();
}

void STileView::OnDestroy()
{
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    m_items.Reset(0);
    m_adapter = nullptr;
    SPanel::OnDestroy();
}

// ---- Template, attributes and the environment ---------------------------------------------

// A template whose tiles take no room across or down gets no locator: the
// columns and rows are counted by dividing by those sizes.
BOOL STileView::BuildChildren(pugi::xml_node element)
{
    const pugi::xml_node source = XmlChild(element, L"template");
    if (!source)
        return TRUE;
    m_template.reset();
    m_template.append_copy(source);
    const auto size = [&](const wchar_t* name) {
        const pugi::xml_attribute attribute = XmlAttribute(source, name);
        return SStringW(attribute ? attribute.value() : L"10dp");
    };
    auto locator = SAutoRef<STileViewItemLocator>::Adopt(
        new STileViewItemLocator(size(L"itemHeight"), size(L"itemWidth"), m_marginSize));
    locator->SetScale(GetScale());
    if (locator->GetItemWidth() + locator->GetMarginSize() <= 0 ||
        locator->GetItemHeight() + locator->GetMarginSize() <= 0) {
        SetItemLocator(nullptr);
        return TRUE;
    }
    SetItemLocator(locator.Get());
    return TRUE;
}

void STileView::ApplyColorize(COLORREF color)
{
    SPanel::ApplyColorize(color);
    m_items.Broadcast(UM_SETCOLORIZE, color);
}

void STileView::OnScaleChanged(int scale)
{
    SPanel::OnScaleChanged(scale);
    if (m_locator)
        m_locator->SetScale(scale);
    m_items.Broadcast(UM_SETSCALE, scale);
}

int STileView::OnLanguageChanged()
{
    const int result = SPanel::OnLanguageChanged();
    m_items.Broadcast(UM_SETLANGUAGE);
    return result;
}

}  // namespace SAKU
