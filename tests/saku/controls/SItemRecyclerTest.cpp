// The recycler of item panels on its own, under a view whose items are keyed by
// handles that fall as the items go down (as a tree's might): panels stay at the
// visible items + 2 however it scrolls, an item still visible keeps its panel,
// the selection goes with its item; and a list view whose rows change height at
// every measure settles after a bounded number of passes.

#include "ListTestAdapter.h"
#include "PanelTest.h"

#include "controls/SItemPanel.h"
#include "controls/SItemRecycler.h"
#include "controls/SListView.h"

#include <algorithm>
#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

constexpr int kRow = 20;

// A view of `count` items 20 high whose handles fall by 16 from 0x10000 down, so
// that their order is not the order of their values; 0 is no item.
class HandleView : public SPanel, private IItemRecyclerHost {
public:
    explicit HandleView(int count) : m_count(count) {}

    SItemRecycler& Items() { return m_items; }
    int PanelsMade() const { return m_made; }
    static LPARAM Handle(int index) { return 0x10000 - index * 16; }
    static int Index(LPARAM handle) { return static_cast<int>((0x10000 - handle) / 16); }

    void ScrollTo(int position)
    {
        m_position = position;
        m_items.Update(m_position, GetClientRect().bottom - GetClientRect().top);
    }
    int Position() const { return m_position; }

private:
    LPARAM FirstItemAt(int position) override
    {
        const int index = position / kRow;
        return index >= 0 && index < m_count ? Handle(index) : 0;
    }
    LPARAM NextItem(LPARAM item) override { return Index(item) + 1 < m_count ? Handle(Index(item) + 1) : 0; }
    int ItemPosition(LPARAM item) override { return Index(item) * kRow; }
    RECT ItemRect(LPARAM item) override
    {
        RECT rect = GetClientRect();
        rect.top += Index(item) * kRow - m_position;
        rect.bottom = rect.top + kRow;
        return rect;
    }
    bool ItemBefore(LPARAM a, LPARAM b) override { return Index(a) < Index(b); }
    int ItemViewType(LPARAM, DWORD) override { return 0; }
    void FillItem(LPARAM, SItemPanel* panel) override
    {
        const RECT rect = {0, 0, GetClientRect().right - GetClientRect().left, kRow};
        panel->Move(&rect);
    }
    void OnPanelCreated(SItemPanel*) override { ++m_made; }

    int m_count;
    int m_position = 0;
    int m_made = 0;
    SItemRecycler m_items{this, this, 0};
};

// Rows whose measured height changes at every measure: 20, 30, 40, 20, ...
class RestlessAdapter : public ListTestAdapter {
public:
    using ListTestAdapter::ListTestAdapter;
    int measures = 0;

    void GetViewDesiredSize(SIZE* size, int, SWindow*, const RECT*) override
    {
        *size = SIZE{0, 20 + (measures++ % 3) * 10};
    }
};

}  // namespace

class SItemRecyclerTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        m_view = new HandleView(200);
        m_host->InsertChild(m_view);
        const RECT rect = {0, 0, 150, 100};   // five items at a time
        m_view->Move(&rect);
        m_view->Items().Reset(1);
    }
    void TearDown() override
    {
        m_view->Items().Reset(0);   // as a view does at WM_DESTROY
        m_view->DestroyWindow();
        PanelTest::TearDown();
    }
    // The visible panels show consecutive items from the first, in order.
    void ExpectItemsInOrder()
    {
        int index = HandleView::Index(m_view->Items().FirstVisible());
        EXPECT_EQ(m_view->Position() / kRow, index);
        for (auto* node = m_view->Items().Visible().GetHead(); node; node = node->next, ++index)
            EXPECT_EQ(HandleView::Handle(index), node->value.panel->GetItemIndex());
    }

    HandleView* m_view = nullptr;
};

TEST_F(SItemRecyclerTest, PanelsStayAtTheVisibleItemsPlusTwoWhateverTheKeys)
{
    m_view->ScrollTo(0);
    EXPECT_EQ(5, m_view->Items().VisibleCount());
    const struct {
        int step;   // pixels per scroll
        int to;     // until this position
    } runs[] = {
        {kRow, 1000}, {7, 1200}, {-kRow, 900}, {100, 3900}, {-100, 0}, {3900, 3900}, {-3900, 0},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.step);
        while (m_view->Position() != run.to) {
            m_view->ScrollTo(run.step > 0 ? std::min(m_view->Position() + run.step, run.to)
                                          : std::max(m_view->Position() + run.step, run.to));
            ASSERT_LE(m_view->Items().VisibleCount(), 6);
            ExpectItemsInOrder();
        }
        EXPECT_LE(m_view->PanelsMade(), 6 + 2);
        EXPECT_EQ(m_view->PanelsMade(), m_view->Items().PanelCount());
    }
}

TEST_F(SItemRecyclerTest, AnItemStillVisibleKeepsItsPanelAndItsSelection)
{
    m_view->ScrollTo(0);
    m_view->Items().MoveSelection(HandleView::Handle(3));
    SItemPanel* const third = m_view->Items().PanelOf(HandleView::Handle(3));
    ASSERT_NE(nullptr, third);
    EXPECT_TRUE(third->GetState() & WndState_Check);
    for (int position : {kRow, 2 * kRow, kRow, 0}) {
        SCOPED_TRACE(position);
        m_view->ScrollTo(position);
        EXPECT_EQ(third, m_view->Items().PanelOf(HandleView::Handle(3)));
    }
    // Scrolled away, the panel serves another item, unselected; back, the item is selected again.
    m_view->ScrollTo(40 * kRow);
    EXPECT_EQ(nullptr, m_view->Items().PanelOf(HandleView::Handle(3)));
    for (auto* node = m_view->Items().Visible().GetHead(); node; node = node->next)
        EXPECT_FALSE(node->value.panel->GetState() & WndState_Check);
    m_view->ScrollTo(0);
    ASSERT_NE(nullptr, m_view->Items().SelectedPanel());
    EXPECT_TRUE(m_view->Items().SelectedPanel()->GetState() & WndState_Check);
    EXPECT_EQ(HandleView::Handle(3), m_view->Items().SelectedPanel()->GetItemIndex());
    m_view->Items().MoveSelection(0);
    EXPECT_EQ(nullptr, m_view->Items().SelectedPanel());
    EXPECT_FALSE(third->GetState() & WndState_Check);
}

TEST_F(SItemRecyclerTest, RowsThatNeverSettleOnAHeightStillEndInALayout)
{
    Build(L"<w><listview name='list' pos='0,0,@150,@100' margin='0' sbSkin='bar'>"
          L"<template defHeight='20'><item><window name='label' pos='2,2,@10,@10'/></item></template>"
          L"</listview></w>");
    auto* const list = Find<SListView>(L"list");
    ASSERT_TRUE(list);
    auto adapter = SAutoRef<RestlessAdapter>::Adopt(new RestlessAdapter(1000));
    ASSERT_TRUE(list->SetAdapter(adapter.Get()));   // returns, rather than measuring for ever
    EXPECT_GT(list->GetVisibleCount(), 0);
    EXPECT_LE(adapter->measures, 10 * 6);           // a bounded number of passes over at most six rows
    const int before = adapter->measures;
    list->OnScroll(TRUE, SB_BOTTOM, 0);
    EXPECT_LE(adapter->measures - before, 10 * 6);
    EXPECT_GT(list->GetFirstVisibleIndex(), 990);
    EXPECT_LE(adapter->PanelsMade(), 6 + 2);   // rows of 20 at least: six at most in a page of 100
}
