#include "controls/SSplitWnd.h"

#include "controls/SSplitPane.h"
#include "core/Events.h"
#include "core/ISkinObj.h"
#include "core/SApplication.h"
#include "core/SkinLookup.h"

#include <pugixml.hpp>

#include <algorithm>
#include <climits>
#include <cwchar>

namespace SAKU {

namespace {

int IndexIn(const std::vector<SSplitPane*>& panes, const SSplitPane* pane)
{
    const auto found = std::find(panes.begin(), panes.end(), pane);
    return found == panes.end() ? -1 : static_cast<int>(found - panes.begin());
}

// How far the records can grow in all (towards their greatest sizes) or shrink
// (towards their least).
long long RoomOf(const PaneSizes& sizes, bool grow)
{
    long long room = 0;
    for (const PaneSize& pane : sizes)
        room += std::max(0LL, grow ? static_cast<long long>(pane.max) - pane.size
                                   : static_cast<long long>(pane.size) - pane.min);
    return room;
}

// Grows (change > 0) or shrinks record `index`, the pane beside a dragged gap, by
// the change; what passes its limit goes to the other records of its side.
void ResizeBesideGap(PaneSizes& sizes, int index, int change)
{
    const int sign = change > 0 ? 1 : -1;
    PaneSize& pane = sizes[index];
    const long long limit = sign > 0 ? pane.max : pane.min;
    const long long room = std::max(0LL, sign * (limit - pane.size));
    const long long wanted = static_cast<long long>(sign) * change;
    if (room > wanted) {
        pane.size += change;
        return;
    }
    pane.size += static_cast<int>(sign * room);
    const PaneSize kept = pane;
    sizes.erase(sizes.begin() + index);
    (void)SSplitWnd::DistributeSize(sizes, static_cast<int>(sign * (wanted - room)));   // the side had the room
    sizes.insert(sizes.begin() + index, kept);
}

int ClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

// ---- Panes ------------------------------------------------------------------------------

int SSplitWnd::InsertPane(SSplitPane* pane, int index)
{
    if (!pane || pane->GetParent() != this)
        return -1;
    const int count = m_panes.GetCount();
    for (int i = 0; i < count; ++i) {
        if (m_panes[i] == pane)
            return -1;
    }
    if (m_panes.Add(pane) < 0)
        return -1;
    if (index < 0 || index > count)
        index = count;
    SSplitPane** const panes = m_panes.GetData();
    std::rotate(panes + index, panes + count, panes + count + 1);
    SortByPriority();

    const RECT client = GetClientRect();
    if (!::IsRectEmpty(&client)) {
        PaneSet all = AllPanes();
        if (pane->IsVisible(FALSE))
            all.sizes[IndexIn(all.byPriority, pane)].size = pane->GetIdealSize();
        Relayout(client, &all.sizes);
    }
    return index;
}

SSplitPane* SSplitWnd::GetPane(int index) const
{
    return index >= 0 && index < m_panes.GetCount() ? m_panes[index] : nullptr;
}

void SSplitWnd::SortByPriority()
{
    // Rebuilt from the visual order, so that a stable sort keeps equal priorities in it.
    m_panesByPriority.SetCount(0);
    for (int i = 0; i < m_panes.GetCount(); ++i)
        m_panesByPriority.Add(m_panes[i]);
    SSplitPane** const panes = m_panesByPriority.GetData();
    std::stable_sort(panes, panes + m_panesByPriority.GetCount(), [](const SSplitPane* a, const SSplitPane* b) {
        return a->GetPriority() > b->GetPriority();
    });
}

PaneSize SSplitWnd::SizeOf(const SSplitPane* pane) const
{
    if (!pane->IsVisible(FALSE))
        return {};
    const RECT rect = pane->GetWindowRect();
    const int extent = m_vertical ? rect.right - rect.left : rect.bottom - rect.top;
    return {extent != 0 ? extent : pane->GetMinSize(), pane->GetIdealSize(), pane->GetMinSize(), pane->GetMaxSize()};
}

PaneSizes SSplitWnd::SizesOf(const std::vector<SSplitPane*>& panes) const
{
    PaneSizes sizes;
    sizes.reserve(panes.size());
    for (const SSplitPane* pane : panes)
        sizes.push_back(SizeOf(pane));
    return sizes;
}

SSplitWnd::PaneSet SSplitWnd::AllPanes() const
{
    PaneSet all;
    all.visual.assign(m_panes.GetData(), m_panes.GetData() + m_panes.GetCount());
    all.byPriority.assign(m_panesByPriority.GetData(), m_panesByPriority.GetData() + m_panesByPriority.GetCount());
    all.sizes = SizesOf(all.byPriority);
    return all;
}

void SSplitWnd::SplitAt(int separator, PaneSet& before, PaneSet& after) const
{
    const PaneSet all = AllPanes();
    for (int i = 0; i < static_cast<int>(all.visual.size()); ++i)
        (i <= separator ? before : after).visual.push_back(all.visual[i]);
    for (SSplitPane* pane : all.byPriority)
        (IndexIn(all.visual, pane) <= separator ? before : after).byPriority.push_back(pane);
    before.sizes = SizesOf(before.byPriority);
    after.sizes = SizesOf(after.byPriority);
}

// ---- Sizing --------------------------------------------------------------------------------

int SSplitWnd::DistributeSize(PaneSizes& sizes, int amount)
{
    if (amount == 0)
        return 0;
    const int sign = amount > 0 ? 1 : -1;
    long long rest = static_cast<long long>(sign) * amount;
    // A pane already past its ideal size on this side keeps it in the first pass.
    for (PaneSize& pane : sizes) {
        const long long room = sign * (static_cast<long long>(pane.ideal) - pane.size);
        if (room < 0)
            continue;
        const long long taken = std::min(room, rest);
        pane.size += static_cast<int>(sign * taken);
        rest -= taken;
        if (rest == 0)
            return 0;
    }
    for (auto pane = sizes.rbegin(); pane != sizes.rend(); ++pane) {
        const long long limit = sign > 0 ? pane->max : pane->min;
        const long long room = sign * (limit - pane->size);
        if (room <= 0)
            continue;
        const long long taken = std::min(room, rest);
        pane->size += static_cast<int>(sign * taken);
        rest -= taken;
        if (rest == 0)
            return 0;
    }
    return static_cast<int>(sign * rest);
}

void SSplitWnd::Relayout(const RECT& rect, const PaneSizes* sizes)
{
    PaneSet all = AllPanes();
    if (sizes && sizes->size() == all.sizes.size())
        all.sizes = *sizes;
    const int visible = static_cast<int>(std::count_if(all.visual.begin(), all.visual.end(),
                                                       [](const SSplitPane* pane) { return pane->IsVisible(FALSE); }));
    // Without a visible pane there is no gap to count either: nothing to place.
    if (visible == 0)
        return;
    long long sum = 0;
    for (const PaneSize& pane : all.sizes)
        sum += pane.size;
    const long long length = m_vertical ? rect.right - rect.left : rect.bottom - rect.top;
    const long long change = length - static_cast<long long>(visible - 1) * m_sepSize - sum;
    // What no pane can take is left empty at the end, or runs past it.
    (void)DistributeSize(all.sizes, ClampToInt(change));
    PlacePanes(all, rect, m_vertical ? rect.left : rect.top);
}

int SSplitWnd::PlacePanes(const PaneSet& set, const RECT& area, int pos)
{
    // A subscriber of the move events may release this window.
    const SAutoRef<SWindow> self(this);
    for (SSplitPane* pane : set.visual) {
        if (!pane->IsVisible(FALSE))
            continue;   // with a size of 0 it takes no room
        const int size = set.sizes[IndexIn(set.byPriority, pane)].size;
        RECT rect = area;
        (m_vertical ? rect.left : rect.top) = pos;
        (m_vertical ? rect.right : rect.bottom) = pos + size;
        pane->Move(&rect);
        EventSplitPaneMoved moved(pane, pane->GetWindowRect());
        pane->RaiseEvent(&moved);
        pos += size + m_sepSize;
    }
    return pos;
}

// ---- SWindow overrides ----------------------------------------------------------------------

BOOL SSplitWnd::BuildChildren(pugi::xml_node element)
{
    for (pugi::xml_node node = element.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element || _wcsicmp(node.name(), SSplitPane::ClassName()) != 0)
            continue;
        SSplitPane* const pane = new SSplitPane;
        InsertChild(pane);   // the tree holds the pane's first reference
        // Building may refuse the pane, which is then gone.
        const SAutoRef<SWindow> held(pane);
        if (pane->BuildFromXml(node) && pane->GetParent() == this)
            InsertPane(pane, -1);
    }
    return m_panes.GetCount() > 0;
}

void SSplitWnd::UpdateChildrenPosition()
{
    Relayout(GetClientRect());
}

BOOL SSplitWnd::OnSetCursor(const POINT& point)
{
    if (!m_adjustable)
        return SWindow::OnSetCursor(point);
    SApplication* const app = SApplication::GetInstance();
    if (HCURSOR const cursor = app ? app->LoadCursor(m_vertical ? IDC_SIZEWE : IDC_SIZENS) : nullptr)
        ::SetCursor(cursor);
    return TRUE;
}

// ---- Messages ------------------------------------------------------------------------------

void SSplitWnd::OnDestroy()
{
    // The panes go with the tree now; the lists would point at them after.
    m_dragSep = -1;
    m_panes.SetCount(0);
    m_panesByPriority.SetCount(0);
    SWindow::OnDestroy();
}

void SSplitWnd::OnPaint(IRenderTarget* target)
{
    if (!m_sepSkin)
        return;
    // A gap follows each visible pane that another visible pane follows, where
    // PlacePanes left it; hidden panes take no room and make no gap.
    const RECT client = GetClientRect();
    const SSplitPane* previous = nullptr;
    for (int i = 0; i < m_panes.GetCount(); ++i) {
        const SSplitPane* const pane = m_panes[i];
        if (!pane->IsVisible(FALSE))
            continue;
        if (previous) {
            const RECT placed = previous->GetWindowRect();
            RECT gap = client;
            if (m_vertical) {
                gap.left = placed.right;
                gap.right = placed.right + m_sepSize;
            } else {
                gap.top = placed.bottom;
                gap.bottom = placed.bottom + m_sepSize;
            }
            m_sepSkin->DrawByIndex(target, &gap, 0);
        }
        previous = pane;
    }
}

void SSplitWnd::OnLButtonDown(UINT flags, POINT point)
{
    const SAutoRef<SWindow> self(this);
    SWindow::OnLButtonDown(flags, point);
    m_dragSep = -1;
    if (!m_adjustable)
        return;
    m_dragPoint = point;
    // The gap is the one before the first pane that starts beyond the point; a
    // press before the first pane drags none.
    for (int i = 0; i < m_panes.GetCount(); ++i) {
        const SSplitPane* const pane = m_panes[i];
        if (!pane->IsVisible(FALSE))
            continue;
        const RECT rect = pane->GetWindowRect();
        if (m_vertical ? rect.left > point.x : rect.top > point.y) {
            m_dragSep = i - 1;
            return;
        }
    }
}

void SSplitWnd::OnLButtonUp(UINT flags, POINT point)
{
    const SAutoRef<SWindow> self(this);
    SWindow::OnLeftButtonUp(flags, point);
    m_dragSep = -1;
}

void SSplitWnd::OnMouseMove(UINT, POINT point)
{
    if (m_dragSep < 0 || m_dragSep + 1 >= m_panes.GetCount())
        return;
    const int moved = m_vertical ? point.x - m_dragPoint.x : point.y - m_dragPoint.y;
    m_dragPoint = point;
    PaneSet before;
    PaneSet after;
    SplitAt(m_dragSep, before, after);

    // Forward the panes before the gap grow and those after it shrink; back the other way.
    const bool forward = moved >= 1;
    PaneSet& growing = forward ? before : after;
    PaneSet& shrinking = forward ? after : before;
    const long long capacity = std::min(RoomOf(growing.sizes, true), RoomOf(shrinking.sizes, false));
    const int change = static_cast<int>(std::min<long long>(capacity, forward ? moved : -static_cast<long long>(moved)));
    if (change <= 0)
        return;
    SSplitPane* const grower = forward ? before.visual.back() : after.visual.front();
    SSplitPane* const shrinker = forward ? after.visual.front() : before.visual.back();
    ResizeBesideGap(growing.sizes, IndexIn(growing.byPriority, grower), change);
    ResizeBesideGap(shrinking.sizes, IndexIn(shrinking.byPriority, shrinker), -change);

    const SAutoRef<SWindow> self(this);
    const RECT client = GetClientRect();
    const int afterStart = PlacePanes(before, client, m_vertical ? client.left : client.top);
    PlacePanes(after, client, afterStart);
    Invalidate();
    UpdateWindow();
}

// ---- Presets ------------------------------------------------------------------------------

SSplitWnd_Col::SSplitWnd_Col()
{
    m_vertical = 1;
    m_sepSkin = FindBuiltinSkin(L"_skin.sys.split.vert");
}

SSplitWnd_Row::SSplitWnd_Row()
{
    m_vertical = 0;
    m_sepSkin = FindBuiltinSkin(L"_skin.sys.split.horz");
}

}  // namespace SAKU
