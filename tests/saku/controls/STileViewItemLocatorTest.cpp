// The tile view's locator on its own: columns from the view's width, tile
// rectangles, the total height, positions both ways and the neighbours above
// and below a tile, for a list adapter of a given count.

#include "ListTestAdapter.h"

#include "controls/STileViewItemLocator.h"

#include <gtest/gtest.h>

using namespace SAKU;
using namespace saku_test;

namespace {

// Tiles of 90 x 90 with a margin of 10 in a view of `width`, over `count` tiles.
SAutoRef<STileViewItemLocator> Locator(int width, ListTestAdapter* adapter)
{
    auto locator = SAutoRef<STileViewItemLocator>::Adopt(new STileViewItemLocator(90, 90, 10));
    locator->SetAdapter(adapter);
    locator->SetTileViewWidth(width);
    return locator;
}

}  // namespace

TEST(STileViewItemLocatorTest, ColumnsFollowTheWidth)
{
    auto adapter = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(10));
    const struct {
        int width;
        int columns;
    } cases[] = {
        {300, 3}, {299, 2}, {200, 2}, {100, 1}, {95, 1}, {0, 1}, {1000, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(c.columns, Locator(c.width, adapter.Get())->GetColumnCount());
    }
}

TEST(STileViewItemLocatorTest, TilesLieInRowsWithMargins)
{
    auto adapter = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(10));
    const auto locator = Locator(300, adapter.Get());
    const struct {
        int index;
        RECT rect;
        int position;
        bool lastInRow;
    } cases[] = {
        {0, {10, 10, 100, 100}, 0, false},
        {1, {110, 10, 200, 100}, 0, false},
        {2, {210, 10, 300, 100}, 0, true},
        {3, {10, 110, 100, 200}, 100, false},
        {5, {210, 110, 300, 200}, 100, true},
        {9, {10, 310, 100, 400}, 300, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        const RECT rect = locator->GetItemRect(c.index);
        EXPECT_EQ(c.rect.left, rect.left);
        EXPECT_EQ(c.rect.top, rect.top);
        EXPECT_EQ(c.rect.right, rect.right);
        EXPECT_EQ(c.rect.bottom, rect.bottom);
        EXPECT_EQ(c.position, locator->Item2Position(c.index));
        EXPECT_EQ(c.lastInRow, locator->IsLastInRow(c.index));
    }
    EXPECT_EQ(410, locator->GetTotalHeight());   // 10 tiles in 4 rows: 10 + 4 x 100
    EXPECT_EQ(100, locator->GetScrollLineSize());
    EXPECT_EQ(90, locator->GetItemHeight());
}

TEST(STileViewItemLocatorTest, PositionsGiveTheFirstTileOfTheirRow)
{
    auto adapter = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(10));
    const auto locator = Locator(300, adapter.Get());
    const struct {
        int position;
        int index;
    } cases[] = {
        {0, 0}, {99, 0}, {100, 3}, {250, 6}, {300, 9}, {399, 9}, {400, 10}, {5000, 10}, {-150, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(c.index, locator->Position2Item(c.position));
    }
    auto lone = SAutoRef<STileViewItemLocator>::Adopt(new STileViewItemLocator(90, 90, 10));
    EXPECT_EQ(-1, lone->Position2Item(0));   // no adapter
    EXPECT_EQ(0, lone->GetTotalHeight());
}

TEST(STileViewItemLocatorTest, UpAndDownStayWithinTheTiles)
{
    auto adapter = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(10));
    const auto locator = Locator(300, adapter.Get());
    const struct {
        int index;
        int down;
        int up;
    } cases[] = {
        {6, 9, 3},    // straight down onto the last row
        {7, 9, 4},    // nothing below on the shorter last row: the last tile
        {8, 9, 5},
        {9, 9, 6},    // the last row keeps its tile
        {4, 7, 1},
        {1, 4, 1},    // the first row keeps its tile
        {-1, 2, -1},  // none selected: the end of the first row
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(c.down, locator->GetDownItem(c.index));
        EXPECT_EQ(c.up, locator->GetUpItem(c.index));
    }
    // Fewer tiles than a row: from none, Down stays at none.
    adapter->SetCount(2);
    EXPECT_EQ(-1, locator->GetDownItem(-1));
}

TEST(STileViewItemLocatorTest, LayoutSizesFollowTheScale)
{
    auto adapter = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(10));
    auto locator = SAutoRef<STileViewItemLocator>::Adopt(
        new STileViewItemLocator(SStringW(L"40dp"), SStringW(L"50dp"), SLayoutDim(SStringW(L"5dp"))));
    locator->SetAdapter(adapter.Get());
    locator->SetScale(200);
    locator->SetTileViewWidth(330);
    EXPECT_EQ(80, locator->GetItemHeight());
    EXPECT_EQ(3, locator->GetColumnCount());   // 330 / (100 + 10)
    const RECT rect = locator->GetItemRect(4);
    EXPECT_EQ(120, rect.left);
    EXPECT_EQ(100, rect.top);
    EXPECT_EQ(10 + 4 * 90, locator->GetTotalHeight());
}
