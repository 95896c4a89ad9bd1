#include "controls/STreeView.h"

#include "controls/ITreeViewAdapter.h"
#include "controls/SItemPanel.h"
#include "controls/STreeViewItemLocator.h"
#include "core/Events.h"
#include "core/Geometry.h"
#include "core/ISlotFunctor.h"
#include "core/SXmlLookup.h"
#include "render/IRenderTarget.h"
#include "TreeViewDataSetObserver.h"

#include <algorithm>

namespace SAKU {

namespace {

constexpr int kDefaultIndent = 10;
// Passes of measuring rows and setting the bars before the view settles for what
// it has: rows whose sizes follow the bars could otherwise go on for ever.
constexpr int kMaxLayoutPasses = 8;
// The height of the container rectangle in which a row is measured.
constexpr int kMeasureHeight = 10000;

}  // namespace

STreeView::STreeView()
{
    GetEventSet()->AddEvent(EventTVSelChanging::EventID, EventTVSelChanging::EventName());
    GetEventSet()->AddEvent(EventTVSelChanged::EventID, EventTVSelChanged::EventName());
    m_observer = SAutoRef<ITvDataSetObserver>::Adopt(new TreeViewDataSetObserver<STreeView>(this));
    m_locator = SAutoRef<ITreeViewItemLocator>::Adopt(new STreeViewItemLocator(kDefaultIndent));
    ApplyAttribute(L"focusable", L"1", TRUE);
}

STreeView::~STreeView()
{
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    m_items.Reset(0);   // while the view is whole: the panels' last messages reach it
}

BOOL STreeView::SetAdapter(ITreeViewAdapter* adapter)
{
    if (adapter && !m_template.first_child())
        return FALSE;
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    m_items.Reset(0);
    m_items.ForgetSelection();   // a handle of the old adapter means nothing to the new one
    m_selectedPath.clear();
    m_rows.clear();
    m_adapter = adapter;
    m_locator->SetAdapter(adapter);
    if (m_adapter) {
        m_adapter->RegisterDataSetObserver(m_observer.Get());
        m_adapter->InitByTemplate(m_template.first_child());
        m_items.Reset(std::max(m_adapter->GetViewTypeCount(), 1));
        OnBranchChanged(TREE_ITEM_ROOT);
    } else {
        UpdateScrollbar();
    }
    return TRUE;
}

void STreeView::OnBranchChanged(HSTREEITEM branch)
{
    if (!m_adapter)
        return;
    DropRemovedSelection(branch);
    m_locator->OnBranchChanged(branch);
    UpdateScrollbar();
    UpdateVisibleItems();
}

void STreeView::OnBranchExpandedChanged(HSTREEITEM item, BOOL wasExpanded, BOOL expanded)
{
    if (!m_adapter)
        return;
    m_locator->OnBranchExpandedChanged(item, wasExpanded, expanded);
    UpdateScrollbar();
    UpdateVisibleItems();
}

// The remembered path says whether the selection lay inside the branch; only
// then is the branch searched, and only through handles the adapter gives now.
void STreeView::DropRemovedSelection(HSTREEITEM branch)
{
    const HSTREEITEM selected = GetSel();
    if (!selected || branch == selected)
        return;
    if (branch != TREE_ITEM_ROOT && std::find(m_selectedPath.begin(), m_selectedPath.end(), branch) == m_selectedPath.end())
        return;
    std::vector<HSTREEITEM> pending{branch};
    while (!pending.empty()) {
        const HSTREEITEM item = pending.back();
        pending.pop_back();
        for (HSTREEITEM child = m_adapter->GetFirstChildItem(item); child; child = m_adapter->GetNextSiblingItem(child)) {
            if (child == selected) {
                RememberSelectedPath();   // it may have moved inside the branch
                return;
            }
            pending.push_back(child);
        }
    }
    m_items.ForgetSelection();
    m_selectedPath.clear();
}

void STreeView::RememberSelectedPath()
{
    m_selectedPath.clear();
    const HSTREEITEM selected = GetSel();
    if (!selected || !m_adapter)
        return;
    for (HSTREEITEM parent = m_adapter->GetParentItem(selected); parent; parent = m_adapter->GetParentItem(parent)) {
        m_selectedPath.push_back(parent);
        if (parent == TREE_ITEM_ROOT)
            break;
    }
}

// ---- Selection and keys ------------------------------------------------------------------

void STreeView::SetSel(HSTREEITEM item, BOOL notify)
{
    if (!m_adapter)
        return;
    const HSTREEITEM old = GetSel();
    if (notify) {
        EventTVSelChanging changing(this, old, item);
        RaiseEvent(&changing);
        if (changing.cancel)
            return;
    }
    if (item == old)
        return;
    m_items.MoveSelection(static_cast<LPARAM>(item));
    RememberSelectedPath();
    if (notify) {
        EventTVSelChanged changed(this, old, item);
        RaiseEvent(&changed);
    }
}

// A row that reaches past either edge of the page is brought to that edge, so
// that a step down from the last whole row shows the next one.
void STreeView::EnsureVisible(HSTREEITEM item)
{
    if (!m_adapter || !item || item == TREE_ITEM_ROOT)
        return;
    for (HSTREEITEM parent = m_adapter->GetParentItem(item); parent && parent != TREE_ITEM_ROOT;
         parent = m_adapter->GetParentItem(parent)) {
        if (!m_adapter->IsItemExpanded(parent))
            m_adapter->ExpandItem(parent, kTvExpand);
    }
    const auto bring = [this](BOOL vertical, int start, int size) {
        const SCROLLINFO& info = GetScrollInfo(vertical);
        const int page = static_cast<int>(info.nPage);
        if (start < info.nPos)
            OnScroll(vertical, SB_THUMBPOSITION, start);
        else if (start + size > info.nPos + page)
            OnScroll(vertical, SB_THUMBPOSITION, start + size - page);
    };
    const int top = m_locator->Item2Position(item);
    if (top < 0)
        return;   // the adapter kept an ancestor collapsed
    bring(TRUE, top, m_locator->GetItemHeight(item));
    bring(FALSE, m_locator->GetItemIndent(item), m_locator->GetItemWidth(item));
}

void STreeView::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (!m_adapter) {
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
    const HSTREEITEM selected = GetSel();
    HSTREEITEM target = 0;
    switch (key) {
    case VK_PRIOR: OnScroll(TRUE, SB_PAGEUP, 0); break;
    case VK_NEXT:  OnScroll(TRUE, SB_PAGEDOWN, 0); break;
    case VK_HOME:  OnScroll(TRUE, SB_TOP, 0); break;
    case VK_END:   OnScroll(TRUE, SB_BOTTOM, 0); break;
    case VK_UP:
        target = selected ? m_adapter->GetPrevVisibleItem(selected) : m_adapter->GetFirstVisibleItem();
        break;
    case VK_DOWN:
        target = selected ? m_adapter->GetNextVisibleItem(selected) : m_adapter->GetFirstVisibleItem();
        break;
    case VK_LEFT:
        if (!selected)
            break;
        if (!m_adapter->HasChildren(selected) || !m_adapter->IsItemExpanded(selected))
            target = m_adapter->GetPrevVisibleItem(selected);
        else
            m_adapter->ExpandItem(selected, kTvCollapse);
        break;
    case VK_RIGHT:
        if (!selected)
            break;
        if (!m_adapter->HasChildren(selected) || m_adapter->IsItemExpanded(selected))
            target = m_adapter->GetNextVisibleItem(selected);
        else
            m_adapter->ExpandItem(selected, kTvExpand);
        break;
    default:
        break;
    }
    if (target) {
        EnsureVisible(target);
        SetSel(target, TRUE);
    }
}

LRESULT STreeView::OnKeyEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    BOOL handled = FALSE;
    const LRESULT result = m_items.RouteKey(message, wParam, lParam, handled);
    SetMsgHandled(handled);
    return result;
}

// With "wantTab" every key, Tab included; else the arrows, and no dialog key.
UINT STreeView::OnGetDlgCode() const
{
    return m_wantTab ? kDlgCodeWantAllKeys : kDlgCodeWantSysKeys | kDlgCodeWantArrows;
}

// ---- Mouse --------------------------------------------------------------------------------

LRESULT STreeView::OnMouseWheel(UINT flags, short delta, POINT point)
{
    if (m_items.RouteWheel(flags, delta, point))
        return 0;
    return SPanel::OnMouseWheel(flags, delta, point);
}

LRESULT STreeView::OnMouseEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_adapter) {
        SetMsgHandled(FALSE);
        return 0;
    }
    m_items.RouteMouse(message, wParam, lParam);
    SetMsgHandled(TRUE);
    return 0;
}

void STreeView::OnMouseLeave()
{
    SWindow::OnMouseLeave();
    m_items.OnMouseLeave();
}

// The selected row's inner windows give up the focus before the view takes it.
void STreeView::OnPressOutsideItems()
{
    if (SItemPanel* const panel = m_items.SelectedPanel())
        panel->DoFrameEvent(WM_KILLFOCUS, 0, 0);
}

BOOL STreeView::OnItemClick(EventArgs* args)
{
    if (SItemPanel* const panel = SObjCast<SItemPanel>(args->sender)) {
        const auto item = static_cast<HSTREEITEM>(panel->GetItemIndex());
        if (item != GetSel())
            SetSel(item, TRUE);
    }
    return TRUE;
}

BOOL STreeView::OnItemDbClick(EventArgs* args)
{
    if (SItemPanel* const panel = SObjCast<SItemPanel>(args->sender)) {
        const auto item = static_cast<HSTREEITEM>(panel->GetItemIndex());
        if (m_adapter && m_adapter->HasChildren(item))
            m_adapter->ExpandItem(item, kTvToggle);
    }
    return TRUE;
}

BOOL STreeView::OnSetCursor(const POINT& point)
{
    return m_items.RouteSetCursor(point) || SPanel::OnSetCursor(point);
}

BOOL STreeView::UpdateToolTip(POINT point, SwndToolTipInfo& info)
{
    if (SItemPanel* const panel = m_items.HoverPanel())
        return panel->UpdateToolTip(point, info);
    return SPanel::UpdateToolTip(point, info);
}

// ---- The rows' geometry and content ----------------------------------------------------------

LPARAM STreeView::FirstItemAt(int position)
{
    return static_cast<LPARAM>(m_locator->Position2Item(position));
}

LPARAM STreeView::NextItem(LPARAM item)
{
    return static_cast<LPARAM>(m_adapter->GetNextVisibleItem(static_cast<HSTREEITEM>(item)));
}

int STreeView::ItemPosition(LPARAM item)
{
    return m_locator->Item2Position(static_cast<HSTREEITEM>(item));
}

bool STreeView::LaidOutTop(LPARAM item, int& top) const
{
    if (item == m_placing) {
        top = m_placingTop;
        return true;
    }
    for (const auto* rows : {&m_rows, &m_leavingRows}) {
        const auto found = rows->find(item);
        if (found != rows->end()) {
            top = found->second.top;
            return true;
        }
    }
    return false;
}

RECT STreeView::ItemRect(LPARAM item)
{
    for (const auto* rows : {&m_rows, &m_leavingRows}) {
        const auto found = rows->find(item);
        if (found != rows->end()) {
            const RECT client = GetClientRect();
            RECT rect = found->second;
            ::OffsetRect(&rect, client.left - m_horzInfo.nPos, client.top - m_vertInfo.nPos);
            return rect;
        }
    }
    return RECT{};
}

// The recycler compares the items it places with those that leave, whose handles
// may be gone from the adapter: both are ordered by where they were laid out.
bool STreeView::ItemBefore(LPARAM a, LPARAM b)
{
    int topA = 0;
    int topB = 0;
    return LaidOutTop(a, topA) && LaidOutTop(b, topB) && topA < topB;
}

int STreeView::ItemViewType(LPARAM item, DWORD)
{
    m_placing = item;
    m_placingTop = m_locator->Item2Position(static_cast<HSTREEITEM>(item));
    return m_adapter->GetViewType(static_cast<HSTREEITEM>(item));
}

// The adapter fills and measures the row; the locator records the size, and the
// view where the row lies.
void STreeView::FillItem(LPARAM item, SItemPanel* panel)
{
    const auto handle = static_cast<HSTREEITEM>(item);
    m_adapter->GetView(handle, panel, m_template.first_child());
    panel->SetColorizeColor(GetColorizeColor());
    const int indent = m_locator->GetItemIndent(handle);
    SIZE size = {};
    const RECT container = {indent, 0, Width(GetClientRect()), kMeasureHeight};
    m_adapter->GetViewDesiredSize(&size, handle, panel, &container);
    const RECT rect = {0, 0, size.cx, size.cy};
    panel->Move(&rect);
    m_locator->SetItemWidth(handle, size.cx);
    m_locator->SetItemHeight(handle, size.cy);
    const int top = m_locator->Item2Position(handle);
    m_rows[item] = RECT{indent, top, indent + size.cx, top + size.cy};
}

void STreeView::OnPanelCreated(SItemPanel* panel)
{
    panel->GetEventSet()->SubscribeEvent(EventItemPanelClick::EventID, Subscriber(&STreeView::OnItemClick, this));
    panel->GetEventSet()->SubscribeEvent(EventItemPanelDbclick::EventID, Subscriber(&STreeView::OnItemDbClick, this));
}

// ---- Scrolling ---------------------------------------------------------------------------------

int STreeView::GetScrollLineSize(BOOL)
{
    return m_locator->GetScrollLineSize();
}

// Whether the bar moved, so that a wheel turned at the end goes on to an outer scroller.
BOOL STreeView::OnScroll(BOOL vertical, UINT code, int position)
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

// Each bar shows when the tree does not fit across or down; a bar takes room from
// the other direction, so a tree that fits only without the other bar gets none.
// A position stays within what scrolling reaches.
void STreeView::UpdateScrollbar()
{
    RECT area = {};
    SWindow::CopyClientRect(&area);
    const int width = std::max(Width(area), 0);
    const int height = std::max(Height(area), 0);
    const int totalWidth = m_adapter ? m_locator->GetTotalWidth() : 0;
    const int totalHeight = m_adapter ? m_locator->GetTotalHeight() : 0;
    const bool matchWidth = m_adapter && m_adapter->IsViewWidthMatchParent();
    const int bar = GetSbWidth();

    bool vertical = false;
    bool horizontal = false;
    int verticalPage = height;
    int horizontalPage = width;
    if (height >= totalHeight && (height >= totalHeight + bar || width >= totalWidth)) {
        horizontal = width < totalWidth && !matchWidth;
    } else {
        vertical = true;
        if (width - bar < totalWidth && !matchWidth) {
            horizontal = true;
            verticalPage = std::max(height - bar, 0);
            horizontalPage = std::max(width - bar, 0);
        }
    }
    const auto apply = [this](BOOL isVertical, bool shown, int total, int client, int page) {
        SCROLLINFO& info = Info(isVertical);
        info.nMin = 0;
        info.nMax = shown ? total - 1 : std::max(client - 1, 0);
        info.nPage = static_cast<UINT>(page);
        int position = shown ? std::min(info.nPos, std::max(total - page, 0)) : 0;
        if (shown)
            m_shownBars |= BarBit(isVertical);
        return position;
    };
    m_shownBars = 0;
    const int verticalPosition = apply(TRUE, vertical, totalHeight, height, verticalPage);
    const int horizontalPosition = apply(FALSE, horizontal, totalWidth, width, horizontalPage);
    SetScrollPos(TRUE, verticalPosition, TRUE);
    SetScrollPos(FALSE, horizontalPosition, TRUE);
    SendSwndMessage(WM_NCCALCSIZE);
    InvalidateArea();
}

void STreeView::UpdateVisibleItems()
{
    if (!m_adapter)
        return;
    for (int pass = 1;; ++pass) {
        const int width = m_locator->GetTotalWidth();
        const int height = m_locator->GetTotalHeight();
        m_leavingRows = std::move(m_rows);
        m_rows.clear();
        m_items.Update(m_vertInfo.nPos, Height(GetClientRect()));
        m_leavingRows.clear();
        m_placing = 0;
        if (m_locator->GetTotalWidth() == width && m_locator->GetTotalHeight() == height)
            return;
        UpdateScrollbar();   // the bars always cover the rows as measured
        if (pass == kMaxLayoutPasses)
            return;
    }
}

// ---- Painting and the window's life ----------------------------------------------------

// Rows are drawn where they were laid out: painting asks the adapter nothing.
void STreeView::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    if (GetVisibleCount() > 0) {
        const RECT client = GetClientRect();
        target->PushClipRect(&client, RGN_AND);
        RECT box = {};
        target->GetClipBox(&box);
        for (auto* node = m_items.Visible().GetHead(); node; node = node->next) {
            SItemPanel* const panel = node->value.panel;
            const RECT row = ItemRect(panel->GetItemIndex());
            RECT visible = {};
            if (::IntersectRect(&visible, &row, &box))
                panel->Draw(target, row);
        }
        target->PopClip();
    }
    AfterPaint(target, saved);
}

void STreeView::OnSize(UINT type, SIZE size)
{
    SPanel::OnSizeChanged(type, size);
    if (!m_adapter)
        return;
    UpdateScrollbar();
    UpdateVisibleItems();
}

void STreeView::OnSetFocus(SWND oldFocus, int reason)
{
    SPanel::OnSetFocus(oldFocus, reason);
    m_items.RestoreFocus();
}

void STreeView::OnKillFocus(SWND newFocus)
{
    SPanel::OnKillFocus(newFocus);
    m_items.SaveFocus();
}

void STreeView::OnDestroy()
{
    if (m_adapter)
        m_adapter->UnregisterDataSetObserver(m_observer.Get());
    m_items.Reset(0);
    m_rows.clear();
    m_adapter = nullptr;
    m_locator->SetAdapter(nullptr);
    SPanel::OnDestroy();
}

// ---- Template, attributes and the environment ---------------------------------------------

BOOL STreeView::BuildChildren(pugi::xml_node element)
{
    const pugi::xml_node source = XmlChild(element, L"template");
    if (!source)
        return TRUE;
    m_template.reset();
    m_template.append_copy(source);
    return TRUE;
}

// The indent shapes every stored branch width, so it is taken only before an
// adapter can have been laid out with another.
HRESULT STreeView::OnAttrIndent(const SStringW& value, BOOL loading)
{
    if (!loading)
        return E_FAIL;
    m_locator = SAutoRef<ITreeViewItemLocator>::Adopt(new STreeViewItemLocator(ParseIntOrZero(value)));
    return kNoRefresh;
}

void STreeView::ApplyColorize(COLORREF color)
{
    SPanel::ApplyColorize(color);
    m_items.Broadcast(UM_SETCOLORIZE, color);
}

void STreeView::OnScaleChanged(int scale)
{
    SPanel::OnScaleChanged(scale);
    m_items.Broadcast(UM_SETSCALE, scale);
}

int STreeView::OnLanguageChanged()
{
    const int result = SPanel::OnLanguageChanged();
    m_items.Broadcast(UM_SETLANGUAGE);
    return result;
}

}  // namespace SAKU
