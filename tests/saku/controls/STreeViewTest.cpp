// The tree view in a windowless host over the test adapter: an adapter needs the
// layout's template, a hundred rows make no more panels than the visible rows + 2
// however they scroll, a click selects and a double click toggles, the keys move,
// expand and collapse, a row is scrolled into view at either edge and both ways,
// a selected item that the adapter removes is forgotten before anything hands it
// back, rows that never settle on a size still end in a layout, the bars follow
// the tree's size, and the rows are painted.

#include "PanelTest.h"
#include "TreeTestAdapter.h"

#include "controls/ITreeViewItemLocator.h"
#include "controls/SItemPanel.h"
#include "controls/STreeView.h"
#include "core/Events.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// A tree view at (0, 0) of `width` x `height` whose bar is 8 wide.
std::wstring TreeLayout(int width, int height, const wchar_t* attributes = L"")
{
    return L"<w><treeview name='tree' pos='0,0,@" + std::to_wstring(width) + L",@" + std::to_wstring(height) +
           L"' margin='0' sbSkin='bar' colorBkgnd='#404040' " + attributes +
           L"><template><item colorNormal='#ffffff' colorHover='#00ff00' colorSelected='#0000ff'>"
           L"<window name='label' pos='2,2,@10,@10' colorBkgnd='#ff0000'/>"
           L"</item></template></treeview></w>";
}

// The selection events in order: 14000 as 'c', 14001 as 'C'; a cancelling log vetoes.
struct SelectionLog {
    std::string events;
    bool veto = false;
    BOOL OnChanging(EventArgs* args)
    {
        events += 'c';
        static_cast<EventTVSelChanging*>(args)->cancel = veto;
        return TRUE;
    }
    BOOL OnChanged(EventArgs*)
    {
        events += 'C';
        return TRUE;
    }
};

}  // namespace

class STreeViewTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        m_adapter = SAutoRef<TreeTestAdapter>::Adopt(new TreeTestAdapter);
    }
    void TearDown() override
    {
        m_tree = nullptr;
        m_adapter = nullptr;
        PanelTest::TearDown();
    }

    void MakeTree(const std::wstring& layout)
    {
        Build(layout.c_str());
        m_tree = Find<STreeView>(L"tree");
        ASSERT_TRUE(m_tree);
        ASSERT_TRUE(m_tree->SetAdapter(m_adapter.Get()));
        m_tree->GetEventSet()->SubscribeEvent(EventTVSelChanging::EventID, Subscriber(&SelectionLog::OnChanging, &m_log));
        m_tree->GetEventSet()->SubscribeEvent(EventTVSelChanged::EventID, Subscriber(&SelectionLog::OnChanged, &m_log));
    }
    std::vector<HSTREEITEM> AddItems(HSTREEITEM parent, int count, bool expanded = false)
    {
        std::vector<HSTREEITEM> items;
        for (int i = 0; i < count; ++i)
            items.push_back(m_adapter->Insert(parent, L"item " + std::to_wstring(i), expanded));
        return items;
    }
    void Key(UINT key) { m_tree->SendSwndMessage(WM_KEYDOWN, key, 0); }
    // The visible panels show the visible items in display order, each where the
    // locator puts it.
    void ExpectRowsInOrder()
    {
        ITreeViewItemLocator* const locator = m_tree->GetItemLocator();
        const int position = m_tree->GetScrollPos(TRUE);
        HSTREEITEM item = locator->Position2Item(position);
        EXPECT_EQ(item, m_tree->GetFirstVisibleItem());
        for (int row = 0; row < m_tree->GetVisibleCount(); ++row, item = m_adapter->GetNextVisibleItem(item)) {
            SCOPED_TRACE(row);
            SItemPanel* const panel = m_tree->GetItemPanel(item);
            ASSERT_TRUE(panel);
            EXPECT_EQ(locator->Item2Position(item) - position, panel->GetItemRect().top);
            EXPECT_EQ(locator->GetItemIndent(item) - m_tree->GetScrollPos(FALSE), panel->GetItemRect().left);
        }
    }

    STreeView* m_tree = nullptr;
    SAutoRef<TreeTestAdapter> m_adapter;
    SelectionLog m_log;
};

TEST_F(STreeViewTest, AnAdapterNeedsTheLayoutsTemplate)
{
    AddItems(TREE_ITEM_ROOT, 3);
    Build(L"<w><treeview name='bare' pos='0,0,@100,@100'/></w>");
    auto* const bare = Find<STreeView>(L"bare");
    ASSERT_TRUE(bare);
    EXPECT_FALSE(bare->SetAdapter(m_adapter.Get()));
    EXPECT_EQ(nullptr, bare->GetAdapter());
    EXPECT_EQ(0, m_adapter->ObserverCount());
    Paint();   // nothing to draw, nothing to ask
    bare->SendSwndMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(0u, bare->GetSel());

    MakeTree(TreeLayout(150, 200, L"indent='24'"));
    EXPECT_EQ(1, m_adapter->ObserverCount());
    EXPECT_EQ(3, m_tree->GetVisibleCount());
    const HSTREEITEM child = m_adapter->Insert(m_adapter->GetFirstVisibleItem(), L"child");
    EXPECT_EQ(24, m_tree->GetItemLocator()->GetItemIndent(child));
    EXPECT_EQ(E_FAIL, m_tree->ApplyAttribute(L"indent", L"5", FALSE));   // too late: rows are laid out
    EXPECT_EQ(24, m_tree->GetItemLocator()->GetItemIndent(child));
    EXPECT_TRUE(m_tree->SetAdapter(nullptr));
    EXPECT_EQ(0, m_adapter->ObserverCount());
    EXPECT_EQ(0, m_tree->GetVisibleCount());
}

TEST_F(STreeViewTest, AHundredRowsMakeOnlyTheVisiblePanels)
{
    const struct {
        const char* name;
        int branches;   // top-level items, each expanded over the rest
        int children;
    } cases[] = {
        {"flat", 100, 0},
        {"ten branches of nine", 10, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_adapter = SAutoRef<TreeTestAdapter>::Adopt(new TreeTestAdapter);
        for (HSTREEITEM branch : AddItems(TREE_ITEM_ROOT, c.branches, true))
            AddItems(branch, c.children);
        MakeTree(TreeLayout(150, 200));
        ASSERT_EQ(5000, m_tree->GetItemLocator()->GetTotalHeight());
        int mostVisible = m_tree->GetVisibleCount();
        int steps = 0;
        while (m_tree->OnScroll(TRUE, SB_LINEDOWN, 0)) {
            ++steps;
            mostVisible = std::max(mostVisible, m_tree->GetVisibleCount());
            ASSERT_NO_FATAL_FAILURE(ExpectRowsInOrder());
        }
        EXPECT_EQ(96, steps);   // 4800 / 50
        EXPECT_EQ(4, mostVisible);
        EXPECT_LE(m_adapter->PanelsMade(), mostVisible + 2);
        // Paging back up and jumping to the end make none more.
        while (m_tree->OnScroll(TRUE, SB_PAGEUP, 0))
            mostVisible = std::max(mostVisible, m_tree->GetVisibleCount());
        m_tree->OnScroll(TRUE, SB_BOTTOM, 0);
        m_tree->OnScroll(TRUE, SB_THUMBPOSITION, 1234);
        mostVisible = std::max(mostVisible, m_tree->GetVisibleCount());
        ExpectRowsInOrder();
        EXPECT_LE(m_adapter->PanelsMade(), mostVisible + 2);
        EXPECT_EQ(m_adapter->PanelsMade(), m_tree->GetPanelCount());
        m_tree->DestroyWindow();
    }
}

TEST_F(STreeViewTest, KeysMoveExpandAndCollapse)
{
    // A (collapsed; a1, a2), B, C.
    const HSTREEITEM a = m_adapter->Insert(TREE_ITEM_ROOT, L"A");
    const HSTREEITEM a1 = m_adapter->Insert(a, L"a1");
    const HSTREEITEM a2 = m_adapter->Insert(a, L"a2");
    const HSTREEITEM b = m_adapter->Insert(TREE_ITEM_ROOT, L"B");
    const HSTREEITEM c = m_adapter->Insert(TREE_ITEM_ROOT, L"C");
    MakeTree(TreeLayout(150, 200));
    const struct {
        const char* step;
        UINT key;
        HSTREEITEM selected;
        std::vector<UINT> codes;   // the adapter's expand codes so far
        const char* events;
    } steps[] = {
        {"Up with none: the first visible", VK_UP, a, {}, "cC"},
        {"Right on a collapsed parent expands it", VK_RIGHT, a, {2}, ""},
        {"Right on an expanded one: its first child", VK_RIGHT, a1, {2}, "cC"},
        {"Down", VK_DOWN, a2, {2}, "cC"},
        {"Left on a leaf: the item above", VK_LEFT, a1, {2}, "cC"},
        {"Left again: the parent", VK_LEFT, a, {2}, "cC"},
        {"Left on an expanded parent collapses it", VK_LEFT, a, {2, 1}, ""},
        {"Down past the collapsed branch", VK_DOWN, b, {2, 1}, "cC"},
        {"Right on a leaf: the next visible", VK_RIGHT, c, {2, 1}, "cC"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        m_log.events.clear();
        Key(s.key);
        EXPECT_EQ(s.selected, m_tree->GetSel());
        EXPECT_EQ(s.codes, m_adapter->ExpandCodes());
        EXPECT_EQ(s.events, m_log.events);
        ASSERT_TRUE(m_tree->GetItemPanel(s.selected));
        EXPECT_TRUE(m_tree->GetItemPanel(s.selected)->GetState() & WndState_Check);
    }
}

TEST_F(STreeViewTest, AClickSelectsWithBothEventsAndADoubleClickToggles)
{
    const HSTREEITEM a = m_adapter->Insert(TREE_ITEM_ROOT, L"A");
    m_adapter->Insert(a, L"a1");
    const HSTREEITEM b = m_adapter->Insert(TREE_ITEM_ROOT, L"B");
    MakeTree(TreeLayout(150, 200));
    Press(60, 75);
    Release(60, 75);
    EXPECT_EQ(b, m_tree->GetSel());
    EXPECT_EQ("cC", m_log.events);
    m_host->Mouse(WM_LBUTTONDBLCLK, 60, 75, MK_LBUTTON);   // a leaf: nothing to toggle
    Release(60, 75);
    EXPECT_TRUE(m_adapter->ExpandCodes().empty());
    const struct {
        bool expanded;
        int rows;
    } toggles[] = {{true, 3}, {false, 2}};
    for (const auto& t : toggles) {
        SCOPED_TRACE(t.rows);
        Press(60, 25);
        Release(60, 25);
        m_host->Mouse(WM_LBUTTONDBLCLK, 60, 25, MK_LBUTTON);
        Release(60, 25);
        EXPECT_EQ(a, m_tree->GetSel());
        EXPECT_EQ(t.expanded, m_adapter->Item(a).expanded);
        EXPECT_EQ(t.rows, m_tree->GetVisibleCount());
        EXPECT_EQ(3u, m_adapter->ExpandCodes().back());
    }
    EXPECT_EQ("cCcC", m_log.events);
}

TEST_F(STreeViewTest, PageKeysScrollOnlyAndSelectingTheSelectionRaisesOnlyTheFirstEvent)
{
    const std::vector<HSTREEITEM> items = AddItems(TREE_ITEM_ROOT, 30);
    MakeTree(TreeLayout(150, 200));
    m_tree->SetSel(items[1]);
    const struct {
        UINT key;
        int position;
    } keys[] = {
        {VK_NEXT, 200}, {VK_NEXT, 400}, {VK_PRIOR, 200}, {VK_END, 1300}, {VK_HOME, 0},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        Key(k.key);
        EXPECT_EQ(k.position, m_tree->GetScrollPos(TRUE));
        EXPECT_EQ(items[1], m_tree->GetSel());
    }
    EXPECT_EQ("", m_log.events);

    m_tree->SetSel(items[1], TRUE);
    EXPECT_EQ("c", m_log.events);   // the same item: asked, not changed
    m_log.veto = true;
    m_log.events.clear();
    m_tree->SetSel(items[2], TRUE);
    EXPECT_EQ("c", m_log.events);
    EXPECT_EQ(items[1], m_tree->GetSel());
    Key(VK_DOWN);
    EXPECT_EQ(items[1], m_tree->GetSel());
    m_log.veto = false;
    m_log.events.clear();
    m_tree->SetSel(items[2], TRUE);
    EXPECT_EQ("cC", m_log.events);
    EXPECT_EQ(items[2], m_tree->GetSel());
}

TEST_F(STreeViewTest, ARowIsScrolledIntoViewAtEitherEdgeBothWays)
{
    // Rows of 50 in a page of 500 each way: the view is 508 square with both bars.
    const std::vector<HSTREEITEM> items = AddItems(TREE_ITEM_ROOT, 30, true);
    const HSTREEITEM wide = m_adapter->Insert(items[0], L"wide", false, SIZE{700, 50});
    MakeTree(TreeLayout(508, 508));
    ASSERT_EQ(500u, m_tree->GetScrollInfo(TRUE).nPage);
    ASSERT_EQ(1549, m_tree->GetScrollInfo(TRUE).nMax);
    // items[0], wide, items[1] ...: items[k] lies at 50 (k + 1); items[8] is the last whole row.
    const struct {
        const char* step;
        HSTREEITEM from;   // 0: the selection as it is
        UINT key;
        int position;
    } steps[] = {
        {"down from the last whole row: its bottom to the page's", items[8], VK_DOWN, 50},
        {"down again", 0, VK_DOWN, 100},
        {"down to a row wholly below the page", items[20], VK_DOWN, 1150 - 500},
        {"up to a row wholly above the page: its top to the page's", items[3], VK_UP, 150},
        {"up again", 0, VK_UP, 100},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        if (s.from)
            m_tree->SetSel(s.from);
        Key(s.key);
        EXPECT_EQ(s.position, m_tree->GetScrollPos(TRUE));
        ASSERT_TRUE(m_tree->GetItemPanel(m_tree->GetSel()));
        const RECT row = m_tree->GetItemPanel(m_tree->GetSel())->GetItemRect();
        EXPECT_GE(row.top, 0);
        EXPECT_LE(row.bottom, 500);
    }

    // Across: the wide row, 10 in and 700 wide.
    ASSERT_TRUE(m_tree->HasScrollBar(FALSE));
    EXPECT_EQ(709, m_tree->GetScrollInfo(FALSE).nMax);
    m_tree->EnsureVisible(wide);
    EXPECT_EQ(50, m_tree->GetScrollPos(TRUE));
    EXPECT_EQ(710 - 500, m_tree->GetScrollPos(FALSE));
    ExpectRowsInOrder();
    m_tree->OnScroll(FALSE, SB_THUMBPOSITION, 100);
    m_tree->EnsureVisible(wide);   // its left beyond the page's: to the page's left
    EXPECT_EQ(10, m_tree->GetScrollPos(FALSE));
    ExpectRowsInOrder();

    // An item under a collapsed branch: its ancestors open first.
    m_adapter->ExpandItem(items[0], kTvCollapse);
    m_tree->OnScroll(TRUE, SB_BOTTOM, 0);
    m_tree->EnsureVisible(wide);
    EXPECT_TRUE(m_adapter->Item(items[0]).expanded);
    EXPECT_EQ(50, m_tree->GetItemLocator()->Item2Position(wide));
    EXPECT_EQ(50, m_tree->GetScrollPos(TRUE));
}

TEST_F(STreeViewTest, ASelectedItemTheAdapterRemovedIsForgottenBeforeAnythingUsesIt)
{
    const HSTREEITEM a = m_adapter->Insert(TREE_ITEM_ROOT, L"A", true);
    const HSTREEITEM a1 = m_adapter->Insert(a, L"a1", true);
    const HSTREEITEM x = m_adapter->Insert(a1, L"x");
    m_adapter->Insert(a, L"a2");
    const HSTREEITEM b = m_adapter->Insert(TREE_ITEM_ROOT, L"B");
    MakeTree(TreeLayout(150, 200));

    // A change in another branch, or one that keeps the selected item, keeps it.
    m_tree->SetSel(x);
    m_adapter->Insert(b, L"b1");
    m_adapter->NotifyBranchChanged(b);
    EXPECT_EQ(x, m_tree->GetSel());
    m_adapter->NotifyBranchChanged(a);
    EXPECT_EQ(x, m_tree->GetSel());
    m_adapter->NotifyBranchChanged(TREE_ITEM_ROOT);
    EXPECT_EQ(x, m_tree->GetSel());

    // a1 goes with x; the next item made may take x's freed address.
    m_adapter->Remove(a1);
    EXPECT_EQ(0u, m_tree->GetSel());
    const HSTREEITEM fresh = m_adapter->Insert(a, L"fresh");
    m_adapter->NotifyBranchChanged(a);
    EXPECT_EQ(0u, m_tree->GetSel());
    ASSERT_TRUE(m_tree->GetItemPanel(fresh));
    EXPECT_FALSE(m_tree->GetItemPanel(fresh)->GetState() & WndState_Check);
    Paint();
    Key(VK_DOWN);   // none selected: the first visible item
    EXPECT_EQ(a, m_tree->GetSel());
    EXPECT_EQ(0, m_adapter->StaleHandles());

    // The selection itself removed with the whole tree's notice.
    m_tree->SetSel(b);
    m_adapter->Remove(b, false);
    m_adapter->NotifyBranchChanged(TREE_ITEM_ROOT);
    EXPECT_EQ(0u, m_tree->GetSel());
    Key(VK_UP);
    EXPECT_EQ(a, m_tree->GetSel());
    Paint();
    EXPECT_EQ(0, m_adapter->StaleHandles());
}

TEST_F(STreeViewTest, RowsThatNeverSettleOnASizeStillEndInALayout)
{
    AddItems(TREE_ITEM_ROOT, 1000);
    m_adapter->measure = [](TreeTestItem&, int count) { return SIZE{100 + (count % 5) * 60, 20 + (count % 3) * 10}; };
    MakeTree(TreeLayout(150, 100));   // returns, rather than measuring for ever
    EXPECT_GT(m_tree->GetVisibleCount(), 0);
    EXPECT_LE(m_adapter->Measures(), 8 * 6);   // a bounded number of passes over at most six rows
    const int before = m_adapter->Measures();
    m_tree->OnScroll(TRUE, SB_BOTTOM, 0);
    EXPECT_LE(m_adapter->Measures() - before, 8 * 6);
    EXPECT_GT(m_tree->GetScrollPos(TRUE), 0);
    EXPECT_LE(m_adapter->PanelsMade(), 6 + 2);

    // Rows of steady sizes settle at once: laid out again, nothing moves.
    m_adapter->measure = nullptr;
    m_adapter->NotifyBranchChanged(TREE_ITEM_ROOT);
    const int position = m_tree->GetScrollPos(TRUE);
    const int measures = m_adapter->Measures();
    m_tree->OnScroll(TRUE, SB_THUMBPOSITION, position);
    m_tree->SendSwndMessage(WM_SIZE, 0, MAKELPARAM(150, 100));
    EXPECT_EQ(position, m_tree->GetScrollPos(TRUE));
    EXPECT_EQ(measures + m_tree->GetVisibleCount(), m_adapter->Measures());
    ExpectRowsInOrder();
}

TEST_F(STreeViewTest, TheBarsFollowTheTreesSize)
{
    const struct {
        const char* name;
        int rows;
        int width;        // of each row
        bool matchWidth;
        bool vertical;
        bool horizontal;
    } cases[] = {
        {"fits", 4, 100, false, false, false},
        {"too tall", 5, 100, false, true, false},
        {"too wide", 3, 160, false, false, true},
        {"a full page too wide: the bar across needs one down", 4, 160, false, true, true},
        {"too tall, and too wide beside the bar down", 5, 146, false, true, true},
        {"rows that follow the width", 10, 400, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_adapter = SAutoRef<TreeTestAdapter>::Adopt(new TreeTestAdapter);
        for (int i = 0; i < c.rows; ++i)
            m_adapter->Insert(TREE_ITEM_ROOT, L"row", false, SIZE{c.width, 50});
        m_adapter->SetMatchWidth(c.matchWidth);
        MakeTree(TreeLayout(150, 200));
        EXPECT_EQ(c.vertical, m_tree->HasScrollBar(TRUE) != FALSE);
        EXPECT_EQ(c.horizontal, m_tree->HasScrollBar(FALSE) != FALSE);
        if (c.vertical) {
            EXPECT_EQ(c.rows * 50 - 1, m_tree->GetScrollInfo(TRUE).nMax);
        }
        if (c.horizontal) {
            EXPECT_EQ(c.width - 1, m_tree->GetScrollInfo(FALSE).nMax);
        }
        m_tree->DestroyWindow();
    }
}

TEST_F(STreeViewTest, PaintsItsRowsIndentedAndByState)
{
    const HSTREEITEM a = m_adapter->Insert(TREE_ITEM_ROOT, L"A", true, SIZE{120, 40});
    const HSTREEITEM a1 = m_adapter->Insert(a, L"a1", false, SIZE{120, 40});
    m_adapter->Insert(a, L"a2", false, SIZE{120, 40});
    m_adapter->Insert(TREE_ITEM_ROOT, L"B", false, SIZE{120, 40});
    MakeTree(TreeLayout(200, 200));
    m_tree->SetSel(a1);
    MoveTo(60, 100);   // over a2
    Paint();
    Keep(L"tree_view");
    EXPECT_EQ(0xFFFFFFFFu, Pixel(60, 20));    // A
    EXPECT_EQ(0xFFFF0000u, Pixel(10, 4));     // its label, beside its text
    EXPECT_EQ(0xFF404040u, Pixel(5, 60));     // left of a1: the indent shows the view
    EXPECT_EQ(0xFFFF0000u, Pixel(15, 45));    // a1's label, 10 in
    EXPECT_EQ(0xFF0000FFu, Pixel(60, 60));    // a1, selected
    EXPECT_EQ(0xFF00FF00u, Pixel(60, 100));   // a2, hovered
    EXPECT_EQ(0xFF404040u, Pixel(135, 60));   // right of a1, 10 + 120
    EXPECT_EQ(0xFFFFFFFFu, Pixel(60, 140));   // B
    EXPECT_EQ(0xFF404040u, Pixel(60, 180));   // below the rows
    EXPECT_EQ(0, m_adapter->StaleHandles());
}
