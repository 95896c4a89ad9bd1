#include "controls/STileViewItemLocator.h"

#include "controls/ILvAdapter.h"

namespace SAKU {

STileViewItemLocator::STileViewItemLocator(const SStringW& itemHeight, const SStringW& itemWidth,
                                           const SLayoutDim& margin)
    : m_itemHeight(itemHeight), m_itemWidth(itemWidth), m_margin(margin)
{
}

STileViewItemLocator::STileViewItemLocator(int itemHeight, int itemWidth, int margin)
    : m_itemHeight(static_cast<float>(itemHeight), kUnitPx),
      m_itemWidth(static_cast<float>(itemWidth), kUnitPx),
      m_margin(static_cast<float>(margin), kUnitPx)
{
}

STileViewItemLocator::~STileViewItemLocator() = default;

void STileViewItemLocator::SetAdapter(ILvAdapter* adapter)
{
    m_adapter = adapter;
}

// Columns that fit whole, tile and margin each; one when none does.
void STileViewItemLocator::SetTileViewWidth(int width)
{
    m_viewWidth = width;
    const int pitch = GetItemWidth() + GetMarginSize();
    const int columns = pitch > 0 ? m_viewWidth / pitch : 0;
    m_columns = columns > 0 ? columns : 1;
}

int STileViewItemLocator::GetItemHeight() const
{
    return m_itemHeight.ToPixelSize(m_scale);
}

int STileViewItemLocator::GetItemWidth() const
{
    return m_itemWidth.ToPixelSize(m_scale);
}

int STileViewItemLocator::GetMarginSize() const
{
    return m_margin.ToPixelSize(m_scale);
}

int STileViewItemLocator::RowPitch() const
{
    return GetItemHeight() + GetMarginSize();
}

int STileViewItemLocator::Count() const
{
    return m_adapter ? m_adapter->GetCount() : 0;
}

RECT STileViewItemLocator::GetItemRect(int index) const
{
    const int row = index / m_columns;
    const int column = index - row * m_columns;
    const int margin = GetMarginSize();
    const int left = (GetItemWidth() + margin) * column + margin;
    const int top = RowPitch() * row + margin;
    return RECT{left, top, left + GetItemWidth(), top + GetItemHeight()};
}

int STileViewItemLocator::GetTotalHeight() const
{
    const int count = Count();
    if (count <= 0)
        return 0;
    const int rows = (count - 1) / m_columns + 1;
    return GetMarginSize() + rows * RowPitch();
}

int STileViewItemLocator::Item2Position(int index) const
{
    return RowPitch() * (index / m_columns);
}

int STileViewItemLocator::Position2Item(int position) const
{
    if (!m_adapter)
        return -1;
    const int pitch = RowPitch();
    if (pitch <= 0)
        return 0;   // a template of no height has no locator in a view
    const int index = position / pitch * m_columns;
    const int count = Count();
    return index < 0 ? 0 : (index > count ? count : index);
}

int STileViewItemLocator::GetUpItem(int index) const
{
    const int up = index - m_columns;
    return up < 0 ? index : up;
}

// Straight down; from the row above a shorter last row with nothing below, the
// last tile; on the last row, where it is.
int STileViewItemLocator::GetDownItem(int index) const
{
    const int count = Count();
    if (index + m_columns < count)
        return index + m_columns;
    if (index / m_columns == (count - 1) / m_columns)
        return index;
    return count - 1;
}

bool STileViewItemLocator::IsLastInRow(int index) const
{
    return index % m_columns == m_columns - 1;
}

}  // namespace SAKU
