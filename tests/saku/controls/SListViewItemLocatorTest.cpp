// The row locators: positions, totals and lookups of the fixed one; the branch
// tree of the flexible one, its measured heights and its lookups.

#include "controls/SAdapterBase.h"
#include "controls/SListViewItemLocatorFix.h"
#include "controls/SListViewItemLocatorFlex.h"
#include "core/SAutoRef.h"

#include <gtest/gtest.h>

#include <vector>

using namespace SAKU;

namespace {

// Rows without windows: the locators ask for the count only.
class CountAdapter : public SAdapterBase {
public:
    explicit CountAdapter(int count) : m_count(count) {}
    void SetCount(int count) { m_count = count; }

    int GetCount() override { return m_count; }
    void GetView(int, SWindow*, pugi::xml_node) override {}

private:
    int m_count;
};

SAutoRef<CountAdapter> Rows(int count)
{
    return SAutoRef<CountAdapter>::Adopt(new CountAdapter(count));
}

SAutoRef<SListViewItemLocatorFix> Fixed(float height, float divider)
{
    return SAutoRef<SListViewItemLocatorFix>::Adopt(
        new SListViewItemLocatorFix(SLayoutDim(height, kUnitPx), SLayoutDim(divider, kUnitPx)));
}

SAutoRef<SListViewItemLocatorFlex> Flexible(SLayoutDim height, float divider)
{
    return SAutoRef<SListViewItemLocatorFlex>::Adopt(
        new SListViewItemLocatorFlex(height, SLayoutDim(divider, kUnitPx)));
}

// The branch tree level by level: counts of the top node's children, and so on.
std::vector<int> ChildCounts(const CSTree<BranchInfo>& tree, HSTREEITEM node)
{
    std::vector<int> counts;
    for (HSTREEITEM child = tree.GetChildItem(node); child; child = tree.GetNextSiblingItem(child))
        counts.push_back(tree.GetItem(child).count);
    return counts;
}

}  // namespace

TEST(SListViewItemLocatorFix, PlacesRowsByTheirPitch)
{
    auto rows = Rows(3);
    auto locator = Fixed(20, 2);
    EXPECT_EQ(-1, locator->Position2Item(10));   // no adapter yet
    EXPECT_EQ(0, locator->QueryTotalHeight());
    locator->SetAdapter(rows.Get());

    EXPECT_TRUE(locator->IsFixHeight());
    EXPECT_EQ(64, locator->QueryTotalHeight());   // 3 x 22 less the last divider
    EXPECT_EQ(44, locator->Item2Position(2));
    EXPECT_EQ(20, locator->QueryItemHeight(1));
    EXPECT_EQ(22, locator->GetScrollLineSize());
    EXPECT_EQ(2, locator->GetDividerSize());
    const struct { int position; int row; } cases[] = {
        {0, 0}, {21, 0}, {22, 1}, {43, 1}, {44, 2},
        {1000, 3},   // below the last row: the count itself
        {-5, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(c.row, locator->Position2Item(c.position));
    }

    rows->SetCount(0);
    EXPECT_EQ(0, locator->QueryTotalHeight());
}

TEST(SListViewItemLocatorFix, ScalesDpSizes)
{
    auto rows = Rows(2);
    auto locator = SAutoRef<SListViewItemLocatorFix>::Adopt(
        new SListViewItemLocatorFix(SLayoutDim(20, kUnitDp), SLayoutDim(1, kUnitDp)));
    locator->SetAdapter(rows.Get());
    locator->SetScale(150);
    EXPECT_EQ(30, locator->QueryItemHeight(0));
    EXPECT_EQ(2, locator->GetDividerSize());   // 1.5 rounds half up
    EXPECT_EQ(32, locator->Item2Position(1));
}

TEST(SListViewItemLocatorFlex, BuildsBranchesOfTenAndLeavesOfFifty)
{
    const struct {
        int rows;
        int segments;
        std::vector<int> topChildren;   // row counts of the top node's children
        std::vector<int> firstGrandChildren;
    } cases[] = {
        {0,    1,   {},            {}},           // one leaf without rows
        {50,   1,   {},            {}},           // the top node is the leaf
        {120,  3,   {50, 50, 20},  {}},           // capacity 500
        {4000, 80,  std::vector<int>(8, 500), std::vector<int>(10, 50)},   // capacity 5000
        {5001, 101, {5000, 1},     std::vector<int>(10, 500)},             // capacity 50000
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        auto rows = Rows(c.rows);
        auto locator = Flexible(SLayoutDim(10, kUnitPx), 0);
        locator->SetAdapter(rows.Get());
        const CSTree<BranchInfo>& tree = locator->GetBranchTree();
        const HSTREEITEM top = tree.GetRootItem();
        ASSERT_NE(0u, top);
        EXPECT_EQ(0u, tree.GetNextSiblingItem(top));   // one top node
        EXPECT_EQ(c.rows, tree.GetItem(top).count);
        EXPECT_EQ(c.rows * 10, tree.GetItem(top).height);
        EXPECT_EQ(c.segments, locator->GetSegmentCount());
        EXPECT_EQ(c.topChildren, ChildCounts(tree, top));
        if (!c.topChildren.empty()) {
            EXPECT_EQ(c.firstGrandChildren, ChildCounts(tree, tree.GetChildItem(top)));
        }
    }
}

TEST(SListViewItemLocatorFlex, MeasuredHeightsMoveTheRowsBelow)
{
    auto rows = Rows(200);
    auto locator = Flexible(SLayoutDim(30, kUnitPx), 2);
    locator->SetAdapter(rows.Get());
    EXPECT_FALSE(locator->IsFixHeight());
    EXPECT_EQ(200 * 32 - 2, locator->QueryTotalHeight());
    EXPECT_EQ(120 * 32, locator->Item2Position(120));
    EXPECT_EQ(32, locator->GetScrollLineSize());

    // The default height changes nothing.
    locator->AssignItemHeight(60, 30);
    EXPECT_EQ(200 * 32 - 2, locator->QueryTotalHeight());
    EXPECT_EQ(120 * 32, locator->Item2Position(120));

    locator->AssignItemHeight(60, 50);
    EXPECT_EQ(50, locator->QueryItemHeight(60));
    EXPECT_EQ(30, locator->QueryItemHeight(61));
    EXPECT_EQ(60 * 32, locator->Item2Position(60));
    EXPECT_EQ(61 * 32 + 20, locator->Item2Position(61));
    EXPECT_EQ(120 * 32 + 20, locator->Item2Position(120));
    EXPECT_EQ(200 * 32 - 2 + 20, locator->QueryTotalHeight());
    EXPECT_EQ(200 * 32 + 20, locator->Item2Position(200));   // past the last row

    // Rows outside the list keep nothing.
    locator->AssignItemHeight(200, 90);
    locator->AssignItemHeight(-1, 90);
    EXPECT_EQ(200 * 32 - 2 + 20, locator->QueryTotalHeight());
}

TEST(SListViewItemLocatorFlex, FindsTheRowAtAPosition)
{
    auto rows = Rows(120);
    auto locator = Flexible(SLayoutDim(10, kUnitPx), 0);
    locator->SetAdapter(rows.Get());
    locator->AssignItemHeight(0, 25);
    locator->AssignItemHeight(55, 5);
    locator->AssignItemHeight(119, 40);
    const int total = 1200 + 15 - 5 + 30;
    ASSERT_EQ(total, locator->QueryTotalHeight());
    const struct { int position; int row; } cases[] = {
        {0, 0}, {24, 0},
        {25, 1},                   // a boundary is the top of the lower row, as in the fixed locator
        {34, 1}, {35, 2},
        {515, 50},                 // the second leaf starts at 25 + 49 x 10
        {565, 55}, {569, 55}, {570, 56},
        {total - 40, 119}, {total - 1, 119},
        {total, -1}, {-1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(c.row, locator->Position2Item(c.position));
    }
    // Every row's top leads back to the row.
    for (int row = 0; row < 120; ++row)
        ASSERT_EQ(row, locator->Position2Item(locator->Item2Position(row))) << row;
}

TEST(SListViewItemLocatorFlex, ScaleAndDataChangesForgetMeasuredHeights)
{
    auto rows = Rows(10);
    auto locator = Flexible(SLayoutDim(20, kUnitDp), 0);
    locator->SetAdapter(rows.Get());
    locator->AssignItemHeight(3, 100);
    EXPECT_EQ(100, locator->QueryItemHeight(3));

    locator->SetScale(200);
    EXPECT_EQ(40, locator->QueryItemHeight(3));
    EXPECT_EQ(400, locator->QueryTotalHeight());

    locator->AssignItemHeight(3, 100);
    rows->SetCount(4);
    locator->OnDataChanged();
    EXPECT_EQ(40, locator->QueryItemHeight(3));
    EXPECT_EQ(160, locator->QueryTotalHeight());
}

TEST(SListViewItemLocatorFlex, WithoutAdapterOrRowsEverythingIsEmpty)
{
    auto locator = Flexible(SLayoutDim(20, kUnitPx), 3);
    EXPECT_EQ(0, locator->QueryTotalHeight());
    EXPECT_EQ(0, locator->QueryItemHeight(0));
    EXPECT_EQ(0, locator->Item2Position(5));
    EXPECT_EQ(-1, locator->Position2Item(0));

    auto rows = Rows(0);
    locator->SetAdapter(rows.Get());
    EXPECT_EQ(0, locator->QueryTotalHeight());
    EXPECT_EQ(-1, locator->Position2Item(0));
}
