#include "controls/STreeViewItemLocator.h"

#include "controls/ITreeViewAdapter.h"

#include <algorithm>

namespace SAKU {

namespace {

// The adapter's storage slots that the locator uses.
constexpr int kSlotHeight = 0;
constexpr int kSlotWidth = 1;
constexpr int kSlotBranchHeight = 2;
constexpr int kSlotBranchWidth = 3;
constexpr int kSlotOffset = 5;

bool IsRealItem(HSTREEITEM item)
{
    return item != 0 && item != TREE_ITEM_ROOT;
}

}  // namespace

STreeViewItemLocator::STreeViewItemLocator(int indent) : m_indent(indent)
{
}

STreeViewItemLocator::~STreeViewItemLocator() = default;

void STreeViewItemLocator::SetAdapter(ITreeViewAdapter* adapter)
{
    m_adapter = adapter;
}

int STreeViewItemLocator::Slot(HSTREEITEM item, int index)
{
    return static_cast<int>(static_cast<LONG_PTR>(m_adapter->GetItemSlot(item, index)));
}

void STreeViewItemLocator::SetSlot(HSTREEITEM item, int index, int value)
{
    m_adapter->SetItemSlot(item, index, static_cast<ULONG_PTR>(static_cast<LONG_PTR>(value)));
}

int STreeViewItemLocator::VisibleHeight(HSTREEITEM item)
{
    if (item == TREE_ITEM_ROOT)
        return Slot(item, kSlotBranchHeight);
    const int height = Slot(item, kSlotHeight);
    return m_adapter->IsItemExpanded(item) ? height + Slot(item, kSlotBranchHeight) : height;
}

// A collapsed branch shows nothing of its width.
int STreeViewItemLocator::VisibleWidth(HSTREEITEM item)
{
    if (item == TREE_ITEM_ROOT)
        return Slot(item, kSlotBranchWidth);
    const int width = Slot(item, kSlotWidth);
    if (!m_adapter->HasChildren(item) || !m_adapter->IsItemExpanded(item))
        return width;
    return std::max(width, Slot(item, kSlotBranchWidth));
}

int STreeViewItemLocator::IndentUnder(HSTREEITEM parent) const
{
    return parent == TREE_ITEM_ROOT ? 0 : m_indent;
}

// ---- Whole branches -------------------------------------------------------------------------

void STreeViewItemLocator::InitBranch(HSTREEITEM item)
{
    const bool root = item == TREE_ITEM_ROOT;
    SetSlot(item, kSlotHeight, root ? 0 : kDefaultHeight);
    SetSlot(item, kSlotWidth, root ? 0 : kDefaultWidth);
    int offset = 0;
    int widest = 0;
    HSTREEITEM child = m_adapter->GetFirstChildItem(item);
    if (!child) {
        SetSlot(item, kSlotBranchHeight, 0);
        SetSlot(item, kSlotBranchWidth, 0);
        return;
    }
    for (; child; child = m_adapter->GetNextSiblingItem(child)) {
        SetSlot(child, kSlotOffset, offset);
        InitBranch(child);
        offset += VisibleHeight(child);
        widest = std::max(widest, VisibleWidth(child));
    }
    SetSlot(item, kSlotBranchHeight, offset);
    SetSlot(item, kSlotBranchWidth, widest + IndentUnder(item));
}

void STreeViewItemLocator::OnBranchChanged(HSTREEITEM branch)
{
    if (!m_adapter)
        return;
    const int heightBefore = VisibleHeight(branch);
    const int widthBefore = VisibleWidth(branch);
    InitBranch(branch);
    if (!IsRealItem(branch))
        return;
    const int difference = VisibleHeight(branch) - heightBefore;
    if (difference != 0) {
        AddToAncestors(branch, difference);
        ShiftFollowing(branch);
    }
    WidthChanged(branch, widthBefore, VisibleWidth(branch));
}

void STreeViewItemLocator::OnBranchExpandedChanged(HSTREEITEM item, BOOL wasExpanded, BOOL expanded)
{
    if (!m_adapter || !IsRealItem(item) || !wasExpanded == !expanded)
        return;
    const int width = Slot(item, kSlotWidth);
    const int widthBefore =
        wasExpanded && m_adapter->HasChildren(item) ? std::max(width, Slot(item, kSlotBranchWidth)) : width;
    const int branch = Slot(item, kSlotBranchHeight);
    AddToAncestors(item, expanded ? branch : -branch);
    ShiftFollowing(item);
    WidthChanged(item, widthBefore, VisibleWidth(item));
}

// ---- One item's change, up the path and along the siblings -------------------------------------

void STreeViewItemLocator::AddToAncestors(HSTREEITEM item, int difference)
{
    for (HSTREEITEM parent = m_adapter->GetParentItem(item); parent; parent = m_adapter->GetParentItem(parent)) {
        SetSlot(parent, kSlotBranchHeight, Slot(parent, kSlotBranchHeight) + difference);
        if (parent == TREE_ITEM_ROOT || !m_adapter->IsItemExpanded(parent))
            break;   // a collapsed branch keeps its height to itself
    }
}

void STreeViewItemLocator::ShiftFollowing(HSTREEITEM item)
{
    for (;;) {
        int offset = Slot(item, kSlotOffset) + VisibleHeight(item);
        for (HSTREEITEM next = m_adapter->GetNextSiblingItem(item); next; next = m_adapter->GetNextSiblingItem(next)) {
            SetSlot(next, kSlotOffset, offset);
            offset += VisibleHeight(next);
        }
        const HSTREEITEM parent = m_adapter->GetParentItem(item);
        if (!IsRealItem(parent) || !m_adapter->IsItemExpanded(parent))
            return;
        item = parent;
    }
}

// A parent's branch width is its widest child's visible width plus the indent:
// when that child narrows the widest of the others is looked for, when any child
// widens past it the branch takes its width.
void STreeViewItemLocator::WidthChanged(HSTREEITEM item, int before, int after)
{
    while (before != after) {
        const HSTREEITEM parent = m_adapter->GetParentItem(item);
        if (!parent)
            return;
        const int indent = IndentUnder(parent);
        const int parentBefore = VisibleWidth(parent);
        const int branch = Slot(parent, kSlotBranchWidth);
        if (after < before && branch == before + indent) {
            int widest = 0;
            for (HSTREEITEM child = m_adapter->GetFirstChildItem(parent); child; child = m_adapter->GetNextSiblingItem(child))
                widest = std::max(widest, VisibleWidth(child));
            SetSlot(parent, kSlotBranchWidth, widest + indent);
        } else if (after + indent > branch) {
            SetSlot(parent, kSlotBranchWidth, after + indent);
        }
        if (parent == TREE_ITEM_ROOT || !m_adapter->IsItemExpanded(parent))
            return;
        item = parent;
        before = parentBefore;
        after = VisibleWidth(parent);
    }
}

// ---- Queries ----------------------------------------------------------------------------------

int STreeViewItemLocator::GetTotalHeight()
{
    return m_adapter ? Slot(TREE_ITEM_ROOT, kSlotBranchHeight) : 0;
}

int STreeViewItemLocator::GetTotalWidth()
{
    return m_adapter ? Slot(TREE_ITEM_ROOT, kSlotBranchWidth) : 0;
}

int STreeViewItemLocator::Item2Position(HSTREEITEM item)
{
    if (!m_adapter || !IsRealItem(item))
        return item == TREE_ITEM_ROOT ? 0 : -1;
    if (!m_adapter->IsItemVisible(item))
        return -1;
    int position = Slot(item, kSlotOffset);
    for (HSTREEITEM parent = m_adapter->GetParentItem(item); IsRealItem(parent); parent = m_adapter->GetParentItem(parent))
        position += Slot(parent, kSlotHeight) + Slot(parent, kSlotOffset);
    return position;
}

// One path down from the root: at each level the children are walked from the
// nearer end of the branch.
HSTREEITEM STreeViewItemLocator::Position2Item(int position)
{
    if (!m_adapter)
        return 0;
    HSTREEITEM item = TREE_ITEM_ROOT;
    int top = 0;
    for (;;) {
        if (position < top || position >= top + VisibleHeight(item))
            return 0;
        top += item == TREE_ITEM_ROOT ? 0 : Slot(item, kSlotHeight);
        if (position < top)
            return item;
        const int branch = Slot(item, kSlotBranchHeight);
        HSTREEITEM found = 0;
        int start = top;
        if (position - top < branch / 2) {
            for (HSTREEITEM child = m_adapter->GetFirstChildItem(item); child; child = m_adapter->GetNextSiblingItem(child)) {
                const int height = VisibleHeight(child);
                if (position < start + height) {
                    found = child;
                    break;
                }
                start += height;
            }
        } else {
            int end = top + branch;
            for (HSTREEITEM child = m_adapter->GetLastChildItem(item); child; child = m_adapter->GetPrevSiblingItem(child)) {
                start = end - VisibleHeight(child);
                if (position >= start) {
                    found = child;
                    break;
                }
                end = start;
            }
        }
        if (!found)
            return 0;
        item = found;
        top = start;
    }
}

void STreeViewItemLocator::SetItemWidth(HSTREEITEM item, int width)
{
    if (!m_adapter || !IsRealItem(item) || Slot(item, kSlotWidth) == width)
        return;
    const int before = VisibleWidth(item);
    SetSlot(item, kSlotWidth, width);
    WidthChanged(item, before, VisibleWidth(item));
}

int STreeViewItemLocator::GetItemWidth(HSTREEITEM item)
{
    return m_adapter && IsRealItem(item) ? Slot(item, kSlotWidth) : 0;
}

void STreeViewItemLocator::SetItemHeight(HSTREEITEM item, int height)
{
    if (!m_adapter || !IsRealItem(item))
        return;
    const int difference = height - Slot(item, kSlotHeight);
    if (difference == 0)
        return;
    SetSlot(item, kSlotHeight, height);
    AddToAncestors(item, difference);
    ShiftFollowing(item);
}

int STreeViewItemLocator::GetItemHeight(HSTREEITEM item)
{
    return m_adapter && IsRealItem(item) ? Slot(item, kSlotHeight) : 0;
}

int STreeViewItemLocator::GetItemIndent(HSTREEITEM item)
{
    if (!m_adapter || !IsRealItem(item))
        return 0;
    int depth = 0;
    for (HSTREEITEM parent = m_adapter->GetParentItem(item); IsRealItem(parent); parent = m_adapter->GetParentItem(parent))
        ++depth;
    return depth * m_indent;
}

}  // namespace SAKU
