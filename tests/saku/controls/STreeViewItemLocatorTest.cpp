// The tree view's locator on its own, over the test adapter: positions both ways,
// indents and totals of a small tree, and how they follow a collapse, a measured
// height and a narrowing row.

#include "TreeTestAdapter.h"

#include "controls/STreeViewItemLocator.h"

#include <gtest/gtest.h>

using namespace SAKU;
using namespace saku_test;

namespace {

// Hands the adapter's notices to the locator, as the view would.
class LocatorObserver : public TObjRefImpl<ITvDataSetObserver> {
public:
    explicit LocatorObserver(ITreeViewItemLocator* locator) : m_locator(locator) {}
    void OnBranchChanged(HSTREEITEM branch) override { m_locator->OnBranchChanged(branch); }
    void OnBranchInvalidated(HSTREEITEM) override {}
    void OnBranchExpandedChanged(HSTREEITEM item, BOOL was, BOOL now) override
    {
        m_locator->OnBranchExpandedChanged(item, was, now);
    }

private:
    ITreeViewItemLocator* m_locator;
};

// root {A (expanded; a1, a2), B}, rows of 50, indent 10.
class STreeViewItemLocatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_adapter = SAutoRef<TreeTestAdapter>::Adopt(new TreeTestAdapter);
        a = m_adapter->Insert(TREE_ITEM_ROOT, L"A", true);
        a1 = m_adapter->Insert(a, L"a1");
        a2 = m_adapter->Insert(a, L"a2");
        b = m_adapter->Insert(TREE_ITEM_ROOT, L"B");
        m_locator = SAutoRef<STreeViewItemLocator>::Adopt(new STreeViewItemLocator(10));
        m_locator->SetAdapter(m_adapter.Get());
        m_observer = SAutoRef<LocatorObserver>::Adopt(new LocatorObserver(m_locator.Get()));
        m_adapter->RegisterDataSetObserver(m_observer.Get());
        m_locator->OnBranchChanged(TREE_ITEM_ROOT);
    }
    void TearDown() override { m_adapter->UnregisterDataSetObserver(m_observer.Get()); }

    void ExpectTops(int topA, int topA1, int topA2, int topB, int total)
    {
        EXPECT_EQ(topA, m_locator->Item2Position(a));
        EXPECT_EQ(topA1, m_locator->Item2Position(a1));
        EXPECT_EQ(topA2, m_locator->Item2Position(a2));
        EXPECT_EQ(topB, m_locator->Item2Position(b));
        EXPECT_EQ(total, m_locator->GetTotalHeight());
    }
    int BranchWidth(HSTREEITEM item) { return static_cast<int>(m_adapter->GetItemSlot(item, 3)); }

    SAutoRef<TreeTestAdapter> m_adapter;
    SAutoRef<STreeViewItemLocator> m_locator;
    SAutoRef<LocatorObserver> m_observer;
    HSTREEITEM a = 0, a1 = 0, a2 = 0, b = 0;
};

}  // namespace

TEST_F(STreeViewItemLocatorTest, ItemsLieInDisplayOrderAndPositionsFindThem)
{
    ExpectTops(0, 50, 100, 150, 200);
    const struct {
        int position;
        const wchar_t* name;   // null: no item
    } cases[] = {
        {0, L"A"}, {49, L"A"}, {50, L"a1"}, {99, L"a1"}, {100, L"a2"}, {120, L"a2"}, {150, L"B"}, {199, L"B"},
        {200, nullptr}, {250, nullptr}, {-1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        const HSTREEITEM item = m_locator->Position2Item(c.position);
        if (c.name)
            EXPECT_EQ(c.name, item ? m_adapter->Name(item) : L"(none)");
        else
            EXPECT_EQ(0u, item);
    }
    EXPECT_EQ(0, m_locator->GetItemIndent(a));
    EXPECT_EQ(10, m_locator->GetItemIndent(a1));
    EXPECT_EQ(50, m_locator->GetScrollLineSize());
    EXPECT_EQ(20, m_locator->GetTotalWidth());   // unmeasured rows are 10 wide; a1 and a2 are indented
    EXPECT_EQ(0, m_adapter->StaleHandles());
}

TEST_F(STreeViewItemLocatorTest, ACollapseAndAMeasuredHeightMoveTheRowsBelow)
{
    m_adapter->ExpandItem(a, kTvCollapse);
    ExpectTops(0, -1, -1, 50, 100);
    EXPECT_EQ(b, m_locator->Position2Item(60));
    EXPECT_EQ(0u, m_locator->Position2Item(100));

    m_adapter->ExpandItem(a, kTvExpand);
    ExpectTops(0, 50, 100, 150, 200);
    m_locator->SetItemHeight(a1, 80);
    ExpectTops(0, 50, 130, 180, 230);
    EXPECT_EQ(a1, m_locator->Position2Item(129));
    EXPECT_EQ(a2, m_locator->Position2Item(130));
    EXPECT_EQ(80, m_locator->GetItemHeight(a1));

    // A collapsed branch keeps the measured height for when it opens again.
    m_adapter->ExpandItem(a, kTvCollapse);
    ExpectTops(0, -1, -1, 50, 100);
    m_adapter->ExpandItem(a, kTvExpand);
    ExpectTops(0, 50, 130, 180, 230);
}

TEST_F(STreeViewItemLocatorTest, ExpandingDeepInsideRaisesTheBranchesUpToTheFirstCollapsedOne)
{
    // a1 gets two children of its own, collapsed; A is then collapsed too.
    const HSTREEITEM x = m_adapter->Insert(a1, L"x");
    m_adapter->Insert(a1, L"y");
    m_adapter->NotifyBranchChanged(a1);
    ExpectTops(0, 50, 100, 150, 200);
    m_adapter->ExpandItem(a, kTvCollapse);
    m_adapter->ExpandItem(a1, kTvExpand);   // inside a collapsed branch: nothing moves on screen
    ExpectTops(0, -1, -1, 50, 100);
    EXPECT_EQ(200, static_cast<int>(m_adapter->GetItemSlot(a, 2)));   // A's branch: a1, x, y, a2
    m_adapter->ExpandItem(a, kTvExpand);
    ExpectTops(0, 50, 200, 250, 300);
    EXPECT_EQ(100, m_locator->Item2Position(x));
    EXPECT_EQ(20, m_locator->GetItemIndent(x));
}

TEST_F(STreeViewItemLocatorTest, TheWidestChildNarrowingNarrowsItsParentsBranch)
{
    m_locator->SetItemWidth(a, 60);
    m_locator->SetItemWidth(a1, 120);
    m_locator->SetItemWidth(a2, 70);
    EXPECT_EQ(130, BranchWidth(a));           // a1 + the indent
    EXPECT_EQ(130, m_locator->GetTotalWidth());
    m_locator->SetItemWidth(a1, 40);
    EXPECT_EQ(80, BranchWidth(a));            // now a2 is the widest: 70 + 10
    EXPECT_EQ(80, m_locator->GetTotalWidth());
    m_locator->SetItemWidth(a, 90);           // the row itself is wider than its branch
    EXPECT_EQ(90, m_locator->GetTotalWidth());
    m_adapter->ExpandItem(a, kTvCollapse);
    m_locator->SetItemWidth(a, 30);
    EXPECT_EQ(30, m_locator->GetTotalWidth());   // a collapsed branch shows no width
    m_adapter->ExpandItem(a, kTvExpand);
    EXPECT_EQ(80, m_locator->GetTotalWidth());
}
