#pragma once

#include "core/IObjRef.h"
#include "core/SAutoRef.h"
#include "core/SLayoutDim.h"

namespace SAKU {

struct ILvAdapter;

// The geometry of a tile view: tiles of one size, left to right in as many
// columns as the view's width holds and in rows from the top, with a margin
// before the first column and row and between tiles. Every answer is arithmetic
// on the tile's index. Reference counted, born with 1. UI thread.
class STileViewItemLocator : public TObjRefImpl<IObjRef> {
public:
    // Sizes as layouts write them ("itemHeight", "itemWidth") and the view's margin.
    STileViewItemLocator(const SStringW& itemHeight, const SStringW& itemWidth, const SLayoutDim& margin);
    // Sizes in pixels.
    STileViewItemLocator(int itemHeight, int itemWidth, int margin);
    ~STileViewItemLocator() override;

    void SetAdapter(ILvAdapter* adapter);
    void SetScale(int scale) { m_scale = scale; }
    // The view's client width in pixels: the columns follow it.
    void SetTileViewWidth(int width);

    int GetItemHeight() const;
    int GetItemWidth() const;
    int GetMarginSize() const;
    int GetColumnCount() const { return m_columns; }
    // A tile's rectangle with the scroll position at 0 and the client origin at 0, 0.
    RECT GetItemRect(int index) const;
    int GetTotalHeight() const;
    // The top of the tile's row without the margin above it.
    int Item2Position(int index) const;
    // The first tile of the row at a position, in [0, count]; -1 without adapter.
    int Position2Item(int position) const;
    int GetUpItem(int index) const;
    int GetDownItem(int index) const;
    bool IsLastInRow(int index) const;
    int GetScrollLineSize() const { return RowPitch(); }

private:
    int RowPitch() const;
    int Count() const;

    SLayoutDim m_itemHeight;
    SLayoutDim m_itemWidth;
    SLayoutDim m_margin;
    int m_scale = 100;
    int m_viewWidth = 0;
    int m_columns = 1;
    SAutoRef<ILvAdapter> m_adapter;
};

}  // namespace SAKU
