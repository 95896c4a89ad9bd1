#include "controls/SListViewItemLocatorFlex.h"

#include "controls/ILvAdapter.h"

#include <algorithm>
#include <climits>

namespace SAKU {

SListViewItemLocatorFlex::SListViewItemLocatorFlex(const SLayoutDim& defHeight, const SLayoutDim& dividerSize)
    : m_defHeight(defHeight), m_dividerSize(dividerSize)
{
}

SListViewItemLocatorFlex::~SListViewItemLocatorFlex() = default;

void SListViewItemLocatorFlex::SetAdapter(ILvAdapter* adapter)
{
    m_adapter = adapter;
    OnDataChanged();
}

void SListViewItemLocatorFlex::SetScale(int scale)
{
    m_scale = scale;
    OnDataChanged();
}

// Every level holds up to ten branches and every leaf up to 50 rows: the top
// node's capacity is 50 rows times the smallest power of ten that covers the
// segments.
void SListViewItemLocatorFlex::OnDataChanged()
{
    m_branches.DeleteAllItems();
    m_segments.SetCount(0);
    m_pitches.clear();
    if (!m_adapter)
        return;
    const int count = std::max(m_adapter->GetCount(), 0);
    const int segments = (count + kSegmentRows - 1) / kSegmentRows;
    long long capacity = kSegmentRows;
    while (capacity < static_cast<long long>(segments) * kSegmentRows)
        capacity *= kBranchFanOut;
    m_pitches.assign(count, -1);
    Build(TREE_ITEM_ROOT, count, static_cast<int>(std::min<long long>(capacity, INT_MAX)));
}

void SListViewItemLocatorFlex::Build(HSTREEITEM parent, int count, int capacity)
{
    const HSTREEITEM node = m_branches.InsertItem(BranchInfo{count * DefaultPitch(), count}, parent);
    if (count <= kSegmentRows) {
        m_segments.Add(Segment{node, count});
        return;
    }
    const int childCapacity = capacity / kBranchFanOut;
    for (int rest = count; rest > 0; rest -= childCapacity)
        Build(node, std::min(rest, childCapacity), childCapacity);
}

int SListViewItemLocatorFlex::QueryItemHeight(int position)
{
    if (!m_adapter)
        return 0;
    return PitchOf(position) - GetDividerSize();
}

// A row outside the list has no height to record.
void SListViewItemLocatorFlex::AssignItemHeight(int position, int height)
{
    if (!m_adapter || position < 0 || position >= static_cast<int>(m_pitches.size()))
        return;
    const int pitch = height + GetDividerSize();
    const int change = pitch - PitchOf(position);
    m_pitches[position] = pitch;
    if (change == 0)
        return;
    for (HSTREEITEM node = m_segments[position / kSegmentRows].leaf; node; node = m_branches.GetParentItem(node))
        m_branches.GetItemRef(node).height += change;
}

int SListViewItemLocatorFlex::QueryTotalHeight()
{
    const HSTREEITEM top = m_branches.GetRootItem();
    if (!m_adapter || !top)
        return 0;
    const int height = m_branches.GetItem(top).height;
    return m_pitches.empty() ? height : height - GetDividerSize();
}

// A row past the last one starts where the last one's divider ends.
int SListViewItemLocatorFlex::Item2Position(int position)
{
    if (!m_adapter || position <= 0 || m_segments.GetCount() == 0)
        return 0;
    if (position >= static_cast<int>(m_pitches.size()))
        return m_branches.GetItem(m_branches.GetRootItem()).height;
    const int segment = position / kSegmentRows;
    int top = SumBefore(m_segments[segment].leaf, &BranchInfo::height);
    for (int row = segment * kSegmentRows; row < position; ++row)
        top += PitchOf(row);
    return top;
}

// A position on the boundary of two rows is the top pixel of the lower one, as
// in the fixed locator, so that the first visible row is never one scrolled out.
int SListViewItemLocatorFlex::Position2Item(int position)
{
    if (!m_adapter || position < 0 || position >= QueryTotalHeight())
        return -1;
    int rest = position;
    HSTREEITEM node = m_branches.GetRootItem();
    for (HSTREEITEM child = m_branches.GetChildItem(node); child; child = m_branches.GetChildItem(node)) {
        while (child && m_branches.GetItem(child).height <= rest) {
            rest -= m_branches.GetItem(child).height;
            child = m_branches.GetNextSiblingItem(child);
        }
        if (!child)
            return -1;
        node = child;
    }
    const int first = SumBefore(node, &BranchInfo::count);
    const int count = m_branches.GetItem(node).count;
    for (int row = first; row < first + count; ++row) {
        const int pitch = PitchOf(row);
        if (pitch > rest)
            return row;
        rest -= pitch;
    }
    return -1;
}

int SListViewItemLocatorFlex::GetDividerSize()
{
    return m_dividerSize.ToPixelSize(m_scale);
}

int SListViewItemLocatorFlex::DefaultPitch() const
{
    return m_defHeight.ToPixelSize(m_scale) + m_dividerSize.ToPixelSize(m_scale);
}

int SListViewItemLocatorFlex::PitchOf(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_pitches.size()) || m_pitches[row] == -1)
        return DefaultPitch();
    return m_pitches[row];
}

int SListViewItemLocatorFlex::SumBefore(HSTREEITEM node, int BranchInfo::*field) const
{
    int sum = 0;
    for (; node; node = m_branches.GetParentItem(node)) {
        for (HSTREEITEM prev = m_branches.GetPrevSiblingItem(node); prev; prev = m_branches.GetPrevSiblingItem(prev))
            sum += m_branches.GetItem(prev).*field;
    }
    return sum;
}

}  // namespace SAKU
