#include "controls/SListViewItemLocatorFix.h"

#include "controls/ILvAdapter.h"

namespace SAKU {

SListViewItemLocatorFix::SListViewItemLocatorFix(const SLayoutDim& itemHeight, const SLayoutDim& dividerSize)
    : m_itemHeight(itemHeight), m_dividerSize(dividerSize)
{
}

SListViewItemLocatorFix::~SListViewItemLocatorFix() = default;

void SListViewItemLocatorFix::SetAdapter(ILvAdapter* adapter)
{
    m_adapter = adapter;
}

int SListViewItemLocatorFix::QueryItemHeight(int /*position*/)
{
    return m_itemHeight.ToPixelSize(m_scale);
}

int SListViewItemLocatorFix::QueryTotalHeight()
{
    const int count = m_adapter ? m_adapter->GetCount() : 0;
    return count > 0 ? count * Pitch() - GetDividerSize() : 0;
}

int SListViewItemLocatorFix::Item2Position(int position)
{
    return position * Pitch();
}

int SListViewItemLocatorFix::Position2Item(int position)
{
    if (!m_adapter)
        return -1;
    const int pitch = Pitch();
    if (pitch <= 0)
        return 0;
    const int row = position / pitch;
    const int count = m_adapter->GetCount();
    return row < 0 ? 0 : (row > count ? count : row);
}

int SListViewItemLocatorFix::GetDividerSize()
{
    return m_dividerSize.ToPixelSize(m_scale);
}

int SListViewItemLocatorFix::Pitch() const
{
    return m_itemHeight.ToPixelSize(m_scale) + m_dividerSize.ToPixelSize(m_scale);
}

}  // namespace SAKU
